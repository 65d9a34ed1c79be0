#pragma once
// The application object that Qt text drawing needs, created on first use
// on the offscreen platform (the tool never needs a display). Qt build only.
#ifdef VOVIRO_TOOL_WITH_QT
namespace voviro_tool {
void EnsureQtApp();
} // namespace voviro_tool
#endif
