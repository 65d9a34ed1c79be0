#pragma once
// The drawing surface the histogram and colour charts draw on: a small pen,
// brush and text interface with the classic raster conventions the chart
// geometry is written against. The widgets supply a QPainter-backed one; the
// core stays free of any toolkit.

#include <cstdint>
#include <string>
#include <vector>

namespace analysis {

struct TColour {
    uint8_t R = 0, G = 0, B = 0;
    bool operator==(const TColour&) const = default;
};

inline constexpr TColour kBlack { 0, 0, 0 };
inline constexpr TColour kWhite { 255, 255, 255 };
inline constexpr TColour kGridGrey { 128, 128, 128 };
inline constexpr TColour kLabelGrey { 192, 192, 192 };
inline constexpr TColour kNoticeGrey { 85, 85, 85 };

struct TPoint {
    int X = 0, Y = 0;
    bool operator==(const TPoint&) const = default;
};

// Copy paints the pen colour; Merge ORs it into the canvas, so red, green
// and blue curves that overlap add up to yellow, cyan, magenta and white.
enum class TPenMode { Copy, Merge };
enum class TPenStyle { Solid, Dot };

class ChartCanvas {
public:
    virtual ~ChartCanvas() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;

    virtual void SetPen(TColour colour, int width = 1, TPenStyle style = TPenStyle::Solid) = 0;
    virtual void SetPenMode(TPenMode mode) = 0;
    virtual TPenMode PenMode() const = 0;
    // A line from the pen position to (x, y), the end point itself not drawn.
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    // Lines through the points in turn, as MoveTo and LineTo would draw them.
    virtual void Polyline(const std::vector<TPoint>& points);
    // Fills left..right-1 × top..bottom-1 in one colour, in copy mode.
    virtual void FillRect(int left, int top, int right, int bottom, TColour colour) = 0;
    // A circle or ellipse in the box left..right-1 × top..bottom-1: filled
    // with `fill`, outlined with the pen.
    virtual void Ellipse(int left, int top, int right, int bottom, TColour fill) = 0;
    // Text with its top left corner at (x, y), in the size given in points.
    virtual void TextOut(int x, int y, const std::string& text, int pointSize, TColour colour) = 0;
    virtual int TextWidth(const std::string& text, int pointSize) = 0;
    virtual int TextHeight(int pointSize) = 0;

    // Text centred on the whole canvas ("Not Select" and the like).
    void CentredText(const std::string& text, int pointSize, TColour colour);
};

} // namespace analysis
