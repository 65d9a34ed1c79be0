#include "colour/ProfileInfo.h"

#include <memory>
#include <vector>

#include <lcms2.h>

#include "metadata/NumberText.h"
#include "platform/TextCodec.h"

namespace colour {

namespace {

struct ProfileCloser {
    void operator()(void* profile) const { cmsCloseProfile(profile); }
};

// One of the profile's text tags (description, manufacturer, model) as UTF-8; empty when absent.
std::string InfoText(cmsHPROFILE profile, cmsInfoType type)
{
    const cmsUInt32Number bytes = cmsGetProfileInfo(profile, type, "en", "US", nullptr, 0);
    if (bytes == 0)
        return {};
    std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 1, L'\0');
    cmsGetProfileInfo(
        profile, type, "en", "US", text.data(), static_cast<cmsUInt32Number>(text.size() * sizeof(wchar_t)));
    std::string out;
    for (wchar_t c : text) {
        if (c == L'\0')
            break;
        platform::AppendUtf8(out, static_cast<char32_t>(c));
    }
    return out;
}

std::optional<TXYZ> XYZTag(cmsHPROFILE profile, cmsTagSignature tag)
{
    if (!cmsIsTag(profile, tag))
        return std::nullopt;
    const auto* xyz = static_cast<const cmsCIEXYZ*>(cmsReadTag(profile, tag));
    if (!xyz)
        return std::nullopt;
    return TXYZ { xyz->X, xyz->Y, xyz->Z };
}

double S15Fixed16(const uint8_t* p)
{
    const int32_t v = static_cast<int32_t>((static_cast<uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3]);
    return v / 65536.0;
}

// The product name from the device tags: model and manufacturer, the model alone
// when it starts like the manufacturer's name or is long, one of them when the other is missing.
std::string ProductName(const std::string& manufacturer, const std::string& model, const std::string& description)
{
    if (manufacturer.empty() && model.empty())
        return description;
    if (model.empty())
        return manufacturer;
    if (manufacturer.empty() || model.compare(0, 8, manufacturer, 0, 8) == 0 || model.size() > 30)
        return model;
    return model + " - " + manufacturer;
}

} // namespace

bool ReadProfileInfo(const uint8_t* data, size_t size, TProfileInfo& info)
{
    info = TProfileInfo();
    if (!data || size < 128 || size > UINT32_MAX)
        return false;
    std::unique_ptr<void, ProfileCloser> profile(cmsOpenProfileFromMem(data, static_cast<cmsUInt32Number>(size)));
    if (!profile)
        return false;
    cmsHPROFILE h = profile.get();
    info.Manufacturer = InfoText(h, cmsInfoManufacturer);
    info.Model = InfoText(h, cmsInfoModel);
    const std::string description = InfoText(h, cmsInfoDescription);
    info.Name = ProductName(info.Manufacturer, info.Model, description);
    info.Description = description.empty() ? info.Name : description;
    info.ColorSpace = cmsGetColorSpace(h);
    info.DeviceClass = cmsGetDeviceClass(h);
    info.Pcs = cmsGetPCS(h);
    info.WhitePoint = XYZTag(h, cmsSigMediaWhitePointTag);
    info.BlackPoint = XYZTag(h, cmsSigMediaBlackPointTag);
    info.Illuminant = TXYZ { S15Fixed16(data + 68), S15Fixed16(data + 72), S15Fixed16(data + 76) };
    const auto red = XYZTag(h, cmsSigRedColorantTag);
    const auto green = XYZTag(h, cmsSigGreenColorantTag);
    const auto blue = XYZTag(h, cmsSigBlueColorantTag);
    if (red && green && blue)
        info.Colorants = std::array<TXYZ, 3> { *red, *green, *blue };
    return true;
}

std::string ColorSpaceText(uint32_t signature)
{
    switch (signature) {
    case cmsSigXYZData:
        return "XYZ";
    case cmsSigLabData:
        return "Lab";
    case cmsSigLuvData:
        return "Luv";
    case cmsSigYCbCrData:
        return "YCbCr";
    case cmsSigYxyData:
        return "Yxy";
    case cmsSigRgbData:
        return "RGB";
    case cmsSigGrayData:
        return "Gray";
    case cmsSigHsvData:
        return "HSV";
    case cmsSigHlsData:
        return "HLS";
    case cmsSigCmykData:
        return "CMYK";
    case cmsSigCmyData:
        return "CMY";
    default:
        return "unknown";
    }
}

std::string DeviceClassText(uint32_t signature)
{
    switch (signature) {
    case cmsSigInputClass:
        return "Input";
    case cmsSigDisplayClass:
        return "Display";
    case cmsSigOutputClass:
        return "Output";
    case cmsSigLinkClass:
        return "Link";
    case cmsSigAbstractClass:
        return "Abstract";
    case cmsSigColorSpaceClass:
        return "ColorSpace";
    case cmsSigNamedColorClass:
        return "Named";
    default:
        return "unknown";
    }
}

std::string XYZText(const TXYZ& xyz)
{
    using metadata::FixedText;
    return "X:" + FixedText(xyz.X, 4) + " Y:" + FixedText(xyz.Y, 4) + " Z:" + FixedText(xyz.Z, 4);
}

std::string ColorantMatrixText(const std::array<TXYZ, 3>& colorants)
{
    using metadata::FixedText;
    static const char* const kLetters[] = { "R", "G", "B" };
    std::string out;
    for (size_t i = 0; i < 3; ++i) {
        const TXYZ& c = colorants[i];
        if (i > 0)
            out += "\n";
        out += std::string(kLetters[i]) + "(" + FixedText(c.X, 4) + " " + FixedText(c.Y, 4) + " " + FixedText(c.Z, 4)
            + ")";
    }
    return out;
}

} // namespace colour
