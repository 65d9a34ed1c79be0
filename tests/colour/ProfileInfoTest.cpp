// Profile information read from profile bytes built with Little CMS.
#include <vector>

#include <gtest/gtest.h>
#include <lcms2.h>

#include "colour/ColourTestSupport.h"
#include "colour/ProfileInfo.h"

namespace {

using colourtest::SaveProfile;

void SetText(cmsHPROFILE profile, cmsTagSignature tag, const wchar_t* text)
{
    cmsMLU* mlu = cmsMLUalloc(nullptr, 1);
    cmsMLUsetWide(mlu, "en", "US", text);
    cmsWriteTag(profile, tag, mlu);
    cmsMLUfree(mlu);
}

TEST(ProfileInfo, RgbProfileNamesPointsAndColorants)
{
    cmsHPROFILE p = cmsCreate_sRGBProfile();
    SetText(p, cmsSigProfileDescriptionTag, L"Test sRGB 日本");
    SetText(p, cmsSigDeviceMfgDescTag, L"Maker");
    SetText(p, cmsSigDeviceModelDescTag, L"Screen");
    const std::vector<uint8_t> bytes = SaveProfile(p);

    colour::TProfileInfo info;
    ASSERT_TRUE(colour::ReadProfileInfo(bytes.data(), bytes.size(), info));
    EXPECT_EQ(info.Description, "Test sRGB 日本");
    EXPECT_EQ(info.Name, "Screen - Maker");
    EXPECT_EQ(colour::ColorSpaceText(info.ColorSpace), "RGB");
    EXPECT_EQ(colour::DeviceClassText(info.DeviceClass), "Display");
    EXPECT_EQ(colour::ColorSpaceText(info.Pcs), "XYZ");
    ASSERT_TRUE(info.WhitePoint);
    EXPECT_EQ(colour::XYZText(*info.WhitePoint), "X:0.9642 Y:1.0000 Z:0.8249");
    ASSERT_TRUE(info.Illuminant); // D50 in the header
    EXPECT_EQ(colour::XYZText(*info.Illuminant), "X:0.9642 Y:1.0000 Z:0.8249");
    ASSERT_TRUE(info.Colorants);
    const std::string matrix = colour::ColorantMatrixText(*info.Colorants);
    EXPECT_EQ(matrix.rfind("R(0.4360 0.2225 0.0139)\nG(", 0), 0u) << matrix;
    EXPECT_NE(matrix.find("\nB("), std::string::npos);
}

TEST(ProfileInfo, NameFallbacksAndTheHeaderIlluminant)
{
    struct Case {
        const wchar_t* maker;
        const wchar_t* model;
        const char* name;
    };
    const std::vector<Case> cases = {
        { nullptr, nullptr, "Desc" }, // no device tags: the description
        { L"Acme", nullptr, "Acme" }, // no model: the manufacturer
        { L"Acme Corp", L"Acme Corp Monitor", "Acme Corp Monitor" }, // the model already names the maker
        { L"Acme", L"M1", "M1 - Acme" },
    };
    for (const Case& c : cases) {
        cmsHPROFILE p = cmsCreateLab4Profile(nullptr);
        SetText(p, cmsSigProfileDescriptionTag, L"Desc");
        if (c.maker)
            SetText(p, cmsSigDeviceMfgDescTag, c.maker);
        if (c.model)
            SetText(p, cmsSigDeviceModelDescTag, c.model);
        std::vector<uint8_t> bytes = SaveProfile(p);
        // The illuminant comes from the header: write D65 there.
        const uint8_t d65[12] = { 0, 0, 0xF3, 0x51, 0, 1, 0, 0, 0, 1, 0x16, 0xCC };
        std::copy(std::begin(d65), std::end(d65), bytes.begin() + 68);
        colour::TProfileInfo info;
        ASSERT_TRUE(colour::ReadProfileInfo(bytes.data(), bytes.size(), info));
        EXPECT_EQ(info.Name, c.name);
        EXPECT_EQ(colour::DeviceClassText(info.DeviceClass), "Abstract");
        EXPECT_EQ(colour::ColorSpaceText(info.ColorSpace), "Lab");
        EXPECT_FALSE(info.Colorants);
        EXPECT_EQ(colour::XYZText(*info.Illuminant), "X:0.9505 Y:1.0000 Z:1.0891");
    }
}

TEST(ProfileInfo, BytesThatAreNoProfile)
{
    std::vector<uint8_t> junk(300, 0x41);
    colour::TProfileInfo info;
    EXPECT_FALSE(colour::ReadProfileInfo(junk.data(), junk.size(), info));
    EXPECT_FALSE(colour::ReadProfileInfo(junk.data(), 20, info));
    EXPECT_FALSE(colour::ReadProfileInfo(nullptr, 0, info));
    EXPECT_EQ(colour::ColorSpaceText(0x41414141), "unknown");
    EXPECT_EQ(colour::DeviceClassText(0), "unknown");
}

} // namespace
