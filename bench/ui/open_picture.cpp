// Opening a large JPEG through the main window's Open1Click until the picture
// is painted, on both decode paths (setup_useIntel on: the TurboJPEG full
// decode; off: the libjpeg loader), against tjDecompress2 alone on the same
// file in the same run. Then wheel-zoom and scrolling repaints through the
// window, and the memory a second opening of a very large picture needs.
//
//   open_picture --make WIDTH HEIGHT FILE.jpg     write a test picture
//   open_picture FILE.jpg [RUNS]                  time opening and repaints
//   open_picture --memory FILE.jpg                peak memory of re-opening
//
// Run with QT_QPA_PLATFORM=offscreen (set when missing). See bench/README.md.

#include <QApplication>
#include <QScrollBar>
#include <QTemporaryDir>
#include <turbojpeg.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "app/PictureView.h"
#include "imaging/JpegEncode.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point from)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double Max(const std::vector<double>& v)
{
    return *std::max_element(v.begin(), v.end());
}

std::vector<unsigned char> ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), {} };
}

// Gradients, stripes and noise, so the entropy decode has real work to do.
int Make(int width, int height, const std::string& path)
{
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 3);
    std::mt19937 random(7);
    for (int y = 0; y < height; ++y) {
        unsigned char* p = pixels.data() + static_cast<size_t>(y) * width * 3;
        for (int x = 0; x < width; ++x, p += 3) {
            const unsigned noise = random() & 15;
            p[0] = static_cast<unsigned char>((x * 255 / width + noise) & 0xFF);
            p[1] = static_cast<unsigned char>((y * 255 / height + ((x / 40) % 2) * 60 + noise) & 0xFF);
            p[2] = static_cast<unsigned char>(((x ^ y) & 0x7F) + noise);
        }
    }
    imaging::JpegEncodeOptions options;
    options.chroma = imaging::JpegChroma::HalfWidth;
    std::vector<uint8_t> out;
    if (!imaging::EncodeJpeg(
            { pixels.data(), width, height, static_cast<size_t>(width) * 3, imaging::JpegLayout::Rgb }, options, out)) {
        std::fprintf(stderr, "compress failed\n");
        return 1;
    }
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    std::printf("%s: %d x %d, %zu bytes\n", path.c_str(), width, height, out.size());
    return 0;
}

// The yardstick: tjDecompress2 alone, the file already in memory, into a new
// (uninitialised) picture buffer, as any decode of a new picture needs one.
double TurboAlone(const std::vector<unsigned char>& file)
{
    const auto start = Clock::now();
    tjhandle handle = tjInitDecompress();
    int width = 0, height = 0, subsampling = 0, colourspace = 0;
    tjDecompressHeader3(handle, file.data(), file.size(), &width, &height, &subsampling, &colourspace);
    const int stride = (width * 3 + 3) & ~3;
    std::unique_ptr<unsigned char[]> out(new unsigned char[static_cast<size_t>(stride) * height]);
    tjDecompress2(handle, file.data(), file.size(), out.get(), width, stride, height, TJPF_BGR, 0);
    tjDestroy(handle);
    return Ms(start);
}

void WaitForThumbnails(TForm1& form)
{
    const auto end = Clock::now() + std::chrono::seconds(60);
    while (form.ThumbnailMakerRunning() && Clock::now() < end)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    QApplication::processEvents();
}

// Open1Click from browsing mode until the picture has been painted.
double OpenOnce(TForm1& form, bool intel)
{
    form.N5Click();
    QApplication::processEvents();
    form.setup_useIntel = intel;
    const auto start = Clock::now();
    form.Open1Click(&form);
    form.ImageEn1->viewport()->repaint();
    return Ms(start);
}

