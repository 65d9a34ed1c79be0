#pragma once
// Renaming a file within its folder without ever replacing another file.

#include <string>

namespace fileops {

// Why name cannot be a file name here (empty, "." or "..", a '/' or a NUL in
// it); empty when it can.
std::string CheckNewName(const std::string& name);

// Renames path to newName in the same folder. An existing file of that name is
// refused (the check and the rename are one step, so a file that appears
// meanwhile is not replaced either); a change of letter case alone on a file
// system that ignores case is allowed. The same name is a success that changes
// nothing. False with error naming the file and the reason otherwise.
bool RenameFile(const std::string& path, const std::string& newName, std::string& error);

} // namespace fileops
