#pragma once
// Write protection of a file through its permission bits.

#include <string>

namespace fileops {

// Protect clears the write bits (owner, group, others) and nothing else;
// unprotect sets the owner's write bit and nothing else, so the other bits a
// file had (execute, set-id, group and others' read) are kept either way.
bool SetProtected(const std::string& path, bool protect, std::string& error);

// True when the owner cannot write the file (what the listing shows as protected).
bool IsProtected(const std::string& path);

} // namespace fileops
