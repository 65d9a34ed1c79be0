#pragma once
// The small icons of the grid and the list, drawn in code: 0 the rotation
// mark, 7 an Exif photo, 24 a protected (read-only) file. 16 × 16 pixels.
#include <QPixmap>

inline constexpr int kIconRotation = 0;
inline constexpr int kIconExifPhoto = 7;
inline constexpr int kIconProtected = 24;

// A null pixmap for any other index.
const QPixmap& ThumbnailIcon(int index);
// A transparent icon, so that rows without an icon keep their text in line.
const QPixmap& BlankIcon();
