// voviro-tool list DIR [--sort name|kind|date|size|image]: the folder's
// catalogue as the detail list shows it once its thumbnails are made, one
// record a line, the columns separated by tabs. File names are printed as their raw bytes so that a
// script can open the files (a tab or line break in a name is printed as it
// stands); a folder that cannot be read lists nothing.
#include <cstdio>
#include <string>

#include "catalogue/Catalogue.h"
#include "catalogue/ThumbnailPass.h"
#include "tools/voviro-tool/Commands.h"

namespace voviro_tool {

namespace {

bool ParseSort(const std::string& text, int& kind)
{
    const char* names[] = { "name", "kind", "date", "size", "image" };
    for (int i = 0; i < 5; ++i)
        if (text == names[i]) {
            kind = i;
            return true;
        }
    return false;
}

} // namespace

int RunList(const std::vector<std::string>& args)
{
    std::string folder;
    catalogue::SortOrder order;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--sort") {
            if (++i >= args.size() || !ParseSort(args[i], order.kind))
                return UsageOf("list");
        } else if (args[i].rfind("--sort=", 0) == 0) {
            if (!ParseSort(args[i].substr(7), order.kind))
                return UsageOf("list");
        } else if (folder.empty() && !args[i].empty() && args[i].rfind("--", 0) != 0) {
            folder = args[i];
        } else {
            return UsageOf("list");
        }
    }
    if (folder.empty())
        return UsageOf("list");

    catalogue::TCatalogue records;
    catalogue::BuildCatalogue(records, folder, nullptr, order);
    // Each record is filled the way the thumbnail maker fills it (metadata,
    // kind, picture size, rotation), then put in the order asked for, which
    // may depend on what was filled in.
    try {
        catalogue::TCacheFile cache;
        catalogue::RunThumbnailPass(records, cache, false, catalogue::TThumbnailReaders::Default());
        catalogue::SortCatalogue(records, order);
    } catch (const std::exception&) {
        // Without a temporary cache file the records keep what the listing gave.
    }
    catalogue::TListConfigs columns;
    catalogue::InitListConfig(columns);
    std::string out;
    for (int i = 0; i < records.Count(); ++i) {
        const std::vector<std::string> texts = catalogue::FillListRow(records.At(i), columns);
        for (size_t c = 0; c < texts.size(); ++c) {
            if (c > 0)
                out += '\t';
            out += texts[c];
        }
        out += '\n';
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace voviro_tool
