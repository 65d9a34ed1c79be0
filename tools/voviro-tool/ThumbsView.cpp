#include "tools/voviro-tool/ThumbsView.h"

#ifdef VOVIRO_TOOL_WITH_QT
#include <QFile>
#include <QFont>

#include "catalogue/CellLayout.h"
#include "catalogue/ui/MakeThumbnailCanvas.h"
#include "tools/voviro-tool/QtApp.h"
#endif

namespace voviro_tool {

#ifdef VOVIRO_TOOL_WITH_QT

bool CellDrawingAvailable()
{
    return true;
}

bool SaveCellPng(
    const std::string& path, const catalogue::TImageCache& record, const imaging::Bitmap* thumbnail, int viewType)
{
    EnsureQtApp();
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
