// histogram_compute [FILE]: times TVX_Histogram::Compute (all seven tables)
// over a 24-megapixel bitmap against a plain pass that sums the same bytes,
// both in this process and timed in processor time of the thread (medians of 11 runs). The bitmap is the decoded FILE
// (a JPEG) or, without one, a generated 6000 × 4000 picture of gradients and noise. Exits 1 when Compute takes more
// than three times the plain pass.

#include <algorithm>
#include <cstdio>

#include "bench/BenchTime.h"
#include <ctime>
#include <random>
#include <vector>

#include "analysis/Histogram.h"
#include "imaging/ImageIO.h"

namespace {

imaging::Bitmap Generated()
{
    imaging::Bitmap bitmap(6000, 4000);
    std::mt19937 random(1);
    for (int y = 0; y < bitmap.Height(); ++y) {
        uint8_t* p = bitmap.Row(y);
        for (int x = 0; x < bitmap.Width(); ++x, p += 3) {
            const unsigned noise = random() & 15;
            p[0] = uint8_t((x / 24 + noise) & 255);
            p[1] = uint8_t((y / 16 + x / 50 + noise) & 255);
            p[2] = uint8_t(((x ^ y) / 40 + noise) & 255);
        }
    }
    return bitmap;
}

// The byte sum of every pixel row, the reference a histogram pass is compared with.
uint64_t PlainSum(const imaging::Bitmap& bitmap)
{
    uint64_t total = 0;
    const int bytes = bitmap.Width() * 3;
    for (int y = 0; y < bitmap.Height(); ++y) {
        const uint8_t* p = bitmap.Row(y);
        for (int i = 0; i < bytes; ++i)
            total += p[i];
    }
    return total;
}

} // namespace

int main(int argc, char** argv)
{
    imaging::Bitmap bitmap;
    if (argc > 1) {
        if (!imaging::LoadJpegFile(argv[1], bitmap)) {
            std::fprintf(stderr, "histogram_compute: cannot decode %s\n", argv[1]);
            return 2;
        }
    } else {
        bitmap = Generated();
    }
    constexpr int kRuns = 11;
    volatile uint64_t sink = 0;
    const double plain = bench::MedianThreadMs(kRuns, [&] { sink = sink + PlainSum(bitmap); });
    analysis::TVX_Histogram histogram;
    const double compute = bench::MedianThreadMs(kRuns, [&] { histogram.Compute(bitmap); });
    const double ratio = compute / plain;
    std::printf("%d x %d: plain byte sum %.1f ms, Compute %.1f ms, ratio %.2f (limit 3)\n", bitmap.Width(),
        bitmap.Height(), plain, compute, ratio);
    if (ratio > 3) {
        std::printf("FAIL\n");
        return 1;
    }
    return 0;
}
