#pragma once
// What a panel beside the file views implements to follow the current file:
// the main window tells every registered view when the current file changes
// (or is refreshed) and when a picture of it has been opened.

#include "catalogue/ImageCache.h"
#include "imaging/Bitmap.h"

// The file a view is told about. Record is valid only during the call, with the
// catalogue's lock held; Index -1 (Record null) means no file: the view empties.
struct TCurrentFile {
    int Index = -1;
    const catalogue::TImageCache* Record = nullptr;
};

class ICurrentFileView {
public:
    virtual ~ICurrentFileView() = default;
    // Called while the information pane is visible each time the window shows a
    // file; an Index of -1 first when the view must drop what it holds (another
    // folder, no selection, or new data of the same file to be taken afresh).
    virtual void CurrentFileChanged(const TCurrentFile& file) = 0;
    // Called once a picture of the file has been loaded, oriented and
    // colour-managed; `source` is the unaltered picture as displayed.
    virtual void PictureOpened(const TCurrentFile& file, const imaging::Bitmap& source)
    {
        (void)file;
        (void)source;
    }
};
