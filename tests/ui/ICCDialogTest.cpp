// The colour-management settings dialog: its menus of installed profiles,
// the texts of a chosen profile, the settings it gives back, and the
// desktop's published monitor profile.
#include <gtest/gtest.h>
#include <lcms2.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <filesystem>
#include <memory>

#include "colour/ColourTestSupport.h"
#include "colour/ui/ICCDialog.h"
#include "support/TestSupport.h"
#include "ui/UiTestSupport.h"

namespace {

std::vector<uint8_t> Described(cmsProfileClassSignature deviceClass, const char* description)
{
    cmsHPROFILE profile = cmsCreate_sRGBProfile();
    cmsSetDeviceClass(profile, deviceClass);
    cmsMLU* text = cmsMLUalloc(nullptr, 1);
    cmsMLUsetASCII(text, "en", "US", description);
    cmsWriteTag(profile, cmsSigProfileDescriptionTag, text);
    cmsMLUfree(text);
    return colourtest::SaveProfile(profile);
}

QStringList Captions(QMenu* menu)
{
    QStringList out;
    for (QAction* a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

QAction* Entry(QMenu* menu, const QString& caption)
{
    for (QAction* a : menu->actions())
        if (a->text() == caption)
            return a;
    return nullptr;
}

class ICCDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        uitest::EnsureApp();
        dialog = std::make_unique<TICCDialog>();
        std::filesystem::create_directories(dir.Path() / "sub");
        screen = colourtest::WriteProfile(dir.Path(), "screen.icc", Described(cmsSigDisplayClass, "My screen"));
        scanner = colourtest::WriteProfile(dir.Path() / "sub", "scan.ICM", Described(cmsSigInputClass, "My scanner"));
        colourtest::WriteProfile(dir.Path(), "space.icc", Described(cmsSigColorSpaceClass, "Working space"));
        colourtest::WriteProfile(dir.Path(), "printer.icm", Described(cmsSigOutputClass, "Printer"));
        colourtest::WriteProfile(dir.Path(), "cmyk.icc", colourtest::CmykProfileBytes());
        colourtest::WriteProfile(dir.Path(), "broken.icc", std::vector<uint8_t>(100, 3));
        dialog->SetProfileFolders({ dir.Path().string() });
    }
    testsupport::TempDir dir;
    std::string screen, scanner;
    std::unique_ptr<TICCDialog> dialog;
};

TEST_F(ICCDialogTest, MenusListTheProfilesOfTheirClasses)
{
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("色管理の設定"));
    const QStringList input = { QStringLiteral("ファイルを指定(&O)"), "-", QStringLiteral("sRGB 内蔵プロファイル"),
        QStringLiteral("NTSC 内蔵プロファイル"), QStringLiteral("AdobeRGB 内蔵プロファイル"), "-",
        QStringLiteral("Working space"), QStringLiteral("My scanner") };
    EXPECT_EQ(Captions(dialog->InputMenu), input);
    const QStringList monitor
        = { QStringLiteral("ファイルを指定(&O)"), "-", QStringLiteral("Printer"), QStringLiteral("My screen") };
    EXPECT_EQ(Captions(dialog->MonitorMenu), monitor);
}

TEST_F(ICCDialogTest, ChoicesShowTheirTextsAndComeBackAsSettings)
{
    colour::ColourSettings stored;
    stored.InputProfileName = "NTSC";
    stored.OutputProfileName = screen;
    stored.EnableICM = true;
    stored.UseICC = false;
    stored.UseMaker = true;
    stored.UseWB = false;
    stored.ICCMatch = 2;
    dialog->SetSettings(stored);
    dialog->show();
    EXPECT_EQ(dialog->title1->text(), QStringLiteral("NTSC 内蔵プロファイル"));
    EXPECT_EQ(dialog->desc1->text(), QString());
    EXPECT_EQ(dialog->title2->text(), QStringLiteral("My screen"));
    EXPECT_EQ(dialog->ICCMatch->currentText(), QStringLiteral("彩度(グラフィックス)"));
    const colour::ColourSettings same = dialog->Settings();
    EXPECT_EQ(same.InputProfileName, "NTSC");
    EXPECT_EQ(same.OutputProfileName, screen);
    EXPECT_TRUE(same.EnableICM);
    EXPECT_FALSE(same.UseICC);
    EXPECT_FALSE(same.UseWB);
    EXPECT_EQ(same.ICCMatch, 2);

    Entry(dialog->InputMenu, QStringLiteral("AdobeRGB 内蔵プロファイル"))->trigger();
    EXPECT_EQ(dialog->Settings().InputProfileName, "AdobeRGB"); // the name, not a path
    EXPECT_EQ(dialog->title1->text(), QStringLiteral("AdobeRGB 内蔵プロファイル"));
    Entry(dialog->InputMenu, QStringLiteral("My scanner"))->trigger();
    EXPECT_EQ(dialog->Settings().InputProfileName, scanner);
    EXPECT_EQ(dialog->desc1->text(), QStringLiteral("My scanner"));

    // A profile that does not open replaces the previous texts and is still stored.
    const std::string broken = (dir.Path() / "broken.icc").string();
    dialog->openicmfile2(broken);
    EXPECT_EQ(dialog->title2->text(), QStringLiteral("broken.icc"));
    EXPECT_EQ(dialog->desc2->text(), QStringLiteral("破損しています"));
    EXPECT_EQ(dialog->Settings().OutputProfileName, broken);
    dialog->openicmfile2("");
    EXPECT_TRUE(dialog->title2->text().isEmpty());
    EXPECT_TRUE(dialog->Settings().OutputProfileName.empty());

    // An intent outside the list is kept as stored.
    stored.ICCMatch = 7;
    dialog->SetSettings(stored);
    EXPECT_EQ(dialog->Settings().ICCMatch, 7);
}

TEST_F(ICCDialogTest, TheDesktopProfileIsOfferedOnlyWithoutAMonitorProfile)
{
    const std::vector<uint8_t> published = Described(cmsSigDisplayClass, "Desktop panel");
    const std::string save = (dir.Path() / "user/color/desktop-monitor.icc").string();
    dialog->SetSettings({});
    dialog->SetDesktopProfile(published, save);
    QAction* entry = Entry(dialog->MonitorMenu, TICCDialog::kDesktopEntry);
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(dialog->Settings().OutputProfileName.empty()); // nothing changes before it is picked
    entry->trigger();
    EXPECT_EQ(dialog->Settings().OutputProfileName, save);
    EXPECT_EQ(testsupport::ReadFile(save), published);
    EXPECT_EQ(dialog->title2->text(), QStringLiteral("Desktop panel"));

    colour::ColourSettings configured;
    configured.OutputProfileName = screen;
    dialog->SetSettings(configured);
    dialog->SetDesktopProfile(published, save);
    EXPECT_EQ(Entry(dialog->MonitorMenu, TICCDialog::kDesktopEntry), nullptr);
}

} // namespace
