#include "catalogue/ui/MakeThumbnailCanvas.h"

#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include "catalogue/CellCaption.h"
#include "catalogue/CellLayout.h"
#include "platform/PathName.h"
#include "platform/TextCodec.h"

namespace {

const QColor kUnchecked(239, 239, 239);
const QColor kChecked(255, 209, 134);
const QColor kLightShadow(170, 170, 170);
const QColor kDarkShadow(85, 85, 85);
const QColor kEmptyFrame(128, 128, 128);
const QColor kSelected(255, 0, 0);
const QColor kZoomLine(128, 128, 128);
const QColor kZoomMarker(0, 128, 0);

QRect ToQRect(const imaging::Rect& r)
{
    return QRect(r.left, r.top, r.Width(), r.Height());
}

// A line from a to b whose end point is not painted (a and b share x or y).
void LineTo(QPainter& p, QPoint a, QPoint b)
{
    const QPoint step((b.x() > a.x()) - (b.x() < a.x()), (b.y() > a.y()) - (b.y() < a.y()));
    if (a == b)
        return;
    p.drawLine(a, b - step);
}

// A one-pixel frame just inside r (right and bottom exclusive).
void Frame(QPainter& p, const QRect& r, const QColor& colour)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    p.save();
    p.setPen(colour);
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.restore();
}

// A QImage over the bitmap's own pixels (no copy); valid while the bitmap lives.
QImage BitmapImage(const imaging::Bitmap& bitmap)
{
    if (bitmap.Empty())
        return QImage();
    const QImage::Format format = bitmap.BitsPerPixel() == 32 ? QImage::Format_RGB32 : QImage::Format_BGR888;
    return QImage(bitmap.Data(), bitmap.Width(), bitmap.Height(), bitmap.Stride(), format);
}

} // namespace

QImage ComposeThumbnailCell(int width, int height, const imaging::Bitmap* thumbnail, int style, int viewType,
    bool selected, const catalogue::TImageCache& record, const QFont& font)
{
    const auto layout = catalogue::CellLayoutOf(viewType);
    if (!layout || width <= 4 || height <= 4)
        return QImage();
    QImage cell(width, height, QImage::Format_RGB32);
    cell.fill(Qt::white);
    QPainter p(&cell);
    p.setFont(font);
    const QRect inner(2, 2, width - 4, height - 4);
    // Right and bottom edges as the drawing steps count them (exclusive).
    const int right = inner.left() + inner.width(), bottom = inner.top() + inner.height();
    p.fillRect(inner, record.Checked ? kChecked : kUnchecked);

    const bool standard = style != kThumbStyleFlat;
    QPen currentPen(Qt::black);
    if (standard) {
        p.setPen(kLightShadow);
        LineTo(p, { right - 1, inner.top() }, { right - 1, bottom - 1 });
        LineTo(p, { right - 1, bottom - 1 }, { inner.left(), bottom - 1 });
        currentPen = QPen(kDarkShadow);
        p.setPen(currentPen);
        LineTo(p, { right, inner.top() + 1 }, { right, bottom });
        LineTo(p, { right, bottom }, { inner.left() + 1, bottom });
    }

    const int boxLeft = inner.left() + layout->margin, boxTop = inner.top() + layout->boxTop;
    if (!thumbnail || thumbnail->Empty()) {
        const imaging::Rect square = catalogue::EmptyThumbnailSquare(*layout, boxLeft, boxTop);
        Frame(p, ToQRect(square), kEmptyFrame);
        p.setPen(currentPen);
        LineTo(p, { square.left, square.top }, { square.right, square.bottom });
    } else {
        const imaging::Rect fit = catalogue::CenterInBox(
            thumbnail->Width(), thumbnail->Height(), boxLeft, boxTop, layout->boxWidth, layout->boxHeight);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(ToQRect(fit), BitmapImage(*thumbnail));
        if (selected)
            Frame(p, ToQRect(fit).adjusted(-2, -2, 2, 2), kSelected);
    }

    // The name, centred on the box when it fits, else from the name box's left, clipped to it.
    p.setPen(selected ? kSelected : QColor(0, 0, 0));
    const QRect nameBox(inner.left() + layout->margin, inner.top() + layout->nameTop,
        right - layout->margin - (inner.left() + layout->margin), bottom - (inner.top() + layout->nameTop));
    const QString name = QString::fromStdString(platform::DecodeText(platform::FileNameOf(record.FileName)));
    const int textWidth = QFontMetrics(font).horizontalAdvance(name);
    const int x = catalogue::NameTextLeft(*layout, boxLeft, nameBox.left(), nameBox.width(), textWidth);
    p.save();
    p.setClipRect(nameBox);
    p.drawText(QRect(x, nameBox.top(), std::max(textWidth, nameBox.width()) + 4, nameBox.height()),
        Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, name);
    p.restore();

    if (viewType == catalogue::kViewShooting) {
        if (const auto lines = catalogue::ShootingCaptionLines(record)) {
            const int lineHeight = QFontMetrics(font).height();
            for (const catalogue::TCaptionLine& line : *lines)
                p.drawText(QRect(catalogue::kCaptionLeft, line.y, width - catalogue::kCaptionLeft, lineHeight),
                    Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, QString::fromUtf8(line.text));
            if (const auto g = catalogue::ZoomBarOffset(*record.Exif)) {
                p.fillRect(QRect(77, 183, 135 - 77, 1), kZoomLine);
                p.fillRect(QRect(77 + *g, 181, 5, 6), kZoomMarker);
            }
        }
    }
    return cell;
}

void DrawThumbnailCell(QPainter& target, const QRect& cell, const imaging::Bitmap* thumbnail, int style, int viewType,
    bool selected, const catalogue::TImageCache& record, const QFont& font)
{
    const QImage image
        = ComposeThumbnailCell(cell.width(), cell.height(), thumbnail, style, viewType, selected, record, font);
    if (!image.isNull())
        target.drawImage(cell.topLeft(), image);
}
