// Channel, overflow and clipping views of a 24-megapixel picture against a
// plain copy of the same picture in the same process, and one blink step.
// Usage: view_modes [WIDTH HEIGHT RUNS]   (default 6000 4000 15)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "analysis/ViewModes.h"

namespace {

double MedianMs(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A photo-like picture: smooth gradients with noise and a clipped sky band.
imaging::Bitmap Photo(int width, int height)
{
    imaging::Bitmap b(width, height);
    uint32_t seed = 12345;
    for (int y = 0; y < height; ++y) {
        uint8_t* p = b.Row(y);
        for (int x = 0; x < width; ++x, p += 3) {
            seed = seed * 1664525u + 1013904223u;
            const int n = static_cast<int>(seed >> 29);
            if (y < height / 10) {
                p[0] = 255;
                p[1] = static_cast<uint8_t>(240 + n);
                p[2] = static_cast<uint8_t>(y % 3 == 0 ? 255 : 230 + n);
            } else {
                p[0] = static_cast<uint8_t>((x / 24 + n) & 0xFF);
                p[1] = static_cast<uint8_t>((y / 16 + x / 50 + n) & 0xFF);
                p[2] = static_cast<uint8_t>(std::min(254, (x + y) / 40 + n));
            }
        }
    }
    return b;
}

} // namespace

int main(int argc, char** argv)
{
    const int width = argc > 2 ? std::atoi(argv[1]) : 6000;
    const int height = argc > 2 ? std::atoi(argv[2]) : 4000;
    const int runs = argc > 3 ? std::atoi(argv[3]) : 15;
    const imaging::Bitmap source = Photo(width, height);
    imaging::Bitmap displayed = source; // the picture the view shows, already there
    analysis::TBlinkFrames frames;

    const double copy = MedianMs(runs, [&] { std::memcpy(displayed.Data(), source.Data(), source.ByteSize()); });
    std::printf("%d x %d, median of %d runs\n", width, height, runs);
    std::printf("%-28s %8.2f ms\n", "plain copy", copy);
    const struct {
        int mode;
        const char* name;
    } modes[] = { { analysis::kModeRed, "red" }, { analysis::kModeGreen, "green" }, { analysis::kModeBlue, "blue" },
        { analysis::kModeRedOver, "red overflow" }, { analysis::kModeGreenOver, "green overflow" },
        { analysis::kModeBlueOver, "blue overflow" }, { analysis::kModeWhiteOver, "white overflow" },
        { analysis::kModeTobiAll, "clipping check, all" }, { analysis::kModeTobiRed, "clipping check, red" },
        { analysis::kModeTobiGreen, "clipping check, green" }, { analysis::kModeTobiBlue, "clipping check, blue" },
        { analysis::kModeTobiWhite, "clipping check, white" } };
    bool ok = true;
    for (const auto& m : modes) {
        // A clipping check makes both of its frames.
        const bool blinks = analysis::IsBlinkMode(m.mode);
        const double ms = MedianMs(runs, [&] {
            if (blinks)
                frames.Start(m.mode, source, displayed);
            else
                analysis::ApplyPixelRule(m.mode, source, displayed);
        });
        const double ratio = ms / copy;
        ok = ok && ratio <= 2.0;
        std::printf("%-28s %8.2f ms  %5.2fx copy%s\n", m.name, ms, ratio, ratio <= 2.0 ? "" : "  FAIL");
    }
    frames.Start(analysis::kModeTobiAll, source, displayed);
    int tag = analysis::kBlinkSteps;
    const double step = MedianMs(runs, [&] {
        frames.Step(tag, displayed);
        tag = tag > 1 ? tag - 1 : analysis::kBlinkSteps;
    });
    // The last step also puts the photo back: one copy.
    std::printf("%-28s %8.3f ms (the picture's part of a blink step; the last adds a copy)\n", "blink step", step);
    return ok ? 0 : 1;
}
