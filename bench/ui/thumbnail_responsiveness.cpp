// How the main window answers while the thumbnail maker runs over a large
// folder: a 10 ms timer measures how late the event loop serves it, while the
// grid is scrolled, the current cell moved and the view type switched every
// 100 ms; then another folder is opened mid-way and the time the stop takes is
// measured. Target: no event served more than 100 ms late, the stop under 200 ms.
//
//   QT_QPA_PLATFORM=offscreen build/bench/thumbnail_responsiveness DIR OTHER_DIR [SECONDS]

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "app/MainForm.h"
#include "catalogue/ui/ResizeDrawGrid.h"

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: thumbnail_responsiveness DIR OTHER_DIR [SECONDS]\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const std::filesystem::path settings = std::filesystem::temp_directory_path() / "voviro-responsiveness";
    std::filesystem::create_directories(settings);
    setenv("VOVIRO_SETTINGS_DIR", settings.c_str(), 1);
    const QString folder = QString::fromLocal8Bit(argv[1]), other = QString::fromLocal8Bit(argv[2]);
    const int seconds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
    QApplication app(argc, argv);

    TForm1 form;
    form.resize(1200, 800);
    form.show();
    QElapsedTimer clock;
    clock.start();
    form.FolderOpen(folder, false);
    const double listMs = clock.nsecsElapsed() / 1e6;

    std::vector<double> late;
    qint64 last = clock.nsecsElapsed();
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        late.push_back(std::max(0.0, (now - last) / 1e6 - 10.0));
        last = now;
    });
    probe.start(10);
    int step = 0;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        ++step;
        QScrollBar* bar = form.DrawGrid1->verticalScrollBar();
        bar->setValue((bar->value() + 3 * form.DrawGrid1->DefaultRowHeight()) % std::max(1, bar->maximum()));
        form.DrawGrid1->SetCurrent(step % form.DrawGrid1->ColCount(), form.DrawGrid1->TopRow() + 1);
        form.ShowItemInfo(form.CurrentIndex());
        if (step % 10 == 0)
            form.ChangeViewType(step % 20 == 0 ? 4 : 3);
    });
    user.start(100);
    const qint64 end = clock.nsecsElapsed() + seconds * 1000000000LL;
    while (clock.nsecsElapsed() < end)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    probe.stop();
    user.stop();

    int visited = 0, count = 0;
    {
        std::lock_guard lock(form.Catalogue.Mutex());
        count = form.Catalogue.Count();
        for (int i = 0; i < count; ++i)
            visited += form.Catalogue.At(i).ThumbState == 10;
    }
    const bool running = form.ThumbnailMakerRunning();
    clock.restart();
    form.FolderOpen(other, false);
    const double switchMs = clock.nsecsElapsed() / 1e6;

    std::sort(late.begin(), late.end());
    const double worst = late.empty() ? 0 : late.back();
    const double p99 = late.empty() ? 0 : late[late.size() * 99 / 100];
    std::printf("%d files listed in %.0f ms; %d made in %d s while scrolling (maker still running: %s)\n", count,
        listMs, visited, seconds, running ? "yes" : "no");
    std::printf("event loop lateness over %zu probes: p99 %.1f ms, worst %.1f ms\n", late.size(), p99, worst);
    std::printf("opening another folder mid-way (stop, wait, list): %.1f ms\n", switchMs);
    form.close();
    bool ok = true;
    if (worst > 100) {
        std::printf("FAIL: the window did not answer for more than 100 ms\n");
        ok = false;
    }
    if (running && switchMs > 200) {
        std::printf("FAIL: stopping the maker took more than 200 ms\n");
        ok = false;
    }
    return ok ? 0 : 1;
}
