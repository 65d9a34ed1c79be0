// The one picture loader: which decoder a file reaches, by content or by name,
// reduced and fast decodes, and the failure texts.
#include <gtest/gtest.h>

#include "imaging/JpegWriter.h"
#include "imaging/LoadPicture.h"
#include "support/TestSupport.h"

namespace {

using imaging::PictureFormat;

enum class Content { Jpeg, Bmp, Junk };

struct LoadCase {
    const char* name;
    Content content;
    bool byExtension;
    bool ok;
    PictureFormat format;
};

void WriteContent(const std::string& path, Content content)
{
    switch (content) {
    case Content::Jpeg:
        testsupport::WriteFile(path, testimaging::PatternJpeg(64, 48));
        break;
    case Content::Bmp:
        ASSERT_TRUE(imaging::SaveBmpFile(path, imaging::Bitmap(30, 20)));
        break;
    case Content::Junk:
        testsupport::WriteFile(path, std::string("not a picture at all"));
        break;
    }
}

} // namespace

TEST(LoadPicture, ChoosesTheDecoderByContentOrByName)
{
    const LoadCase cases[] = {
        { "a.jpg", Content::Jpeg, false, true, PictureFormat::Jpeg },
        { "a.png", Content::Jpeg, false, true, PictureFormat::Jpeg }, // misleading name, content wins
        { "a.png", Content::Jpeg, true, false, PictureFormat::Png }, // by name: the PNG decoder refuses it
        { "a.dat", Content::Bmp, false, true, PictureFormat::Bmp },
        { "a.dat", Content::Bmp, true, false, PictureFormat::Unknown },
        { "A.BMP", Content::Bmp, true, true, PictureFormat::Bmp },
        { "a.nef", Content::Bmp, true, false, PictureFormat::Tiff }, // raw containers are read as TIFF
        { "a.jpg", Content::Junk, false, false, PictureFormat::Unknown },
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.byExtension ? " by name" : " by content"));
        testsupport::TempDir dir;
        const std::string path = (dir.Path() / c.name).string();
        WriteContent(path, c.content);
        imaging::PictureLoadOptions options;
        options.byExtension = c.byExtension;
        PictureFormat format = PictureFormat::Unknown;
        options.format = &format;
        imaging::Bitmap out;
        std::string error;
        EXPECT_EQ(imaging::LoadPicture(path, out, options, &error), c.ok);
        EXPECT_EQ(format, c.format);
        EXPECT_EQ(out.Empty(), !c.ok);
        EXPECT_EQ(error.empty(), c.ok);
    }
}

TEST(LoadPicture, ReducedFastAndStoppedDecodes)
{
    testsupport::TempDir dir;
    const std::string path = (dir.Path() / "p.jpg").string();
    WriteContent(path, Content::Jpeg);

    imaging::PictureLoadOptions reduced;
    reduced.boxWidth = 16;
    reduced.boxHeight = 12;
    imaging::DecodeInfo info;
    reduced.info = &info;
    imaging::Bitmap out;
    ASSERT_TRUE(imaging::LoadPicture(path, out, reduced));
    EXPECT_EQ(out.Width(), 16);
    EXPECT_EQ(info.fullWidth, 64);

    imaging::PictureLoadOptions fast;
    fast.fastJpeg = true;
    ASSERT_TRUE(imaging::LoadPicture(path, out, fast));
    EXPECT_EQ(out.Width(), 64);
    EXPECT_EQ(out.BitsPerPixel(), 24);

    imaging::PictureLoadOptions stopped;
    stopped.progress = [](int) { return false; };
    EXPECT_FALSE(imaging::LoadPicture(path, out, stopped));
    EXPECT_TRUE(out.Empty());

    std::string error;
    EXPECT_FALSE(imaging::LoadPicture((dir.Path() / "missing.jpg").string(), out, {}, &error));
    EXPECT_EQ(error, "ファイルを開けません");
}
