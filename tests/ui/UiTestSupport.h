#pragma once
// The one QApplication of a UI test program, created on first use (offscreen).
class QApplication;

namespace uitest {
QApplication& EnsureApp();
} // namespace uitest
