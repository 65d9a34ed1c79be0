#pragma once
// Running the built voviro-tool from a test and collecting its standard output.
#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

namespace tooltest {

struct ToolRun {
    int exitCode = -1;
    std::string out;
};

// Runs voviro-tool with the arguments (each quoted for the shell), stderr dropped.
inline ToolRun RunTool(const std::vector<std::string>& args)
{
    std::string command = "'" VOVIRO_TOOL_PATH "'";
    for (const std::string& a : args) {
        command += " '";
        for (char c : a)
            command += c == '\'' ? std::string("'\\''") : std::string(1, c);
        command += "'";
    }
    command += " 2>/dev/null";
    ToolRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.out.append(buffer, n);
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace tooltest
