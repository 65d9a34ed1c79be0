#pragma once
// File modification times as packed DOS date-times in local time, and their
// display text (year/month/day hour:minute:second).
//
// Packed layout: the date in the high word (bits 15-9 year - 1980, 8-5 month,
// 4-0 day), the time in the low word (bits 15-11 hour, 10-5 minute, 4-0
// seconds / 2). The packed value orders chronologically.

#include <cstdint>
#include <ctime>
#include <string>

namespace platform {

// Local time of `t` packed; times before 1980 give 1980-01-01 00:00:00,
// times after 2107 the last representable second.
uint32_t PackDosDateTime(std::time_t t);
uint32_t PackDosDateTime(int year, int month, int day, int hour, int minute, int second);
// The packed modification time of a file (0 when it cannot be read).
uint32_t FileDosDateTime(const std::string& path);
// The local time a packed value stands for (-1 when it holds no valid date).
std::time_t UnpackDosDateTime(uint32_t packed);

// "2004/05/06 13:45:30" in every locale; the time is left out when it is
// exactly midnight ("2004/05/06"), and an invalid value gives "".
std::string DateText(uint32_t packed);

} // namespace platform
