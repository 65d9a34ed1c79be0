#include "analysis/ui/HistogramIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <vector>

#include "analysis/Histogram.h"

namespace {

constexpr int kSize = 16;

QColor Hue(int h)
{
    const analysis::TColour c = analysis::HueColour(h);
    return QColor(c.R, c.G, c.B);
}

void Letter(QPainter& p, const QString& text, const QColor& colour, int pixelSize = 11)
{
    QFont font = p.font();
    font.setPixelSize(pixelSize);
    font.setBold(true);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, text);
}

void Bars(QPainter& p, bool smooth)
{
    const int heights[] = { 3, 6, 10, 13, 9, 7, 11, 5 };
    if (smooth) {
        QPainterPath path(QPointF(1, 15));
        for (int i = 0; i < 8; ++i)
            path.lineTo(1.5 + i * 1.9, 15 - heights[i]);
        path.lineTo(15, 15);
        p.fillPath(path, QColor(40, 110, 200));
        return;
    }
    for (int i = 0; i < 8; ++i)
        p.fillRect(1 + i * 2, 15 - heights[i], 1, heights[i], QColor(40, 110, 200));
}

void Panes(QPainter& p, int rows, int columns)
{
    p.setPen(QColor(60, 60, 60));
    const int w = 14 / columns, h = 14 / rows;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const QRect pane(1 + c * w, 1 + r * h, w - 1, h - 1);
            p.fillRect(pane, Qt::black);
            p.fillRect(pane.adjusted(1, pane.height() / 2, -1, 0),
                r + c == 0       ? Qt::red
                    : r + c == 1 ? Qt::green
                                 : Qt::blue);
        }
}

QPixmap Draw(int index)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    switch (index) {
    case H_R:
        Letter(p, "R", QColor(220, 0, 0));
        break;
    case H_G:
        Letter(p, "G", QColor(0, 160, 0));
        break;
    case H_B:
        Letter(p, "B", QColor(0, 0, 220));
        break;
    case H_V:
        Letter(p, "Y", QColor(90, 90, 90));
        break;
    case H_BAR:
        Bars(p, false);
        break;
    case H_SBAR:
        Bars(p, true);
        break;
    case H_LINE: {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(40, 110, 200), 1.5));
        const QPointF points[] = { { 1, 14 }, { 4, 8 }, { 7, 11 }, { 10, 3 }, { 15, 12 } };
        p.drawPolyline(points, 5);
        break;
    }
    case H_ONE:
        Panes(p, 1, 1);
        break;
    case H_M1:
        Panes(p, 3, 1);
        break;
    case H_M2:
        Panes(p, 1, 3);
        break;
    case H_REFRESH: {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(30, 120, 30), 2));
        p.drawArc(QRect(3, 3, 10, 10), 90 * 16, 270 * 16);
        const QPointF head[] = { { 8, 0.5 }, { 12, 3 }, { 8, 5.5 } };
        p.setBrush(QColor(30, 120, 30));
        p.drawPolygon(head, 3);
        break;
    }
    case HSV_H:
        for (int x = 0; x < kSize; ++x)
            p.fillRect(x, 2, 1, 12, Hue(x * 360 / kSize));
        break;
    case HSV_S:
        for (int x = 0; x < kSize; ++x)
            p.fillRect(x, 2, 1, 12, QColor(255, 255 - x * 16, 255 - x * 16));
        break;
    case HSV_V:
        for (int x = 0; x < kSize; ++x)
            p.fillRect(x, 2, 1, 12, QColor(x * 17, x * 17, x * 17));
        break;
    case H_RGB:
    case H_RGB2: {
        p.setRenderHint(QPainter::Antialiasing);
        p.setCompositionMode(QPainter::CompositionMode_Plus);
        p.setPen(Qt::NoPen);
        const int r = index == H_RGB ? 5 : 4;
        p.setBrush(Qt::red);
        p.drawEllipse(QPoint(6, 6), r, r);
        p.setBrush(Qt::green);
        p.drawEllipse(QPoint(10, 6), r, r);
        p.setBrush(Qt::blue);
        p.drawEllipse(QPoint(8, 10), r, r);
        break;
    }
    case H_HSV:
    case H_LAB: {
        p.setRenderHint(QPainter::Antialiasing);
        for (int h = 0; h < 360; h += 30) {
            p.setBrush(Hue(h));
            p.setPen(Qt::NoPen);
            p.drawPie(QRect(1, 1, 14, 14), h * 16, 30 * 16);
        }
        if (index == H_LAB) {
            p.setPen(Qt::black);
            p.drawLine(8, 1, 8, 15);
            p.drawLine(1, 8, 15, 8);
        }
        break;
    }
    case H_COLORSPACE: {
        p.setRenderHint(QPainter::Antialiasing);
        const QPointF triangle[] = { { 8, 1 }, { 15, 14 }, { 1, 14 } };
        QLinearGradient gradient(1, 14, 15, 14);
        gradient.setColorAt(0, Qt::blue);
        gradient.setColorAt(0.5, Qt::green);
        gradient.setColorAt(1, Qt::red);
        p.setBrush(gradient);
        p.setPen(QColor(60, 60, 60));
        p.drawPolygon(triangle, 3);
        break;
    }
    case H_YCC:
        Letter(p, "Y", QColor(120, 60, 0), 12);
        break;
    case H_LUV: {
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath horseshoe(QPointF(6, 15));
        horseshoe.cubicTo(QPointF(-2, 6), QPointF(3, -1), QPointF(8, 2));
        horseshoe.lineTo(QPointF(15, 12));
        horseshoe.closeSubpath();
        QLinearGradient gradient(0, 0, 16, 16);
        gradient.setColorAt(0, Qt::green);
        gradient.setColorAt(0.6, Qt::yellow);
        gradient.setColorAt(1, Qt::red);
        p.setBrush(gradient);
        p.setPen(QColor(60, 60, 60));
        p.drawPath(horseshoe);
        break;
    }
    case H_3DLAB: {
        p.setPen(QColor(60, 60, 60));
        p.drawRect(1, 5, 9, 9);
        p.drawRect(5, 1, 9, 9);
        p.drawLine(1, 5, 5, 1);
        p.drawLine(10, 5, 14, 1);
        p.drawLine(1, 14, 5, 10);
        p.drawLine(10, 14, 14, 10);
        p.fillRect(6, 7, 2, 2, Qt::red);
        p.fillRect(9, 4, 2, 2, Qt::blue);
        p.fillRect(4, 10, 2, 2, Qt::green);
        break;
    }
    default:
        break;
    }
    return pixmap;
}

} // namespace

QIcon HistogramIcon(int index)
{
    static const std::vector<QIcon> icons = [] {
        std::vector<QIcon> all;
        for (int i = 0; i < kHistogramIconCount; ++i)
            all.emplace_back(Draw(i));
        return all;
    }();
    return index >= 0 && index < kHistogramIconCount ? icons[size_t(index)] : QIcon();
}
