#include "analysis/ui/QtChartCanvas.h"

#include <QFontMetrics>

namespace {

QColor ToQColor(analysis::TColour c)
{
    return QColor(c.R, c.G, c.B);
}

} // namespace

QtChartCanvas::QtChartCanvas(QImage& image)
    : image_(image)
    , painter_(&image)
{
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

void QtChartCanvas::SetPen(analysis::TColour colour, int width, analysis::TPenStyle style)
{
    pen_ = ToQColor(colour);
    penWidth_ = std::max(1, width);
    penStyle_ = style;
}

void QtChartCanvas::SetPenMode(analysis::TPenMode mode)
{
    mode_ = mode;
}

void QtChartCanvas::MoveTo(int x, int y)
{
    at_ = QPoint(x, y);
}

void QtChartCanvas::LineTo(int x, int y)
{
    const QPoint to(x, y);
    painter_.setCompositionMode(mode_ == analysis::TPenMode::Merge ? QPainter::RasterOp_SourceOrDestination
                                                                   : QPainter::CompositionMode_SourceOver);
    const bool thin = penWidth_ == 1 && penStyle_ == analysis::TPenStyle::Solid;
    if (thin && (at_.x() == x || at_.y() == y)) {
        // Straight thin lines as rectangles, end point left out: the
        // histogram's columns are many of these.
        const QRect line = QRect(at_, to).normalized();
        QRect span
            = at_.x() == x ? QRect(x, line.top(), 1, line.height() - 1) : QRect(line.left(), y, line.width() - 1, 1);
        if (at_.x() == x && at_.y() > y)
            span.translate(0, 1);
        if (at_.y() == y && at_.x() > x)
            span.translate(1, 0);
        if (!span.isEmpty())
            painter_.fillRect(span, pen_);
    } else if (at_ != to) {
        QPen pen(
            pen_, penWidth_ == 1 ? 0 : penWidth_, penStyle_ == analysis::TPenStyle::Dot ? Qt::DotLine : Qt::SolidLine);
        pen.setCapStyle(Qt::FlatCap);
        painter_.setPen(pen);
        painter_.drawLine(at_, to);
    }
    at_ = to;
}

void QtChartCanvas::FillRect(int left, int top, int right, int bottom, analysis::TColour colour)
{
    if (right <= left || bottom <= top)
        return;
    if (right - left <= 4 && bottom - top <= 4 && image_.format() == QImage::Format_RGB32) {
        // The colour charts draw tens of thousands of tiny dots: straight into the pixels.
        const QRgb value = qRgb(colour.R, colour.G, colour.B);
        const QRect box = QRect(left, top, right - left, bottom - top).intersected(image_.rect());
        for (int y = box.top(); y <= box.bottom(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
            for (int x = box.left(); x <= box.right(); ++x)
                row[x] = value;
        }
        return;
    }
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_.fillRect(QRect(left, top, right - left, bottom - top), ToQColor(colour));
}

void QtChartCanvas::Ellipse(int left, int top, int right, int bottom, analysis::TColour fill)
{
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_.setPen(QPen(pen_, penWidth_ == 1 ? 0 : penWidth_));
    painter_.setBrush(ToQColor(fill));
    painter_.drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
    painter_.setBrush(Qt::NoBrush);
}

QFont QtChartCanvas::FontOf(int pointSize) const
{
    QFont font = painter_.font();
    font.setPointSize(pointSize);
    return font;
}

void QtChartCanvas::TextOut(int x, int y, const std::string& text, int pointSize, analysis::TColour colour)
{
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_.setFont(FontOf(pointSize));
    painter_.setPen(ToQColor(colour));
    const QFontMetrics metrics(painter_.font(), &image_);
    painter_.drawText(QPoint(x, y + metrics.ascent()), QString::fromStdString(text));
}

int QtChartCanvas::TextWidth(const std::string& text, int pointSize)
{
    return QFontMetrics(FontOf(pointSize), &image_).horizontalAdvance(QString::fromStdString(text));
}

int QtChartCanvas::TextHeight(int pointSize)
{
    return QFontMetrics(FontOf(pointSize), &image_).height();
}

QImage NewChartImage(int width, int height)
{
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}
