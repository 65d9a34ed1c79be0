// Program entry: the application object, the main window, the message loop.
#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdlib>

#include "app/MainForm.h"

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

// For looking at the picture view: VOVIRO_OPEN_FILE=PATH lists the file's
// folder and opens the file in the picture view shortly after the start.
void ScheduleOpenFile(TForm1& form)
{
    const char* file = std::getenv("VOVIRO_OPEN_FILE");
    if (!file || !*file)
        return;
    const std::string path = file;
    QTimer::singleShot(500, &form, [&form, path] {
        form.FolderOpen(QString::fromStdString(path.substr(0, path.find_last_of('/') + 1)), false);
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
    TForm1 form;
    form.show();
    ScheduleOpenFile(form);
    ScheduleScreenshot(form);
    return QApplication::exec();
}
