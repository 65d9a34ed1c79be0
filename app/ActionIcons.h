#pragma once
// Small icons of the tool buttons and menu entries, drawn in code.

#include <QIcon>

enum class TActionIcon {
    Back,
    ViewType,
    FolderView,
    InfoView,
    NewFolder,
    Mirror,
    Flip,
    RotateLeft,
    RotateRight,
    Lossless,
    Marker,
    Refresh,
    Fit,
    ActualSize,
    Previous,
    Next,
    Check,
    Copy,
};

QIcon ActionIcon(TActionIcon kind);
