// The histogram panel: first start, mode switching with remembered
// selections, the radio and Shift behaviour of the channel buttons, the
// settings written and read back in order, and the batch dialog's cancel.
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "analysis/ui/HistProgress.h"
#include "analysis/ui/HistogramFrame.h"
#include "ui/UiTestSupport.h"

using namespace analysis;

namespace {

struct Panel {
    Panel()
        : store((dir.Path() / "registry.reg").string())
    {
        frame.resize(300, 160);
        frame.InitPanel(store);
    }
    bool Down(int i) const
    {
        QToolButton* const b[4] = { frame.ToolButton1, frame.ToolButton2, frame.ToolButton3, frame.ToolButton4 };
        return b[i]->isChecked();
    }
    bool app = (uitest::EnsureApp(), true); // before any widget
    testsupport::TempDir dir;
    platform::RegistryStore store;
    THistogramFrame frame;
};

} // namespace

TEST(HistogramFrame, FirstStartAndModeSwitchingKeepEachModesSelection)
{
    Panel p;
    const THistogramSettings& s = p.frame.Settings();
    EXPECT_EQ(p.frame.Mode(), ModeRgb);
    EXPECT_TRUE(p.Down(0) && p.Down(1) && p.Down(2));
    EXPECT_FALSE(p.Down(3));
    EXPECT_EQ(p.frame.VX_Histogram1.GraphType, VX_SMOOTH);
    EXPECT_TRUE(p.frame.GridLines->isChecked());
    EXPECT_EQ(s.Style, LayoutCombined);

    // Shift-click on G in RGB mode leaves only green.
    p.frame.ToolButton2->setChecked(true);
    p.frame.ChannelClicked(p.frame.ToolButton2, true);
    EXPECT_FALSE(s.Sel.SelR);
    EXPECT_TRUE(s.Sel.SelG);
    EXPECT_FALSE(s.Sel.SelB);

    // HSV: the buttons are one radio group; clicking the one down releases it.
    p.frame.ToolButton8->click(); // mode 0 → 1
    EXPECT_EQ(p.frame.Mode(), ModeHsv);
    EXPECT_TRUE(p.Down(0)); // hue, as remembered
    p.frame.ToolButton2->click(); // saturation
    EXPECT_TRUE(s.Sel.SelS);
    EXPECT_FALSE(s.Sel.SelH);
    EXPECT_FALSE(p.Down(0));
    p.frame.ToolButton2->click();
    EXPECT_FALSE(s.Sel.SelS);
    EXPECT_FALSE(p.Down(0) || p.Down(1) || p.Down(2));

    // Back to RGB: the green-only selection returns.
    p.frame.ToolButton8->click();
    EXPECT_EQ(p.frame.Mode(), ModeRgb);
    EXPECT_FALSE(p.Down(0));
    EXPECT_TRUE(p.Down(1));
    EXPECT_FALSE(p.Down(2));

    // The CIE modes start with both source buttons up and no size entries in 3D.
    p.frame.SelectMode(ModeLab3D);
    EXPECT_FALSE(p.Down(0) || p.Down(1));
    EXPECT_FALSE(p.frame.CopyAtSizeEntry->isEnabled());
    p.frame.SelectMode(ModeAb);
    EXPECT_TRUE(p.frame.CopyAtSizeEntry->isEnabled());
    // The tool-bar button cycles the graph styles.
    p.frame.SelectMode(ModeRgb);
    p.frame.ToolButton6->click();
    EXPECT_EQ(p.frame.VX_Histogram1.GraphType, VX_DOT);
    p.frame.ToolButton6->click();
    EXPECT_EQ(p.frame.VX_Histogram1.GraphType, VX_LINE);
}

