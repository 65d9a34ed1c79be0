// The channel, clipping and colour-management views as the window drives
// them: commands from the browser and the picture, check marks, the status
// texts, the blink with Timer2, and the settings dialog's reconversion.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <chrono>
#include <gtest/gtest.h>

#include "app/MainActions.h"
#include "app/MainForm.h"
#include "app/PictureView.h"
#include "catalogue/ui/ResizeDrawGrid.h"
#include "colour/ColourTestSupport.h"
#include "colour/ui/ICCDialog.h"
#include "imaging/ImageIO.h"
#include "support/TestSupport.h"
#include "ui/UiTestSupport.h"

namespace {

using Rgb = std::array<int, 3>;

Rgb At(const imaging::Bitmap& b, int x, int y)
{
    const uint8_t* p = b.Row(y) + 3 * x;
    return { p[2], p[1], p[0] };
}

class ViewModesUi : public uitest::WindowTest {
protected:
    void SetUp() override
    {
        uitest::WindowTest::SetUp();
        // Left half (255, 40, 30), right half (10, 200, 90).
        imaging::Bitmap b(8, 4);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 8; ++x) {
                uint8_t* p = b.Row(y) + 3 * x;
                const bool left = x < 4;
                p[2] = left ? 255 : 10;
                p[1] = left ? 40 : 200;
                p[0] = left ? 30 : 90;
            }
        original = b;
        imaging::SaveBmpFile(photos.Folder() + "a.bmp", b);
        form = std::make_unique<TForm1>();
        form->show();
        form->FolderOpen(QString::fromStdString(photos.Folder()), false);
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (form->ThumbnailMakerRunning() && std::chrono::steady_clock::now() < end)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        form->SelectFile(0);
    }
    void TearDown() override
    {
        form.reset();
        uitest::WindowTest::TearDown();
    }
    const imaging::Bitmap& Shown() const { return form->ImageEn1->Bitmap(); }
    std::vector<QAction*> Checked() const
    {
        std::vector<QAction*> out;
        TMainActions& a = *form->Actions;
        for (QAction* x : { a.CHANNEL_ALL, a.CHANNEL_R, a.CHANNEL_G, a.CHANNEL_B, a.CHANNEL_ROVER, a.CHANNEL_GOVER,
                 a.CHANNEL_BOVER, a.CHANNEL_WOVER, a.YCbCrWarning, a.ColorManagement })
            if (x->isChecked())
                out.push_back(x);
        return out;
    }

    testsupport::TempDir photos;
    imaging::Bitmap original;
    std::unique_ptr<TForm1> form;
};

TEST_F(ViewModesUi, ChannelViewsOpenFromTheBrowserAndStartFromThePhoto)
{
    ASSERT_FALSE(form->PictureMode());
    form->Actions->CHANNEL_R->trigger(); // opens the photo first
    ASSERT_TRUE(form->PictureMode());
    EXPECT_EQ(At(Shown(), 0, 0), (Rgb { 255, 255, 255 }));
    EXPECT_EQ(form->ChannelPl->text(), QStringLiteral("RED"));
    EXPECT_EQ(Checked(), std::vector<QAction*> { form->Actions->CHANNEL_R });
    EXPECT_TRUE(form->TaskLabel->text().isEmpty());

    form->Actions->CHANNEL_B->trigger();
    EXPECT_EQ(At(Shown(), 0, 0), (Rgb { 30, 30, 30 })); // blue of the photo, not of the red view
    EXPECT_EQ(At(Shown(), 7, 3), (Rgb { 90, 90, 90 }));
    EXPECT_EQ(form->ChannelPl->text(), QStringLiteral("BLUE"));
    form->Actions->CHANNEL_ROVER->trigger();
    EXPECT_EQ(At(Shown(), 0, 0), (Rgb { 255, 0, 0 }));
    EXPECT_EQ(form->ChannelPl->text(), QStringLiteral("赤飛び域"));

    form->Actions->CHANNEL_ALL->trigger();
    EXPECT_EQ(Shown(), original);
    EXPECT_TRUE(form->ChannelPl->text().isEmpty());
    EXPECT_EQ(Checked(), std::vector<QAction*> { form->Actions->CHANNEL_ALL });
    EXPECT_TRUE(form->Actions->ChannelAllMain->isChecked());

    // From the browser the all-channel view only opens the photo.
    form->N5Click();
    form->Actions->CHANNEL_ALL->trigger();
    EXPECT_TRUE(form->PictureMode());
    EXPECT_EQ(Shown(), original);
}

