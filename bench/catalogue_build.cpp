// Listing speed and memory of the folder catalogue, against `find` over the
// same folder. Usage: catalogue_build DIR [RUNS]  (bench/catalogue_build.sh
// makes a folder of 10,000 small image files and runs this).
#include <fcntl.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <new>
#include <string>
#include <vector>

#include "catalogue/Catalogue.h"

extern char** environ;

// Live heap bytes, counted by replacing the global allocation functions.
static std::atomic<int64_t> g_liveBytes { 0 };

void* operator new(size_t size)
{
    void* p = std::malloc(size ? size : 1);
    if (!p)
        throw std::bad_alloc();
    g_liveBytes += static_cast<int64_t>(malloc_usable_size(p));
    return p;
}
void operator delete(void* p) noexcept
{
    if (p)
        g_liveBytes -= static_cast<int64_t>(malloc_usable_size(p));
    std::free(p);
}
void operator delete(void* p, size_t) noexcept
{
    operator delete(p);
}

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

struct Stats {
    double min, median;
};

template <typename F> Stats Time(int runs, F f)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        auto start = Clock::now();
        f();
        times.push_back(Milliseconds(Clock::now() - start));
    }
    std::sort(times.begin(), times.end());
    return { times.front(), times[times.size() / 2] };
}

void RunFind(const std::string& dir)
{
    const char* argv[] = { "find", dir.c_str(), "-maxdepth", "1", "-type", "f", "-printf", "%T@ %s %p\n", nullptr };
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid;
    if (posix_spawnp(&pid, "find", &actions, nullptr, const_cast<char* const*>(argv), environ) == 0) {
        int status;
        waitpid(pid, &status, 0);
    }
    posix_spawn_file_actions_destroy(&actions);
}

long ResidentKiB()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: catalogue_build DIR [RUNS]\n");
        return 2;
    }
    std::string dir = argv[1];
    if (dir.back() != '/')
        dir += '/';
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;

    // Memory of one catalogue of the folder, measured first in a fresh process.
    const long rssBefore = ResidentKiB();
    const int64_t heapBefore = g_liveBytes;
    catalogue::TCatalogue catalogue;
    catalogue::TCacheFile cache;
    const int count = catalogue::BuildCatalogue(catalogue, dir, cache, {});
    const int64_t heapBytes = g_liveBytes - heapBefore;
    const long rssKiB = ResidentKiB() - rssBefore;

    RunFind(dir); // warm the caches
    const Stats find = Time(runs, [&] { RunFind(dir); });
    const Stats build = Time(runs, [&] { catalogue::BuildCatalogue(catalogue, dir, cache, {}); });
    const Stats refresh = Time(runs, [&] { catalogue::RefreshCatalogue(catalogue, dir, {}); });

    std::printf("records            %d\n", count);
    std::printf("find               min %7.2f ms  median %7.2f ms\n", find.min, find.median);
    std::printf("BuildCatalogue     min %7.2f ms  median %7.2f ms  ratio %.2f (limit 2)\n", build.min, build.median,
        build.median / find.median);
    std::printf("RefreshCatalogue   min %7.2f ms  median %7.2f ms  ratio %.2f (limit 3)\n", refresh.min, refresh.median,
        refresh.median / find.median);
    std::printf("heap of catalogue  %.2f MiB (%.0f bytes a record; limit 4 MiB)\n", heapBytes / 1048576.0,
        count ? static_cast<double>(heapBytes) / count : 0.0);
    std::printf("resident growth    %.2f MiB\n", rssKiB / 1024.0);
    const bool ok = build.median <= 2 * find.median && refresh.median <= 3 * find.median && heapBytes < 4 << 20;
    std::printf("%s\n", ok ? "PASS" : "FAIL");
    return ok ? 0 : 1;
}
