#include "catalogue/ui/ThumbnailIcons.h"

#include <QPainter>
#include <QPainterPath>

namespace {

QPixmap Canvas()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A quarter-turn arrow: an open circle with an arrow head at its upper end.
QPixmap RotationMark()
{
    QPixmap pixmap = Canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 80, 200), 2.0, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(QRectF(3, 3, 10, 10), 100 * 16, 270 * 16);
    QPainterPath head;
    head.moveTo(6.5, 0.5);
    head.lineTo(11.0, 3.0);
    head.lineTo(6.5, 6.5);
    head.closeSubpath();
    p.fillPath(head, QColor(0, 80, 200));
    return pixmap;
}

// A small camera: body, lens and flash window.
QPixmap ExifPhoto()
{
    QPixmap pixmap = Canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 1.0));
    p.setBrush(QColor(90, 110, 140));
    p.drawRoundedRect(QRectF(1.5, 4.5, 13, 9), 1.5, 1.5);
    p.drawRect(QRectF(4.5, 2.5, 4, 2));
    p.setBrush(QColor(220, 235, 255));
    p.drawEllipse(QRectF(5, 6, 6, 6));
    p.setBrush(QColor(255, 220, 90));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(11.5, 5.5, 2, 1.5));
    return pixmap;
}

// A padlock: shackle and body.
QPixmap Protected()
{
    QPixmap pixmap = Canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 90, 90), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(4.5, 1.5, 7, 8), 0, 180 * 16);
    p.drawLine(QPointF(4.5, 5.5), QPointF(4.5, 7.5));
    p.drawLine(QPointF(11.5, 5.5), QPointF(11.5, 7.5));
    p.setPen(QPen(QColor(120, 80, 0), 1.0));
    p.setBrush(QColor(230, 180, 40));
    p.drawRoundedRect(QRectF(2.5, 7.5, 11, 7.5), 1.2, 1.2);
    p.setBrush(QColor(80, 50, 0));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(7, 9.5, 2, 2));
    p.drawRect(QRectF(7.5, 11, 1, 2.5));
    return pixmap;
}

} // namespace

const QPixmap& ThumbnailIcon(int index)
{
    static const QPixmap rotation = RotationMark();
    static const QPixmap exif = ExifPhoto();
    static const QPixmap protectedFile = Protected();
    static const QPixmap none;
    switch (index) {
    case kIconRotation:
        return rotation;
    case kIconExifPhoto:
        return exif;
    case kIconProtected:
        return protectedFile;
    default:
        return none;
    }
}

const QPixmap& BlankIcon()
{
    static const QPixmap blank = Canvas();
    return blank;
}
