// Colour-managed display: the choice of the input profile, its status texts,
// the conversion against Little CMS itself, and the failure paths.
#include <gtest/gtest.h>
#include <lcms2.h>
#include <lcms2_plugin.h>

#include <algorithm>
#include <cmath>

#include "colour/ColourManagement.h"
#include "colour/ColourTestSupport.h"
#include "metadata/ExifBuilder.h"
#include "support/TestSupport.h"

namespace {

using colour::ColourSettings;
using colour::PhotoColour;

metadata::TExifData MakerSays(int32_t key, const std::string& text)
{
    metadata::TExifData exif;
    exif.Maker.Items.push_back({ key, "item", text });
    exif.Maker.Count = 1;
    return exif;
}

class ColourManagementTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        monitor = colourtest::WriteProfile(dir.Path(), "wide.icc", colourtest::WideRgbProfileBytes());
        srgbFile = colourtest::WriteProfile(dir.Path(), "srgb.icc", colourtest::SrgbProfileBytes());
        cmyk = colourtest::WriteProfile(dir.Path(), "cmyk.icc", colourtest::CmykProfileBytes());
        const std::vector<uint8_t> srgb = colourtest::SrgbProfileBytes();
        embeddedJpeg = (dir.Path() / "embedded.jpg").string();
        testsupport::WriteFile(embeddedJpeg, exiftest::JpegBuilder().Icc(srgb).Frame(8, 8).Build());
        embeddedOffset = 2 + 4 + 14;
        embeddedLength = static_cast<int64_t>(srgb.size());
        damagedJpeg = (dir.Path() / "damaged.jpg").string();
        testsupport::WriteFile(
            damagedJpeg, exiftest::JpegBuilder().Icc(std::vector<uint8_t>(300, 9)).Frame(8, 8).Build());
        settings.OutputProfileName = monitor;
    }

    // The picture converted from the named built-in or file profile into the monitor profile.
    imaging::Bitmap Expected(
        const std::string& inputName, int intent = 0, cmsUInt32Number flags = cmsFLAGS_BLACKPOINTCOMPENSATION)
    {
        colour::ProfileHandle input = colour::CreateNamedProfile(inputName);
        colour::ProfileHandle output = colour::OpenProfileFile(monitor);
        return colourtest::ReferenceConvert(input.get(), output.get(), intent, flags, source);
    }

    colour::ColourOutcome Run(const PhotoColour* photo)
    {
        displayed = source;
        return colour::ColourManage(settings, photo, source, displayed);
    }

    testsupport::TempDir dir;
    std::string monitor, srgbFile, cmyk, embeddedJpeg, damagedJpeg;
    int64_t embeddedOffset = 0, embeddedLength = 0;
    ColourSettings settings;
    imaging::Bitmap source = colourtest::ColourfulPicture(37, 23);
    imaging::Bitmap displayed;
};

