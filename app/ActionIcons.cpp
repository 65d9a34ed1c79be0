#include "app/ActionIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kSize = 20;

const QColor kInk(40, 60, 110);
const QColor kFolder(230, 180, 60);
const QColor kPaper(250, 250, 250);

// A curved arrow around the centre, turning clockwise or counter-clockwise.
void TurnArrow(QPainter& p, bool clockwise)
{
    const QRectF arc(4, 4, 12, 12);
    p.setPen(QPen(kInk, 2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(arc, clockwise ? 200 * 16 : -20 * 16, clockwise ? -250 * 16 : 250 * 16);
    // The arrow head at the end of the arc.
    QPainterPath head;
    if (clockwise) {
        head.moveTo(16, 3);
        head.lineTo(17, 10);
        head.lineTo(11, 7);
    } else {
        head.moveTo(4, 3);
        head.lineTo(3, 10);
        head.lineTo(9, 7);
    }
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawPath(head);
}

void FolderShape(QPainter& p, const QRectF& r)
{
    QPainterPath path;
    path.moveTo(r.left(), r.top() + 2);
    path.lineTo(r.left() + r.width() * 0.4, r.top() + 2);
    path.lineTo(r.left() + r.width() * 0.5, r.top() + 4);
    path.lineTo(r.right(), r.top() + 4);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(QPen(kFolder.darker(150), 1));
    p.setBrush(kFolder);
    p.drawPath(path);
}

void Triangle(QPainter& p, QPointF a, QPointF b, QPointF c, const QColor& colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF({ a, b, c }));
}

void Draw(QPainter& p, TActionIcon kind)
{
    switch (kind) {
    case TActionIcon::Back:
        Triangle(p, { 3, 10 }, { 11, 3 }, { 11, 17 }, kInk);
        p.fillRect(QRectF(10, 7.5, 7, 5), kInk);
        break;
    case TActionIcon::ViewType:
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 2; ++x)
                p.fillRect(QRectF(3 + x * 8, 3 + y * 8, 6, 6), kInk);
        break;
    case TActionIcon::FolderView:
        FolderShape(p, QRectF(2, 3, 16, 13));
        break;
    case TActionIcon::InfoView:
        p.setPen(QPen(kInk, 1));
        p.setBrush(kPaper);
        p.drawRect(QRectF(3.5, 2.5, 13, 15));
        for (int i = 0; i < 4; ++i)
            p.drawLine(QPointF(6, 6 + i * 3), QPointF(14, 6 + i * 3));
        break;
    case TActionIcon::NewFolder:
        FolderShape(p, QRectF(2, 5, 14, 12));
        p.setPen(QPen(QColor(30, 140, 30), 2));
        p.drawLine(QPointF(15, 1), QPointF(15, 9));
        p.drawLine(QPointF(11, 5), QPointF(19, 5));
        break;
    case TActionIcon::Mirror:
        Triangle(p, { 2, 10 }, { 8, 4 }, { 8, 16 }, kInk);
        Triangle(p, { 18, 10 }, { 12, 4 }, { 12, 16 }, kInk.lighter(170));
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawLine(QPointF(10, 2), QPointF(10, 18));
        break;
    case TActionIcon::Flip:
        Triangle(p, { 10, 2 }, { 4, 8 }, { 16, 8 }, kInk);
        Triangle(p, { 10, 18 }, { 4, 12 }, { 16, 12 }, kInk.lighter(170));
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawLine(QPointF(2, 10), QPointF(18, 10));
        break;
    case TActionIcon::RotateLeft:
        TurnArrow(p, false);
        break;
    case TActionIcon::RotateRight:
        TurnArrow(p, true);
        break;
    case TActionIcon::Lossless:
        TurnArrow(p, true);
        p.setPen(QPen(QColor(170, 30, 30), 1));
        p.setFont(QFont(p.font().family(), 5, QFont::Bold));
        p.drawText(QRectF(0, 11, 20, 9), Qt::AlignCenter, QStringLiteral("JPG"));
        break;
    case TActionIcon::Marker:
        p.setPen(QPen(kInk, 1));
        p.setBrush(kPaper);
        p.drawRect(QRectF(2.5, 2.5, 12, 15));
        p.setPen(QPen(QColor(170, 30, 30), 2));
        p.drawLine(QPointF(9, 16), QPointF(18, 6));
        break;
    case TActionIcon::Refresh: {
        p.setPen(QPen(QColor(30, 140, 30), 2));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(4, 4, 12, 12), 90 * 16, 270 * 16);
        Triangle(p, { 10, 1 }, { 15, 4 }, { 10, 8 }, QColor(30, 140, 30));
        break;
    }
    case TActionIcon::Fit:
        p.setPen(QPen(kInk, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(3, 3, 14, 14));
        Triangle(p, { 5, 5 }, { 10, 5 }, { 5, 10 }, kInk);
        Triangle(p, { 15, 15 }, { 10, 15 }, { 15, 10 }, kInk);
        break;
    case TActionIcon::ActualSize:
        p.setPen(QPen(kInk, 1));
        p.setFont(QFont(p.font().family(), 6, QFont::Bold));
        p.drawText(QRectF(0, 0, 20, 20), Qt::AlignCenter, QStringLiteral("1:1"));
        break;
    case TActionIcon::Previous:
        Triangle(p, { 4, 10 }, { 15, 3 }, { 15, 17 }, kInk);
        break;
    case TActionIcon::Next:
        Triangle(p, { 16, 10 }, { 5, 3 }, { 5, 17 }, kInk);
        break;
    case TActionIcon::Check:
        p.setPen(QPen(QColor(200, 30, 30), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({ QPointF(4, 10), QPointF(8, 15), QPointF(16, 4) }));
        break;
    case TActionIcon::Copy:
        p.setPen(QPen(kInk, 1));
        p.setBrush(kPaper);
        p.drawRect(QRectF(2.5, 2.5, 10, 12));
        p.drawRect(QRectF(7.5, 5.5, 10, 12));
        break;
    }
}

} // namespace

QIcon ActionIcon(TActionIcon kind)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    Draw(painter, kind);
    painter.end();
    return QIcon(pixmap);
}
