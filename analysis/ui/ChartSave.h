#pragma once
// Saving a chart picture as JPEG, TIFF, PCX, PNG or BMP at 72 dots per inch.
// The file is written whole beside the target and renamed into place, so a
// failed save leaves an existing file as it was.

#include <QImage>
#include <optional>
#include <string>

enum class TChartFormat { Jpeg, Tiff, Pcx, Png, Bmp };

// The format a file name's extension stands for (".jpg"/".jpeg", ".tif"/".tiff",
// ".pcx", ".png", ".bmp", any case); none for other names.
std::optional<TChartFormat> ChartFormatOfName(const std::string& path);

// False with the reason in `error`.
bool SaveChartImage(const QImage& image, const std::string& path, TChartFormat format, std::string& error);
