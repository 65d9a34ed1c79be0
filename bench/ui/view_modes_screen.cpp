// The clipping check's blink on screen: one blink step (the frame exchange
// and a synchronous repaint of the picture view at fit) on a 24-megapixel
// photo in the real main window. Target: under 16 ms a step. With --shots it
// instead saves a picture of the window for each view mode of a given photo.
//
//   QT_QPA_PLATFORM=offscreen build/bench/view_modes_screen [width height]
//   xvfb-run -a -s "-screen 0 1600x1000x24" build/bench/view_modes_screen --shots OUTDIR PHOTO [MONITOR.icc]

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/MainActions.h"
#include "app/MainForm.h"
#include "app/PictureView.h"
#include "catalogue/ui/ResizeDrawGrid.h"
#include "imaging/ImageIO.h"

namespace {

void Settle()
{
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

std::unique_ptr<TForm1> OpenFolder(const std::string& folder, int index)
{
    auto form = std::make_unique<TForm1>();
    form->resize(1600, 1000);
    form->show();
    form->FolderOpen(QString::fromStdString(folder), false);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (form->ThumbnailMakerRunning() && std::chrono::steady_clock::now() < end)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    form->SelectFile(index);
    return form;
}

int Shots(const std::string& outDir, const std::string& photo, const std::string& monitor)
{
    const std::filesystem::path path = std::filesystem::absolute(photo);
    auto form = OpenFolder(path.parent_path().string() + "/", 0);
    // The photo's index in the sorted folder.
    for (int i = 0; i < form->FileCount(); ++i)
        if (catalogue::LockedItem(form->Catalogue, i)->FileName == path.string())
            form->SelectFile(i);
    form->Open1Click(form->DrawGrid1);
    Settle();
    QDir().mkpath(QString::fromStdString(outDir));
    const auto shot = [&](const char* name) {
        Settle();
        form->grab().save(QString::fromStdString(outDir + "/" + name + ".png"));
    };
    TMainActions& a = *form->Actions;
    const struct {
        QAction* action;
        const char* name;
    } views[] = { { a.CHANNEL_ALL, "all" }, { a.CHANNEL_R, "red" }, { a.CHANNEL_G, "green" }, { a.CHANNEL_B, "blue" },
        { a.CHANNEL_ROVER, "red-over" }, { a.CHANNEL_GOVER, "green-over" }, { a.CHANNEL_BOVER, "blue-over" },
        { a.CHANNEL_WOVER, "white-over" }, { a.YCbCrWarning, "ycc" } };
    for (const auto& v : views) {
        v.action->trigger();
        shot(v.name);
    }
    // The YCbCr warning of the photo turned a quarter and mirrored: the marks follow it.
    form->Rolate_90Click();
    form->Menu_ReverseClick();
    form->Open1Click(form->DrawGrid1);
    a.YCbCrWarning->trigger();
    shot("ycc-turned-mirrored");
    a.CHANNEL_ALL->trigger();
    shot("all-turned-mirrored");
    form->Menu_ReverseClick();
    form->Rolate_0Click();
    form->Open1Click(form->DrawGrid1);
    const struct {
        QAction* action;
        const char* name;
    } checks[] = { { a.TOBI_All, "tobi-all" }, { a.TOBI_R, "tobi-red" }, { a.TOBI_W, "tobi-white" } };
    for (const auto& c : checks) {
        c.action->trigger();
        form->Timer2->stop();
        // The all-channel check starts on its marks, the others on the photo.
        if (c.action != a.TOBI_All)
            form->Timer2Timer();
        form->Timer2->stop();
        shot(c.name);
    }
    if (!monitor.empty()) {
        form->OutputProfileName = monitor;
        form->InputProfileName.clear();
        form->ColorManagementClick();
        shot("colour-managed");
    }
    return 0;
}

int BlinkTiming(int width, int height)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "voviro-blink-bench";
    std::filesystem::create_directories(dir);
    imaging::Bitmap b(width, height);
    for (int y = 0; y < height; ++y) {
        uint8_t* p = b.Row(y);
        for (int x = 0; x < width; ++x, p += 3) {
            p[0] = static_cast<uint8_t>(x * 7 + y);
            p[1] = static_cast<uint8_t>(y < height / 8 ? 255 : y * 3);
            p[2] = static_cast<uint8_t>((x ^ y) & 0xFF);
        }
    }
    imaging::SaveBmpFile((dir / "photo.bmp").string(), b);
    b = imaging::Bitmap();
    auto form = OpenFolder(dir.string() + "/", 0);
    form->Open1Click(form->DrawGrid1);
    Settle();
    std::vector<double> steps;
    for (int round = 0; round < 3; ++round) {
        form->Actions->TOBI_All->trigger();
        form->Timer2->stop();
        while (form->Timer2Tag > 0) {
            const auto start = std::chrono::steady_clock::now();
            form->Timer2Timer();
            form->ImageEn1->viewport()->repaint();
            steps.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
    }
    // For comparison: repaints of an unchanged picture.
    std::vector<double> repaints;
    for (int i = 0; i < 15; ++i) {
        const auto start = std::chrono::steady_clock::now();
        form->ImageEn1->viewport()->repaint();
        repaints.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(repaints.begin(), repaints.end());
    std::printf("repaint of the unchanged picture: median %.2f ms\n", repaints[repaints.size() / 2]);
    std::sort(steps.begin(), steps.end());
    std::printf("%d x %d, %zu blink steps: median %.2f ms, 90th percentile %.2f ms, max %.2f ms (the last step of\n"
                "each check also copies the photo back)\n",
        width, height, steps.size(), steps[steps.size() / 2], steps[steps.size() * 9 / 10], steps.back());
    std::filesystem::remove_all(dir);
    return steps[steps.size() / 2] < 16.0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc >= 4 && std::string(argv[1]) == "--shots")
        return Shots(argv[2], argv[3], argc >= 5 ? argv[4] : "");
    const int width = argc > 2 ? std::atoi(argv[1]) : 6000;
    const int height = argc > 2 ? std::atoi(argv[2]) : 4000;
    return BlinkTiming(width, height);
}
