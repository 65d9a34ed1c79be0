// Which maker-note format a file uses, where its directory starts and what the
// MakerNote entry shows.
#include <gtest/gtest.h>

#include "metadata/MakerNoteKind.h"
#include "metadata/ReadFixture.h"

namespace {

using exiftest::Bytes;

TEST(MakerNoteKind, FromMakeAndModel)
{
    struct Case {
        const char* make;
        const char* model;
        int kind;
    };
    const Case cases[] = {
        { "Canon", "Canon PowerShot S40", 8 },
        { "", "Canon EOS D30", 8 },
        { "", "Canon EOS D60", 8 },
        { "", "Canon EOS D2000C", 13 },
        { "Canon", "Canon EOS DIGITAL REBEL", 8 },
        { "Canon", "Canon EOS DIGITAL REBEL XT", 8 },
        { "NIKON CORPORATION", "NIKON D100", 6 },
        { "NIKON", "E995", 6 },
        { "NIKON", "NIKON D1X", 6 },
        { "", "Mod NIKON D1", 6 },
        { "CASIO", "QV-3000EX", 7 },
        { "TOSHIBA", "PDR-M60", 10 },
        { "Eastman Kodak", "DC210", 11 },
        { "RICOH", "RDC-5300", 4 },
        { "RICOH", "Caplio RR30", 20 },
        { "", "RDC-i500", 20 },
        { "", "DiMAGE 7Hi", 18 },
        { "", "Dimage EX 1500", 11 },
        { "", "KODAK DC4800 ZOOM", 15 },
        { "", "DS-230HD", 14 },
        { "", "PENTAX Optio 330", 19 },
        { "", "SP-1500", 16 },
        { "SONY", "DSC-P1", 0 },
        { "", "Dimage 2330 Zoom", 18 },
    };
    for (const Case& c : cases) {
        int32_t kind = 0;
        metadata::TSubIFDResult main;
        metadata::RecognizeMakerFromMake(c.make, kind);
        metadata::RecognizeMakerFromModel(c.model, kind, main);
        EXPECT_EQ(kind, c.kind) << c.make << " / " << c.model;
    }
    int32_t kind = 0;
    metadata::TSubIFDResult main;
    metadata::RecognizeMakerFromModel("DiMAGE X20", kind, main);
    EXPECT_EQ(kind, 18);
    EXPECT_EQ(main.MakerText, "DiMAGE X");
}

struct NoteCase {
    const char* what;
    const char* make;
    const char* model;
    std::string note;
    // Expected text with {N} for the count, {L} the offset from the TIFF base, {A} the absolute offset.
    std::string text;
    int makerOffsetDelta; // MakerOffset - L; -1: none
};

std::string Expand(std::string text, uint32_t n, uint32_t l, uint32_t a)
{
    for (auto [key, value] : { std::pair<std::string, uint32_t> { "{N}", n }, { "{L12}", l + 12 }, { "{L8}", l + 8 },
             { "{L}", l }, { "{A}", a } }) {
        for (size_t p; (p = text.find(key)) != std::string::npos;)
            text.replace(p, key.size(), std::to_string(value));
    }
    return text;
}

TEST(MakerNoteKind, MakerNoteEntryTextsAndOffsets)
{
    const std::string pad(24, '\x01');
    const std::vector<NoteCase> cases = {
        { "Nikon header", "NIKON", "E5700", "Nikon\0\x01\0" + pad, "Nikon COOLPIX Format : {N}Byte (Offset:{A})", 8 },
        { "Nikon without header", "NIKON", "E995", pad, "Nikon D1 Format : {N}Byte (Offset:{L}) ", 0 },
        { "Olympus", "OLYMPUS", "C960", "OLYMP\0\x01\0" + pad, "Olympus Format : {N}Byte (Offset:{A})", 8 },
        { "Epson", "", "", "EPSON\0" + pad, "EPSON Format : {N}Byte (Offset:{L12})", 8 },
        { "Fujifilm", "FUJIFILM", "FinePix", "FUJIFILM\x0c\0\0\0" + pad, "FUJIFILM Format : {N}Byte (Offset:{A})", 12 },
        { "Sony", "SONY", "DSC", "SONY DSC \0\0\0" + pad, "SONY Format : {N}Byte (Offset:{A})", 12 },
        { "Panasonic", "Panasonic", "DMC", "Panasonic\0\0\0" + pad, "Panasonic Format : {N}Byte (Offset:{A})", 12 },
        { "Konica header", "", "", "KONICA MINOLTA\0" + pad, "KONICA Format : {N}Byte (Offset:{L12}) ", 22 },
        { "Canon", "Canon", "Canon PowerShot", pad, "Canon Format : {N}Byte (Offset:{L12}) ", 0 },
        { "Casio", "CASIO", "QV", pad, "CASIO Format : {N}Byte (Offset:{L12}) ", 0 },
        { "Minolta", "Minolta", "DiMAGE 7", pad, "Minolta Format : {N}Byte (Offset:{L12}) ", 0 },
        { "Pentax", "Asahi", "PENTAX Optio 430", pad, "PENTAX Format : {N}Byte (Offset:{L}) ", 0 },
        { "Caplio", "RICOH", "Caplio G3", "RICOH\0\0\0" + pad, "RIOCH Caplio Format : {N}Byte (Offset:{L8}) ", 8 },
        { "Caplio without RICOH header", "RICOH", "Caplio G3", pad, "Unknown Format : {N}Byte (Offset:{A})", -1 },
        { "Ricoh by make", "RICOH", "RDC-5300", std::string("Rv0207;Sf6C84\0\0", 15),
            "RIOCH Format : {N},{L},Rv0207;Sf6C84", -1 },
        { "Toshiba", "TOSHIBA", "PDR", std::string("\x01\xAB\x00\xFF\x10", 5), "TOSHIBA Format : 01AB00FF10 (5Byte)",
            -1 },
        { "DS-230HD header", "", "DS-230HD", "FUJIFILM" + pad, "FUJIFILM 230HD Format : {N}Byte (Offset:{A})", 12 },
        { "DS-230HD wrong header", "", "DS-230HD", "ABCDE" + pad, "ABCDE", -1 },
        { "EOS D without header", "Canon", "EOS D2000C", "XYZWV" + pad, "XYZWV", 8 },
        { "no header, no make", "", "", "abcde" + pad, "Unknown Format : {N}Byte (Offset:{A})abcde", 8 },
        { "short note", "", "", "abc", "Unknown Format : {N}Byte (Offset:{A})", 8 },
    };
    for (bool inJpeg : { false, true }) {
        for (const NoteCase& c : cases) {
            exiftest::TiffBuilder tiff;
            if (*c.make)
                tiff.ifd0.Ascii(271, c.make);
            if (*c.model)
                tiff.ifd0.Ascii(272, c.model);
            tiff.withExif = true;
            tiff.exif.Undefined(37500, exiftest::ToBytes(c.note));
            const exiftest::BuiltTiff built = tiff.Build();
            const uint32_t base = inJpeg ? 12 : 0;
            const uint32_t l = c.note.size() > 4 ? built.valueOffsets.at({ 1, 37500 }) : built.exifOffset + 2 + 8;
            exiftest::ReadResult r = inJpeg
                ? exiftest::ReadMemory(exiftest::JpegBuilder().Exif(built.bytes).Frame(8, 8).Build(), "a.jpg")
                : exiftest::ReadMemory(built.bytes, "a.tif");
            ASSERT_FALSE(r.raised) << c.what;
            const uint32_t n = static_cast<uint32_t>(c.note.size());
            EXPECT_EQ(exiftest::ValueOf(r.exif.Exif.Items, 37500), Expand(c.text, n, l, base + l)) << c.what;
            EXPECT_EQ(
                r.exif.Exif.MakerOffset, c.makerOffsetDelta < 0 ? 0 : static_cast<int32_t>(l + c.makerOffsetDelta))
                << c.what;
            // Notes of filler bytes are not damage: their directories are implausible and skipped.
            EXPECT_EQ(r.exif.Maker.Damaged, 0) << c.what;
        }
    }
}

TEST(MakerNoteKind, NikonD1NoteOfOneByteTakesTheValueField)
{
    exiftest::TiffBuilder tiff;
    tiff.ifd0.Ascii(272, "NIKON D1");
    tiff.withExif = true;
    tiff.exif.Add(37500, 7, 1, Bytes { 0x34, 0x12, 0, 0 });
    exiftest::ReadResult r = exiftest::ReadTiff(tiff);
    EXPECT_EQ(r.exif.Exif.MakerOffset, 0x1234);
    EXPECT_EQ(exiftest::ValueOf(r.exif.Exif.Items, 37500), "Nikon D1 Format : 1Byte (Offset:4660) ");
}

} // namespace
