// The picture view as the main window drives it: opening and going back, the
// load paths and their failures, zoom steps, stepping with the wrap-around
// questions, held keys, the per-file orientation, turning and flipping the
// cached thumbnail, and copying to the clipboard.
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QSlider>
#include <QStackedWidget>
#include <QToolButton>
#include <chrono>
#include <gtest/gtest.h>

#include "app/MainActions.h"
#include "app/MainForm.h"
#include "app/PictureView.h"
#include "catalogue/BitmapUtils.h"
#include "catalogue/ui/ResizeDrawGrid.h"
#include "imaging/ImageIO.h"
#include "imaging/JpegEncode.h"
#include "support/TestSupport.h"
#include "ui/UiTestSupport.h"

namespace {

using testsupport::TempDir;

// A JPEG file of a busy pattern; four-channel (CMYK) when asked.
std::string JpegBytes(int width, int height, bool fourChannels = false)
{
    const int channels = fourChannels ? 4 : 3;
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * channels);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<unsigned char>((i * 7919) >> 3);
    imaging::JpegEncodeOptions options;
    options.chroma = imaging::JpegChroma::Full;
    options.ycck = fourChannels;
    std::vector<uint8_t> out;
    const imaging::JpegSamples samples { pixels.data(), width, height, static_cast<size_t>(width) * channels,
        fourChannels ? imaging::JpegLayout::Cmyk : imaging::JpegLayout::Bgr };
    EXPECT_TRUE(imaging::EncodeJpeg(samples, options, out));
    return std::string(out.begin(), out.end());
}

// A BMP picture whose top-left pixel is red and the rest grey, so turns can be told apart.
void WriteMarkedBmp(const std::string& path, int width, int height)
{
    imaging::Bitmap b(width, height);
    b.Fill(100, 100, 100);
    uint8_t* p = b.Row(0);
    p[0] = 0, p[1] = 0, p[2] = 255;
    imaging::SaveBmpFile(path, b);
}

bool IsRed(const imaging::Bitmap& b, int x, int y)
{
    const uint8_t* p = b.Row(y) + x * 3;
    return p[2] == 255 && p[1] == 0 && p[0] == 0;
}

class PictureMode : public uitest::WindowTest {
protected:
    std::string File(const std::string& name) const { return photos.Folder() + name; }

    std::unique_ptr<TForm1> Window()
    {
        auto form = std::make_unique<TForm1>();
        form->show();
        // The maker's results land in the records; the tests change them afterwards.
        uitest::OpenFolderAndWait(*form, photos.Folder());
        form->activateWindow();
        QApplication::setActiveWindow(form.get());
        QApplication::processEvents();
        form->Confirm = [this](const QString& text) {
            questions.push_back(text.toStdString());
            return answer;
        };
        return form;
    }
    // Files whose widths tell them apart: 20, 21, 22 ... pixels.
    void WidthSeries(int n)
    {
        for (int i = 0; i < n; ++i) {
            imaging::Bitmap b(20 + i, 10);
            imaging::SaveBmpFile(File("f" + std::to_string(100 + i) + ".bmp"), b);
        }
    }
    static void Release(QWidget* target, int key, bool autoRepeat)
    {
        uitest::TypeKey(target, key, Qt::NoModifier, {}, autoRepeat);
    }

    TempDir photos;
    std::vector<std::string> questions;
    bool answer = false;
};

