#pragma once
// Lossless quarter and half turns of JPEG files through TurboJPEG: the DCT
// blocks are rearranged, never decoded to pixels. Partial blocks at the edges
// that cannot be turned are trimmed off, and every marker segment is carried
// over; afterwards the Exif data are brought in line with the turned picture.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace jpegtools {

struct TurnedJpeg {
    std::vector<uint8_t> bytes;
    int width = 0, height = 0; // of the turned picture
    int sourceWidth = 0, sourceHeight = 0;
};

// Turns a JPEG stream by code 1, 2 or 3 (90°, 180°, 270° clockwise) with all
// markers copied (copyMarkers false: none). False with the reason in error.
bool TurnJpegStream(const uint8_t* data, size_t size, int code, bool copyMarkers, TurnedJpeg& out, std::string& error);

// The whole turn of a photo: the stream turned, then its Exif Orientation set
// to 1, its embedded thumbnail turned the same way and its pixel dimensions
// brought in line with the new picture.
bool TurnPhoto(const uint8_t* data, size_t size, int code, std::vector<uint8_t>& out, std::string& error);

// The transform as a library call: rotation code 1..3, option (1: markers
// copied), source and destination paths. 0 when the destination holds the
// turned JPEG; any other value means failure and the destination is unchanged.
int jpegtran(int code, int option, const char* source, const char* destination);

} // namespace jpegtools
