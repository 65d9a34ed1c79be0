#pragma once
// Locale-independent number texts for metadata values: decimal, upper-case
// hexadecimal, fixed-point ("%.Nf" with "." as the point) and the general
// float text (shortest form with at most 15 significant digits). The float
// texts throw ExifReadError for a value that is not a finite number.

#include <cstdint>
#include <string>

namespace metadata {

std::string DecimalText(int64_t value);
// Two upper-case hexadecimal digits per byte.
std::string HexByte(uint8_t value);
// `digits` upper-case hexadecimal digits (leading zeros kept).
std::string HexText(uint32_t value, int digits);
// Like printf("%.<decimals>f") in the C locale.
std::string FixedText(long double value, int decimals);
// Shortest decimal text with at most 15 significant digits: 35, 41.5, 0.001.
std::string GeneralFloatText(long double value);
// Round to the nearest integer, halves to the even neighbour.
long double RoundHalfEven(long double value);
// n + "/" + d.
std::string FractionText(int64_t numerator, int64_t denominator);

} // namespace metadata