TEST_F(PictureMode, OpeningSwitchesMenusAndGoingBackRestoresThem)
{
    WidthSeries(3);
    auto form = Window();
    form->SelectFile(1);
    form->Open1Click(form->DrawGrid1);
    ASSERT_TRUE(form->PictureMode());
    EXPECT_TRUE(form->MainWindow->isHidden());
    EXPECT_EQ(form->windowTitle().toStdString(), "Voviro - " + File("f101.bmp"));
    EXPECT_EQ(form->ImageEn1->Bitmap().Width(), 21);
    EXPECT_EQ(form->Actions->FileTrack->maximum(), 2);
    EXPECT_EQ(form->Actions->FileTrack->value(), 1);
    EXPECT_EQ(form->CurrentIndex(), 1);
    EXPECT_EQ(QApplication::focusWidget(), form->ImageEn1);
    for (QAction* a : { form->Actions->N5, form->Actions->AutoFit1, form->Actions->ZoomSub, form->Actions->N15001,
             form->Actions->N55 })
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
    for (QAction* a : { form->Actions->SortSub, form->Actions->SelectAll1, form->Actions->DeselectAll1,
             form->Actions->DeSelectRev1, form->Actions->BatchSub, form->Actions->NewFolderEntry })
        EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
    EXPECT_TRUE(form->Actions->CHANNEL_ALL->isChecked());
    EXPECT_TRUE(form->Actions->ChannelAllMain->isChecked());

    // The track bar opens the file it is moved to.
    form->Actions->FileTrack->setValue(2);
    EXPECT_EQ(form->ImageEn1->Bitmap().Width(), 22);
    EXPECT_EQ(form->CurrentIndex(), 2);

    form->N5Click();
    EXPECT_FALSE(form->PictureMode());
    EXPECT_FALSE(form->MainWindow->isHidden());
    EXPECT_EQ(form->windowTitle().toStdString(), "Voviro - " + photos.Folder());
    EXPECT_FALSE(form->Actions->N5->isEnabled());
    EXPECT_FALSE(form->Actions->ZoomSub->isEnabled());
    EXPECT_TRUE(form->Actions->N55->isEnabled()) << "stays enabled once a picture was shown";
    EXPECT_TRUE(form->Actions->SortSub->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), form->DrawGrid1);
}

TEST_F(PictureMode, UnreadableFilesShowTheErrorAndTruncatedOnesWhatWasDecoded)
{
    const std::string good = JpegBytes(256, 192);
    testsupport::WriteFile(File("a_broken.jpg"), std::string("\xFF\xD8\xFF\xE0 not really a JPEG", 24));
    testsupport::WriteFile(File("b_half.jpg"), good.substr(0, good.size() / 2));
    testsupport::WriteFile(File("c_broken.tif"), std::string("II*\0\x08\0\0\0\xFF\xFF", 10));
    for (bool intel : { true, false }) {
        SCOPED_TRACE(intel ? "fast JPEG path" : "library path");
        auto form = Window();
        form->setup_useIntel = intel;
        form->SelectFile(0);
        form->Open1Click(form->DrawGrid1);
        EXPECT_TRUE(form->PictureMode());
        EXPECT_TRUE(form->ImageEn1->IsEmpty());
        EXPECT_FALSE(form->ErrorLabel->isHidden());
        EXPECT_EQ(form->ErrorLabel->text().toStdString(), "a_broken.jpg の読み込みに失敗しました");

        form->NextFile(form->DrawGrid1);
        EXPECT_EQ(form->ImageEn1->Bitmap().Width(), 256);
        EXPECT_TRUE(form->ErrorLabel->isHidden());

        form->NextFile(form->DrawGrid1);
        EXPECT_TRUE(form->ImageEn1->IsEmpty());
        EXPECT_EQ(form->ErrorLabel->text().toStdString(), "c_broken.tif の読み込みに失敗しました");
        // Everything still works after a failure.
        form->N5Click();
        EXPECT_FALSE(form->PictureMode());
    }
}

TEST_F(PictureMode, FastPathTakesJpgAndJpegInAnyCase)
{
    const std::string cmyk = JpegBytes(16, 8, true);
    testsupport::WriteFile(File("a.JPG"), cmyk);
    testsupport::WriteFile(File("b.jpeg"), cmyk);
    auto form = Window();
    // The fast path keeps four channels (32-bit); the library gives 24 bits.
    for (const auto& [index, intel, bits] : { std::tuple { 0, true, 32 }, { 1, true, 32 }, { 0, false, 24 } }) {
        SCOPED_TRACE(index);
        form->setup_useIntel = intel;
        form->SelectFile(index);
        form->Open1Click(form->DrawGrid1);
        EXPECT_EQ(form->ImageEn1->Bitmap().BitsPerPixel(), bits);
        // The view modes work on 24-bit pictures only.
        EXPECT_EQ(form->Actions->ChannelSub->isEnabled(), bits == 24);
        EXPECT_EQ(form->Actions->TOBI_All->isEnabled(), bits == 24);
        EXPECT_TRUE(form->Actions->YCbCrWarning->isEnabled()) << "a JPEG file";
    }
}