TEST_F(ViewModesUi, AClippingCheckBlinksTenStepsAndEndsOnThePhoto)
{
    form->Open1Click(form->DrawGrid1);
    form->Actions->CHANNEL_G->trigger();
    form->Actions->TOBI_R->trigger();
    EXPECT_TRUE(form->Timer2->isActive());
    EXPECT_EQ(form->Timer2Tag, 9); // one step ran at once
    EXPECT_TRUE(form->ChannelPl->text().isEmpty());
    EXPECT_EQ(Shown(), original); // tag 10: the photo
    form->Timer2Timer();
    EXPECT_EQ(At(Shown(), 0, 0), (Rgb { 0, 215, 225 })); // tag 9: the marks
    EXPECT_EQ(At(Shown(), 7, 0), (Rgb { 10, 200, 90 }));
    for (int i = 0; i < 8; ++i)
        form->Timer2Timer();
    EXPECT_FALSE(form->Timer2->isActive());
    EXPECT_EQ(Shown(), original);
    EXPECT_EQ(Checked(), std::vector<QAction*> { form->Actions->CHANNEL_ALL });

    // All channels: the marks vanish to black on odd steps.
    form->Actions->TOBI_All->trigger();
    EXPECT_EQ(At(Shown(), 0, 0), (Rgb { 255, 0, 0 })); // tag 10: the marks
    form->Timer2Timer();
    EXPECT_EQ(At(Shown(), 0, 0), (Rgb { 0, 0, 0 }));
    // Another view ends the blink where it is.
    form->Actions->CHANNEL_B->trigger();
    EXPECT_FALSE(form->Timer2->isActive());
    EXPECT_EQ(At(Shown(), 0, 0), (Rgb { 30, 30, 30 }));
}

TEST_F(ViewModesUi, ColourManagementAndItsSettingsDialog)
{
    form->Open1Click(form->DrawGrid1);
    form->Actions->CHANNEL_R->trigger();
    // No monitor profile: the photo, the entry checked, the status left alone.
    form->OutputProfileName.clear();
    form->Actions->ColorManagement->trigger();
    EXPECT_EQ(Shown(), original);
    EXPECT_EQ(Checked(), std::vector<QAction*> { form->Actions->ColorManagement });
    EXPECT_TRUE(form->ChannelPl->text().isEmpty());
    EXPECT_TRUE(form->TaskLabel->text().isEmpty());

    const std::string monitor = colourtest::WriteProfile(photos.Path(), "wide.icc", colourtest::WideRgbProfileBytes());
    form->ICCDialogHook = [&](TICCDialog& dialog) {
        dialog.openicmfile("AdobeRGB");
        dialog.openicmfile2(monitor);
        return true;
    };
    form->N43Click(); // OK while colour-managed: converted at once
    EXPECT_EQ(form->InputProfileName, "AdobeRGB");
    EXPECT_EQ(form->OutputProfileName, monitor);
    EXPECT_EQ(form->ChannelPl->text(), QStringLiteral("ICM"));
    imaging::Bitmap expected;
    colour::ColourSettings settings = form->ColourSettings();
    colour::ColourManage(settings, nullptr, original, expected);
    EXPECT_EQ(Shown(), expected);
    EXPECT_NE(Shown(), original);

    // Cancel changes nothing.
    form->ICCDialogHook = [](TICCDialog& dialog) {
        dialog.openicmfile("NTSC");
        return false;
    };
    form->N43Click();
    EXPECT_EQ(form->InputProfileName, "AdobeRGB");

    // A CMYK input profile fails and leaves the photo.
    form->InputProfileName = colourtest::WriteProfile(photos.Path(), "cmyk.icc", colourtest::CmykProfileBytes());
    form->ColorManagementClick();
    EXPECT_EQ(form->ChannelPl->text(), QStringLiteral("ICM(失敗)"));
    EXPECT_EQ(Shown(), original);

    // With EnableICM an opening the user asked for converts by itself; an internal one does not.
    form->InputProfileName = "AdobeRGB";
    form->EnableICM = true;
    form->Open1Click(form->DrawGrid1);
    EXPECT_EQ(Shown(), expected);
    EXPECT_TRUE(form->Actions->ColorManagement->isChecked());
    form->Open1Click();
    EXPECT_EQ(Shown(), original);
}

} // namespace
