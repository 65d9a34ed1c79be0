#pragma once
// The one QApplication of a UI test program, created on first use (offscreen),
// and the base of tests that start the main window.
#include <gtest/gtest.h>

#include "support/TestSupport.h"

#include <QString>
#include <Qt>

class QApplication;
class QWidget;

namespace uitest {
QApplication& EnsureApp();

// Sends a key press and its release to a widget, as typing it would.
void TypeKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {},
    bool autoRepeat = false);

// The window keeps its settings in a fresh temporary folder for each test.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    testsupport::TempDir settings;
};
} // namespace uitest
