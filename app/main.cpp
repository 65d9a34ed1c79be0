// Program entry: the application object, the main window, the message loop.
// A picture or folder given on the command line is opened once the window shows.
#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "app/FolderTree.h"
#include "app/MainForm.h"
#include "app/PathText.h"
#include "app/SignalClose.h"

namespace {

// For looking at the window under a virtual display: VOVIRO_SCREENSHOT=FILE.png
// saves the whole screen after VOVIRO_SCREENSHOT_DELAY milliseconds and closes.
void ScheduleScreenshot(TForm1& form)
{
    const char* file = std::getenv("VOVIRO_SCREENSHOT");
    if (!file || !*file)
        return;
    const char* delay = std::getenv("VOVIRO_SCREENSHOT_DELAY");
    const QString path = QString::fromLocal8Bit(file);
    QTimer::singleShot(delay ? std::atoi(delay) : 3000, &form, [&form, path] {
        QGuiApplication::primaryScreen()->grabWindow(0).save(path);
        form.close();
    });
}

// The path to open at the start, as the file system's bytes: the first
// argument, else VOVIRO_OPEN_FILE; relative paths are taken from the working folder.
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

// A folder lists; a file lists its folder and opens in the picture view.
void ScheduleOpenPath(TForm1& form, const std::string& path)
{
    if (path.empty())
        return;
    QTimer::singleShot(0, &form, [&form, path] {
        struct stat st = {};
        if (stat(path.c_str(), &st) != 0)
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
    });
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Voviro");
    QGuiApplication::setDesktopFileName("voviro");
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/voviro.svg")));
    // Installed before the window exists, so that no signal finds the default action.
    TSignalClose signalClose;
    TForm1 form;
    signalClose.OnSignal = [&form](int) {
        // Closing writes the settings; leaving the loop destroys the window, which deletes the cache file.
        form.close();
        QCoreApplication::quit();
    };
    form.show();
    ScheduleOpenPath(form, StartPath(argc, argv));
    ScheduleScreenshot(form);
    return QApplication::exec();
}
