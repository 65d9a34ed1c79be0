// Sorting a 10,000-record catalogue by a metadata item against sorting it by
// name: each run shuffles the records (the same shuffle for both orders) and
// sorts them. Limit: the metadata sort at most 2× the name sort.
//
//   build/bench/catalogue_sort [RUNS]

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "catalogue/Catalogue.h"

namespace {

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double NowMs()
{
    timespec t {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Records as a camera folder gives them: one path prefix, Exif and maker
// items, every tenth file without metadata, exposure times repeating.
void Fill(catalogue::TCatalogue& catalogue)
{
    std::mt19937 random(7);
    auto& records = catalogue.Records();
    for (int i = 0; i < 10000; ++i) {
        auto r = std::make_unique<catalogue::TImageCache>();
        char name[64];
        std::snprintf(name, sizeof name, "/home/user/Pictures/2004_01_02/IMG_%05d.JPG", i);
        r->FileName = name;
        if (i % 10 != 0) {
            auto exif = std::make_unique<metadata::TExifData>();
            for (int t = 0; t < 40; ++t)
                exif->Exif.Items.push_back({ 33000 + t, "項目", "値" + std::to_string(t) });
            exif->Exif.Items.push_back({ 33434, "露出時間", "1/" + std::to_string(30 + random() % 2000) + "秒" });
            for (int t = 0; t < 60; ++t)
                exif->Maker.Items.push_back({ 65536 + t, "項目", "オート" });
            exif->Exif.Count = static_cast<int32_t>(exif->Exif.Items.size());
            exif->Maker.Count = static_cast<int32_t>(exif->Maker.Items.size());
            r->Exif = std::move(exif);
        }
        records.push_back(std::move(r));
    }
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    catalogue::TCatalogue catalogue;
    Fill(catalogue);
    std::vector<double> byName, byItem;
    std::mt19937 random(11);
    for (int run = 0; run < runs; ++run) {
        for (int order = 0; order < 2; ++order) {
            std::shuffle(catalogue.Records().begin(), catalogue.Records().end(), std::mt19937(random()));
            const double start = NowMs();
            catalogue::SortCatalogue(
                catalogue, order == 0 ? catalogue::SortOrder { 0, 0 } : catalogue::SortOrder { -1, 33434 });
            (order == 0 ? byName : byItem).push_back(NowMs() - start);
        }
    }
    const double name = Median(byName), item = Median(byItem);
    std::printf("by name %.2f ms, by ExposureTime %.2f ms (medians of %d, processor time), ratio %.2f\n", name, item,
        runs, item / name);
    const bool ok = item <= 2 * name;
    std::printf("%s (limit: at most 2x the name sort)\n", ok ? "PASS" : "FAIL");
    return ok ? 0 : 1;
}
