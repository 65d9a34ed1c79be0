#pragma once
// A chart canvas for the tests: pixels in memory, pen lines with the end
// point left out, the merge mode as OR; texts and ellipses are recorded.

#include <cstdlib>
#include <string>
#include <vector>

#include "analysis/ChartCanvas.h"

namespace testanalysis {

using analysis::TColour;

struct DrawnText {
    int x, y;
    std::string text;
    int pointSize;
    TColour colour;
};

struct DrawnEllipse {
    int left, top, right, bottom;
    TColour pen, fill;
};

class RasterCanvas : public analysis::ChartCanvas {
public:
    RasterCanvas(int width, int height)
        : width_(width)
        , height_(height)
        , pixels_(size_t(width) * height)
    {
    }

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void SetPen(TColour colour, int width, analysis::TPenStyle style) override
    {
        pen_ = colour;
        penWidth_ = width;
        penStyle_ = style;
    }
    void SetPenMode(analysis::TPenMode mode) override { mode_ = mode; }
    analysis::TPenMode PenMode() const override { return mode_; }
    void MoveTo(int x, int y) override { at_ = { x, y }; }
    void LineTo(int x, int y) override
    {
        // Bresenham from the pen position, the last point excluded.
        int x0 = at_.X, y0 = at_.Y;
        const int dx = std::abs(x - x0), dy = -std::abs(y - y0);
        const int sx = x0 < x ? 1 : -1, sy = y0 < y ? 1 : -1;
        int error = dx + dy;
        while (x0 != x || y0 != y) {
            Plot(x0, y0, pen_, mode_);
            const int e2 = 2 * error;
            if (e2 >= dy) {
                error += dy;
                x0 += sx;
            }
            if (e2 <= dx) {
                error += dx;
                y0 += sy;
            }
        }
        at_ = { x, y };
        ++lines;
    }
    void FillRect(int left, int top, int right, int bottom, TColour colour) override
    {
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                Plot(x, y, colour, analysis::TPenMode::Copy);
    }
    void Ellipse(int left, int top, int right, int bottom, TColour fill) override
    {
        ellipses.push_back({ left, top, right, bottom, pen_, fill });
    }
    void TextOut(int x, int y, const std::string& text, int pointSize, TColour colour) override
    {
        texts.push_back({ x, y, text, pointSize, colour });
    }
    int TextWidth(const std::string& text, int pointSize) override { return int(text.size()) * pointSize * 3 / 4; }
    int TextHeight(int pointSize) override { return pointSize * 4 / 3; }

    TColour At(int x, int y) const { return Inside(x, y) ? pixels_[size_t(y) * width_ + x] : TColour {}; }
    // Topmost row of column x in that colour, -1 when none.
    int TopOf(int x, TColour colour) const
    {
        for (int y = 0; y < height_; ++y)
            if (At(x, y) == colour)
                return y;
        return -1;
    }
    bool HasText(const std::string& text) const
    {
        for (const DrawnText& t : texts)
            if (t.text == text)
                return true;
        return false;
    }

    std::vector<DrawnText> texts;
    std::vector<DrawnEllipse> ellipses;
    int lines = 0;
    int penWidth() const { return penWidth_; }
    analysis::TPenStyle penStyle() const { return penStyle_; }

private:
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    void Plot(int x, int y, TColour colour, analysis::TPenMode mode)
    {
        if (!Inside(x, y))
            return;
        TColour& p = pixels_[size_t(y) * width_ + x];
        if (mode == analysis::TPenMode::Merge)
            p = { uint8_t(p.R | colour.R), uint8_t(p.G | colour.G), uint8_t(p.B | colour.B) };
        else
            p = colour;
    }

    int width_, height_;
    std::vector<TColour> pixels_;
    TColour pen_ {};
    int penWidth_ = 1;
    analysis::TPenStyle penStyle_ = analysis::TPenStyle::Solid;
    analysis::TPenMode mode_ = analysis::TPenMode::Copy;
    analysis::TPoint at_ {};
};

} // namespace testanalysis
