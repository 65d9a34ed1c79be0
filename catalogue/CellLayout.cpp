#include "catalogue/CellLayout.h"

#include <algorithm>
#include <cmath>

namespace catalogue {

std::optional<TCellSize> CellSizeOf(int viewType)
{
    switch (viewType) {
    case kViewSmall:
        return TCellSize { 64, 62 };
    case kViewMedium:
        return TCellSize { 103, 94 };
    case kViewLarge:
        return TCellSize { 155, 141 };
    case kViewShooting:
        return TCellSize { 154, 220 };
    default:
        return std::nullopt;
    }
}

std::optional<TCellLayout> CellLayoutOf(int viewType)
{
    switch (viewType) {
    case kViewSmall:
        return TCellLayout { 56, 38, 2, 2, 42 };
    case kViewMedium:
        return TCellLayout { 91, 65, 4, 3, 73 };
    case kViewLarge:
        return TCellLayout { 146, 113, 3, 2, 121 };
    case kViewShooting:
        return TCellLayout { 135, 93, 10, 8, 198 };
    default:
        return std::nullopt;
    }
}

int RoundHalfEven(double value)
{
    // The default floating-point rounding mode rounds halves to even.
    return static_cast<int>(std::nearbyint(value));
}

imaging::Rect CenterInBox(int width, int height, int x, int y, int boxWidth, int boxHeight)
{
    imaging::Rect r;
    if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0)
        return imaging::Rect { x, y, x, y };
    const double sh = static_cast<double>(height) / boxHeight;
    const double sw = static_cast<double>(width) / boxWidth;
    if (sh >= sw) {
        const double half = (width / sh) / 2;
        r.top = y;
        r.bottom = y + boxHeight;
        r.left = x + RoundHalfEven(boxWidth / 2.0 - half);
        r.right = x + RoundHalfEven(half + boxWidth / 2.0);
    } else {
        const double half = (height / sw) / 2;
        r.left = x;
        r.right = x + boxWidth;
        r.top = y + RoundHalfEven(boxHeight / 2.0 - half);
        r.bottom = y + RoundHalfEven(half + boxHeight / 2.0);
    }
    return r;
}

imaging::Rect EmptyThumbnailSquare(const TCellLayout& layout, int boxLeft, int boxTop)
{
    const double middle = layout.boxWidth / 2.0;
    const double half = layout.boxHeight / 2.0;
    return imaging::Rect { boxLeft + RoundHalfEven(middle - half), boxTop, boxLeft + RoundHalfEven(middle + half),
        boxTop + layout.boxHeight };
}

int NameTextLeft(const TCellLayout& layout, int boxLeft, int nameBoxLeft, int nameBoxWidth, int textWidth)
{
    if (textWidth < nameBoxWidth)
        return RoundHalfEven(boxLeft + layout.boxWidth / 2.0 - textWidth / 2.0);
    return nameBoxLeft;
}

TGridShape GridShapeOf(int gridWidth, int cellWidth, int count)
{
    TGridShape shape;
    if (cellWidth > 0 && gridWidth - 20 > 0)
        shape.cols = std::max(1, (gridWidth - 20) / cellWidth);
    shape.rows = std::max(1, (std::max(count, 0) + shape.cols - 1) / shape.cols);
    return shape;
}

std::optional<int> ZoomMarkerOffset(double position, double range)
{
    if (position == -1 || range == 0)
        return std::nullopt;
    return RoundHalfEven(58.0 / range * position);
}

} // namespace catalogue
