#pragma once
// Putting a finished file in place of another in one step.

#include <string>

namespace fileops {

// Moves source over target in one atomic rename: at every moment the target
// path names either the old file or the complete new one, never nothing and
// never a part. A symbolic link at target is followed, so the file it points to
// is replaced and the link stays. The moved file keeps its own permission bits;
// give a temporary file the wanted mode before calling. When source lies on
// another file system it is first copied, flushed, into a temporary file beside
// the target, which is then renamed in, and the source is removed only after
// that. False, with error naming the file and the reason, when nothing was
// replaced; the target is then as it was.
bool MoveFileReplacing(const std::string& source, const std::string& target, std::string& error);

} // namespace fileops
