#pragma once
// One whole thumbnail pass over a catalogue, returning when it has ended: the
// calling thread acts as the main thread and serves the maker's steps. Used by
// the command-line tool and the benchmarks, which have no event loop.

#include <vector>

#include "catalogue/CacheFile.h"
#include "catalogue/ThumbnailMaker.h"

namespace catalogue {

struct TThumbnailPassResult {
    std::vector<TThumbnailSource> sources; // per record index
    std::vector<int> progress; // the progress messages in the order posted
    double seconds = 0; // from the maker's start to its end
};

TThumbnailPassResult RunThumbnailPass(
    TCatalogue& catalogue, TCacheFile& cache, bool noUseRolate, TThumbnailReaders readers);

} // namespace catalogue
