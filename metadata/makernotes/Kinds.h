#pragma once
// The maker-note formats (MakerNoteKind) by name.

#include <cstdint>

namespace metadata::makernote {

inline constexpr int32_t kNone = 0;
inline constexpr int32_t kOlympus = 1; // Olympus and Agfa
inline constexpr int32_t kEpson = 2;
inline constexpr int32_t kSanyo = 3;
inline constexpr int32_t kRicohText = 4; // note shown as text
inline constexpr int32_t kNikonHeader = 5; // "Nikon\0\1" header (old Coolpix)
inline constexpr int32_t kNikon = 6; // no header (D1, E990) and "Nikon\0\2" type 3 notes
inline constexpr int32_t kCasio = 7;
inline constexpr int32_t kCanon = 8;
inline constexpr int32_t kKonica = 9;
inline constexpr int32_t kToshiba = 10; // note shown in hexadecimal
inline constexpr int32_t kKodak = 11;
inline constexpr int32_t kFujifilm = 12;
inline constexpr int32_t kKodakKdk = 13; // also the early Kodak-built EOS D bodies
inline constexpr int32_t kFujifilm230 = 14; // DS-230HD
inline constexpr int32_t kKodakDc4800 = 15;
inline constexpr int32_t kFujifilmFdi = 16; // SP-1500, note shown as text
inline constexpr int32_t kSony = 17;
inline constexpr int32_t kMinolta = 18;
inline constexpr int32_t kPentaxOptio = 19; // Optio 330/430
inline constexpr int32_t kRicohCaplio = 20;
inline constexpr int32_t kKyocera = 24;
inline constexpr int32_t kPanasonic = 25;
inline constexpr int32_t kPentax = 26; // "AOC\0" and "PENTAX \0" notes
inline constexpr int32_t kCasio2 = 27; // "QVC\0" notes

// The combined key of a maker-note item.
constexpr int32_t Key(int32_t kind, uint16_t tag)
{
    return kind * 65536 + tag;
}

} // namespace metadata::makernote
