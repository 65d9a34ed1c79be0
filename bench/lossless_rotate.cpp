// Lossless rotation and marker rewriting as whole processes, for comparison
// with jpegtran and cp (see lossless_rotate.sh):
//   lossless_rotate turn FILE...      each file turned by 90° into FILE_90.ext (replaced)
//   lossless_rotate comment FILE...   each file rewritten in place with a new comment
#include <cstdio>
#include <cstring>
#include <string>

#include "jpegtools/LosslessRotate.h"
#include "jpegtools/MarkerEdit.h"

int main(int argc, char** argv)
{
    if (argc < 3 || (std::strcmp(argv[1], "turn") != 0 && std::strcmp(argv[1], "comment") != 0)) {
        std::fprintf(stderr, "usage: lossless_rotate turn|comment FILE...\n");
        return 2;
    }
    const bool turn = std::strcmp(argv[1], "turn") == 0;
    int failures = 0;
    for (int i = 2; i < argc; ++i) {
        jpegtools::SaveRequest request;
        request.path = argv[i];
        request.conform = true;
        jpegtools::SaveOutcome outcome;
        if (turn) {
            request.mode = jpegtools::SaveMode::Rename;
            outcome = jpegtools::RotateLosslessly(1, request);
        } else {
            jpegtools::MarkerEdit edit;
            edit.comment = "benchmark " + std::to_string(i);
            outcome = jpegtools::EditMarkers(edit, request);
        }
        if (!outcome.Ok()) {
            std::fprintf(stderr, "%s: %s\n", argv[i], outcome.error.c_str());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
