#include "colour/ColourManagement.h"

#include <algorithm>

#include <lcms2.h>

#include "platform/RowBlocks.h"

namespace colour {

namespace {

constexpr int kProgressRows = 100;
// Below this many pixels one thread is quicker than starting a second.
constexpr int64_t kThreadedPixels = 1 << 20;

bool MakerDeclaresAdobeRgb(const metadata::TExifData& exif, int32_t key)
{
    return metadata::GetExifValueText(key, exif).find("AdobeRGB") != std::string::npos;
}

struct Primaries {
    cmsCIExyY red, green, blue;
};

ProfileHandle BuildRgbProfile(const cmsCIExyY& white, const Primaries& p)
{
    UseQuietLibrary();
    cmsToneCurve* curve = cmsBuildGamma(nullptr, 2.2);
    if (!curve)
        return nullptr;
    cmsToneCurve* curves[3] = { curve, curve, curve };
    const cmsCIExyYTRIPLE primaries = { p.red, p.green, p.blue };
    ProfileHandle profile(cmsCreateRGBProfile(&white, &primaries, curves));
    // The profile keeps its own copies of the curves.
    cmsFreeToneCurve(curve);
    return profile;
}

} // namespace

InputChoice ChooseInputProfile(const ColourSettings& settings, const PhotoColour* photo)
{
    InputChoice choice;
    choice.inputName = settings.InputProfileName;
    choice.status = kStatusIcm;
    if (!photo)
        return choice;
    if (settings.UseMaker && photo->Exif) {
        for (int32_t key : { kMakerColourSpaceKey, kMakerColourMatrixKey })
            if (MakerDeclaresAdobeRgb(*photo->Exif, key)) {
                choice.inputName = "AdobeRGB";
                choice.status = kStatusAuto;
            }
    }
    if (settings.UseICC && photo->IccOffset != 0
        && OpenEmbeddedProfile(photo->FileName, photo->IccOffset, photo->IccLength, choice.embedded)) {
        choice.embeddedTaken = true;
        choice.status = kStatusEmbedded;
    }
    return choice;
}

ProfileHandle CreateNamedProfile(const std::string& name)
{
    UseQuietLibrary();
    if (name.empty())
        return ProfileHandle(cmsCreate_sRGBProfile());
    if (name == "NTSC") {
        const cmsCIExyY white = { 0.31, 0.316, 1.0 };
        return BuildRgbProfile(white, { { 0.67, 0.33, 1.0 }, { 0.21, 0.71, 1.0 }, { 0.14, 0.08, 1.0 } });
    }
    if (name == "AdobeRGB") {
        cmsCIExyY white;
        if (!cmsWhitePointFromTemp(&white, 6504.0))
            return nullptr;
        return BuildRgbProfile(white, { { 0.64, 0.33, 1.0 }, { 0.21, 0.71, 1.0 }, { 0.15, 0.06, 1.0 } });
    }
    return OpenProfileFile(name);
}

ColourOutcome ConvertForMonitor(const ColourSettings& settings, InputChoice input, const imaging::Bitmap& source,
    imaging::Bitmap& displayed, const ProgressFn& progress)
{
    ColourOutcome outcome;
    if (settings.OutputProfileName.empty())
        return outcome;
    outcome.ran = true;
    outcome.status = input.status;
    const ProfileHandle inputProfile
        = input.embeddedTaken ? std::move(input.embedded) : CreateNamedProfile(input.inputName);
    if (!inputProfile || ColorSpaceOf(inputProfile.get()) != kRgbSpace) {
        outcome.status = kStatusFailed;
        return outcome;
    }
    const ProfileHandle monitor = OpenProfileFile(settings.OutputProfileName);
    if (!monitor || source.BitsPerPixel() != 24)
        return outcome;
    // One transform shared by both threads: without its cache it keeps no per-call state.
    const cmsUInt32Number flags = (settings.UseWB ? cmsFLAGS_BLACKPOINTCOMPENSATION : 0) | cmsFLAGS_NOCACHE;
    const TransformHandle transform(
        cmsCreateTransform(inputProfile.get(), TYPE_BGR_8, monitor.get(), TYPE_BGR_8, settings.ICCMatch, flags));
    if (!transform)
        return outcome;

    const int width = source.Width(), height = source.Height();
    if (displayed.Width() != width || displayed.Height() != height || displayed.BitsPerPixel() != 24)
        displayed.Resize(width, height, 24);
    const bool twoThreads = static_cast<int64_t>(width) * height >= kThreadedPixels;
    const auto rows = [&](int first, int count) {
        // Rows are padded alike in both pictures, so a block of rows is one call.
        cmsDoTransformLineStride(transform.get(), source.Row(first), displayed.Row(first),
            static_cast<cmsUInt32Number>(width), static_cast<cmsUInt32Number>(count),
            static_cast<cmsUInt32Number>(source.Stride()), static_cast<cmsUInt32Number>(displayed.Stride()), 0, 0);
    };
    platform::ForRowBlocks(height, kProgressRows, twoThreads, rows, progress);
    if (progress)
        progress(height, height);
    outcome.converted = true;
    return outcome;
}

ColourOutcome ColourManage(const ColourSettings& settings, const PhotoColour* photo, const imaging::Bitmap& source,
    imaging::Bitmap& displayed, const ProgressFn& progress)
{
    if (settings.OutputProfileName.empty())
        return {};
    return ConvertForMonitor(settings, ChooseInputProfile(settings, photo), source, displayed, progress);
}

} // namespace colour
