#pragma once
// Timing for the benchmarks: the processor time of the calling thread (so
// that waiting for a core on a busy machine does not count) and the median
// of repeated runs.
#include <algorithm>
#include <ctime>
#include <vector>

namespace bench {

inline double ThreadMs()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

template <typename F> double MedianThreadMs(int runs, F run)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = ThreadMs();
        run();
        times.push_back(ThreadMs() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace bench