TEST_F(PictureMode, WheelStepsAndZoomKeptForPicturesNoLarger)
{
    for (const char* name : { "a.bmp", "b.bmp" })
        imaging::SaveBmpFile(File(name), imaging::Bitmap(400, 300));
    imaging::SaveBmpFile(File("c.bmp"), imaging::Bitmap(2000, 1500));
    auto form = Window();
    form->SelectFile(0);
    form->Open1Click(form->DrawGrid1);
    struct Step {
        double from;
        int delta;
        double to;
    };
    for (const Step& s : { Step { 200, 120, 215 }, Step { 215, 120, 258 }, Step { 201, -120, 168 },
             Step { 15, -120, 15 }, Step { 100, -120, 85 } }) {
        form->ImageEn1->SetZoom(s.from);
        form->ImageEn1MouseWheel(s.delta, nullptr);
        EXPECT_EQ(form->ImageEn1->Zoom(), s.to) << s.from << " " << s.delta;
    }
    form->N15001Click(250);
    form->NextFile(form->DrawGrid1);
    EXPECT_EQ(form->ImageEn1->Zoom(), 250) << "same size keeps the zoom";
    form->NextFile(form->DrawGrid1);
    EXPECT_LT(form->ImageEn1->Zoom(), 100) << "a larger picture is fitted";
    const QSize view = form->ImageEn1->maximumViewportSize();
    EXPECT_EQ(form->ImageEn1->Zoom(), std::min(view.width() * 100 / 2000, view.height() * 100 / 1500));
}

TEST_F(PictureMode, SteppingPastTheEndsAsksFirst)
{
    WidthSeries(3);
    auto form = Window();
    form->SelectFile(2);
    form->Open1Click(form->DrawGrid1);
    answer = false;
    form->NextFile(form->DrawGrid1);
    EXPECT_EQ(questions, std::vector<std::string> { "先頭のファイルに戻りますか？" });
    EXPECT_EQ(form->CurrentIndex(), 2);
    EXPECT_EQ(form->ImageEn1->Bitmap().Width(), 22);
    answer = true;
    form->NextFile(form->DrawGrid1);
    EXPECT_EQ(form->CurrentIndex(), 0);
    EXPECT_EQ(form->ImageEn1->Bitmap().Width(), 20);

    questions.clear();
    form->BeforeFile(form->DrawGrid1);
    EXPECT_EQ(questions, std::vector<std::string> { "最終ファイルに移動しますか？" });
    EXPECT_EQ(form->CurrentIndex(), 2);
    EXPECT_EQ(form->ImageEn1->Bitmap().Width(), 22);

    // In browsing mode stepping only moves the selection.
    form->N5Click();
    form->BeforeFile(form->DrawGrid1);
    EXPECT_EQ(form->CurrentIndex(), 1);
    EXPECT_FALSE(form->PictureMode());
}

TEST_F(PictureMode, HeldArrowKeyOpensOnlyWhereItStops)
{
    WidthSeries(12);
    auto form = Window();
    form->SelectFile(0);
    form->Open1Click(form->DrawGrid1);
    ASSERT_EQ(QApplication::focusWidget(), form->ImageEn1);
    // Auto-repeated releases arrive faster than photos decode: they only move the selection.
    for (int i = 0; i < 8; ++i)
        Release(form->ImageEn1, Qt::Key_Right, true);
    EXPECT_EQ(form->CurrentIndex(), 8);
    EXPECT_EQ(form->ImageEn1->Bitmap().Width(), 20);
    QApplication::processEvents();
    EXPECT_EQ(form->ImageEn1->Bitmap().Width(), 28);
    EXPECT_EQ(form->windowTitle().toStdString(), "Voviro - " + File("f108.bmp"));
    // The last release of the key opens at once.
    Release(form->ImageEn1, Qt::Key_Right, false);
    EXPECT_EQ(form->ImageEn1->Bitmap().Width(), 29);
    Release(form->ImageEn1, Qt::Key_Left, false);
    EXPECT_EQ(form->ImageEn1->Bitmap().Width(), 28);
}

