#include "platform/RowBlocks.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace platform {

void ForRowBlocks(int height, int blockRows, bool twoThreads, const std::function<void(int, int)>& rows,
    const std::function<void(int, int)>& progress)
{
    if (height <= 0 || blockRows <= 0)
        return;
    const int blocks = (height + blockRows - 1) / blockRows;
    std::atomic<int> next { 0 };
    const auto work = [&](bool report) {
        for (int b = next++; b < blocks; b = next++) {
            const int first = b * blockRows;
            if (report && progress)
                progress(first, height);
            rows(first, std::min(blockRows, height - first));
        }
    };
    if (twoThreads && blocks > 1) {
        std::jthread helper([&] { work(false); });
        work(true);
    } else {
        work(true);
    }
}

} // namespace platform
