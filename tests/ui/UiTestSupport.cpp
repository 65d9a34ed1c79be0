#include "ui/UiTestSupport.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <chrono>
#include <cstdlib>

#include "app/MainForm.h"

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

void OpenFolderAndWait(TForm1& form, const std::string& folder)
{
    form.FolderOpen(QString::fromStdString(folder), false);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (form.ThumbnailMakerRunning() && std::chrono::steady_clock::now() < end)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
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

namespace {
std::string NameOf(const TCurrentFile& file)
{
    return file.Index < 0 || !file.Record ? std::string() : file.Record->FileName;
}
} // namespace

void RecordingView::CurrentFileChanged(const TCurrentFile& file)
{
    changes.push_back(NameOf(file));
}

void RecordingView::PictureOpened(const TCurrentFile& file, const imaging::Bitmap& source)
{
    opened.push_back(NameOf(file));
    openedWidth = source.Width();
}

} // namespace uitest
