// Starting the window over stored settings and surroundings that do not fit:
// a position off every screen, an information pane wider than the window, and
// a temporary folder where no cache file can be made.
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <chrono>
#include <gtest/gtest.h>

#include "app/MainForm.h"
#include "app/ScreenFit.h"
#include "catalogue/ui/CatalogueListModel.h"
#include "catalogue/ui/ResizeDrawGrid.h"
#include "support/TestSupport.h"
#include "ui/UiTestSupport.h"

namespace {

class WindowStartTest : public uitest::WindowTest {
protected:
    void WriteRegistry(const std::string& body) const
    {
        testsupport::WriteFile(settings.Path() / "registry.reg", "REGEDIT4\n\n" + body);
    }
    int32_t Saved(const std::string& key, const std::string& name) const
    {
        const platform::RegistryStore store(settings.Folder() + "registry.reg");
        const auto* v = store.Find(key, name);
        return v && std::holds_alternative<uint32_t>(*v) ? static_cast<int32_t>(std::get<uint32_t>(*v)) : INT32_MIN;
    }
    static std::string Placement(int left, int top, int right, int bottom)
    {
        char text[400];
        std::snprintf(text, sizeof text,
            "[HKEY_CURRENT_USER\\Software\\Zovide\\Main\\Window]\n\"State\"=dword:00000000\n"
            "\"MaxX\"=dword:ffffffff\n\"MaxY\"=dword:ffffffff\n\"MinX\"=dword:ffffffff\n\"MinY\"=dword:ffffffff\n"
            "\"NormalLeft\"=dword:%08x\n\"NormalTop\"=dword:%08x\n\"NormalRight\"=dword:%08x\n"
            "\"NormalBottom\"=dword:%08x\n",
            static_cast<unsigned>(left), static_cast<unsigned>(top), static_cast<unsigned>(right),
            static_cast<unsigned>(bottom));
        return text;
    }
};

} // namespace

TEST(FitIntoScreens, KeepsWhatShowsAndBringsTheRestOnScreen)
{
    const QList<QRect> one { QRect(0, 0, 1600, 1000) };
    const QList<QRect> two { QRect(0, 0, 1600, 1000), QRect(1600, 0, 1280, 1024) };
    const struct {
        const char* name;
        QRect stored;
        QList<QRect> screens;
        QRect expected;
    } cases[] = {
        { "on the screen", QRect(100, 50, 800, 500), one, QRect(100, 50, 800, 500) },
        { "right of the only screen", QRect(5000, 50, 800, 500), one, QRect(800, 50, 800, 500) },
        { "above and left", QRect(-3000, -2000, 800, 500), one, QRect(0, 0, 800, 500) },
        { "half off the bottom", QRect(100, 800, 800, 500), one, QRect(100, 500, 800, 500) },
        { "larger than the screen", QRect(-10, -10, 2000, 1200), one, QRect(0, 0, 1600, 1000) },
        { "on the second screen", QRect(1700, 100, 800, 500), two, QRect(1700, 100, 800, 500) },
        { "mostly on the second screen", QRect(1500, 100, 800, 500), two, QRect(1600, 100, 800, 500) },
        { "no screens known", QRect(5000, 50, 800, 500), {}, QRect(5000, 50, 800, 500) },
    };
    for (const auto& c : cases)
        EXPECT_EQ(FitIntoScreens(c.stored, c.screens), c.expected) << c.name;
}

TEST_F(WindowStartTest, PositionOffEveryScreenOpensOnScreenAndIsSavedSo)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    WriteRegistry(Placement(screen.right() + 4000, 40, screen.right() + 4600, 440));
    {
        TForm1 form;
        form.show();
        QApplication::processEvents();
        EXPECT_TRUE(screen.intersects(form.frameGeometry())) << "the window shows";
        form.close();
    }
    EXPECT_LE(Saved("Main\\Window", "NormalRight"), screen.right() + 1);
    EXPECT_EQ(Saved("Main\\Window", "NormalRight") - Saved("Main\\Window", "NormalLeft"), 600);
}

TEST_F(WindowStartTest, StoredInfoPaneWiderThanTheWindowLeavesTheFileViewRoom)
{
    WriteRegistry(Placement(0, 0, 800, 500)
        + "[HKEY_CURRENT_USER\\Software\\Zovide\\Main\\InfoPanel]\n\"Width\"=dword:00001388\n");
    {
        TForm1 form;
        form.show();
        QApplication::processEvents();
        EXPECT_GE(form.Panel4->width(), 100);
        EXPECT_LE(form.InfoPaneWidth(), 800);
        form.close();
    }
    const int saved = Saved("Main\\InfoPanel", "Width");
    EXPECT_GE(saved, 100);
    EXPECT_LE(saved, 800 - 100);
}

TEST_F(WindowStartTest, FolderIsListedWhenNoCacheFileCanBeMade)
{
    testsupport::TempDir photos;
    for (const char* name : { "a.jpg", "b.png", "c.bmp" })
        testsupport::WriteFile(photos.Path() / name, std::string("x"));
    const testsupport::EnvGuard tmp("TMPDIR", "/nonexistent/voviro-tmp");
    TForm1 form;
    EXPECT_EQ(form.CacheFile, nullptr);
    form.show();
    form.FolderOpen(QString::fromStdString(photos.Folder()), false);
    EXPECT_EQ(form.ListModel->ItemCount(), 3);
    EXPECT_EQ(form.FileCount(), 3);
    EXPECT_EQ(form.StatusBarIn->text(), QStringLiteral(" 3 個のファイル"));
    // The thumbnail maker runs without a cache; the grid still draws.
    uitest::WaitForThumbnails(form);
    form.DrawGrid1->viewport()->repaint();
}
