#include "app/StartPath.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "app/FolderTree.h"
#include "app/MainForm.h"

std::string StartPath(int argc, char** argv)
{
    std::string path;
    for (int i = 1; i < argc && path.empty(); ++i)
        if (argv[i][0] != '\0' && argv[i][0] != '-')
            path = argv[i];
    if (path.empty())
        if (const char* env = std::getenv("VOVIRO_OPEN_FILE"))
            path = env;
    if (!path.empty() && path[0] != '/') {
        if (char* cwd = getcwd(nullptr, 0)) {
            path = std::string(cwd) + "/" + path;
            std::free(cwd);
        }
    }
    return path;
}

void OpenStartPath(TForm1& form, const std::string& path)
{
    struct stat st = {};
    if (path.empty() || stat(path.c_str(), &st) != 0)
        return;
    if (S_ISDIR(st.st_mode)) {
        form.PTShellTree1->SelectNativePath(path);
        form.FolderOpen(path, false);
        return;
    }
    const std::string folder = path.substr(0, path.find_last_of('/') + 1);
    form.PTShellTree1->SelectNativePath(folder);
    form.FolderOpen(folder, false);
    const int index = form.IndexOfFile(path);
    form.SelectFile(index);
    if (index >= 0)
        form.Open1Click(&form);
}
