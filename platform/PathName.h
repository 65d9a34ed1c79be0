#pragma once
// The parts of a native path that several subsystems ask for.
#include <string>
#include <string_view>

namespace platform {

// The file name without its folder.
std::string FileNameOf(std::string_view path);
// The folder of a path without a trailing '/': "/" for a file at the root, "." for a bare name.
std::string FolderOf(std::string_view path);
// The extension of the file name with its dot, ASCII letters lower-cased (".jpg"); empty when there is none.
std::string LowerExtensionOf(std::string_view path);

} // namespace platform
