#include "ui/UiTestSupport.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <cstdlib>

namespace uitest {

QApplication& EnsureApp()
{
    static int argc = 1;
    static char name[] = "voviro-test";
    static char* argv[] = { name, nullptr };
    static QApplication* app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        return new QApplication(argc, argv);
    }();
    return *app;
}

void WindowTest::SetUp()
{
    EnsureApp();
    setenv("VOVIRO_SETTINGS_DIR", settings.Path().c_str(), 1);
}

void WindowTest::TearDown()
{
    unsetenv("VOVIRO_SETTINGS_DIR");
}

void TypeKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers, const QString& text, bool autoRepeat)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text, autoRepeat);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text, autoRepeat);
    QCoreApplication::sendEvent(target, &release);
}

} // namespace uitest