TEST_F(PictureMode, StoredOrientationTurnsTheFlippedPhoto)
{
    WriteMarkedBmp(File("m.bmp"), 4, 2);
    auto form = Window();
    struct Case {
        int rotation;
        bool flipped, mirrored;
        int redX, redY; // where the photo's top-left pixel ends up
    };
    for (const Case& c :
        { Case { 0, false, false, 0, 0 }, Case { 1, false, false, 1, 0 }, Case { 1, true, false, 0, 0 },
            Case { 0, true, true, 3, 1 }, Case { 2, false, false, 3, 1 }, Case { 3, false, true, 0, 0 } }) {
        SCOPED_TRACE(c.rotation * 100 + c.flipped * 10 + c.mirrored);
        {
            catalogue::LockedItem record(form->Catalogue, 0);
            record->Rotation = static_cast<uint8_t>(c.rotation);
            record->Flipped = c.flipped;
            record->Mirrored = c.mirrored;
        }
        form->SelectFile(0);
        form->Open1Click(form->DrawGrid1);
        const imaging::Bitmap& shown = form->ImageEn1->Bitmap();
        ASSERT_EQ(shown.Width(), c.rotation % 2 ? 2 : 4);
        EXPECT_TRUE(IsRed(shown, c.redX, c.redY));
    }
}

TEST_F(PictureMode, TurningAndFlippingRewriteTheCachedThumbnail)
{
    WriteMarkedBmp(File("m.bmp"), 4, 2);
    auto form = Window();
    imaging::Bitmap thumbnail(6, 4);
    thumbnail.Fill(10, 20, 30);
    thumbnail.Row(0)[2] = 255;
    const int32_t offset = form->CacheFile->AppendThumbnail(thumbnail);
    catalogue::LockedItem(form->Catalogue, 0)->ThumbOffset = offset;
    form->SelectFile(0);
    const auto cached = [&] {
        imaging::Bitmap b;
        EXPECT_TRUE(form->CacheFile->ReadThumbnail(offset, b));
        return b;
    };

    form->Rolate_90Plus();
    EXPECT_EQ(catalogue::LockedItem(form->Catalogue, 0)->Rotation, 1);
    EXPECT_EQ(cached(), *catalogue::RotateBitmap(270, thumbnail));
    // A quarter-turned thumbnail is flipped along its other axis.
    form->Menu_FlipClick();
    EXPECT_TRUE(catalogue::LockedItem(form->Catalogue, 0)->Flipped);
    EXPECT_TRUE(form->Actions->FlipButton->isChecked());
    EXPECT_EQ(cached(), catalogue::FlipBitmap(false, true, *catalogue::RotateBitmap(270, thumbnail)));
    form->Menu_FlipClick();
    for (int i = 0; i < 3; ++i)
        form->Rolate_90Plus();
    EXPECT_EQ(catalogue::LockedItem(form->Catalogue, 0)->Rotation, 0);
    EXPECT_EQ(cached(), thumbnail);

    // An explicit entry turns by the difference; the same rotation does nothing.
    form->Rolate_180Click();
    EXPECT_EQ(cached(), *catalogue::RotateBitmap(180, thumbnail));
    form->Rolate_180Click();
    EXPECT_EQ(cached(), *catalogue::RotateBitmap(180, thumbnail));
    form->RolatePopupMenuPopup();
    for (QAction* a : form->Actions->RolatePopupMenu->actions())
        EXPECT_EQ(a->isChecked(), a->data().toInt() == 2);

    // In picture mode the displayed picture turns too and becomes the source picture.
    form->Rolate_0Click();
    form->Open1Click(form->DrawGrid1);
    form->RolateTool2Click();
    EXPECT_EQ(form->ImageEn1->Bitmap().Width(), 2);
    EXPECT_TRUE(IsRed(form->ImageEn1->Bitmap(), 0, 3));
    ASSERT_NE(form->SourcePicture, nullptr);
    EXPECT_EQ(*form->SourcePicture, form->ImageEn1->Bitmap());
}

TEST_F(PictureMode, CopyInBrowsingModeOpensThePhotoFirst)
{
    WidthSeries(2);
    auto form = Window();
    form->SelectFile(1);
    form->C1Click();
    EXPECT_TRUE(form->PictureMode());
    const QImage copied = QGuiApplication::clipboard()->image();
    EXPECT_EQ(copied.size(), QSize(21, 10));
}

} // namespace
