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
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Voviro");
    TForm1 form;
    form.show();
    ScheduleScreenshot(form);
    return QApplication::exec();
}
