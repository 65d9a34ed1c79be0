#include "metadata/ExifRead.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "metadata/ExifReadInternal.h"
#include "metadata/MakerNote.h"
#include "metadata/TextDecode.h"
#include "metadata/Thumbnails.h"
#include "metadata/TiffDirectory.h"

namespace metadata {

namespace {

constexpr int kMaxWalkBSegments = 100;
constexpr uint64_t kMrwDefaultTiffBase = 48;

bool BytesAre(FileReader& file, uint64_t pos, std::string_view text)
{
    char buffer[32];
    return text.size() <= sizeof buffer && file.ReadAt(pos, buffer, text.size())
        && std::memcmp(buffer, text.data(), text.size()) == 0;
}

// Up to `length` bytes at `pos` (as many as the file holds), NUL bytes dropped.
std::string SegmentBytes(FileReader& file, uint64_t pos, uint64_t length)
{
    const uint64_t available = file.Size() > pos ? file.Size() - pos : 0;
    std::vector<uint8_t> bytes = file.ReadRange(pos, static_cast<size_t>(std::min(length, available)));
    std::string text;
    text.reserve(bytes.size());
    for (uint8_t b : bytes)
        if (b != 0)
            text += static_cast<char>(b);
    return text;
}

struct WalkState {
    uint64_t tiffBase = 0;
    bool exifFound = false;
};

// Walks the JPEG segments from offset 2. Walk B (`findExif`) also looks for the
// Exif APP1 segment and stops after 100 segments; both note the frame size, ICC
// profile, comment and Photoshop resources, and end at a start-of-frame marker.
void WalkMarkers(FileReader& file, bool findExif, TExifData& exif, PhotoshopLocator& locator, WalkState& state)
{
    uint64_t pos = 2;
    for (int segments = 0; !findExif || segments < kMaxWalkBSegments; ++segments) {
        uint8_t header[4];
        if (!file.ReadAt(pos, header, 4))
            return;
        const uint16_t marker = static_cast<uint16_t>((header[0] << 8) | header[1]);
        const uint16_t length = static_cast<uint16_t>((header[2] << 8) | header[3]);
        const uint64_t p = pos + 4;
        if (marker == 0xFFC0 || marker == 0xFFC2) {
            uint8_t frame[5];
            if (file.ReadAt(p, frame, 5)) {
                exif.Height = (frame[1] << 8) | frame[2];
                exif.Width = (frame[3] << 8) | frame[4];
            }
            return;
        }
        // A length below 2 would not move the walk forward.
        if (length < 2)
            return;
        switch (marker) {
        case 0xFFE2:
            if (length >= 16 && BytesAre(file, p, "ICC_PROFILE")) {
                exif.IccOffset = static_cast<int32_t>(p + 14);
                exif.IccLength = length - 16;
            }
            break;
        case 0xFFFE:
            exif.Comment = DecodeFileText(SegmentBytes(file, p, length - 2u));
            exif.HasComment = -1;
            break;
        case 0xFFE1:
            if (findExif && BytesAre(file, p, "Exif")) {
                state.tiffBase = p + 6;
                state.exifFound = true;
            }
            break;
        case 0xFFED: {
            const std::string text = SegmentBytes(file, p, std::min<uint64_t>(length - 2u, 32));
            if (text.rfind("Photoshop 3.0", 0) == 0)
                locator = { 0, static_cast<int32_t>(p + 13), length };
            else if (text.rfind("Adobe_Photoshop2.5", 0) == 0)
                locator = { 0, static_cast<int32_t>(p + 27), length };
            break;
        }
        default:
            break;
        }
        pos = p + length - 2;
    }
}

// Minolta raw: the TIFF block ("\0TTW") and the picture size ("\0PRD") among the header blocks.
void ReadMrwHeader(FileReader& file, TExifData& exif, uint64_t& tiffBase)
{
    tiffBase = kMrwDefaultTiffBase;
    if (!file.Contains(4, 4))
        return;
    const uint64_t end = std::min<uint64_t>(8 + static_cast<uint64_t>(file.U32(4, false)), file.Size());
    uint64_t pos = 8;
    while (pos + 8 <= end) {
        char name[4];
        file.ReadExact(pos, name, 4);
        const uint64_t length = file.U32(pos + 4, false);
        if (std::memcmp(name, "\0TTW", 4) == 0) {
            tiffBase = pos + 8;
            return;
        }
        if (std::memcmp(name, "\0PRD", 4) == 0 && file.Contains(pos + 8 + 12, 4)) {
            exif.Height = file.U16(pos + 8 + 12, false);
            exif.Width = file.U16(pos + 8 + 14, false);
        }
        pos += 8 + length;
    }
}

// After the byte-order mark: the first two successive bytes 42, 0 (either order;
// also "R", "O" for Olympus raw), then the IFD0 offset. Raises at the end of the file.
uint32_t FindIfd0Offset(FileReader& file, uint64_t pos, bool littleEndian, bool olympusRaw)
{
    const auto isMark = [olympusRaw](uint8_t a, uint8_t b) {
        if ((a == 42 && b == 0) || (a == 0 && b == 42))
            return true;
        return olympusRaw && ((a == 82 && b == 79) || (a == 79 && b == 82));
    };
    uint8_t chunk[4096];
    int previous = -1;
    while (pos < file.Size()) {
        const size_t n = static_cast<size_t>(std::min<uint64_t>(sizeof chunk, file.Size() - pos));
        file.ReadExact(pos, chunk, n);
        for (size_t i = 0; i < n; ++i) {
            if (previous >= 0 && isMark(static_cast<uint8_t>(previous), chunk[i]))
                return file.U32(pos + i + 1, littleEndian);
            previous = chunk[i];
        }
        pos += n;
    }
    throw ExifReadError("no TIFF header mark");
}

std::string CompanionThumbnailFile(const std::string& fileName)
{
    std::filesystem::path path(fileName);
    for (const char* ext : { ".thm", ".THM" }) {
        std::filesystem::path candidate = path;
        candidate.replace_extension(ext);
        std::error_code ec;
        if (std::filesystem::is_regular_file(candidate, ec))
            return candidate.string();
    }
    return std::string();
}

// IFD0, GPS, Photoshop resources, Exif with its maker note, IFD1 and the thumbnail.
void ReadDirectories(TiffContext& c, const std::string& ext, uint32_t ifd0Offset, imaging::Bitmap& thumbnail,
    PhotoshopLocator& locator, TExifData& exif, bool drawThumbnails)
{
    FileReader& file = c.file;
    const uint64_t linkPos = ReadDirectory(c, exif.Main, c.tiffBase + ifd0Offset);
    if (c.temp.IptcLength > 0)
        locator = { 2, static_cast<int32_t>(c.temp.IptcOffset), static_cast<int32_t>(c.temp.IptcLength) };
    if (exif.IccOffset == 0 && c.temp.TiffIccLength > 0) {
        exif.IccOffset = static_cast<int32_t>(c.temp.TiffIccOffset);
        exif.IccLength = static_cast<int32_t>(c.temp.TiffIccLength);
    }
    if (exif.Main.Count == -1)
        exif.ContainerKind = 99;
    else
        exif.Main.NextOffset = static_cast<int32_t>(file.U32(linkPos, c.littleEndian));
    if (exif.Main.Version == "EP1.0.0.0")
        exif.ContainerKind = 10;
    if (exif.Main.GpsOffset != 0)
        ReadGpsDirectory(c, exif.Gps, c.tiffBase + static_cast<uint32_t>(exif.Main.GpsOffset));
    const bool tiffLike = ExtensionIsOneOf(ext, { ".tiff", ".tif", ".nsk", ".orf" });
    if (tiffLike) {
        exif.Width = static_cast<int32_t>(c.temp.Width);
        exif.Height = static_cast<int32_t>(c.temp.Height);
    }
    if (c.temp.PhotoshopLength > 0) {
        locator = { 1, static_cast<int32_t>(c.temp.PhotoshopOffset), static_cast<int32_t>(c.temp.PhotoshopLength) };
        uint64_t jpegPos = 0, jpegLength = 0;
        if (drawThumbnails
            && FindPhotoshopThumbnail(file, c.temp.PhotoshopOffset, c.temp.PhotoshopLength, jpegPos, jpegLength)
            && DrawJpegThumbnailAt(file, jpegPos, jpegLength, thumbnail))
            exif.HasThumbnail = -1;
    }
    if (exif.Main.ExifOffset != 0) {
        ReadDirectory(c, exif.Exif, c.tiffBase + static_cast<uint32_t>(exif.Main.ExifOffset));
        const bool haveTempSize = c.temp.Width != 0 && c.temp.Height != 0;
        if (ExtensionIsOneOf(ext, { ".tiff", ".tif", ".mrw", ".orf" })) {
            exif.ContainerKind = 2;
            if (haveTempSize) {
                exif.Width = static_cast<int32_t>(c.temp.Width);
                exif.Height = static_cast<int32_t>(c.temp.Height);
            }
        } else {
            exif.ContainerKind = 1;
            if (exif.Width == 0 && exif.Height == 0 && haveTempSize) {
                exif.Width = static_cast<int32_t>(c.temp.Width);
                exif.Height = static_cast<int32_t>(c.temp.Height);
            }
        }
        exif.MakerNoteKind = c.makerNoteKind;
        if (c.makerNoteKind == 10)
            ReadToshibaNote(exif.Exif.MakerText, exif.Maker);
        else if (exif.Exif.MakerOffset != 0 && IsDirectoryMakerNote(c.makerNoteKind))
            ReadMakerNote(file, c.makerNoteKind == 12 ? true : c.littleEndian, c.tiffBase, exif.Maker, c.makerNoteKind,
                c.tiffBase + static_cast<uint32_t>(exif.Exif.MakerOffset), { c.makerNoteStart, c.makerNoteLength });
    }
    if (exif.Main.NextOffset != 0) {
        TSubIFDResult scratch;
        ReadThumbnailDirectory(c, scratch, c.tiffBase + static_cast<uint32_t>(exif.Main.NextOffset));
        exif.ThumbnailOffset = scratch.ThumbOffset;
        exif.ThumbnailLength = scratch.ThumbLength;
        if (drawThumbnails && (!exif.Exif.Version.empty() || c.temp.NewSubfileType == 1)) {
            if (scratch.ThumbLength != 0 && scratch.ThumbOffset != 0)
                exif.HasThumbnail = DrawJpegThumbnailAt(file, c.tiffBase + static_cast<uint32_t>(scratch.ThumbOffset),
                                        static_cast<uint32_t>(scratch.ThumbLength), thumbnail)
                    ? -1
                    : 0;
            else if (scratch.ThumbLength == 0 && c.temp.Photometric == 2)
                exif.HasThumbnail = DrawRgbThumbnail(file, c.tiffBase + c.temp.StripOffset, c.temp.StripByteCount,
                                        c.temp.Width, c.temp.Height, thumbnail)
                    ? -1
                    : 0;
        }
    }
}

} // namespace

void ReadExifDataFrom(FileReader& file, const std::string& fileName, imaging::Bitmap& thumbnail,
    PhotoshopLocator& locator, TExifData& exif, const ReadOptions& options)
{
    TiffContext c { file, false, 12, {}, 0 };
    const std::string ext = platform::LowerExtensionOf(fileName);

    char signature[4];
    file.ReadExact(6, signature, 4);
    if (std::memcmp(signature, "Exif", 4) == 0) {
        WalkState state;
        WalkMarkers(file, false, exif, locator, state);
    } else if (ext == ".mrw") {
        if (BytesAre(file, 1, "MRM")) {
            ReadMrwHeader(file, exif, c.tiffBase);
            exif.ContainerKind = 4;
        }
    } else if (ExtensionIsOneOf(ext, { ".tiff", ".tif", ".orf", ".nsk", ".nef" })) {
        c.tiffBase = 0;
        exif.ContainerKind = 4;
    } else {
        char jfif[4];
        file.ReadExact(10, jfif, 4);
        WalkState state;
        if (std::memcmp(jfif, "JFIF", 4) != 0)
            WalkMarkers(file, true, exif, locator, state);
        if (!state.exifFound) {
            exif.Failed = 1;
            return;
        }
        c.tiffBase = state.tiffBase;
    }

    char byteOrder[2];
    file.ReadExact(c.tiffBase, byteOrder, 2);
    if (std::memcmp(byteOrder, "II", 2) == 0)
        c.littleEndian = true;
    else if (std::memcmp(byteOrder, "MM", 2) == 0)
        c.littleEndian = false;
    else {
        // Not a TIFF structure after all (a JPEG named .tif, say): nothing usable.
        exif.Failed = 1;
        exif.ContainerKind = 0;
        return;
    }
    const uint32_t ifd0Offset = FindIfd0Offset(file, c.tiffBase + 2, c.littleEndian, ext == ".orf");
    ReadDirectories(c, ext, ifd0Offset, thumbnail, locator, exif, options.drawThumbnails);

    if (options.drawThumbnails && exif.HasThumbnail == 0 && ext == ".mrw") {
        const std::string companion = CompanionThumbnailFile(fileName);
        if (!companion.empty())
            exif.HasThumbnail = LoadJpegThumbnail(companion, thumbnail, {}) ? -1 : 0;
    }
}

void ReadExifData(const std::string& fileName, imaging::Bitmap& thumbnail, PhotoshopLocator& locator, TExifData& exif)
{
    exif = TExifData {};
    exif.FileName = fileName;
    FileReader file(fileName);
    if (!file.Opened()) {
        exif.Failed = 1;
        return;
    }
    ReadExifDataFrom(file, fileName, thumbnail, locator, exif);
}

void ReadExifDataFromMemory(const std::string& fileName, const uint8_t* data, size_t size, imaging::Bitmap& thumbnail,
    PhotoshopLocator& locator, TExifData& exif)
{
    exif = TExifData {};
    exif.FileName = fileName;
    FileReader file(data, size);
    ReadExifDataFrom(file, fileName, thumbnail, locator, exif);
}

} // namespace metadata
