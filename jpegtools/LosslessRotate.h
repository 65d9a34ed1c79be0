#pragma once
// Lossless rotation of one photo with the rotation dialog's settings: the
// angle (the viewer's rotation or a fixed one), the save mode and whether to
// ask before replacing files.

#include <string>

#include "jpegtools/SaveInPlace.h"

namespace jpegtools {

// The dialog's choice of angle: the viewer's rotation (Def) or a fixed code.
struct LosslessSettings {
    bool useCurrentRotation = true; // Def
    int fixedCode = 0; // 1, 2 or 3 when Def is not chosen (0: none checked)
    SaveMode mode = SaveMode::Trashbox;
    bool conform = false;
};

// The rotation code for a photo whose viewer rotation is `rotation` (0..3); 0 means nothing to do.
int RotationCode(const LosslessSettings& settings, int rotation);
// "_90", "_180", "_270" for codes 1, 2, 3.
std::string RotationSuffix(int code);

struct RotateOutcome : SaveOutcome {
    bool skipped = false; // rotation code 0: nothing done, nothing to report
};

// Turns the photo at `path` by `code` and puts the result in place as the
// request says (its path, mode and conform; the suffix is set here). The
// photo stays untouched on any failure.
RotateOutcome RotateLosslessly(int code, SaveRequest request);

} // namespace jpegtools
