#include "metadata/NumberText.h"

#include <charconv>
#include <cmath>

#include "metadata/ExifRead.h"

namespace metadata {

std::string DecimalText(int64_t value)
{
    return std::to_string(value);
}

std::string HexByte(uint8_t value)
{
    return HexText(value, 2);
}

std::string HexText(uint32_t value, int digits)
{
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text(static_cast<size_t>(digits), '0');
    for (int i = digits - 1; i >= 0 && value != 0; --i, value >>= 4)
        text[static_cast<size_t>(i)] = kDigits[value & 15];
    return text;
}

namespace {

// A value that is not a finite number (an overflowing APEX conversion, a NaN
// in the file) has no text: the entry's value text comes out empty.
void RequireFinite(long double value)
{
    if (!std::isfinite(value))
        throw ExifReadError("value is not a finite number");
}

} // namespace

std::string FixedText(long double value, int decimals)
{
    RequireFinite(value);
    char buffer[128];
    // Values beyond this range are never met in metadata; keep the text bounded.
    if (std::fabs(value) > 1e60L)
        return GeneralFloatText(value);
    // Formatted as a double: display texts need far fewer digits than a double holds,
    // and the double conversion avoids the slow long double path.
    auto result
        = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value), std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return std::string();
    return std::string(buffer, result.ptr);
}

std::string GeneralFloatText(long double value)
{
    RequireFinite(value);
    char buffer[64];
    auto result
        = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value), std::chars_format::general, 15);
    if (result.ec != std::errc())
        return std::string();
    return std::string(buffer, result.ptr);
}

long double RoundHalfEven(long double value)
{
    // The default floating-point environment rounds to nearest, ties to even.
    return std::nearbyint(value);
}

std::string FractionText(int64_t numerator, int64_t denominator)
{
    return DecimalText(numerator) + "/" + DecimalText(denominator);
}

} // namespace metadata
