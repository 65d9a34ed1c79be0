// The histogram panel in the window: a preview from the thumbnail, the
// automatic calculation storing the full histogram, the stored one shown at
// once next time, and the recalculation of the current file in place.
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <gtest/gtest.h>

#include "analysis/ui/HistogramFrame.h"
#include "app/MainForm.h"
#include "imaging/ImageIO.h"
#include "support/TestSupport.h"
#include "ui/UiTestSupport.h"

namespace {

class HistogramWindowTest : public uitest::WindowTest {
protected:
    void SetUp() override
    {
        uitest::WindowTest::SetUp();
        for (int i = 0; i < 2; ++i) {
            imaging::Bitmap picture(300, 200);
            picture.Fill(uint8_t(100 + i * 50), 20, 20);
            ASSERT_TRUE(imaging::SaveBmpFile(File(i), picture));
        }
        form = std::make_unique<TForm1>();
        form->show();
        uitest::OpenFolderAndWait(*form, photos.Folder());
    }
    void TearDown() override
    {
        form.reset();
        uitest::WindowTest::TearDown();
    }
    std::string File(int i) const { return photos.Folder() + "p" + std::to_string(i) + ".bmp"; }
    int HistState(int i) { return catalogue::LockedItem(form->Catalogue, i)->HistState; }
    int32_t HistOffset(int i) { return catalogue::LockedItem(form->Catalogue, i)->HistOffset; }

    testsupport::TempDir photos;
    std::unique_ptr<TForm1> form;
};

} // namespace

TEST_F(HistogramWindowTest, PreviewThenAutomaticFullHistogramThenStoredAtOnce)
{
    THistogramFrame& panel = *form->THistogramFrame1;
    form->SelectFile(1);
    EXPECT_EQ(panel.CurrentFile, File(1));
    EXPECT_TRUE(form->Timer1->isActive());
    // The thumbnail's preview: a fraction of the picture's 60000 pixels.
    EXPECT_LT(panel.VX_Histogram1.Count(analysis::TableR, 150), 60000u);
    EXPECT_GT(panel.VX_Histogram1.Count(analysis::TableR, 150), 0u);

    // Off: the tick does nothing and the timer keeps running.
    form->setup_autorecalc = false;
    form->Timer1Timer();
    EXPECT_EQ(HistState(1), 0);
    EXPECT_TRUE(form->Timer1->isActive());

    // On, but thumbnails are being made: the next tick tries again.
    form->setup_autorecalc = true;
    form->TaskLabel->setText(QStringLiteral("サムネイル作成"));
    form->Timer1Timer();
    EXPECT_EQ(HistState(1), 0);
    form->TaskLabel->clear();
    form->Timer1Timer();
    EXPECT_FALSE(form->Timer1->isActive());
    EXPECT_EQ(HistState(1), 10);
    EXPECT_EQ(panel.VX_Histogram1.Count(analysis::TableR, 150), 60000u);

    // Selecting it again later shows the stored tables without a timer.
    form->SelectFile(0);
    EXPECT_NE(panel.VX_Histogram1.Count(analysis::TableR, 150), 60000u);
    form->Timer1->stop();
    form->SelectFile(1);
    EXPECT_EQ(panel.VX_Histogram1.Count(analysis::TableR, 150), 60000u);
    EXPECT_FALSE(form->Timer1->isActive());

    // Recalculating rewrites the blocks where they are.
    const int32_t offset = HistOffset(1);
    const int64_t size = form->CacheFile->Size();
    form->THistogramFrame1N5Click();
    EXPECT_EQ(HistOffset(1), offset);
    EXPECT_EQ(form->CacheFile->Size(), size);

    // A file that no longer loads keeps its stored histogram and the chart.
    testsupport::WriteFile(File(1), std::string("BM broken"));
    form->THistogramFrame1N5Click();
    EXPECT_EQ(HistState(1), 10);
    EXPECT_EQ(panel.VX_Histogram1.Count(analysis::TableR, 150), 60000u);
}
