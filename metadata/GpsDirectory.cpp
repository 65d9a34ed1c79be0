#include "metadata/ExifRead.h"
#include "metadata/NumberText.h"
#include "metadata/TagNames.h"
#include "metadata/TiffDirectory.h"
#include "metadata/TiffEntry.h"
#include "metadata/ValueText.h"

#include <cmath>

namespace metadata {

namespace {

const char kDegree[] = "ﾟ ";

// Latitude or longitude from three rationals: degrees, minutes, seconds.
// Some writers store them as signed rationals; those are read as such.
std::string CoordinateText(EntryValue& v)
{
    const bool isSigned = v.Entry().type == kSRational;
    const auto part = [&](uint32_t i) -> std::pair<long double, long double> {
        if (isSigned) {
            auto [n, d] = v.SRational(i);
            return { n, d };
        }
        auto [n, d] = v.Rational(i);
        return { n, d };
    };
    auto [dn, dd] = part(0);
    // Degrees are normally n/1; a writer that stores them with another denominator still gets them right.
    const std::string d = GeneralFloatText(dd == 0 ? dn : Quotient(dn, dd));
    auto [mn, md] = part(1);
    if (md == 0)
        return d;
    const long double minutes = Quotient(mn, md);
    const std::string m = GeneralFloatText(minutes);
    auto [sn, sd] = part(2);
    if (sn == 0) {
        const long double whole = std::trunc(minutes);
        return d + kDegree + m + " [DM]   " + d + kDegree + DecimalText(static_cast<int64_t>(whole)) + "' "
            + FixedText((minutes - whole) * 60, 2) + "\" [DMS]";
    }
    return d + kDegree + m + "' " + GeneralFloatText(Quotient(sn, sd)) + "\" [DMS]";
}

std::string TimeText(EntryValue& v)
{
    std::string text;
    for (uint32_t i = 0; i < 3; ++i) {
        auto [n, d] = v.Rational(i);
        std::string part = RoundedText(Quotient(n, d));
        if (part.size() < 2)
            part.insert(0, 2 - part.size(), '0');
        text += (i > 0 ? ":" : "") + part;
    }
    return text;
}

std::string GpsValueText(EntryValue& v)
{
    const TiffEntry& e = v.Entry();
    const uint16_t tag = e.tag;
    switch (e.type) {
    case kByte:
        if (tag == 5) {
            uint8_t b = v.Byte(0);
            return b == 0 ? std::string("海抜基準") : "予約(" + DecimalText(b) + ")";
        }
        v.RequireInFile();
        return JoinValues(e.count, ",", [&](uint32_t i) { return DecimalText(v.Byte(i)); });
    case kAscii: {
        std::string text = AsciiValueText(v);
        if (tag == 14 || tag == 16 || tag == 23) {
            if (text.find('T') != std::string::npos)
                return "真方位";
            if (text.find('M') != std::string::npos)
                return "磁方位";
        }
        return text;
    }
    case kShort:
        return DecimalText(v.Short(0));
    case kLong:
        return DecimalText(v.Long(0));
    case kRational:
        switch (tag) {
        case 2:
        case 4:
            return CoordinateText(v);
        case 6: {
            auto [n, d] = v.Rational(0);
            return FractionText(n, d) + " メートル";
        }
        case 7:
            return TimeText(v);
        case 15:
        case 17:
        case 24: {
            auto [n, d] = v.Rational(0);
            return FixedText(Quotient(n, d), 2) + "°";
        }
        default:
            v.RequireInFile();
            return JoinValues(e.count, ",", [&](uint32_t i) {
                auto [n, d] = v.Rational(i);
                return FractionText(n, d);
            });
        }
    case kSRational: {
        if (tag == 2 || tag == 4)
            return CoordinateText(v);
        auto [n, d] = v.SRational(0);
        return FractionText(n, d);
    }
    default:
        return std::string();
    }
}

} // namespace

void ReadGpsDirectory(TiffContext& c, TMakerResult& target, uint64_t pos)
{
    target.Count = 0;
    target.Items.clear();
    if (!c.file.Contains(pos, 2))
        return;
    const uint16_t n = c.file.U16(pos, c.littleEndian);
    const uint32_t stored = std::min<uint32_t>(n, kMaxDirectoryItems);
    for (uint32_t i = 0; i < stored; ++i) {
        const TiffEntry e = ReadTiffEntry(c.file, pos + 2 + 12 * static_cast<uint64_t>(i), c.littleEndian, c.tiffBase);
        EntryValue v(c.file, e, c.littleEndian);
        std::string text;
        try {
            text = GpsValueText(v);
        } catch (const ExifReadError&) {
            text.clear();
        }
        target.Items.push_back({ e.tag, GpsTagName(e.tag), std::move(text) });
        target.Count = static_cast<int32_t>(target.Items.size());
    }
}

} // namespace metadata
