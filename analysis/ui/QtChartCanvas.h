#pragma once
// The chart canvas over a QImage: QPainter without antialiasing, the merge
// pen as the raster OR operation, texts in the application's font at the
// sizes the charts ask for.

#include <QImage>
#include <QPainter>

#include "analysis/ChartCanvas.h"

class QtChartCanvas : public analysis::ChartCanvas {
public:
    // Draws on `image` (32-bit RGB), which must outlive the canvas.
    explicit QtChartCanvas(QImage& image);

    int Width() const override { return image_.width(); }
    int Height() const override { return image_.height(); }
    void SetPen(analysis::TColour colour, int width, analysis::TPenStyle style) override;
    void SetPenMode(analysis::TPenMode mode) override;
    analysis::TPenMode PenMode() const override { return mode_; }
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void FillRect(int left, int top, int right, int bottom, analysis::TColour colour) override;
    void Ellipse(int left, int top, int right, int bottom, analysis::TColour fill) override;
    void TextOut(int x, int y, const std::string& text, int pointSize, analysis::TColour colour) override;
    int TextWidth(const std::string& text, int pointSize) override;
    int TextHeight(int pointSize) override;

private:
    QFont FontOf(int pointSize) const;

    QImage& image_;
    QPainter painter_;
    QColor pen_;
    int penWidth_ = 1;
    analysis::TPenStyle penStyle_ = analysis::TPenStyle::Solid;
    analysis::TPenMode mode_ = analysis::TPenMode::Copy;
    QPoint at_;
};

// A black chart surface of the given size.
QImage NewChartImage(int width, int height);
