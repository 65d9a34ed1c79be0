#include "tools/voviro-tool/ThumbsView.h"

#ifdef VOVIRO_TOOL_WITH_QT
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <cstdlib>
#include <memory>

#include "catalogue/CellLayout.h"
#include "catalogue/ui/MakeThumbnailCanvas.h"
#endif

namespace voviro_tool {

#ifdef VOVIRO_TOOL_WITH_QT

namespace {
// Text drawing needs an application object; the tool never needs a display.
QGuiApplication& App()
{
    static int argc = 1;
    static char name[] = "voviro-tool";
    static char* argv[] = { name, nullptr };
    static std::unique_ptr<QGuiApplication> app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        return std::make_unique<QGuiApplication>(argc, argv);
    }();
    return *app;
}
} // namespace

bool CellDrawingAvailable()
{
    return true;
}

bool SaveCellPng(
    const std::string& path, const catalogue::TImageCache& record, const imaging::Bitmap* thumbnail, int viewType)
{
    App();
    const auto size = catalogue::CellSizeOf(viewType);
    if (!size)
        return false;
    QFont font;
    font.setPixelSize(12);
    const QImage cell = ComposeThumbnailCell(
        size->width, size->height, thumbnail, kThumbStyleStandard, viewType, false, record, font);
    return !cell.isNull() && cell.save(QFile::decodeName(QByteArray::fromStdString(path)), "PNG");
}

#else

bool CellDrawingAvailable()
{
    return false;
}

bool SaveCellPng(const std::string&, const catalogue::TImageCache&, const imaging::Bitmap*, int)
{
    return false;
}

#endif

} // namespace voviro_tool
