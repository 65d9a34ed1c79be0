#include "imaging/ViewGeometry.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace imaging {

namespace {

// Round factors for click zoom, in percent.
constexpr std::array<double, 29> kClickLadder = { 1, 2, 3, 5, 7, 10, 15, 20, 25, 33, 50, 67, 75, 100, 150, 200, 250,
    300, 400, 500, 600, 800, 1000, 1200, 1600, 2000, 3000, 4000, 5000 };

} // namespace

int FitZoom(int pictureWidth, int pictureHeight, int viewWidth, int viewHeight)
{
    if (pictureWidth <= 0 || pictureHeight <= 0 || viewWidth <= 0 || viewHeight <= 0)
        return 0;
    const long long byWidth = static_cast<long long>(viewWidth) * 100 / pictureWidth;
    const long long byHeight = static_cast<long long>(viewHeight) * 100 / pictureHeight;
    return static_cast<int>(std::min(byWidth, byHeight));
}

double WheelZoomStep(double zoom, int wheelDelta)
{
    if (zoom <= 200)
        return wheelDelta > 0 ? zoom + 15 : zoom - 15;
    // × 6 / 5 rather than × 1.2 keeps exact halves exact, so ties go to even.
    return std::nearbyint(wheelDelta > 0 ? zoom * 6 / 5 : zoom * 5 / 6);
}

double ClickZoomStep(double zoom, bool zoomIn)
{
    if (zoomIn) {
        for (double step : kClickLadder)
            if (step > zoom + 1e-9)
                return step;
        return kClickLadder.back();
    }
    for (auto it = kClickLadder.rbegin(); it != kClickLadder.rend(); ++it)
        if (*it < zoom - 1e-9)
            return *it;
    return kClickLadder.front();
}

double ClampZoom(double zoom, int pictureWidth, int pictureHeight)
{
    const int edge = std::max(pictureWidth, pictureHeight);
    double limit = kMaxZoomPercent;
    if (edge > 0)
        limit = std::min(limit, kMaxZoomedExtent * 100.0 / edge);
    return std::min(zoom, limit);
}

int ViewGeometry::ContentWidth() const
{
    if (pictureWidth <= 0)
        return 0;
    return std::max(1, static_cast<int>(std::lround(pictureWidth * Scale())));
}

int ViewGeometry::ContentHeight() const
{
    if (pictureHeight <= 0)
        return 0;
    return std::max(1, static_cast<int>(std::lround(pictureHeight * Scale())));
}

int ViewGeometry::MaxScrollX() const
{
    return std::max(0, ContentWidth() - viewWidth);
}
int ViewGeometry::MaxScrollY() const
{
    return std::max(0, ContentHeight() - viewHeight);
}

double ViewGeometry::OriginX() const
{
    const int content = ContentWidth();
    if (content < viewWidth)
        return (viewWidth - content) / 2;
    return -scrollX;
}

double ViewGeometry::OriginY() const
{
    const int content = ContentHeight();
    if (content < viewHeight)
        return (viewHeight - content) / 2;
    return -scrollY;
}

PointF ViewGeometry::ViewToPicture(PointF view) const
{
    const double s = Scale();
    return { (view.x - OriginX()) / s, (view.y - OriginY()) / s };
}

PointF ViewGeometry::PictureToView(PointF picture) const
{
    const double s = Scale();
    return { OriginX() + picture.x * s, OriginY() + picture.y * s };
}

void ViewGeometry::ClampScroll()
{
    scrollX = std::clamp(scrollX, 0, MaxScrollX());
    scrollY = std::clamp(scrollY, 0, MaxScrollY());
}

void ViewGeometry::ZoomAbout(double newZoom, PointF view)
{
    const PointF anchor = ViewToPicture(view);
    zoom = newZoom;
    const double s = Scale();
    // With the picture scrolled by `scroll`, the anchor lands at anchor × s - scroll.
    scrollX = static_cast<int>(std::lround(anchor.x * s - view.x));
    scrollY = static_cast<int>(std::lround(anchor.y * s - view.y));
    ClampScroll();
}

VisiblePart ViewGeometry::Visible(RectI exposed) const
{
    VisiblePart part;
    if (pictureWidth <= 0 || pictureHeight <= 0 || zoom <= 0)
        return part;
    const double s = Scale();
    const double ox = OriginX();
    const double oy = OriginY();
    const double left = std::max<double>(exposed.left, ox);
    const double top = std::max<double>(exposed.top, oy);
    const double right = std::min<double>(exposed.right, ox + pictureWidth * s);
    const double bottom = std::min<double>(exposed.bottom, oy + pictureHeight * s);
    if (right <= left || bottom <= top)
        return part;
    RectI& src = part.source;
    src.left = std::clamp(static_cast<int>(std::floor((left - ox) / s)), 0, pictureWidth);
    src.top = std::clamp(static_cast<int>(std::floor((top - oy) / s)), 0, pictureHeight);
    src.right = std::clamp(static_cast<int>(std::ceil((right - ox) / s)), 0, pictureWidth);
    src.bottom = std::clamp(static_cast<int>(std::ceil((bottom - oy) / s)), 0, pictureHeight);
    part.target = { ox + src.left * s, oy + src.top * s, ox + src.right * s, oy + src.bottom * s };
    return part;
}

} // namespace imaging
