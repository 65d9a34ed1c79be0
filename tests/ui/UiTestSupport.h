#pragma once
// The one QApplication of a UI test program, created on first use (offscreen),
// and the base of tests that start the main window.
#include <gtest/gtest.h>

#include "support/TestSupport.h"

class QApplication;

namespace uitest {
QApplication& EnsureApp();

// The window keeps its settings in a fresh temporary folder for each test.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    testsupport::TempDir settings;
};
} // namespace uitest
