#pragma once
// The rows of the metadata panel's profile tab: what the file's embedded ICC
// profile says about itself, "見つかりません" without a profile and
// "破損しています" when it cannot be read or opened.

#include <vector>

#include "metadata/InfoRows.h"

namespace colour {

std::vector<metadata::TInfoRow> ProfileRows(const metadata::TInfoRecord& record);

} // namespace colour
