#pragma once
// Feeds the histogram panel from the current file: its stored histogram when
// it has one, otherwise a preview from its cached thumbnail.

#include "app/CurrentFileView.h"

class TForm1;
class THistogramFrame;

class THistogramFileView : public ICurrentFileView {
public:
    THistogramFileView(TForm1& window, THistogramFrame& panel)
        : window_(window)
        , panel_(panel)
    {
    }
    void CurrentFileChanged(const TCurrentFile& file) override;

private:
    TForm1& window_;
    THistogramFrame& panel_;
};
