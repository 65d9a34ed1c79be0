#pragma once
// Drawing one thumbnail cell: background (checked or not), the standard
// style's shadow lines, the thumbnail fitted into its box or the empty
// placeholder, the file name, and in the shooting-data view the caption lines
// and the zoom bar. The cell is composed off screen and then copied.

#include <QImage>
#include <QRect>

#include "catalogue/ImageCache.h"
#include "imaging/Bitmap.h"

class QFont;
class QPainter;

inline constexpr int kThumbStyleStandard = 0;
inline constexpr int kThumbStyleFlat = 1;

// The picture of a cell of width × height; a null image for a view type
// without cells. thumbnail may be null (no thumbnail: the placeholder).
QImage ComposeThumbnailCell(int width, int height, const imaging::Bitmap* thumbnail, int style, int viewType,
    bool selected, const catalogue::TImageCache& record, const QFont& font);

// Composes the cell and copies it to the target at the cell rectangle; the
// part outside the target's visible area is cut off.
void DrawThumbnailCell(QPainter& target, const QRect& cell, const imaging::Bitmap* thumbnail, int style, int viewType,
    bool selected, const catalogue::TImageCache& record, const QFont& font);
