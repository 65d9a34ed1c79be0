// voviro-tool panel FILE [--tab basic|profile|iptc] [--mode all|auto|manual|select]:
// the rows the metadata panel builds for one file, one line each, the
// fields separated by tabs: depth (0 for a group row), key, name, value.
// Line breaks inside a field are printed as \n, tabs as \t, backslashes as \\.
// The hidden lists and the view mode come from the settings as in the
// window; --mode overrides the mode. Exit 1 when the file is not listed
// (missing or not an image kind).
#include <cstdio>
#include <filesystem>
#include <string>

#include "catalogue/Catalogue.h"
#include "catalogue/InfoRecord.h"
#include "catalogue/ThumbnailPass.h"
#include "colour/ProfileRows.h"
#include "metadata/InfoSettings.h"
#include "tools/voviro-tool/Commands.h"

namespace voviro_tool {

namespace {

std::string Field(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            continue;
        else if (c == '\t')
            out += "\\t";
        else if (c == '\\')
            out += "\\\\";
        else
            out += c;
    }
    return out;
}

bool ParseChoice(const std::string& text, std::initializer_list<const char*> names, int& choice)
{
    int i = 0;
    for (const char* name : names) {
        if (text == name) {
            choice = i;
            return true;
        }
        ++i;
    }
    return false;
}

// The file's catalogue record, filled as the thumbnail maker fills it; false when it is not listed.
bool RecordOf(const std::string& path, metadata::TInfoRecord& out)
{
    const std::filesystem::path file(path);
    std::string folder = file.parent_path().string();
    if (folder.empty())
        folder = ".";
    catalogue::TCatalogue records;
    catalogue::BuildCatalogue(records, folder, nullptr, {});
    const std::string name = file.filename().string();
    auto& list = records.Records();
    std::erase_if(list, [&](const auto& r) { return std::filesystem::path(r->FileName).filename() != name; });
    if (list.empty())
        return false;
    try {
        catalogue::TCacheFile cache;
        catalogue::RunThumbnailPass(records, cache, false, catalogue::TThumbnailReaders::Default());
    } catch (const std::exception&) {
        // Without a temporary cache file the record keeps what the listing gave.
    }
    out = catalogue::InfoRecordOf(records.At(0));
    return true;
}

} // namespace

int RunPanel(const std::vector<std::string>& args)
{
    std::string path;
    int tab = metadata::kTabBasic;
    int mode = -1;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--tab") {
            if (++i >= args.size() || !ParseChoice(args[i], { "basic", "profile", "iptc" }, tab))
                return UsageOf("panel");
        } else if (args[i] == "--mode") {
            if (++i >= args.size() || !ParseChoice(args[i], { "all", "auto", "manual", "select" }, mode))
                return UsageOf("panel");
        } else if (path.empty() && !args[i].empty() && args[i].rfind("--", 0) != 0) {
            path = args[i];
        } else {
            return UsageOf("panel");
        }
    }
    if (path.empty())
        return UsageOf("panel");

    metadata::TInfoRecord record;
    if (!RecordOf(path, record)) {
        std::fprintf(stderr, "voviro-tool panel: not a listed image file: %s\n", path.c_str());
        return 1;
    }
    platform::RegistryStore store;
    metadata::TInfoSettings settings = metadata::LoadInfoSettings(store);
    if (mode >= 0)
        settings.ViewMode = static_cast<metadata::TViewMode>(mode);
    const std::vector<metadata::TInfoRow> rows = tab == metadata::kTabProfile ? colour::ProfileRows(record)
        : tab == metadata::kTabIptc                                           ? metadata::IptcRows(record)
                                                                              : metadata::BasicRows(record, settings);
    std::string out;
    for (const metadata::TInfoRow& row : rows)
        out += std::to_string(row.Depth) + "\t" + std::to_string(row.Key) + "\t" + Field(row.Name) + "\t"
            + Field(row.Value) + "\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace voviro_tool
