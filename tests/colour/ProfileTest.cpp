// Opening profiles (embedded ones included) and finding the installed ones.
#include <gtest/gtest.h>
#include <lcms2.h>

#include <filesystem>

#include "colour/ColourTestSupport.h"
#include "colour/Profile.h"
#include "colour/ProfileCaption.h"
#include "colour/ProfileSearch.h"
#include "metadata/ExifBuilder.h"
#include "metadata/ExifRead.h"
#include "support/TestSupport.h"

namespace {

using exiftest::Bytes;

Bytes SrgbProfile()
{
    return colourtest::SrgbProfileBytes();
}

Bytes ProfileOfClass(cmsProfileClassSignature deviceClass)
{
    cmsHPROFILE profile = cmsCreate_sRGBProfile();
    cmsSetDeviceClass(profile, deviceClass);
    return colourtest::SaveProfile(profile);
}

TEST(EmbeddedProfile, OpensWholeAndSplitProfilesAndReportsDamage)
{
    const Bytes profile = SrgbProfile();
    ASSERT_GT(profile.size(), 300u);
    const size_t third = profile.size() / 3;
    const Bytes p1(profile.begin(), profile.begin() + third), p2(profile.begin() + third, profile.begin() + 2 * third),
        p3(profile.begin() + 2 * third, profile.end());
    testsupport::TempDir dir;
    const std::string whole = (dir.Path() / "whole.jpg").string();
    const std::string split = (dir.Path() / "split.jpg").string();
    const std::string lost = (dir.Path() / "lost.jpg").string();
    testsupport::WriteFile(whole, exiftest::JpegBuilder().Icc(profile).Frame(8, 8).Build());
    testsupport::WriteFile(
        split, exiftest::JpegBuilder().IccPart(p3, 3, 3).IccPart(p1, 1, 3).IccPart(p2, 2, 3).Frame(8, 8).Build());
    testsupport::WriteFile(lost, exiftest::JpegBuilder().IccPart(p3, 3, 3).IccPart(p2, 2, 3).Frame(8, 8).Build());

    struct Case {
        std::string path;
        bool opens;
    };
    for (const Case& c : { Case { whole, true }, Case { split, true }, Case { lost, false } }) {
        metadata::TExifData exif;
        metadata::PhotoshopLocator locator;
        imaging::Bitmap thumbnail;
        metadata::ReadExifData(c.path, thumbnail, locator, exif);
        ASSERT_NE(exif.IccOffset, 0) << c.path;
        colour::ProfileHandle handle;
        EXPECT_TRUE(colour::OpenEmbeddedProfile(c.path, exif.IccOffset, exif.IccLength, handle)) << c.path;
        EXPECT_EQ(static_cast<bool>(handle), c.opens) << c.path;
        if (handle) {
            EXPECT_EQ(colour::ColorSpaceOf(handle.get()), colour::kRgbSpace);
        }
    }

    colour::ProfileHandle handle;
    // Bytes that are not a profile: read, but no profile.
    EXPECT_TRUE(colour::OpenEmbeddedProfile(whole, 0, 100, handle));
    EXPECT_FALSE(handle);
    // Outside the file, or no file at all.
    EXPECT_FALSE(colour::OpenEmbeddedProfile(whole, 20, 1 << 30, handle));
    EXPECT_FALSE(colour::OpenEmbeddedProfile(whole + ".missing", 0, 10, handle));
}

TEST(ProfileSearch, FindsIccAndIcmFilesInSubfoldersOfEachFolder)
{
    testsupport::TempDir dir;
    const auto root = dir.Path();
    const Bytes srgb = SrgbProfile();
    std::filesystem::create_directories(root / "a/deep/er");
    std::filesystem::create_directories(root / "b");
    testsupport::WriteFile(root / "a/one.icc", srgb);
    testsupport::WriteFile(root / "a/deep/er/two.ICM", srgb);
    testsupport::WriteFile(root / "a/notes.txt", srgb);
    testsupport::WriteFile(root / "a/icc", srgb);
    testsupport::WriteFile(root / "b/three.icm", srgb);
    const std::vector<std::string> found
        = colour::SearchProfiles({ (root / "b").string(), (root / "missing").string(), (root / "a").string() });
    const std::vector<std::string> expected
        = { (root / "b/three.icm").string(), (root / "a/deep/er/two.ICM").string(), (root / "a/one.icc").string() };
    EXPECT_EQ(found, expected);
}

TEST(ProfileSearch, FoldersFollowHome)
{
    testsupport::EnvGuard home("HOME", "/home/someone");
    const std::vector<std::string> expected
        = { "/usr/share/color/icc", "/home/someone/.local/share/color/icc", "/home/someone/.color/icc" };
    EXPECT_EQ(colour::ProfileFolders(), expected);
}

TEST(ProfileSearch, ClassFiltersKeepRgbProfilesOfTheWantedClasses)
{
    testsupport::TempDir dir;
    const auto write = [&](const char* name, const Bytes& bytes) {
        testsupport::WriteFile(dir.Path() / name, bytes);
        return (dir.Path() / name).string();
    };
    const std::string display = write("display.icc", ProfileOfClass(cmsSigDisplayClass));
    const std::string input = write("input.icc", ProfileOfClass(cmsSigInputClass));
    const std::string space = write("space.icc", ProfileOfClass(cmsSigColorSpaceClass));
    const std::string printer = write("printer.icc", ProfileOfClass(cmsSigOutputClass));
    const std::string cmyk = write("cmyk.icc", colourtest::CmykProfileBytes());
    const std::string broken = write("broken.icc", Bytes(200, 7));
    const unsigned inputMenu = colour::kClassInput | colour::kClassColorSpace;
    const unsigned monitorMenu = colour::kClassDisplay | colour::kClassOutput;
    struct Case {
        std::string path;
        bool inInputMenu, inMonitorMenu;
    };
    const Case cases[]
        = { { display, false, true }, { input, true, false }, { space, true, false }, { printer, false, true },
              { cmyk, false, false }, { broken, false, false }, { (dir.Path() / "none.icc").string(), false, false } };
    for (const Case& c : cases) {
        EXPECT_EQ(colour::IsRgbProfileOfClass(c.path, inputMenu), c.inInputMenu) << c.path;
        EXPECT_EQ(colour::IsRgbProfileOfClass(c.path, monitorMenu), c.inMonitorMenu) << c.path;
    }
}

TEST(ProfileCaption, BuiltInsFilesAndDamagedFiles)
{
    testsupport::TempDir dir;
    cmsHPROFILE described = cmsCreate_sRGBProfile();
    cmsMLU* text = cmsMLUalloc(nullptr, 1);
    cmsMLUsetASCII(text, "en", "US", "Studio monitor");
    cmsWriteTag(described, cmsSigProfileDescriptionTag, text);
    cmsMLUfree(text);
    const std::string good = colourtest::WriteProfile(dir.Path(), "studio.icc", colourtest::SaveProfile(described));
    const std::string broken = colourtest::WriteProfile(dir.Path(), "broken.icm", Bytes(300, 1));
    struct Case {
        std::string name;
        bool monitor;
        std::string title, description;
    };
    const Case cases[] = {
        { "", false, "sRGB 内蔵プロファイル", "" },
        { "NTSC", false, "NTSC 内蔵プロファイル", "" },
        { "AdobeRGB", false, "AdobeRGB 内蔵プロファイル", "" },
        { "", true, "", "" },
        { good, false, "Studio monitor", "Studio monitor" },
        { good, true, "Studio monitor", "Studio monitor" },
        // A profile that does not open is named by its file, never by the previous profile's texts.
        { broken, false, "broken.icm", "破損しています" },
        { broken, true, "broken.icm", "破損しています" },
        { (dir.Path() / "gone.icc").string(), true, "gone.icc", "破損しています" },
    };
    for (const Case& c : cases) {
        const colour::ProfileCaption caption
            = c.monitor ? colour::MonitorProfileCaption(c.name) : colour::InputProfileCaption(c.name);
        EXPECT_EQ(caption.title, c.title) << c.name;
        EXPECT_EQ(caption.description, c.description) << c.name;
    }
    const std::vector<colour::FoundProfile> found
        = colour::ProfilesOfClass({ broken, good, (dir.Path() / "gone.icc").string() }, colour::kClassDisplay);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].path, good);
    EXPECT_EQ(found[0].description, "Studio monitor");
}

} // namespace
