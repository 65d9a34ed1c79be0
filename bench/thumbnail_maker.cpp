// Times the whole thumbnail maker (listing excluded: metadata read, embedded
// thumbnail or reduced decode, cache-file write on the serving thread,
// progress messages) over two folders, and `djpeg -scale 1/8` spawned on each
// file of the second folder in the same run.
//   thumbnail_maker WITH_THUMBNAILS_DIR WITHOUT_DIR [RUNS]
// Limits: at least 500 files/s with embedded thumbnails; without them at most
// 1.3 × the djpeg time per file. Exits 1 and prints FAIL when one is broken.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "catalogue/Catalogue.h"
#include "catalogue/ThumbnailPass.h"

extern char** environ;

namespace {

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

struct PassFigures {
    int files = 0;
    int embedded = 0, decoded = 0;
    double seconds = 0;
};

PassFigures MakerPass(const std::string& folder)
{
    catalogue::TCacheFile cache;
    catalogue::TCatalogue records;
    PassFigures f;
    f.files = catalogue::BuildCatalogue(records, folder, cache, {});
    const auto pass = catalogue::RunThumbnailPass(records, cache, false, catalogue::TThumbnailReaders::Default());
    f.seconds = pass.seconds;
    for (auto s : pass.sources) {
        f.embedded += s == catalogue::TThumbnailSource::Embedded;
        f.decoded += s == catalogue::TThumbnailSource::Decoded;
    }
    return f;
}

// djpeg -scale 1/8 on every file, output to /dev/null; seconds for all.
double DjpegPass(const std::vector<std::string>& files)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& file : files) {
        const char* argv[] = { "djpeg", "-scale", "1/8", "-bmp", file.c_str(), nullptr };
        pid_t pid = 0;
        if (posix_spawnp(&pid, "djpeg", &actions, nullptr, const_cast<char**>(argv), environ) != 0) {
            std::fprintf(stderr, "cannot start djpeg\n");
            std::exit(2);
        }
        int status = 0;
        waitpid(pid, &status, 0);
    }
    posix_spawn_file_actions_destroy(&actions);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: thumbnail_maker WITH_THUMBNAILS_DIR WITHOUT_DIR [RUNS]\n");
        return 2;
    }
    const std::string with = argv[1], without = argv[2];
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
    catalogue::TCatalogue listing;
    catalogue::BuildCatalogue(listing, without, nullptr, {});
    std::vector<std::string> files;
    for (int i = 0; i < listing.Count(); ++i)
        files.push_back(listing.At(i).FileName);

    // One warm-up pass of each so every run reads from the page cache.
    MakerPass(with);
    MakerPass(without);
    DjpegPass(files);
    std::vector<double> withRate, withoutPerFile, djpegPerFile, ratio;
    PassFigures a, b;
    for (int r = 0; r < runs; ++r) {
        a = MakerPass(with);
        withRate.push_back(a.files / a.seconds);
        b = MakerPass(without);
        const double dj = DjpegPass(files) / std::max<size_t>(files.size(), 1);
        const double mk = b.seconds / std::max(b.files, 1);
        withoutPerFile.push_back(mk * 1000);
        djpegPerFile.push_back(dj * 1000);
        ratio.push_back(mk / dj);
    }
    std::printf("with embedded thumbnails: %d files (%d embedded), median %.0f files/s over %d runs\n", a.files,
        a.embedded, Median(withRate), runs);
    std::printf("without: %d files (%d decoded), maker %.2f ms/file, djpeg -scale 1/8 %.2f ms/file, ratio %.2f\n",
        b.files, b.decoded, Median(withoutPerFile), Median(djpegPerFile), Median(ratio));
    bool ok = true;
    if (Median(withRate) < 500) {
        std::printf("FAIL: fewer than 500 files/s with embedded thumbnails\n");
        ok = false;
    }
    if (Median(ratio) > 1.3) {
        std::printf("FAIL: the reduced decode takes more than 1.3 x djpeg\n");
        ok = false;
    }
    return ok ? 0 : 1;
}
