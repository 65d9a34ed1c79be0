// voviro-tool view FILE --out OUT.(png|bmp) [--mode MODE] [--monitor PROFILE]
// [--input sRGB|NTSC|AdobeRGB|PROFILE] [--intent 0-3] [--bpc] [--no-embedded]
// [--no-maker]: opens the picture as the viewer does (JPEG through the fast
// decoder, turned by the Exif orientation), then writes the displayed
// picture after one view mode (the marked picture for the clipping checks)
// or after colour management with the given settings, and prints the status
// text the viewer's channel panel would end with (an empty line for none).
#include <cstdio>
#include <exception>
#include <map>
#include <string>

#include "analysis/ViewModes.h"
#include "colour/ColourManagement.h"
#include "imaging/BitmapTransform.h"
#include "imaging/ImageIO.h"
#include "imaging/LoadPicture.h"
#include "metadata/ExifRead.h"
#include "platform/PathName.h"
#include "tools/voviro-tool/Commands.h"
#include "tools/voviro-tool/PngWrite.h"

namespace voviro_tool {

namespace {

const std::map<std::string, int> kModes = {
    { "r", analysis::kModeRed },
    { "g", analysis::kModeGreen },
    { "b", analysis::kModeBlue },
    { "rover", analysis::kModeRedOver },
    { "gover", analysis::kModeGreenOver },
    { "bover", analysis::kModeBlueOver },
    { "wover", analysis::kModeWhiteOver },
    { "tobi-all", analysis::kModeTobiAll },
    { "tobi-r", analysis::kModeTobiRed },
    { "tobi-g", analysis::kModeTobiGreen },
    { "tobi-b", analysis::kModeTobiBlue },
    { "tobi-w", analysis::kModeTobiWhite },
    { "ycc", analysis::kModeYccWarning },
};

struct ViewArgs {
    std::string file, out;
    int mode = -1;
    bool colourManaged = false;
    colour::ColourSettings settings;
};

bool ParseArgs(const std::vector<std::string>& args, ViewArgs& v)
{
    v.settings.UseWB = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--out" && hasValue) {
            v.out = args[++i];
        } else if (a == "--mode" && hasValue) {
            const auto it = kModes.find(args[++i]);
            if (it == kModes.end())
                return false;
            v.mode = it->second;
        } else if (a == "--monitor" && hasValue) {
            v.settings.OutputProfileName = args[++i];
            v.colourManaged = true;
        } else if (a == "--input" && hasValue) {
            const std::string name = args[++i];
            v.settings.InputProfileName = name == "sRGB" ? "" : name;
        } else if (a == "--intent" && hasValue) {
            const std::string intent = args[++i];
            if (intent.size() != 1 || intent[0] < '0' || intent[0] > '3')
                return false;
            v.settings.ICCMatch = static_cast<uint8_t>(intent[0] - '0');
        } else if (a == "--bpc") {
            v.settings.UseWB = true;
        } else if (a == "--no-embedded") {
            v.settings.UseICC = false;
        } else if (a == "--no-maker") {
            v.settings.UseMaker = false;
        } else if (v.file.empty() && !a.empty() && a.rfind("--", 0) != 0) {
            v.file = a;
        } else {
            return false;
        }
    }
    const std::string ext = platform::LowerExtensionOf(v.out);
    // One view at a time, as in the viewer: a mode or colour management.
    return !v.file.empty() && (ext == ".png" || ext == ".bmp") && !(v.mode >= 0 && v.colourManaged);
}

// The viewer's load with its default settings (the fast JPEG decode).
bool LoadAsViewer(const std::string& file, imaging::Bitmap& picture)
{
    imaging::PictureLoadOptions options;
    options.fastJpeg = true;
    return imaging::LoadPicture(file, picture, options);
}

} // namespace

int RunView(const std::vector<std::string>& args)
{
    ViewArgs v;
    if (!ParseArgs(args, v))
        return UsageOf("view");
    imaging::Bitmap source;
    if (!LoadAsViewer(v.file, source)) {
        std::fprintf(stderr, "voviro-tool view: cannot load %s\n", v.file.c_str());
        return 1;
    }
    metadata::TExifData exif;
    bool haveExif = false;
    try {
        imaging::Bitmap thumbnail;
        metadata::PhotoshopLocator locator;
        metadata::ReadExifData(v.file, thumbnail, locator, exif);
        haveExif = exif.ContainerKind != 0 && exif.ContainerKind != 99;
    } catch (const std::exception&) {
        exif = metadata::TExifData();
    }
    // The viewer turns a photo by its Exif orientation (quarter turns only).
    const int rotation = haveExif ? exif.Main.RotationHint : 0;
    imaging::OrientBitmap(source, rotation, false, false);
    if (source.BitsPerPixel() != 24 && (v.mode >= 0 || v.colourManaged)) {
        std::fprintf(stderr, "voviro-tool view: the views need a 24-bit picture\n");
        return 1;
    }

    imaging::Bitmap displayed; // each view gives it the source's size
    std::string status;
    if (v.mode == analysis::kModeYccWarning) {
        std::string error;
        if (!analysis::ShowYccClipping(v.file, rotation, false, false, displayed, {}, &error)) {
            std::fprintf(
                stderr, "voviro-tool view: cannot decode the YCbCr samples of %s: %s\n", v.file.c_str(), error.c_str());
            return 1;
        }
        status = analysis::ViewModeChannelText(v.mode);
    } else if (v.mode >= 0) {
        analysis::ApplyPixelRule(v.mode, source, displayed);
        status = analysis::ViewModeChannelText(v.mode);
    } else if (v.colourManaged) {
        const colour::PhotoColour photo { v.file, exif.IccOffset, exif.IccLength, haveExif ? &exif : nullptr };
        const colour::ColourOutcome outcome = colour::ColourManage(v.settings, &photo, source, displayed);
        status = outcome.status;
        if (!outcome.converted)
            displayed = std::move(source);
    } else {
        displayed = std::move(source);
    }

    const bool saved = platform::LowerExtensionOf(v.out) == ".png" ? SavePngFile(v.out, displayed)
                                                                   : imaging::SaveBmpFile(v.out, displayed);
    if (!saved) {
        std::fprintf(stderr, "voviro-tool view: cannot write %s\n", v.out.c_str());
        return 1;
    }
    std::printf("%s\n", status.c_str());
    return 0;
}

} // namespace voviro_tool
