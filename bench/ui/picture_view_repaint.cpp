// Repaint time of the picture view on a 24-megapixel picture: at fit, 100 %
// and 300 % with several scroll positions, and for wheel-zoom steps. Each
// repaint is a synchronous paint of the whole viewport. Target: under 16 ms.
// Also times the turns of the displayed picture.
//
//   QT_QPA_PLATFORM=offscreen build/bench/picture_view_repaint [width height]

#include <QApplication>
#include <QScrollBar>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "app/PictureView.h"

namespace {

imaging::Bitmap MakePicture(int width, int height)
{
    imaging::Bitmap b(width, height, 24);
    for (int y = 0; y < height; ++y) {
        uint8_t* p = b.Row(y);
        for (int x = 0; x < width; ++x, p += 3) {
            p[0] = static_cast<uint8_t>(x * 7 + y);
            p[1] = static_cast<uint8_t>(y * 3);
            p[2] = static_cast<uint8_t>((x ^ y) & 0xFF);
        }
    }
    return b;
}

double ProcessCpuMs()
{
    timespec t {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Processor time of the whole process (Qt and the view paint on several
// threads), next to wall time: on a busy machine the wall time also holds
// the waits for a free core.
std::vector<double> cpuTimes;

double RepaintMs(PictureView& view)
{
    const double cpu0 = ProcessCpuMs();
    const auto start = std::chrono::steady_clock::now();
    view.viewport()->repaint();
    const auto end = std::chrono::steady_clock::now();
    cpuTimes.push_back(ProcessCpuMs() - cpu0);
    return std::chrono::duration<double, std::milli>(end - start).count();
}

struct Stats {
    double median = 0;
    double max = 0;
};

Stats Summarise(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return { ms[ms.size() / 2], ms.back() };
}

void Report(const char* name, const std::vector<double>& ms, bool& allFast)
{
    const Stats s = Summarise(ms);
    const Stats cpu = Summarise(std::vector<double>(cpuTimes.end() - ms.size(), cpuTimes.end()));
    allFast = allFast && s.max < 16.0;
    std::printf("%-18s %3zu repaints  wall median %6.2f max %6.2f ms  cpu median %6.2f max %6.2f ms%s\n", name,
        ms.size(), s.median, s.max, cpu.median, cpu.max, s.max < 16.0 ? "" : "  (over 16 ms)");
}

// Repaints at `zoom` with the scroll bars moved across `steps` positions.
std::vector<double> Scrolling(PictureView& view, int steps)
{
    std::vector<double> ms;
    QScrollBar* h = view.horizontalScrollBar();
    QScrollBar* v = view.verticalScrollBar();
    for (int i = 0; i < steps; ++i) {
        h->setValue(h->maximum() * i / std::max(1, steps - 1));
        v->setValue(v->maximum() * ((i * 7) % steps) / std::max(1, steps - 1));
        view.viewport()->update();
        ms.push_back(RepaintMs(view));
    }
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const int width = argc > 2 ? std::atoi(argv[1]) : 6000;
    const int height = argc > 2 ? std::atoi(argv[2]) : 4000;

    PictureView view;
    view.resize(1600, 1000);
    view.show();
    QApplication::processEvents();
    view.SetBitmap(MakePicture(width, height));
    std::printf("picture %d x %d (%.1f MP), viewport %d x %d\n", width, height, width * height / 1e6,
        view.ClientSize().width(), view.ClientSize().height());
    RepaintMs(view); // warm up
    cpuTimes.clear();

    bool allFast = true;
    view.Fit();
    std::vector<double> fit;
    for (int i = 0; i < 20; ++i)
        fit.push_back(RepaintMs(view));
    Report("fit", fit, allFast);

    view.SetZoom(100);
    Report("100 % scrolled", Scrolling(view, 30), allFast);
    view.SetZoom(300);
    Report("300 % scrolled", Scrolling(view, 30), allFast);
    view.SetZoom(50);
    Report("50 % scrolled", Scrolling(view, 30), allFast);

    // Wheel zoom from fit up to 1000 % and back, one repaint per step.
    view.Fit();
    std::vector<double> wheel;
    const QPointF centre(view.ClientSize().width() / 2.0, view.ClientSize().height() / 2.0);
    for (int direction : { 1, -1 }) {
        for (int i = 0; i < 40; ++i) {
            const double next = imaging::WheelZoomStep(view.Zoom(), direction);
            if (next <= 0 || next > 1000)
                break;
            view.ZoomAt(next, centre);
            wheel.push_back(RepaintMs(view));
        }
    }
    Report("wheel zoom steps", wheel, allFast);

    // Turning the displayed picture (no repaint): a quarter turn builds the
    // turned picture once, a half turn, flip and mirror work in place.
    const auto timeTurn = [&view](const char* name, auto turn) {
        const auto start = std::chrono::steady_clock::now();
        turn();
        const auto end = std::chrono::steady_clock::now();
        std::printf("%-18s %8.1f ms\n", name, std::chrono::duration<double, std::milli>(end - start).count());
    };
    timeTurn("quarter turn", [&view] { view.Rotate90Clockwise(); });
    timeTurn("half turn", [&view] { view.Rotate180(); });
    timeTurn("flip", [&view] { view.Flip(); });
    timeTurn("mirror", [&view] { view.Mirror(); });
    std::printf(allFast ? "every repaint under 16 ms\n" : "some repaints over 16 ms\n");
    return 0;
}
