#pragma once
// The parsed metadata of one image file, as the reader fills it: the main
// directory (IFD0), the Exif directory, the maker's note and the GPS
// directory, each a list of (key, name, value) items in file order, plus the
// picture size and the locations of profile, resources and comment.

#include <cstdint>
#include <string>
#include <vector>

namespace metadata {

// Directories keep at most this many items (the reader stops storing after that).
inline constexpr int kMaxDirectoryItems = 100; // TSubIFDResult: 100 stored entries
inline constexpr int kMaxMakerItems = 101; // TMakerResult: 101 items

struct TIFDItem {
    int32_t Key = 0; // tag number; maker notes: MakerNoteKind * 65536 + tag
    std::string Name; // display name (UTF-8)
    std::string Value; // display text (UTF-8)
};

// One TIFF directory.
struct TSubIFDResult {
    int32_t MakerOffset = 0;
    std::string MakerText;
    int32_t Count = 0; // items stored, or -1 when the entry count could not be read
    std::string Version;
    int32_t ExifOffset = 0;
    int32_t NextOffset = 0;
    int32_t ThumbLength = 0;
    int32_t ThumbOffset = 0;
    int32_t GpsOffset = 0;
    std::string Model;
    double FocalLength = 0.0;
    std::vector<TIFDItem> Items; // Items.size() == max(Count, 0)
    uint8_t RotationHint = 0; // 0, 1 (turn clockwise) or 3 (turn counter-clockwise)
};

// Maker note, GPS directory, Photoshop resources or IPTC records.
struct TMakerResult {
    int32_t Count = 0;
    std::vector<TIFDItem> Items; // Items.size() == Count
    int32_t IptcBlockOffset = 0;
    int32_t IptcBlockLength = 0;
    double LensWide = 0.0;
    double LensTele = 0.0;
    // Maker note: 1 when reading it stopped at a fault (the items before it are kept).
    int32_t Damaged = 0;
};

struct TExifData {
    TSubIFDResult Main;
    TSubIFDResult Exif;
    TMakerResult Maker;
    TMakerResult Gps;
    int32_t Failed = 0;
    int32_t HasThumbnail = 0; // -1 when an embedded thumbnail was drawn
    std::string FileName;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t ContainerKind = 0; // 0 nothing, 1 Exif JPEG, 2 Exif TIFF, 4 TIFF, 10 TIFF/EP, 99 IFD0 unreadable
    int32_t IccOffset = 0;
    int32_t IccLength = 0;
    int32_t HasComment = 0; // -1 when a JPEG comment was read
    std::string Comment;
    int32_t MakerNoteKind = 0; // the maker-note format the reader recognised (0 none)
    int32_t ThumbnailOffset = 0; // IFD1's JPEG thumbnail, from the TIFF base; 0 when none
    int32_t ThumbnailLength = 0;
};

// Where Photoshop resources or IPTC data lie (Source 0 APP13, 1 TIFF 34377, 2 TIFF 33723).
struct PhotoshopLocator {
    int32_t Source = 0;
    int32_t Offset = 0;
    int32_t Length = 0;
};

// Value-text look-ups; empty text when no item has the key.
std::string GetMainValueText(int32_t tag, const TSubIFDResult& directory);
std::string GetMakerValueText(int32_t key, const TMakerResult& maker);
// Exif directory first, then (only when nothing was found) the maker note, then IFD0.
std::string GetExifValueText(int32_t key, const TExifData& exif);

} // namespace metadata
