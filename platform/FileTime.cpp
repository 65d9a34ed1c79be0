#include "platform/FileTime.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>

namespace platform {

namespace {

// Day of the week (0 Sunday) of a proleptic Gregorian date.
int WeekDay(int year, int month, int day)
{
    static const int offsets[] = { 0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4 };
    if (month < 3)
        year -= 1;
    return (year + year / 4 - year / 100 + year / 400 + offsets[month - 1] + day) % 7;
}

int DaysInMonth(int year, int month)
{
    static const int days[] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

struct Fields {
    int year, month, day, hour, minute, second;
};

bool Unpack(uint32_t packed, Fields& f)
{
    const uint32_t date = packed >> 16, time = packed & 0xFFFF;
    f.year = static_cast<int>(date >> 9) + 1980;
    f.month = static_cast<int>((date >> 5) & 0x0F);
    f.day = static_cast<int>(date & 0x1F);
    f.hour = static_cast<int>(time >> 11);
    f.minute = static_cast<int>((time >> 5) & 0x3F);
    f.second = static_cast<int>(time & 0x1F) * 2;
    return f.month >= 1 && f.month <= 12 && f.day >= 1 && f.day <= DaysInMonth(f.year, f.month) && f.hour < 24
        && f.minute < 60 && f.second < 60;
}

std::tm ToTm(const Fields& f)
{
    std::tm tm {};
    tm.tm_year = f.year - 1900;
    tm.tm_mon = f.month - 1;
    tm.tm_mday = f.day;
    tm.tm_hour = f.hour;
    tm.tm_min = f.minute;
    tm.tm_sec = f.second;
    tm.tm_wday = WeekDay(f.year, f.month, f.day);
    tm.tm_isdst = -1;
    return tm;
}

} // namespace

uint32_t PackDosDateTime(int year, int month, int day, int hour, int minute, int second)
{
    if (year < 1980)
        return PackDosDateTime(1980, 1, 1, 0, 0, 0);
    if (year > 2107)
        return PackDosDateTime(2107, 12, 31, 23, 59, 58);
    const uint32_t date
        = (static_cast<uint32_t>(year - 1980) << 9) | (static_cast<uint32_t>(month) << 5) | static_cast<uint32_t>(day);
    const uint32_t time = (static_cast<uint32_t>(hour) << 11) | (static_cast<uint32_t>(minute) << 5)
        | static_cast<uint32_t>(second / 2);
    return (date << 16) | time;
}

uint32_t PackDosDateTime(std::time_t t)
{
    std::tm local {};
    if (!localtime_r(&t, &local))
        return PackDosDateTime(1980, 1, 1, 0, 0, 0);
    return PackDosDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
        local.tm_sec > 59 ? 59 : local.tm_sec);
}

uint32_t FileDosDateTime(const std::string& path)
{
    struct stat st { };
    if (::stat(path.c_str(), &st) != 0)
        return 0;
    return PackDosDateTime(st.st_mtime);
}

std::time_t UnpackDosDateTime(uint32_t packed)
{
    Fields f {};
    if (!Unpack(packed, f))
        return -1;
    std::tm local = ToTm(f);
    return std::mktime(&local);
}

std::string DateText(uint32_t packed)
{
    Fields f {};
    if (!Unpack(packed, f))
        return std::string();
    // The short numeric form in every locale: a locale's own date format
    // (2004年05月06日 13時45分30秒) does not fit the list's date column.
    char buffer[32];
    const bool midnight = (packed & 0xFFFF) == 0;
    const int n = midnight ? std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d", f.year, f.month, f.day)
                           : std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d %02d:%02d:%02d", f.year, f.month,
                               f.day, f.hour, f.minute, f.second);
    return std::string(buffer, static_cast<size_t>(std::max(n, 0)));
}

} // namespace platform
