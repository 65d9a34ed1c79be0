#include "analysis/CIEChart.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "analysis/ColourScience.h"
#include "analysis/Histogram.h"

namespace analysis {

namespace {

// The CIE 1964 10° observer (x̄, ȳ, z̄) at 1 nm, generated from the table file.
struct TObserverRow {
    int nm;
    double x, y, z;
};
constexpr TObserverRow kObserver[] = {
#include "analysis/ObserverTable.inc"
};

int RoundEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

constexpr int kNoticeSize = 20;
constexpr TColour kTickGrey { 221, 221, 221 };

// The sampled pixels of a picture, decoded into colour values by `visit`.
template <typename Visit>
void SamplePicture(const TChartPicture& picture, int step, const ChartProgress& progress, Visit visit)
{
    const int rows = RoundEven(double(picture.Height) / step);
    const int columns = RoundEven(double(picture.Width) / step);
    for (int r = 0; r < rows; ++r) {
        const int y = std::min(r * step, picture.Height - 1);
        const uint8_t* row = picture.Row(y);
        for (int c = 0; c < columns; ++c)
            visit(row + size_t(std::min(c * step, picture.Width - 1)) * 3);
        if (progress)
            progress(y);
    }
}

bool Supported(const TChartPicture& picture)
{
    return picture.BitsPerPixel == 24 && picture.Pixels && picture.Width > 0 && picture.Height > 0;
}

// The dot colour and L*a*b* of one sampled pixel, as both 2D charts colour it.
TLab PixelLab(const uint8_t* p, int source, int colorSpace, TColour& colour)
{
    if (source == SourceYcc) {
        bool out = false;
        const TLab lab = YccToLab(p[0], p[1], p[2], colorSpace, out);
        colour = out ? kWhite : LabDisplayColour(80, lab.A, lab.B);
        return lab;
    }
    const TLab lab = ByteRgbToLab(p[2], p[1], p[0], colorSpace);
    colour = LabDisplayColour(80, lab.A, lab.B);
    return lab;
}

// The six edges of the RGB cube from a saturated corner towards white, and the hue ring.
template <typename Map> void DrawGamutAndHueRing(ChartCanvas& canvas, int colorSpace, Map map)
{
    struct Edge {
        TColour pen;
        int fixedMask; // which of R, G, B stay at 1 (bit 0 R, 1 G, 2 B)
    };
    const Edge edges[] = {
        { { 0, 0, 255 }, 4 },
        { { 0, 255, 0 }, 2 },
        { { 255, 0, 0 }, 1 },
        { { 255, 255, 0 }, 3 },
        { { 0, 255, 255 }, 6 },
        { { 255, 0, 255 }, 5 },
    };
    canvas.SetPenMode(TPenMode::Copy);
    for (const Edge& edge : edges) {
        canvas.SetPen(edge.pen);
        std::vector<TPoint> points;
        for (int i = 0; i <= 64; ++i) {
            const double v = 4.0 * i / 255;
            const double r = edge.fixedMask & 1 ? 1 : v, g = edge.fixedMask & 2 ? 1 : v, b = edge.fixedMask & 4 ? 1 : v;
            points.push_back(map(r, g, b, colorSpace));
        }
        canvas.Polyline(points);
    }
    for (int h = 0; h <= 360; ++h) {
        const TColour c = HueColour(h);
        canvas.SetPen(c, 2);
        const TPoint p = map(c.R / 255.0, c.G / 255.0, c.B / 255.0, colorSpace);
        if (h == 0)
            canvas.MoveTo(p.X, p.Y);
        else
            canvas.LineTo(p.X, p.Y);
    }
    canvas.SetPen(kGridGrey, 1);
}

std::string Title(const char* chart, int source, int colorSpace)
{
    std::string title = std::string(chart) + ColourSpaceTitle(colorSpace);
    if (source == SourceYcc)
        title += "/YCbCr Direct";
    return title;
}

} // namespace

TChartPicture ChartPictureOf(const imaging::Bitmap& bitmap)
{
    return { bitmap.Data(), bitmap.Width(), bitmap.Height(), bitmap.Stride(), bitmap.BitsPerPixel() };
}

TChartPicture ChartPictureOf(const imaging::YccPicture& picture)
{
    return { picture.Pixels.data(), picture.Width, picture.Height, picture.Width * 3, 24,
        std::max(1, picture.RowStep) };
}

int ChartStep(int height)
{
    return std::max(1, height / 200);
}

int CloudStep(int width, int height)
{
    // About 60 rows with the same step across; a larger step for a long
    // panorama, so that the cloud stays within its point limit.
    int step = std::max(1, height / 60);
    auto count = [&](int s) { return int64_t(RoundEven(double(height) / s)) * RoundEven(double(width) / s); };
    while (count(step) > kMaxCloudPoints)
        step += std::max(1, step / 8);
    return step;
}

void DrawAbDistribution(const TChartPicture& picture, int W, int H, const ChartProgress& progress, int source,
    int colorSpace, ChartCanvas& canvas)
{
    const int cx = RoundEven(W / 2.0), cy = RoundEven(H / 2.0);
    const double d = std::min(W, H) / 200.0;
    canvas.SetPen(kGridGrey);
    canvas.SetPenMode(TPenMode::Copy);
    if (source == SourceNone) {
        canvas.CentredText("Not Select", kNoticeSize, kNoticeGrey);
        return;
    }
    for (int k = 4; k >= 0; --k) {
        const int r = RoundEven((20 * k + 10) * d);
        canvas.Ellipse(cx - r, cy - r, cx + r, cy + r, kBlack);
    }
    canvas.MoveTo(cx, 0);
    canvas.LineTo(cx, H);
    canvas.MoveTo(0, cy);
    canvas.LineTo(W, cy);
    canvas.TextOut(cx - 5, RoundEven(cy - 90 * d - 5), "+b*", 9, kWhite);
    canvas.TextOut(cx - 5, RoundEven(cy + 90 * d - 5), "-b*", 9, kWhite);
    canvas.TextOut(RoundEven(cx - 90 * d - 5), cy - 5, "-a*", 9, kWhite);
    canvas.TextOut(RoundEven(cx + 90 * d - 5), cy - 5, "+a*", 9, kWhite);
    canvas.TextOut(5, 5, Title("CIE L*a*b* Color distribution ", source, colorSpace), 8, kLabelGrey);
    if (!Supported(picture)) {
        canvas.CentredText("Not Support", kNoticeSize, kNoticeGrey);
        return;
    }
    auto place = [&](double a, double b) {
        return TPoint { cx + RoundEven(d * a / 127 * 90), cy + RoundEven(-(b / 127 * 90 * d)) };
    };
    SamplePicture(picture, ChartStep(picture.Height), progress, [&](const uint8_t* p) {
        TColour colour;
        const TLab lab = PixelLab(p, source, colorSpace, colour);
        const TPoint at = place(lab.A, lab.B);
        canvas.FillRect(at.X - 1, at.Y - 1, at.X + 1, at.Y + 1, colour);
    });
    DrawGamutAndHueRing(canvas, colorSpace, [&](double r, double g, double b, int space) {
        const TLab lab = RgbToLab(r, g, b, space);
        return place(lab.A, lab.B);
    });
}

void DrawUvDistribution(const TChartPicture& picture, int W, int H, const ChartProgress& progress, int source,
    int colorSpace, ChartCanvas& canvas)
{
    const int x0 = 20, y0 = H - 15;
    const double k = std::min(W, H) / 50.0;
    canvas.SetPen(kGridGrey);
    canvas.SetPenMode(TPenMode::Copy);
    if (source == SourceNone) {
        canvas.CentredText("Not Select", kNoticeSize, kNoticeGrey);
        return;
    }
    canvas.Polyline({ { x0, 0 }, { x0, y0 }, { W, y0 } });
    canvas.SetPen(kGridGrey, 1, TPenStyle::Dot);
    for (int i = 0; i <= 6; ++i) {
        const double p = 100 * 0.1 * i * k / 127 * 90;
        const std::string label = i == 0 ? "0" : "0." + std::to_string(i);
        const int y = RoundEven(y0 - p);
        canvas.TextOut(x0 - 1 - canvas.TextWidth(label, 8), y - 5, label, 8, kTickGrey);
        if (i == 0)
            continue;
        const int x = RoundEven(x0 + p);
        canvas.MoveTo(x0, y);
        canvas.LineTo(W, y);
        canvas.MoveTo(x, 0);
        canvas.LineTo(x, y0);
        canvas.TextOut(x - canvas.TextWidth(label, 8) / 2, y0 + 4, label, 8, kTickGrey);
    }
    canvas.SetPen(kGridGrey);
    if (!Supported(picture)) {
        canvas.CentredText("Not Support", kNoticeSize, kNoticeGrey);
        return;
    }
    auto place = [&](double u, double v) {
        return TPoint { x0 + RoundEven(k * (u / 127 * 90)), y0 + RoundEven(-(v / 127 * 90 * k)) };
    };
    SamplePicture(picture, ChartStep(picture.Height), progress, [&](const uint8_t* p) {
        TColour colour;
        TLuv luv;
        if (source == SourceYcc) {
            PixelLab(p, source, colorSpace, colour);
            bool out = false;
            luv = YccToUv(p[0], p[1], p[2], colorSpace, out);
        } else {
            const TXyz xyz = ByteRgbToXyz(p[2], p[1], p[0], colorSpace);
            const TLab lab = XyzToLab(xyz, LabWhite(colorSpace));
            colour = LabDisplayColour(80, lab.A, lab.B);
            luv = XyzToUv(xyz);
        }
        if (luv.U > 0 && luv.V > 0) {
            const TPoint at = place(luv.U, luv.V);
            canvas.FillRect(at.X - 1, at.Y - 1, at.X + 1, at.Y + 1, colour);
        }
    });
    DrawGamutAndHueRing(canvas, colorSpace, [&](double r, double g, double b, int space) {
        const TLuv luv = RgbToUv(r, g, b, space);
        return place(luv.U, luv.V);
    });
    canvas.SetPen({ 190, 190, 190 }, 2);
    std::vector<TPoint> locus;
    for (const TObserverRow& row : kObserver)
        if (row.nm >= 400 && row.nm <= 700) {
            const TLuv luv = XyzToUv({ row.x, row.y, row.z });
            locus.push_back(place(luv.U, luv.V));
        }
    if (!locus.empty())
        locus.push_back(locus.front());
    canvas.Polyline(locus);
    canvas.SetPen(kGridGrey, 1);
    canvas.TextOut(x0 - 15, 17, " v' ", 9, kWhite);
    canvas.TextOut(W - 30, y0 + 4, " u' ", 9, kWhite);
    canvas.TextOut(5, 5, Title("CIE u' v' Color distribution ", source, colorSpace), 8, kLabelGrey);
}

void BuildLabCloud(
    TLabCloud& cloud, const TChartPicture& picture, int source, int colorSpace, const ChartProgress& progress)
{
    cloud.Points.clear();
    if (Supported(picture)) {
        const int step = CloudStep(picture.Width, picture.Height);
        cloud.Points.reserve(
            size_t(RoundEven(double(picture.Height) / step)) * RoundEven(double(picture.Width) / step));
        SamplePicture(picture, step, progress, [&](const uint8_t* p) {
            TLabPoint point;
            TLab lab;
            if (source == SourceYcc) {
                bool out = false;
                lab = YccToLab(p[0], p[1], p[2], colorSpace, out);
                point.Colour = out ? kWhite : LabDisplayColour(85, lab.A, lab.B);
            } else {
                lab = ByteRgbToLab(p[2], p[1], p[0], colorSpace);
                point.Colour = LabDisplayColour(95, lab.A, lab.B);
            }
            point.L = float(lab.L);
            point.A = float(lab.A);
            point.B = float(lab.B);
            cloud.Points.push_back(point);
        });
    }
    cloud.Ready = true;
}

std::optional<TPoint> ProjectPoint(const TLabCloud& cloud, double x, double y, double z, int width, int height)
{
    constexpr double kDistance = 500, kRadians = M_PI / 180;
    const double a1 = cloud.Theta2 * kRadians, a2 = cloud.Theta1 * kRadians, a3 = cloud.Theta3 * kRadians;
    const double scale = std::min(width, height) / 250.0;
    const double x1 = x * std::cos(a1) + z * std::sin(a1);
    const double z1 = z * std::cos(a1) - x * std::sin(a1);
    const double x2 = x1 * std::cos(a2) - y * std::sin(a2);
    const double y1 = x1 * std::sin(a2) + y * std::cos(a2);
    const double y2 = y1 * std::cos(a3) - z1 * std::sin(a3);
    const double z2 = y1 * std::sin(a3) + z1 * std::cos(a3);
    // At or behind the eye the projection explodes: such points are left out,
    // and the rest are clamped before they become pixel coordinates.
    if (x2 + kDistance <= 1)
        return std::nullopt;
    constexpr double kLimit = 1e6;
    const double sx = std::clamp(scale * y2 * kDistance / (x2 + kDistance) + width / 2.0, -kLimit, kLimit);
    const double sy = std::clamp(scale * z2 * kDistance / (x2 + kDistance) + height / 2.0, -kLimit, kLimit);
    return TPoint { RoundEven(sx), RoundEven(sy) };
}

void RenderLabCloud(const TLabCloud& cloud, ChartCanvas& canvas)
{
    if (!cloud.Ready)
        return;
    const int W = canvas.Width(), H = canvas.Height();
    canvas.SetPenMode(TPenMode::Copy);
    canvas.FillRect(0, 0, W, H, kBlack);
    auto project = [&](double x, double y, double z) { return ProjectPoint(cloud, x, y, z, W, H); };
    // Axes: L along y in greys, a* along z and b* along x in their colours.
    for (int axis = 0; axis < 3; ++axis) {
        std::optional<TPoint> last;
        for (int v = -100; v <= 100; v += 10) {
            const auto p = axis == 0 ? project(0, v, 0) : axis == 1 ? project(0, 0, v) : project(v, 0, 0);
            const auto grey = static_cast<uint8_t>(v + 155);
            const TColour colour = axis == 0 ? TColour { grey, grey, grey }
                : axis == 1                  ? LabDisplayColour(100, v, 0)
                                             : LabDisplayColour(100, 0, v);
            if (p && last) {
                canvas.SetPen(colour, 3);
                canvas.MoveTo(last->X, last->Y);
                canvas.LineTo(p->X, p->Y);
            }
            last = p;
        }
    }
    canvas.SetPen(kWhite, 1);
    for (double y : { -100.0, 100.0 })
        if (const auto p = project(0, y, 0))
            canvas.Ellipse(p->X - 4, p->Y - 4, p->X + 4, p->Y + 4, kWhite);
    struct Label {
        double x, y, z;
        const char* text;
    };
    const Label labels[] = {
        { -120, 0, 0, "-b*" },
        { 120, 0, 0, "+b*" },
        { 0, -110, 0, "-L(黒)" },
        { 0, 110, 0, "+L(白)" },
        { 0, 0, -120, "-a*" },
        { 0, 0, 120, "+a*" },
    };
    for (const Label& label : labels)
        if (const auto p = project(label.x, label.y, label.z))
            canvas.TextOut(p->X, p->Y, label.text, 9, kTickGrey);
    for (const TLabPoint& point : cloud.Points)
        if (const auto p = project(point.B, 2 * (point.L - 50), point.A))
            canvas.FillRect(p->X, p->Y, p->X + 2, p->Y + 2, point.Colour);
}

void RotateCloud(TLabCloud& cloud, double theta1, double theta2, int pressX, int pressY, int x, int y)
{
    auto wrap = [](double angle) { return angle > 360 ? angle - 360 : angle < 0 ? angle + 360 : angle; };
    cloud.Theta1 = wrap(theta1 + (y - pressY));
    cloud.Theta2 = wrap(theta2 + (pressX - x));
}

} // namespace analysis
