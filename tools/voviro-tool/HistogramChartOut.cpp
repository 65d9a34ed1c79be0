#include "tools/voviro-tool/HistogramChartOut.h"

#ifdef VOVIRO_TOOL_WITH_QT
#include "analysis/HistogramChart.h"
#include "analysis/ui/ChartSave.h"
#include "analysis/ui/QtChartCanvas.h"
#include "tools/voviro-tool/QtApp.h"
#endif

namespace voviro_tool {

#ifdef VOVIRO_TOOL_WITH_QT

bool ChartDrawingAvailable()
{
    return true;
}

bool WriteHistogramChart(
    const std::string& file, analysis::TVX_Histogram& histogram, const ChartRequest& request, std::string& error)
{
    EnsureQtApp();
    QImage image = NewChartImage(request.width, request.height);
    {
        QtChartCanvas canvas(image);
        histogram.GraphType = request.style;
        if (request.mode <= analysis::ModeHsv) {
            analysis::PaintHistogramChart(canvas, histogram, request.mode, {}, analysis::LayoutCombined);
        } else {
            analysis::TLabCloud cloud;
            if (!analysis::PaintCieChart(
                    canvas, request.mode, file, !request.ycc, request.ycc, request.colorSpace, cloud)) {
                error = request.ycc ? "JPEG の YCbCr を読み込めません" : "画像を読み込めません";
                return false;
            }
        }
    }
    return SaveChartImage(image, request.out, TChartFormat::Png, error);
}

#else

bool ChartDrawingAvailable()
{
    return false;
}

bool WriteHistogramChart(const std::string&, analysis::TVX_Histogram&, const ChartRequest&, std::string& error)
{
    error = "chart drawing needs the build with the user interface";
    return false;
}

#endif

} // namespace voviro_tool
