#pragma once
// Vector forms of the view modes' pixel rules for 16 pixels at a time, used
// when the processor has SSSE3. The scalar rules in ViewModes.cpp define the
// results; these give the same bytes.

#include <cstdint>

namespace analysis {

// The blink's vanishing marks: every pixel with a channel at 255 becomes black.
inline constexpr int kRuleBlackOutClipped = 1000;

// Applies `mode`'s rule to the leading whole groups of 16 pixels of one row
// (`in` and `out` may be the same row) and returns how many pixels it did,
// stopping before a group that only the scalar rule decides exactly: 0 when
// the processor lacks SSSE3 or the mode has no vector form.
int ApplyRuleRowVector(int mode, const uint8_t* in, uint8_t* out, int width, bool oddRow);

} // namespace analysis
