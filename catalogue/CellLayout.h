#pragma once
// The geometry of the thumbnail grid: the cell size of each view type, where
// the thumbnail box and the name sit in a cell, the fit of a thumbnail into
// its box, the grid's column and row counts, and the zoom-bar marker.

#include <optional>

#include "imaging/ImageIO.h"

namespace catalogue {

// View types (ViewType, stored as ThumbnailType).
enum ViewTypeCode : int {
    kViewList = 0,
    kViewLarge = 3,
    kViewMedium = 4,
    kViewSmall = 5,
    kViewShooting = 9,
};

struct TCellSize {
    int width = 0;
    int height = 0;
};

// Offsets inside a cell's inner rectangle (the cell inset by 2 on every side).
struct TCellLayout {
    int boxWidth = 0;
    int boxHeight = 0;
    int boxTop = 0; // thumbnail box top below the inner top
    int margin = 0; // box and name left of the inner left (and name right of the inner right)
    int nameTop = 0; // name text top below the inner top
};

// The cell size of a grid view type; none for the list and unknown codes.
std::optional<TCellSize> CellSizeOf(int viewType);
std::optional<TCellLayout> CellLayoutOf(int viewType);

// Nearest integer, halves to the even neighbour.
int RoundHalfEven(double value);

// Fits a W × H picture centred into the BW × BH box at (x, y), enlarging
// small pictures; the box is touched on two opposite sides.
imaging::Rect CenterInBox(int width, int height, int x, int y, int boxWidth, int boxHeight);

// The empty-thumbnail square: side = box height, centred across the box.
imaging::Rect EmptyThumbnailSquare(const TCellLayout& layout, int boxLeft, int boxTop);

// The left edge of a name of textWidth pixels in a cell whose thumbnail box
// starts at boxLeft: centred on the box when it fits the name box, else at its left.
int NameTextLeft(const TCellLayout& layout, int boxLeft, int nameBoxLeft, int nameBoxWidth, int textWidth);

struct TGridShape {
    int cols = 1;
    int rows = 1;
};
// Columns = floor((grid width − 20) / cell width), at least 1; rows enough for all records, at least 1.
TGridShape GridShapeOf(int gridWidth, int cellWidth, int count);

// The zoom-bar marker's offset from the bar's left end (0..58), none when no bar is drawn.
std::optional<int> ZoomMarkerOffset(double position, double range);

} // namespace catalogue
