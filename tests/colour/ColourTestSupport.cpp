#include "colour/ColourTestSupport.h"

#include "support/TestSupport.h"

namespace colourtest {

std::vector<uint8_t> SaveProfile(cmsHPROFILE profile)
{
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    std::vector<uint8_t> bytes(size);
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsCloseProfile(profile);
    return bytes;
}

std::vector<uint8_t> SrgbProfileBytes()
{
    return SaveProfile(cmsCreate_sRGBProfile());
}

std::vector<uint8_t> WideRgbProfileBytes(cmsProfileClassSignature deviceClass)
{
    cmsCIExyY white;
    cmsWhitePointFromTemp(&white, 5003);
    const cmsCIExyYTRIPLE primaries = { { 0.7347, 0.2653, 1 }, { 0.1596, 0.8404, 1 }, { 0.0366, 0.0001, 1 } };
    cmsToneCurve* gamma = cmsBuildGamma(nullptr, 2.2);
    cmsToneCurve* curves[3] = { gamma, gamma, gamma };
    cmsHPROFILE profile = cmsCreateRGBProfile(&white, &primaries, curves);
    cmsFreeToneCurve(gamma);
    cmsSetDeviceClass(profile, deviceClass);
    return SaveProfile(profile);
}

std::vector<uint8_t> CmykProfileBytes()
{
    cmsHPROFILE profile = cmsCreateInkLimitingDeviceLink(cmsSigCmykData, 300);
    cmsSetDeviceClass(profile, cmsSigOutputClass);
    return SaveProfile(profile);
}

std::string WriteProfile(
    const std::filesystem::path& folder, const std::string& name, const std::vector<uint8_t>& bytes)
{
    testsupport::WriteFile(folder / name, bytes);
    return (folder / name).string();
}

imaging::Bitmap ColourfulPicture(int width, int height)
{
    imaging::Bitmap picture(width, height);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = picture.Row(y);
        for (int x = 0; x < width; ++x) {
            row[3 * x] = static_cast<uint8_t>(x * 7 + y);
            row[3 * x + 1] = static_cast<uint8_t>(x * 3 + y * 5);
            row[3 * x + 2] = static_cast<uint8_t>(255 - x - y * 2);
        }
    }
    return picture;
}

imaging::Bitmap ReferenceConvert(
    cmsHPROFILE input, cmsHPROFILE output, int intent, cmsUInt32Number flags, const imaging::Bitmap& source)
{
    imaging::Bitmap out(source.Width(), source.Height());
    cmsHTRANSFORM t
        = cmsCreateTransform(input, TYPE_BGR_8, output, TYPE_BGR_8, static_cast<cmsUInt32Number>(intent), flags);
    if (!t)
        return {};
    for (int y = 0; y < source.Height(); ++y)
        cmsDoTransform(t, source.Row(y), out.Row(y), static_cast<cmsUInt32Number>(source.Width()));
    cmsDeleteTransform(t);
    return out;
}

} // namespace colourtest
