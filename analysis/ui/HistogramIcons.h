#pragma once
// The histogram panel's tool-bar icons, drawn by the program, by their index.

#include <QIcon>

enum THistogramIcon {
    H_R,
    H_G,
    H_B,
    H_V,
    H_BAR,
    H_SBAR,
    H_LINE,
    H_ONE,
    H_M1,
    H_M2,
    H_REFRESH,
    HSV_H,
    HSV_S,
    HSV_V,
    H_RGB,
    H_HSV,
    H_LAB,
    H_COLORSPACE,
    H_YCC,
    H_RGB2,
    H_LUV,
    H_3DLAB,
    kHistogramIconCount
};

QIcon HistogramIcon(int index);
