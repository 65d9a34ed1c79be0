#include "analysis/ChartCanvas.h"

namespace analysis {

void ChartCanvas::Polyline(const std::vector<TPoint>& points)
{
    if (points.empty())
        return;
    MoveTo(points.front().X, points.front().Y);
    for (size_t i = 1; i < points.size(); ++i)
        LineTo(points[i].X, points[i].Y);
}

void ChartCanvas::CentredText(const std::string& text, int pointSize, TColour colour)
{
    TextOut(
        (Width() - TextWidth(text, pointSize)) / 2, (Height() - TextHeight(pointSize)) / 2, text, pointSize, colour);
}

} // namespace analysis
