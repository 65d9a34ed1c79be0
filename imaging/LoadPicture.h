#pragma once
// One way into every picture decoder: the format is recognised from the file's
// first bytes (or, where a caller's rules go by name, from its extension), then
// the file is decoded into a 24-bit bitmap (32-bit for a CMYK JPEG through the
// fast decode). Used by the picture view, the main window and the thumbnails.

#include <cstddef>
#include <cstdint>
#include <string>

#include "imaging/Bitmap.h"
#include "imaging/ImageIO.h"

namespace imaging {

enum class PictureFormat { Unknown, Jpeg, Png, Tiff, Bmp, Pcx };

// The format whose signature starts `head` (TIFF includes the raw containers
// that are TIFF inside: "IIRO" and "IIRS" as well as "II*\0" and "MM\0*").
PictureFormat SniffPictureFormat(const uint8_t* head, size_t size);
// The format of a file from its first bytes; Unknown when it cannot be read.
PictureFormat SniffPictureFile(const std::string& path);
// The format a lower-case extension (with its dot) stands for: ".jpg" ".jpeg",
// ".png", ".bmp", ".pcx", and ".tif" ".tiff" ".nef" ".nsk" ".orf" as TIFF.
PictureFormat PictureFormatOfExtension(const std::string& lowerExtension);

struct PictureLoadOptions {
    // Choose the decoder by the name's extension instead of the first bytes.
    bool byExtension = false;
    // JPEG at full size through the TurboJPEG fast decode (CMYK files give a
    // 32-bit premultiplied bitmap); no progress is reported on that path.
    bool fastJpeg = false;
    // Non-zero: a decoder that can decode reduced aims at this box (JPEG picks
    // the smallest DCT scale that still covers it); the others decode whole.
    int boxWidth = 0;
    int boxHeight = 0;
    // With a box: JPEG, PNG and TIFF pictures larger than the box come out as
    // their fit into it, reduced row by row while decoding (memory for the box,
    // not for the picture; see DecodeOptions::reduceWidth).
    bool reduce = false;
    // Progress in percent; returning false stops the load, which then fails.
    ProgressFn progress;
    // Filled with what the decoder found out (full size, truncation).
    DecodeInfo* info = nullptr;
    // Receives the format the file was taken as.
    PictureFormat* format = nullptr;
};

// Loads the file at `path` (native bytes, so names that are not UTF-8 work).
// True with a non-empty bitmap; otherwise false, `out` empty, and `error` (when
// given) says why in a short text for the user. Never throws.
bool LoadPicture(const std::string& path, Bitmap& out, const PictureLoadOptions& options, std::string* error = nullptr);

} // namespace imaging