TEST(HistogramFrame, SettingsRoundTripAndTheFirstBadValueEndsTheReading)
{
    {
        Panel p;
        p.frame.SelectMode(ModeHsv);
        p.frame.ToolButton3->click(); // value only
        p.frame.PopupMenu2->actions()[2]->trigger(); // columns
        p.frame.GridLines->trigger();
        p.frame.RegSave(p.store);
        p.store.Save();

        THistogramSettings read;
        ReadHistogramSettings(p.store, read);
        EXPECT_EQ(read.Mode, ModeHsv);
        EXPECT_TRUE(read.Sel.SelV);
        EXPECT_FALSE(read.Sel.SelH);
        EXPECT_EQ(read.Style, LayoutColumns);
        EXPECT_EQ(read.LineColor, kBlack);
        EXPECT_FALSE(p.frame.Cloud().Ready);
    }
    // A string where "IsHSV" should be a number: it and everything after keep
    // their defaults, everything before is taken.
    platform::RegistryStore store("/nonexistent/registry.reg");
    store.FromText("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Zovide\\Histogram\\DockBar]\n"
                   "\"RGB_R\"=dword:00000000\n\"RGB_G\"=dword:00000001\n\"RGB_B\"=dword:00000001\n"
                   "\"RGB_V\"=dword:00000001\n\"HSV_S\"=dword:00000001\n\"HSV_V\"=dword:00000000\n"
                   "\"HSV_H\"=dword:00000000\n\"Lab_normal\"=dword:00000001\n\"Lab_direct\"=dword:00000000\n"
                   "\"ColorSpace\"=dword:00000002\n\"IsHSV\"=\"one\"\n\"Type\"=dword:00000002\n"
                   "\"Style\"=dword:00000001\n");
    THistogramSettings read;
    ReadHistogramSettings(store, read);
    EXPECT_FALSE(read.Sel.SelR);
    EXPECT_TRUE(read.Sel.SelY);
    EXPECT_TRUE(read.Sel.SelS);
    EXPECT_TRUE(read.CieNormal);
    EXPECT_EQ(read.ColorSpace, 2);
    EXPECT_EQ(read.Mode, ModeRgb);
    EXPECT_EQ(read.Type, VX_SMOOTH);
    EXPECT_EQ(read.Style, LayoutCombined);
    EXPECT_EQ(read.CustomWidth, 300);
}

TEST(HistogramFrame, ChartPaintsAtTheAskedSizeAndShowsNotSelectWithoutChannels)
{
    Panel p;
    imaging::Bitmap bitmap(10, 10);
    bitmap.Fill(201, 30, 30);
    p.frame.ShowBitmapHistogram(bitmap);
    const QImage chart = p.frame.PaintPanel(300, 150);
    EXPECT_EQ(chart.size(), QSize(300, 150));
    EXPECT_EQ(chart.pixelColor(231, 6), QColor(255, 0, 0)); // red 201 at full height: x = 10 + round(201 × 280 / 255)
    p.frame.SelectMode(ModeHsv);
    p.frame.ToolButton1->click(); // hue released: nothing selected
    const QImage empty = p.frame.PaintPanel(300, 150);
    int grey = 0;
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 300; ++x)
            grey += empty.pixelColor(x, y) != QColor(Qt::black);
    EXPECT_GT(grey, 20); // the "Not Select" text
    EXPECT_EQ(empty.pixelColor(10, 140), QColor(Qt::black)); // no scale bar
}

TEST(HistProgress, CancelStopsTheBatchAndTheDialogEndsItself)
{
    uitest::EnsureApp();
    int files = 0;
    THistProgress dialog([&](THistProgress& d) {
        for (int i = 0; i < 1000 && d.Running(); ++i) {
            ++files;
            if (i == 3)
                d.CancelButton->click();
            d.SetProgress(i % 100);
        }
    });
    QTimer::singleShot(5000, &dialog, [&] { dialog.done(QDialog::Rejected); }); // never hang the test
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(files, 4);
    EXPECT_TRUE(dialog.Started());
    EXPECT_FALSE(dialog.Running());

    // Nothing to do: it closes by itself.
    THistProgress idle([](THistProgress&) {});
    QTimer::singleShot(5000, &idle, [&] { idle.done(QDialog::Rejected); });
    EXPECT_EQ(idle.exec(), QDialog::Accepted);
}
