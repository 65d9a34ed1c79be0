#include "app/ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

QRect FitIntoScreens(const QRect& rect, const QList<QRect>& available)
{
    if (available.isEmpty())
        return rect;
    const QRect* best = &available.front();
    long long bestArea = -1;
    for (const QRect& area : available) {
        if (area.contains(rect))
            return rect;
        const QRect overlap = area.intersected(rect);
        const long long size = overlap.isEmpty() ? 0 : static_cast<long long>(overlap.width()) * overlap.height();
        if (size > bestArea) {
            bestArea = size;
            best = &area;
        }
    }
    QRect fitted(rect.topLeft(), rect.size().boundedTo(best->size()));
    fitted.moveLeft(std::clamp(fitted.left(), best->left(), best->right() - fitted.width() + 1));
    fitted.moveTop(std::clamp(fitted.top(), best->top(), best->bottom() - fitted.height() + 1));
    return fitted;
}

QList<QRect> AvailableScreenAreas()
{
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    return areas;
}
