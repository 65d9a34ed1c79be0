#pragma once
// The one QApplication of a UI test program, created on first use (offscreen),
// and the base of tests that start the main window.
#include <gtest/gtest.h>

#include "support/TestSupport.h"

#include <QString>
#include <Qt>
#include <string>
#include <vector>

#include "app/CurrentFileView.h"

class QApplication;
class QWidget;
class TForm1;

namespace uitest {
QApplication& EnsureApp();

// Sends a key press and its release to a widget, as typing it would.
void TypeKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {},
    bool autoRepeat = false);

// Runs the event loop until the window's thumbnail maker has finished (at most 10 s).
void WaitForThumbnails(TForm1& form);

// A panel stand-in that writes down what the window tells it: the file name
// (empty for "no file") of each change and of each opened picture.
class RecordingView : public ICurrentFileView {
public:
    void CurrentFileChanged(const TCurrentFile& file) override;
    void PictureOpened(const TCurrentFile& file, const imaging::Bitmap& source) override;
    std::string Last() const { return changes.empty() ? std::string("(none)") : changes.back(); }

    std::vector<std::string> changes;
    std::vector<std::string> opened;
    int openedWidth = 0;
};

// Opens a folder in the window and serves events until its thumbnail maker has
// ended (at most ten seconds), so the records hold what the maker found.
void OpenFolderAndWait(TForm1& form, const std::string& folder);

// The window keeps its settings in a fresh temporary folder for each test.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    testsupport::TempDir settings;
};
} // namespace uitest
