#pragma once
// The metadata panel as one of the views that follow the current file: a new
// file is copied into the panel, "no file" empties it.

#include "app/CurrentFileView.h"
#include "catalogue/InfoRecord.h"
#include "metadata/ui/InfoFrame.h"

class TInfoFrameView : public ICurrentFileView {
public:
    explicit TInfoFrameView(metadata::TInfoFrame& frame)
        : frame_(frame)
    {
    }
    void CurrentFileChanged(const TCurrentFile& file) override
    {
        if (file.Index < 0 || !file.Record)
            frame_.SaveGroupStates();
        else
            frame_.SetRecord(catalogue::InfoRecordOf(*file.Record));
    }

private:
    metadata::TInfoFrame& frame_;
};
