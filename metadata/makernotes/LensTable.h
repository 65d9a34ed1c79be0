#pragma once
// The focal-length range of the zoom lenses of older compact cameras, by the
// camera's model text.

#include <string>

namespace metadata::makernote {

// The shortest and longest focal length (mm) of the model's lens; false when
// the model text is not in the table (exact, case-sensitive match).
bool LensRangeOfModel(const std::string& model, double& wide, double& tele);

} // namespace metadata::makernote
