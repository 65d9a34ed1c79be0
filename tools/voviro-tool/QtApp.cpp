#include "tools/voviro-tool/QtApp.h"

#ifdef VOVIRO_TOOL_WITH_QT
#include <QGuiApplication>
#include <cstdlib>
#include <memory>

namespace voviro_tool {

void EnsureQtApp()
{
    static int argc = 1;
    static char name[] = "voviro-tool";
    static char* argv[] = { name, nullptr };
    static std::unique_ptr<QGuiApplication> app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        return std::make_unique<QGuiApplication>(argc, argv);
    }();
}

} // namespace voviro_tool
#endif
