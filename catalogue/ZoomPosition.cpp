#include "catalogue/ZoomPosition.h"

namespace catalogue {

void GetZoomPosition(const std::string&, double, double& position, double&)
{
    position = -1;
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
