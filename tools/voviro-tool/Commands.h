#pragma once
// The sub-commands of voviro-tool; each returns the process exit code
// (0 done, 1 some input could not be read, 2 bad arguments).
#include <string>
#include <vector>

namespace voviro_tool {
int RunList(const std::vector<std::string>& args);
int RunExif(const std::vector<std::string>& args);
int RunThumbs(const std::vector<std::string>& args);
int RunRotate(const std::vector<std::string>& args);
int RunMarkers(const std::vector<std::string>& args);
int RunPanel(const std::vector<std::string>& args);
int RunView(const std::vector<std::string>& args);
int RunFiles(const std::vector<std::string>& args);
// Prints the usage line of one sub-command and returns 2.
int UsageOf(const char* name);
} // namespace voviro_tool
