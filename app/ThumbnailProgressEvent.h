#pragma once
// The thumbnail maker's progress message, posted to the main window's queue:
// wParam -1 at the start, the index of each finished file, -2 at the end.
#include <QEvent>

class TThumbnailProgressEvent : public QEvent {
public:
    static constexpr QEvent::Type kType = static_cast<QEvent::Type>(QEvent::User + 10);
    TThumbnailProgressEvent(int w, int l)
        : QEvent(kType)
        , wParam(w)
        , lParam(l)
    {
    }
    const int wParam;
    const int lParam;
};
