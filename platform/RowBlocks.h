#pragma once
// Splitting the rows of a picture into blocks shared by the calling thread
// and, when asked, one more thread. Only the calling thread reports
// progress, at the first row of each block it takes.

#include <functional>

namespace platform {

// Runs `rows(first, count)` over rows 0 .. height - 1 in blocks of
// `blockRows`; `progress(firstRow, height)` runs on the calling thread. Each
// block is done exactly once; `rows` must be safe to run on two threads at once.
void ForRowBlocks(int height, int blockRows, bool twoThreads, const std::function<void(int, int)>& rows,
    const std::function<void(int, int)>& progress);

} // namespace platform
