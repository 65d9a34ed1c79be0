#pragma once
// THistogramSize: asks for the width and height (100 to 2000 pixels) at
// which the histogram chart is copied or saved.

#include <QDialog>

class QSpinBox;

class THistogramSize : public QDialog {
    Q_OBJECT
public:
    THistogramSize(int width, int height, QWidget* parent = nullptr);
    int ChartWidth() const;
    int ChartHeight() const;

    QSpinBox* WidthEdit = nullptr; // "横"
    QSpinBox* HeightEdit = nullptr; // "縦"
};