double ProcessCpuMs()
{
    timespec t {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Processor time of each repaint (all threads of the process), beside its wall
// time: on a busy machine the wall time also holds waits for a free core.
std::vector<double> repaintCpu;

double RepaintMs(PictureView& view)
{
    const double cpu = ProcessCpuMs();
    const auto start = Clock::now();
    view.viewport()->repaint();
    const double wall = Ms(start);
    repaintCpu.push_back(ProcessCpuMs() - cpu);
    return wall;
}

void Report(const char* name, const std::vector<double>& ms, bool& fast)
{
    fast = fast && Max(ms) < 16.0;
    const std::vector<double> cpu(repaintCpu.end() - static_cast<std::ptrdiff_t>(ms.size()), repaintCpu.end());
    std::printf("  %-20s %3zu repaints  wall median %5.2f max %5.2f  cpu median %5.2f max %5.2f ms%s\n", name,
        ms.size(), Median(ms), Max(ms), Median(cpu), Max(cpu), Max(ms) < 16.0 ? "" : "  (over 16 ms)");
}

long PeakKb(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::atol(line.c_str() + std::char_traits<char>::length(field));
    return -1;
}

std::unique_ptr<TForm1> Window(const std::string& file, QTemporaryDir& settings)
{
    setenv("VOVIRO_SETTINGS_DIR", settings.path().toLocal8Bit().constData(), 1);
    auto form = std::make_unique<TForm1>();
    form->resize(1600, 1000);
    form->show();
    const std::string folder = file.substr(0, file.find_last_of('/') + 1);
    form->FolderOpen(QString::fromStdString(folder), false);
    WaitForThumbnails(*form);
    int index = -1;
    {
        std::lock_guard lock(form->Catalogue.Mutex());
        for (int k = 0; k < form->Catalogue.Count(); ++k)
            if (form->Catalogue.At(k).FileName == file)
                index = k;
    }
    if (index < 0) {
        std::fprintf(stderr, "%s is not listed in its folder\n", file.c_str());
        std::exit(2);
    }
    form->SelectFile(index);
    return form;
}

int Memory(const std::string& file)
{
    QTemporaryDir settings;
    auto form = Window(file, settings);
    int status = 0;
    for (bool intel : { true, false }) {
        form->setup_useIntel = intel;
        form->Open1Click(form.get());
        const long before = PeakKb("VmRSS:");
        // Reset the peak so that it measures the second opening alone.
        std::ofstream("/proc/self/clear_refs") << "5";
        form->Open1Click(form.get());
        form->ImageEn1->viewport()->repaint();
        const long peak = PeakKb("VmHWM:");
        const imaging::Bitmap& shown = form->ImageEn1->Bitmap();
        const double pictureMb = shown.ByteSize() / 1048576.0;
        const double fileMb = ReadAll(file).size() / 1048576.0;
        const double growthMb = (peak - before) / 1024.0;
        // The old picture must be gone before the new one is decoded: the peak grows by
        // at most the file's bytes (read whole for decoding) and some working memory.
        const bool ok = growthMb < fileMb + 0.25 * pictureMb;
        std::printf("%s path: picture %d x %d (%.0f MiB), file %.0f MiB; re-opening raised the peak by %.0f MiB%s\n",
            intel ? "fast JPEG" : "libjpeg", shown.Width(), shown.Height(), pictureMb, fileMb, growthMb,
            ok ? "" : "  FAIL (a second picture was held)");
        if (!ok)
            status = 1;
    }
    return status;
}

int Time(const std::string& file, int runs)
{
    QTemporaryDir settings;
    auto form = Window(file, settings);
    const std::vector<unsigned char> bytes = ReadAll(file);
    std::vector<double> turbo, intel, library;
    OpenOnce(*form, true); // warm the caches
    TurboAlone(bytes);
    for (int i = 0; i < runs; ++i) {
        turbo.push_back(TurboAlone(bytes));
        intel.push_back(OpenOnce(*form, true));
        library.push_back(OpenOnce(*form, false));
    }
    const imaging::Bitmap& shown = form->ImageEn1->Bitmap();
    std::printf("%s: %d x %d (%.1f MP), view %d x %d, %d runs (medians, ms)\n", file.c_str(), shown.Width(),
        shown.Height(), shown.Width() * shown.Height() / 1e6, form->ImageEn1->ClientSize().width(),
        form->ImageEn1->ClientSize().height(), runs);
    const double base = Median(turbo);
    std::printf("  tjDecompress2 alone      %7.1f\n", base);
    std::printf("  Open1Click, fast path    %7.1f  %.2fx%s\n", Median(intel), Median(intel) / base,
        Median(intel) / base <= 1.25 ? "" : "  (over 1.25x)");
    std::printf("  Open1Click, libjpeg path %7.1f  %.2fx%s\n", Median(library), Median(library) / base,
        Median(library) / base <= 1.25 ? "" : "  (over 1.25x)");

    // Repaints through the window: wheel steps from fit up to beyond 1000 % and back, then scrolling.
    bool fast = true;
    PictureView& view = *form->ImageEn1;
    form->setup_useIntel = true;
    OpenOnce(*form, true);
    std::vector<double> wheel;
    for (int step = 0; step < 40 && view.Zoom() < 1000; ++step) {
        form->ImageEn1MouseWheel(120, nullptr);
        wheel.push_back(RepaintMs(view));
    }
    while (view.Zoom() > 5) {
        const double before = view.Zoom();
        form->ImageEn1MouseWheel(-120, nullptr);
        if (view.Zoom() == before)
            break;
        wheel.push_back(RepaintMs(view));
    }
    Report("wheel zoom", wheel, fast);
    for (int zoom : { 25, 100, 300 }) {
        form->N15001Click(zoom);
        std::vector<double> scroll;
        QScrollBar* h = view.horizontalScrollBar();
        QScrollBar* v = view.verticalScrollBar();
        for (int i = 0; i < 30; ++i) {
            h->setValue(h->maximum() * i / 29);
            v->setValue(v->maximum() * ((i * 7) % 30) / 29);
            scroll.push_back(RepaintMs(view));
        }
        const std::string name = "scrolling at " + std::to_string(zoom) + " %";
        Report(name.c_str(), scroll, fast);
    }
    const bool ok = Median(intel) / base <= 1.25 && Median(library) / base <= 1.25 && fast;
    std::printf("%s\n", ok ? "all within limits" : "FAIL");
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 5 && std::string(argv[1]) == "--make")
        return Make(std::atoi(argv[2]), std::atoi(argv[3]), argv[4]);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    if (argc == 3 && std::string(argv[1]) == "--memory")
        return Memory(argv[2]);
    if (argc < 2) {
        std::fprintf(stderr, "usage: open_picture FILE.jpg [RUNS] | --memory FILE.jpg | --make W H FILE.jpg\n");
        return 2;
    }
    return Time(argv[1], argc > 2 ? std::atoi(argv[2]) : 11);
}
