#pragma once
// Where a zoomed picture sits in a scrolling view: the fit zoom, the scroll
// ranges, centring of a picture smaller than the view, mapping between view
// and picture coordinates, zooming about a view point, and the part of the
// picture a view rectangle shows. Plain arithmetic so it can be tested apart
// from any widget.

namespace imaging {

// Largest zoom the view accepts, and the largest zoomed picture edge in view
// pixels (keeps scroll ranges far inside int).
inline constexpr double kMaxZoomPercent = 100000.0;
inline constexpr double kMaxZoomedExtent = 1 << 28;

// The smaller of viewWidth × 100 / pictureWidth and viewHeight × 100 /
// pictureHeight, each truncated. Small pictures are enlarged. 0 when the
// picture or the view has no area (the caller then leaves the zoom alone).
int FitZoom(int pictureWidth, int pictureHeight, int viewWidth, int viewHeight);

// One mouse-wheel step from zoom z (percent): up to 200 % in steps of 15,
// above 200 % by a factor of 1.2, rounded to an integer with halves to even.
// The result may be 0 or negative; such a step is to be ignored.
double WheelZoomStep(double zoom, int wheelDelta);

// Next click-zoom step in (or out) from `zoom` on a ladder of round factors.
double ClickZoomStep(double zoom, bool zoomIn);

// A zoom limited to what the view accepts for a picture of this size
// (0 stays 0: no picture, nothing to limit).
double ClampZoom(double zoom, int pictureWidth, int pictureHeight);

struct PointF {
    double x = 0;
    double y = 0;
};

struct RectF {
    double left = 0, top = 0, right = 0, bottom = 0;
    double Width() const { return right - left; }
    double Height() const { return bottom - top; }
};

struct RectI {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
};

// The part of the picture to draw (whole source pixels) and where it lands
// in the view (fractional at the edges when zoomed).
struct VisiblePart {
    RectI source;
    RectF target;
};

struct ViewGeometry {
    int pictureWidth = 0;
    int pictureHeight = 0;
    int viewWidth = 0;
    int viewHeight = 0;
    double zoom = 100; // percent
    int scrollX = 0;
    int scrollY = 0;

    double Scale() const { return zoom / 100.0; }
    // The zoomed picture's size in view pixels.
    int ContentWidth() const;
    int ContentHeight() const;
    // Scroll positions run from 0 to these (0 when the picture fits that way).
    int MaxScrollX() const;
    int MaxScrollY() const;
    // The picture's top-left corner in view coordinates: centred along an axis
    // where it is smaller than the view, else moved by the scroll position.
    double OriginX() const;
    double OriginY() const;

    PointF ViewToPicture(PointF view) const;
    PointF PictureToView(PointF picture) const;

    void ClampScroll();
    // Sets the zoom and scrolls so that the picture point under `view` stays
    // under it (as far as the scroll range allows).
    void ZoomAbout(double newZoom, PointF view);
    // The source pixels that cover the view rectangle `exposed`, and their
    // place in the view; an empty source when nothing of the picture shows.
    VisiblePart Visible(RectI exposed) const;
};

} // namespace imaging
