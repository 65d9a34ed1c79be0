// voviro-tool files: the viewer's file operations from the command line, on
// the same layer the window uses.
//   files copy|move [--replace yes|no|ask] SRC... DESTDIR
//   files trash|protect|unprotect FILE...
//   files rename [--replace no] FILE NEWNAME
// One line per file on standard output: "FILE: ok", "FILE: skipped" or
// "FILE: failed: reason". An existing target is kept unless --replace says
// otherwise (ask: a question per file on standard error, answered on standard
// input with y, a (yes to all), n or c (cancel)). A file that has no trash is
// skipped, never deleted. Exit code 0 only when every file was done, 1 when
// some was not, 2 for bad arguments.
#include <cstdio>
#include <iostream>
#include <string>

#include "fileops/Batch.h"
#include "fileops/Rename.h"
#include "tools/voviro-tool/Commands.h"

namespace voviro_tool {

namespace {

bool ParseOperation(const std::string& name, fileops::Operation& op)
{
    struct Entry {
        const char* name;
        fileops::Operation op;
    };
    const Entry entries[] = {
        { "copy", fileops::Operation::Copy },
        { "move", fileops::Operation::Move },
        { "trash", fileops::Operation::Trash },
        { "protect", fileops::Operation::Protect },
        { "unprotect", fileops::Operation::Unprotect },
    };
    for (const Entry& e : entries)
        if (name == e.name) {
            op = e.op;
            return true;
        }
    return false;
}

fileops::ReplaceAnswer AskOnTerminal(const std::string& target)
{
    for (;;) {
        std::fprintf(stderr, "replace %s? [y]es, [a]ll, [n]o, [c]ancel: ", target.c_str());
        std::string line;
        if (!std::getline(std::cin, line))
            return fileops::ReplaceAnswer::Cancel;
        switch (line.empty() ? '\0' : line[0]) {
        case 'y':
        case 'Y':
            return fileops::ReplaceAnswer::Yes;
        case 'a':
        case 'A':
            return fileops::ReplaceAnswer::YesToAll;
        case 'n':
        case 'N':
            return fileops::ReplaceAnswer::No;
        case 'c':
        case 'C':
            return fileops::ReplaceAnswer::Cancel;
        default:
            break;
        }
    }
}

void PrintResult(const std::string& file, fileops::ItemStatus status, const std::string& error)
{
    switch (status) {
    case fileops::ItemStatus::Done:
        std::printf("%s: ok\n", file.c_str());
        break;
    case fileops::ItemStatus::Failed:
        std::printf("%s: failed: %s\n", file.c_str(), error.c_str());
        break;
    default:
        std::printf("%s: skipped\n", file.c_str());
        if (!error.empty())
            std::fprintf(stderr, "%s: %s\n", file.c_str(), error.c_str());
        break;
    }
}

int RunRename(const std::vector<std::string>& files)
{
    if (files.size() != 2)
        return UsageOf("files");
    std::string error;
    const bool ok = fileops::RenameFile(files[0], files[1], error);
    PrintResult(files[0], ok ? fileops::ItemStatus::Done : fileops::ItemStatus::Failed, error);
    return ok ? 0 : 1;
}

} // namespace

int RunFiles(const std::vector<std::string>& args)
{
    if (args.empty())
        return UsageOf("files");
    std::string replace = "no";
    std::vector<std::string> files;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--replace" && i + 1 < args.size())
            replace = args[++i];
        else if (args[i].rfind("--replace=", 0) == 0)
            replace = args[i].substr(10);
        else
            files.push_back(args[i]);
    }
    if (replace != "yes" && replace != "no" && replace != "ask")
        return UsageOf("files");
    if (args[0] == "rename")
        return replace == "no" ? RunRename(files) : UsageOf("files"); // a rename never replaces a file
    fileops::Operation op;
    if (!ParseOperation(args[0], op))
        return UsageOf("files");
    std::string destination;
    if (op == fileops::Operation::Copy || op == fileops::Operation::Move) {
        if (files.size() < 2)
            return UsageOf("files");
        destination = files.back();
        files.pop_back();
    }
    if (files.empty())
        return UsageOf("files");
    fileops::BatchCallbacks callbacks;
    if (replace == "yes")
        callbacks.askReplace = [](const std::string&, const std::string&) { return fileops::ReplaceAnswer::YesToAll; };
    else if (replace == "ask")
        callbacks.askReplace = [](const std::string&, const std::string& target) { return AskOnTerminal(target); };
    const auto results = fileops::RunBatch(op, files, destination, callbacks);
    for (const auto& item : results)
        PrintResult(item.source, item.status, item.error);
    return fileops::AllDone(results) ? 0 : 1;
}

} // namespace voviro_tool