TEST_F(ColourManagementTest, InputProfilePrecedenceAndStatusTexts)
{
    const metadata::TExifData nikon = MakerSays(colour::kMakerColourSpaceKey, "AdobeRGB");
    const metadata::TExifData canon = MakerSays(colour::kMakerColourMatrixKey, "マトリックス4(AdobeRGB)");
    const metadata::TExifData plain = MakerSays(colour::kMakerColourSpaceKey, "sRGB");
    struct Case {
        const char* what;
        PhotoColour photo;
        bool useIcc, useMaker;
        std::string input; // configured input name
        std::string status;
        std::string usedProfile; // the conversion matches this input ("embedded" = sRGB from the file)
    };
    const Case cases[] = {
        { "no metadata: the configured input", { embeddedJpeg, 0, 0, nullptr }, true, true, srgbFile, "ICM", srgbFile },
        { "Nikon colour space", { embeddedJpeg, 0, 0, &nikon }, true, true, srgbFile, "ICM(自動)", "AdobeRGB" },
        { "Canon colour matrix 4", { embeddedJpeg, 0, 0, &canon }, true, true, "", "ICM(自動)", "AdobeRGB" },
        { "maker note says sRGB", { embeddedJpeg, 0, 0, &plain }, true, true, "NTSC", "ICM", "NTSC" },
        { "maker note ignored", { embeddedJpeg, 0, 0, &nikon }, true, false, "", "ICM", "" },
        { "embedded wins over the maker note", { embeddedJpeg, embeddedOffset, embeddedLength, &nikon }, true, true,
            "NTSC", "ICM(内蔵)", "embedded" },
        { "embedded ignored", { embeddedJpeg, embeddedOffset, embeddedLength, nullptr }, false, true, "NTSC", "ICM",
            "NTSC" },
        { "damaged embedded profile", { damagedJpeg, embeddedOffset, 300, &nikon }, true, true, "", "ICM(失敗)", "-" },
        { "embedded profile in a missing file", { embeddedJpeg + "x", embeddedOffset, embeddedLength, nullptr }, true,
            true, "NTSC", "ICM", "NTSC" },
        { "CMYK input profile", { embeddedJpeg, 0, 0, nullptr }, true, true, cmyk, "ICM(失敗)", "-" },
        { "missing input file", { embeddedJpeg, 0, 0, nullptr }, true, true, cmyk + ".none", "ICM(失敗)", "-" },
        { "names are exact", { embeddedJpeg, 0, 0, nullptr }, true, true, "adobergb", "ICM(失敗)", "-" },
    };
    for (const Case& c : cases) {
        settings.UseICC = c.useIcc;
        settings.UseMaker = c.useMaker;
        settings.InputProfileName = c.input;
        const colour::ColourOutcome outcome = Run(&c.photo);
        EXPECT_TRUE(outcome.ran) << c.what;
        EXPECT_EQ(outcome.status, c.status) << c.what;
        if (c.usedProfile == "-") {
            EXPECT_FALSE(outcome.converted) << c.what;
            EXPECT_EQ(displayed, source) << c.what;
        } else {
            EXPECT_TRUE(outcome.converted) << c.what;
            EXPECT_EQ(displayed, Expected(c.usedProfile == "embedded" ? srgbFile : c.usedProfile)) << c.what;
        }
    }
    // No current file: only the configured input decides.
    settings.InputProfileName = "AdobeRGB";
    EXPECT_EQ(Run(nullptr).status, "ICM");
    EXPECT_EQ(displayed, Expected("AdobeRGB"));
}

TEST_F(ColourManagementTest, NothingHappensWithoutAUsableMonitorProfile)
{
    settings.OutputProfileName.clear();
    const PhotoColour photo { damagedJpeg, embeddedOffset, 300, nullptr };
    const colour::ColourOutcome none = Run(&photo);
    EXPECT_FALSE(none.ran);
    EXPECT_TRUE(none.status.empty());
    EXPECT_EQ(displayed, source);

    // A monitor profile that does not open: unconverted, the status as far as it got.
    for (const std::string& bad : { monitor + ".missing", cmyk }) {
        settings.OutputProfileName = bad;
        const PhotoColour embedded { embeddedJpeg, embeddedOffset, embeddedLength, nullptr };
        const colour::ColourOutcome outcome = Run(&embedded);
        EXPECT_TRUE(outcome.ran);
        EXPECT_FALSE(outcome.converted) << bad;
        EXPECT_EQ(displayed, source) << bad;
    }
    EXPECT_EQ(Run(nullptr).status, "ICM");
}

TEST_F(ColourManagementTest, IntentsAndBlackPointCompensationReachTheTransform)
{
    colour::ProfileHandle input = colour::CreateNamedProfile("NTSC");
    colour::ProfileHandle output = colour::OpenProfileFile(monitor);
    settings.InputProfileName = "NTSC";
    for (int intent = 0; intent <= 3; ++intent)
        for (bool bpc : { false, true }) {
            settings.ICCMatch = static_cast<uint8_t>(intent);
            settings.UseWB = bpc;
            ASSERT_TRUE(Run(nullptr).converted);
            EXPECT_EQ(displayed,
                colourtest::ReferenceConvert(
                    input.get(), output.get(), intent, bpc ? cmsFLAGS_BLACKPOINTCOMPENSATION : 0, source))
                << intent << " " << bpc;
        }
    // An intent the library does not know makes no transform: unconverted.
    settings.ICCMatch = 200;
    EXPECT_FALSE(Run(nullptr).converted);
    EXPECT_EQ(displayed, source);
}

