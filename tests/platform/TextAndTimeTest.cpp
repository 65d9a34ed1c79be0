#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "platform/FileTime.h"
#include "platform/TempFile.h"
#include "platform/TextCodec.h"
#include "support/TestSupport.h"

using namespace platform;

namespace {

const std::string kNihongoUtf8 = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E"; // 日本語

TEST(TextCodec, Cp932ToUtf8)
{
    // 日本語, the NEC circled one and the CP932 wave dash (U+FF5E, not U+301C as in plain Shift-JIS).
    EXPECT_EQ(Cp932ToUtf8("\x93\xFA\x96\x7B\x8C\xEA\x87\x40\x81\x60"), kNihongoUtf8 + "①～");
    EXPECT_EQ(Cp932ToUtf8("abc \xB6\xD2\xD7"), "abc ｶﾒﾗ"); // half-width katakana
    // A lead byte without its trail, and a lone trail at the end, become U+FFFD.
    EXPECT_EQ(Cp932ToUtf8("\x93\xFA\x93"), "日\xEF\xBF\xBD");
    EXPECT_TRUE(IsValidUtf8(Cp932ToUtf8("\x80\xA0\xFD\xFE\xFF\x81")));
}

TEST(TextCodec, JisToUtf8)
{
    EXPECT_EQ(JisToUtf8("\x1B$BF|K\\8l%+%a%i\x1B(B OK"), kNihongoUtf8 + "カメラ OK");
    EXPECT_EQ(JisToUtf8("plain"), "plain");
    // A truncated sequence in the two-byte set still gives valid UTF-8.
    const std::string cut = JisToUtf8("\x1B$BF|K");
    EXPECT_TRUE(IsValidUtf8(cut));
    EXPECT_EQ(cut.rfind("日", 0), 0u);
}

TEST(TextCodec, DecodeTextPrefersUtf8ThenCp932)
{
    EXPECT_EQ(DecodeText(kNihongoUtf8), kNihongoUtf8);
    EXPECT_EQ(DecodeText("\x93\xFA\x96\x7B\x8C\xEA"), kNihongoUtf8);
    EXPECT_EQ(DecodeText(""), "");
}

TEST(TextCodec, ValidityAndRepair)
{
    struct Case {
        std::string bytes;
        bool valid;
        std::string repaired;
    };
    const Case cases[] = {
        { "ascii", true, "ascii" }, { kNihongoUtf8, true, kNihongoUtf8 },
        { "\xF0\x9F\x93\xB7", true, "\xF0\x9F\x93\xB7" }, // 📷
        { "a\x82z", false, "a\xEF\xBF\xBDz" }, // stray byte
        { "\xC0\xAF", false, "\xEF\xBF\xBD\xEF\xBF\xBD" }, // overlong
        { "\xED\xA0\x80", false, "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD" }, // surrogate
        { "\xE6\x97", false, "\xEF\xBF\xBD\xEF\xBF\xBD" }, // cut off
        { "\xF4\x90\x80\x80", false, "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD" }, // above U+10FFFF
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.bytes;
        EXPECT_EQ(MakeValidUtf8(c.bytes), c.repaired) << c.bytes;
    }
}

TEST(FileTime, PackingLayoutAndClamping)
{
    EXPECT_EQ(
        PackDosDateTime(2004, 5, 6, 13, 45, 31), ((24u << 9 | 5u << 5 | 6u) << 16) | (13u << 11 | 45u << 5 | 15u));
    EXPECT_EQ(PackDosDateTime(1970, 6, 1, 12, 0, 0), PackDosDateTime(1980, 1, 1, 0, 0, 0));
    EXPECT_LT(PackDosDateTime(2003, 12, 31, 23, 59, 58), PackDosDateTime(2004, 1, 1, 0, 0, 0));

    std::tm local {};
    local.tm_year = 2004 - 1900;
    local.tm_mon = 4;
    local.tm_mday = 6;
    local.tm_hour = 13;
    local.tm_min = 45;
    local.tm_sec = 31;
    local.tm_isdst = -1;
    const std::time_t t = std::mktime(&local);
    EXPECT_EQ(PackDosDateTime(t), PackDosDateTime(2004, 5, 6, 13, 45, 31));
    EXPECT_EQ(UnpackDosDateTime(PackDosDateTime(t)), t - 1); // two-second resolution
}

TEST(FileTime, FileModificationTime)
{
    testsupport::TempDir dir;
    const auto path = dir.Path() / "a.jpg";
    testsupport::WriteFile(path, "x");
    const std::time_t when = UnpackDosDateTime(PackDosDateTime(2010, 2, 3, 4, 5, 6));
    timespec times[2] = { { when, 0 }, { when, 0 } };
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    EXPECT_EQ(FileDosDateTime(path.string()), PackDosDateTime(2010, 2, 3, 4, 5, 6));
    EXPECT_EQ(FileDosDateTime((dir.Path() / "missing").string()), 0u);
}

TEST(FileTime, DateTextLeavesOutMidnight)
{
    // Year/month/day, and the time unless it is exactly midnight.
    EXPECT_EQ(DateText(PackDosDateTime(2004, 5, 6, 13, 45, 30)), "2004/05/06 13:45:30");
    EXPECT_EQ(DateText(PackDosDateTime(2004, 5, 6, 0, 0, 0)), "2004/05/06");
    EXPECT_EQ(DateText(PackDosDateTime(2004, 5, 6, 0, 0, 2)), "2004/05/06 00:00:02");
    EXPECT_EQ(DateText(0), ""); // no valid date
}

// The list's date column shows the short numeric form whatever the user's
// locale; glibc's Japanese date format is far wider than the column. Each
// locale is tried in a fresh child process, as a program started in it.
TEST(FileTime, DateTextIsTheSameInEveryLocale)
{
    const std::pair<uint32_t, std::string> dates[] = {
        { PackDosDateTime(2026, 12, 11, 13, 56, 16), "2026/12/11 13:56:16" },
        { PackDosDateTime(2004, 5, 6, 0, 0, 0), "2004/05/06" },
        { PackDosDateTime(1999, 1, 2, 3, 4, 6), "1999/01/02 03:04:06" },
    };
    for (const char* name : { "C.UTF-8", "ja_JP.UTF-8" }) {
        SCOPED_TRACE(name);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::setenv("LC_ALL", name, 1);
            if (!std::setlocale(LC_ALL, ""))
                ::_exit(2);
            int wrong = 0;
            for (const auto& [packed, text] : dates)
                if (DateText(packed) != text) {
                    std::fprintf(
                        stderr, "%s: \"%s\" instead of \"%s\"\n", name, DateText(packed).c_str(), text.c_str());
                    wrong = 1;
                }
            ::_exit(wrong);
        }
        int status = -1;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        ASSERT_NE(WEXITSTATUS(status), 2) << name << " is not installed (scripts/install-deps.sh makes it)";
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
}

TEST(TempFile, CreatedInTmpdirWithPrefixAndRemoved)
{
    testsupport::TempDir dir;
    std::string path;
    {
        const testsupport::EnvGuard tmp("TMPDIR", dir.Path().c_str());
        TempFile file("TN");
        path = file.Path();
        EXPECT_EQ(path.rfind(dir.Path().string() + "/TN", 0), 0u) << path;
        EXPECT_GE(file.Fd(), 0);
        EXPECT_TRUE(std::filesystem::exists(path));
        TempFile moved(std::move(file));
        EXPECT_EQ(moved.Path(), path);
    }
    EXPECT_FALSE(std::filesystem::exists(path));
    {
        TempFile kept("VX", dir.Path().string());
        kept.Keep();
        path = kept.Path();
    }
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_THROW(TempFile("TN", "/nonexistent-folder"), std::system_error);
}

} // namespace
