#pragma once
// The metadata panel's copy of a catalogue record.

#include <memory>

#include "catalogue/ImageCache.h"
#include "metadata/InfoRows.h"

namespace catalogue {

// Takes everything the panel shows; the metadata are copied, so the copy
// stays valid when the record changes or goes.
inline metadata::TInfoRecord InfoRecordOf(const TImageCache& r)
{
    metadata::TInfoRecord out;
    out.FileName = r.FileName;
    out.FileKind = r.FileKind;
    out.DateText = r.DateText;
    out.SizeText = r.SizeText;
    out.Width = r.ImageWidth;
    out.Height = r.ImageHeight;
    out.HasComment = r.HasComment;
    out.Comment = r.Comment;
    if (r.Exif)
        out.Exif = std::make_shared<const metadata::TExifData>(*r.Exif);
    out.IccOffset = r.IccOffset;
    out.IccLength = r.IccLength;
    out.Locator = { r.IptcKind, r.IptcOffset, r.IptcLength };
    return out;
}

} // namespace catalogue
