// Repaint time of a screen of thumbnail cells in the real main window: a
// folder of 60 pictures is listed and its thumbnails made into the cache
// file, then the grid's viewport (60 cells, each thumbnail read back from the
// cache file, composed off screen and copied) is painted synchronously, many
// times, in each view type. Target: under 20 ms for a screen of 60 cells.
//
//   QT_QPA_PLATFORM=offscreen build/bench/thumbnail_repaint [REPEATS]

#include <QApplication>
#include <QDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "app/MainForm.h"
#include "catalogue/CellLayout.h"
#include "catalogue/ui/ResizeDrawGrid.h"
#include "imaging/ImageIO.h"

namespace {

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const std::filesystem::path work = std::filesystem::temp_directory_path() / "voviro-thumbnail-repaint";
    std::filesystem::remove_all(work);
    std::filesystem::create_directories(work / "settings");
    std::filesystem::create_directories(work / "photos");
    setenv("VOVIRO_SETTINGS_DIR", (work / "settings").c_str(), 1);
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    QApplication app(argc, argv);

    // 60 pictures of 640 × 480: their thumbnails are 160 × 120, as a camera's are.
    imaging::Bitmap picture(640, 480);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            uint8_t* p = picture.Row(y) + x * 3;
            p[0] = static_cast<uint8_t>(x), p[1] = static_cast<uint8_t>(y), p[2] = static_cast<uint8_t>(x ^ y);
        }
    for (int i = 0; i < 60; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "IMG_%04d.bmp", i);
        imaging::SaveBmpFile((work / "photos" / name).string(), picture);
    }

    TForm1 form;
    form.SetFolderPaneVisible(false);
    form.SetInfoPaneVisible(false);
    form.show();
    form.FolderOpen(QString::fromStdString((work / "photos").string()), false);
    while (form.ThumbnailMakerRunning())
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    QApplication::processEvents();

    bool ok = true;
    for (int view : { 5, 4, 3, 9 }) {
        form.ChangeThumnailMode(view);
        const auto cell = *catalogue::CellSizeOf(view);
        // A window just large enough for 10 × 6 cells of this view type.
        const int cols = 10, rows = 6;
        form.resize(cols * cell.width + 20 + 40, rows * cell.height + 120);
        QApplication::processEvents();
        const int visible = form.DrawGrid1->ColCount()
            * std::min(
                form.DrawGrid1->RowCount(), (form.DrawGrid1->viewport()->height() + cell.height - 1) / cell.height);
        std::vector<double> ms;
        for (int r = 0; r < repeats; ++r) {
            const auto start = std::chrono::steady_clock::now();
            form.DrawGrid1->viewport()->repaint();
            ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
        const double median = Median(ms);
        std::printf("view %d: %d cells on screen (%dx%d viewport), repaint median %.2f ms, worst %.2f ms\n", view,
            visible, form.DrawGrid1->viewport()->width(), form.DrawGrid1->viewport()->height(), median,
            *std::max_element(ms.begin(), ms.end()));
        if (visible >= 60 && median * 60.0 / visible > 20.0) {
            std::printf("FAIL: a screen of 60 cells takes more than 20 ms\n");
            ok = false;
        }
    }
    form.close();
    std::filesystem::remove_all(work);
    return ok ? 0 : 1;
}
