// Program entry: the application object, the main window, the message loop.
// A picture or folder given on the command line is opened once the window shows.
#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdlib>

#include "app/MainForm.h"
#include "app/SignalClose.h"
#include "app/StartPath.h"

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
    QTimer::singleShot(0, &form, [&form, path = StartPath(argc, argv)] { OpenStartPath(form, path); });
    ScheduleScreenshot(form);
    return QApplication::exec();
}
