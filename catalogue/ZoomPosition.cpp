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

} // namespace catalogue