// The chromaticity of a D50-adapted colorant tag taken back through the profile's adaptation matrix.
cmsCIExyY UnadaptedChromaticity(cmsHPROFILE profile, cmsTagSignature tag)
{
    const auto* chad = static_cast<const cmsMAT3*>(cmsReadTag(profile, cmsSigChromaticAdaptationTag));
    const cmsCIEXYZ* xyz
        = tag == cmsSigMediaWhitePointTag ? cmsD50_XYZ() : static_cast<const cmsCIEXYZ*>(cmsReadTag(profile, tag));
    cmsCIExyY xyY {};
    if (!chad || !xyz)
        return xyY;
    cmsMAT3 inverse;
    if (!_cmsMAT3inverse(chad, &inverse))
        return xyY;
    const cmsVEC3 in = { { xyz->X, xyz->Y, xyz->Z } };
    cmsVEC3 out;
    _cmsMAT3eval(&out, &inverse, &in);
    const cmsCIEXYZ original = { out.n[0], out.n[1], out.n[2] };
    cmsXYZ2xyY(&xyY, &original);
    return xyY;
}

TEST(BuiltInProfiles, MatchTheirPrimariesWhitePointsAndGamma)
{
    struct Case {
        const char* name;
        double white[2], red[2], green[2], blue[2];
    };
    // AdobeRGB's white point is the library's 6504 K daylight.
    const Case cases[] = { { "NTSC", { 0.31, 0.316 }, { 0.67, 0.33 }, { 0.21, 0.71 }, { 0.14, 0.08 } },
        { "AdobeRGB", { 0.3127, 0.3291 }, { 0.64, 0.33 }, { 0.21, 0.71 }, { 0.15, 0.06 } } };
    for (const Case& c : cases) {
        colour::ProfileHandle profile = colour::CreateNamedProfile(c.name);
        ASSERT_TRUE(profile) << c.name;
        EXPECT_EQ(colour::ColorSpaceOf(profile.get()), colour::kRgbSpace);
        const struct {
            cmsTagSignature tag;
            const double* xy;
        } points[] = { { cmsSigMediaWhitePointTag, c.white }, { cmsSigRedColorantTag, c.red },
            { cmsSigGreenColorantTag, c.green }, { cmsSigBlueColorantTag, c.blue } };
        for (const auto& p : points) {
            const cmsCIExyY xyY = UnadaptedChromaticity(profile.get(), p.tag);
            EXPECT_NEAR(xyY.x, p.xy[0], 0.001) << c.name << " " << p.tag;
            EXPECT_NEAR(xyY.y, p.xy[1], 0.001) << c.name << " " << p.tag;
        }
        const auto* curve = static_cast<const cmsToneCurve*>(cmsReadTag(profile.get(), cmsSigGreenTRCTag));
        ASSERT_NE(curve, nullptr);
        EXPECT_NEAR(cmsEstimateGamma(curve, 0.01), 2.2, 0.01) << c.name;
    }
}

TEST_F(ColourManagementTest, ProgressEveryHundredRowsThenTheHeight)
{
    settings.InputProfileName = "";
    struct Case {
        int height;
        std::vector<int> positions;
    };
    const Case cases[] = { { 250, { 0, 100, 200, 250 } }, { 100, { 0, 100 } }, { 1, { 0, 1 } } };
    for (const Case& c : cases) {
        source = colourtest::ColourfulPicture(5, c.height);
        displayed = source;
        std::vector<int> positions;
        colour::ColourManage(settings, nullptr, source, displayed, [&](int position, int maximum) {
            EXPECT_EQ(maximum, c.height);
            positions.push_back(position);
        });
        EXPECT_EQ(positions, c.positions) << c.height;
    }
}

TEST_F(ColourManagementTest, LargePicturesConvertAlikeOnTwoThreadsAndTheDisplayedSizeFollowsTheSource)
{
    settings.InputProfileName = "AdobeRGB";
    source = colourtest::ColourfulPicture(1501, 777); // over a megapixel, odd row padding
    const imaging::Bitmap expected = Expected("AdobeRGB");
    std::vector<int> positions;
    for (const imaging::Bitmap& start : { imaging::Bitmap(10, 10), imaging::Bitmap(), source }) {
        displayed = start;
        positions.clear();
        const colour::ColourOutcome outcome = colour::ColourManage(
            settings, nullptr, source, displayed, [&](int position, int) { positions.push_back(position); });
        EXPECT_TRUE(outcome.converted);
        EXPECT_EQ(displayed, expected);
        ASSERT_FALSE(positions.empty());
        EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
        EXPECT_EQ(positions.back(), 777);
    }
}

} // namespace
