// voviro-tool thumbs DIR --out OUTDIR [--view 3|4|5|9]: runs the thumbnail
// maker over the folder's catalogue and writes, per file, the thumbnail as it
// sits in the cache file (OUTDIR/NAME.png) and, with --view, the drawn grid
// cell (OUTDIR/NAME.viewN.png). One line per file: index, kind, rotation,
// thumbnail width x height (or -), source (embedded, decoded, none), name;
// then a last line with the count, the seconds taken and the files per second.
#include <cstdio>
#include <filesystem>
#include <string>

#include "catalogue/Catalogue.h"
#include "catalogue/CellLayout.h"
#include "catalogue/ThumbnailPass.h"
#include "platform/PathName.h"
#include "tools/voviro-tool/Commands.h"
#include "tools/voviro-tool/PngWrite.h"
#include "tools/voviro-tool/ThumbsView.h"

namespace voviro_tool {

namespace {

const char* SourceText(catalogue::TThumbnailSource source)
{
    switch (source) {
    case catalogue::TThumbnailSource::Embedded:
        return "embedded";
    case catalogue::TThumbnailSource::Decoded:
        return "decoded";
    default:
        return "none";
    }
}

} // namespace

int RunThumbs(const std::vector<std::string>& args)
{
    std::string folder, out;
    int view = -1;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--out" && i + 1 < args.size()) {
            out = args[++i];
        } else if (args[i] == "--view" && i + 1 < args.size()) {
            const std::string v = args[++i];
            if (v != "3" && v != "4" && v != "5" && v != "9")
                return UsageOf("thumbs");
            view = std::stoi(v);
        } else if (folder.empty() && !args[i].empty() && args[i].rfind("--", 0) != 0) {
            folder = args[i];
        } else {
            return UsageOf("thumbs");
        }
    }
    if (folder.empty() || out.empty())
        return UsageOf("thumbs");
    if (view != -1 && !CellDrawingAvailable()) {
        std::fprintf(stderr, "voviro-tool thumbs: --view needs the build with the user interface\n");
        return 2;
    }
    std::error_code ec;
    std::filesystem::create_directories(out, ec);
    if (!std::filesystem::is_directory(out)) {
        std::fprintf(stderr, "voviro-tool thumbs: cannot create %s\n", out.c_str());
        return 1;
    }

    std::unique_ptr<catalogue::TCacheFile> cache;
    try {
        cache = std::make_unique<catalogue::TCacheFile>();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "voviro-tool thumbs: no cache file: %s\n", e.what());
        return 1;
    }
    catalogue::TCatalogue records;
    const int count = catalogue::BuildCatalogue(records, folder, *cache, {});
    const catalogue::TThumbnailPassResult pass
        = catalogue::RunThumbnailPass(records, *cache, false, catalogue::TThumbnailReaders::Default());

    int failures = 0;
    std::string lines;
    for (int i = 0; i < count; ++i) {
        const catalogue::TImageCache& record = records.At(i);
        const std::string name = platform::FileNameOf(record.FileName);
        imaging::Bitmap thumbnail;
        const bool has = record.ThumbOffset != -1 && cache->ReadThumbnail(record.ThumbOffset, thumbnail);
        const std::string size
            = has ? std::to_string(thumbnail.Width()) + "x" + std::to_string(thumbnail.Height()) : "-";
        if (has && !SavePngFile(out + "/" + name + ".png", thumbnail))
            ++failures;
        if (view != -1
            && !SaveCellPng(
                out + "/" + name + ".view" + std::to_string(view) + ".png", record, has ? &thumbnail : nullptr, view))
            ++failures;
        lines += std::to_string(i) + "\t" + catalogue::KindText(record.FileKind) + "\t"
            + std::to_string(record.Rotation) + "\t" + size + "\t" + SourceText(pass.sources[static_cast<size_t>(i)])
            + "\t" + name + "\n";
    }
    char total[128];
    std::snprintf(total, sizeof total, "%d files\t%.3f s\t%.1f files/s\n", count, pass.seconds,
        pass.seconds > 0 ? count / pass.seconds : 0.0);
    lines += total;
    std::fwrite(lines.data(), 1, lines.size(), stdout);
    if (std::fflush(stdout) != 0)
        return 1;
    if (failures > 0)
        std::fprintf(stderr, "voviro-tool thumbs: %d pictures could not be written to %s\n", failures, out.c_str());
    return failures > 0 ? 1 : 0;
}

} // namespace voviro_tool
