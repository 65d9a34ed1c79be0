#include "catalogue/ZoomPosition.h"

#include "metadata/makernotes/LensTable.h"

namespace catalogue {

void GetZoomPosition(const std::string& model, double focalLength, double& position, double& range)
{
    double wide = 0, tele = 0;
    if (model.empty() || !metadata::makernote::LensRangeOfModel(model, wide, tele)) {
        position = -1;
        return;
    }
    RelativeZoomPosition(wide, tele, focalLength, position, range);
}

void RelativeZoomPosition(double wide, double tele, double focalLength, double& position, double& range)
{
    if (wide == 0) {
        position = -1;
        return;
    }
    position = (focalLength - wide) / wide;
    range = (tele - wide) / wide;
    if (position < 0)
        position = 0;
    if (position > range)
        position = range;
}

void FileZoomPosition(const metadata::TExifData& exif, double& position, double& range)
{
    const double focal = exif.Exif.FocalLength;
    GetZoomPosition(exif.Main.Model, focal, position, range);
    const double wide = exif.Maker.LensWide, tele = exif.Maker.LensTele;
    if (wide != 0 && wide != tele)
        RelativeZoomPosition(wide, tele, focal, position, range);
}

} // namespace catalogue
