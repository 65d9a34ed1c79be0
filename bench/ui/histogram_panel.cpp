// histogram_panel JPEG [OUTDIR]: times the histogram panel's chart of a
// 400 × 200 surface in every histogram mode, style and layout (limit 5 ms
// each) and in the three colour-distribution modes, decode of the file
// included (limit 300 ms). With OUTDIR, also saves the whole panel in each
// mode and layout as PNG files there, for looking at them. Exits 1 when a
// limit is broken. Times are medians of the thread's processor time.
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QToolButton>
#include <algorithm>
#include <cstdio>

#include "bench/BenchTime.h"
#include <ctime>
#include <vector>

#include "analysis/HistogramFile.h"
#include "analysis/ui/HistogramFrame.h"
#include "platform/Registry.h"

namespace {

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: histogram_panel JPEG [OUTDIR]\n");
        return 2;
    }
    const std::string file = argv[1];
    const QString out = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    THistogramFrame panel;
    platform::RegistryStore store(QDir::tempPath().toStdString() + "/histogram_panel_bench.reg");
    panel.InitPanel(store); // nothing stored there: the defaults
    panel.resize(400, 230);
    panel.show();
    imaging::Bitmap picture;
    if (!analysis::ComputeFileHistogram(file, panel.VX_Histogram1, picture).Ok) {
        std::fprintf(stderr, "histogram_panel: cannot read %s\n", file.c_str());
        return 2;
    }
    picture = {};
    panel.CurrentFile = file;
    int failures = 0;
    auto shot = [&](const QString& name) {
        if (out.isEmpty())
            return;
        QApplication::processEvents();
        panel.RefreshChart();
        panel.grab().save(out + "/" + name + ".png");
    };

    const char* styles[3] = { "line", "smooth", "dot" };
    const char* layouts[3] = { "combined", "rows", "columns" };
    for (int mode = 0; mode <= 1; ++mode) {
        panel.SelectMode(mode);
        if (mode == 0)
            panel.ToolButton4->click(); // luminance as well: four charts in the layouts
        for (int style = 0; style < 3; ++style) {
            panel.VX_Histogram1.GraphType = static_cast<analysis::TVX_Type>(style);
            for (int layout = 0; layout < (mode == 0 ? 3 : 1); ++layout) {
                panel.PopupMenu2->actions()[layout]->trigger();
                const double ms = bench::MedianThreadMs(51, [&] { panel.PaintPanel(400, 200); });
                const bool ok = ms < 5;
                failures += !ok;
                std::printf(
                    "mode %d %-6s %-8s %6.2f ms%s\n", mode, styles[style], layouts[layout], ms, ok ? "" : "  FAIL");
                shot(QString("mode%1-%2-%3").arg(mode).arg(styles[style]).arg(layouts[layout]));
            }
        }
    }
    for (int mode = 2; mode <= 4; ++mode) {
        panel.SelectMode(mode);
        if (!panel.ToolButton1->isChecked())
            panel.ToolButton1->click();
        const double ms = bench::MedianThreadMs(5, [&] { panel.PaintPanel(400, 200); });
        const bool ok = ms < 300;
        failures += !ok;
        std::printf("mode %d from the file    %6.1f ms%s\n", mode, ms, ok ? "" : "  FAIL");
        shot(QString("mode%1-normal").arg(mode));
        panel.ToolButton2->click();
        shot(QString("mode%1-ycc").arg(mode));
        const double direct = bench::MedianThreadMs(5, [&] { panel.PaintPanel(400, 200); });
        failures += direct >= 300;
        std::printf("mode %d YCbCr direct     %6.1f ms%s\n", mode, direct, direct < 300 ? "" : "  FAIL");
    }
    if (failures)
        std::printf("FAIL\n");
    return failures ? 1 : 0;
}
