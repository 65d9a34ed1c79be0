// Rotating photo files: the save modes, and that a failure at any step leaves
// the photo as it was and says so.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "fileops/FileOpsFixture.h"
#include "jpegtools/JpegFixtures.h"
#include "jpegtools/LosslessRotate.h"
#include "jpegtools/LosslessTransform.h"
#include "support/TestSupport.h"

using namespace jpegtest;
namespace fs = std::filesystem;
using jpegtools::SaveMode;
using jpegtools::SaveOutcome;

namespace {

const Bytes& Photo()
{
    static const Bytes photo = MakeJpeg({ "photo", 96, 64 });
    return photo;
}

// The picture turned by `code` as the transform gives it.
Pixels Turned(int code)
{
    std::vector<uint8_t> out;
    std::string error;
    jpegtools::TurnPhoto(Photo().data(), Photo().size(), code, out, error);
    return Decode(out);
}

jpegtools::SaveRequest Request(const fs::path& path, SaveMode mode)
{
    jpegtools::SaveRequest r;
    r.path = path.string();
    r.mode = mode;
    // The desktop trash stands in as a folder of its own beside the photo.
    r.trash = [folder = path.parent_path() / "trash"](const std::string& file, std::string&) {
        fs::create_directories(folder);
        fs::rename(file, folder / fs::path(file).filename());
        return fileops::TrashResult::Trashed;
    };
    return r;
}

} // namespace

TEST(RotateFile, SaveModesPutTheTurnedPhotoInPlace)
{
    struct Case {
        SaveMode mode;
        const char* name;
        const char* result;
        std::vector<std::string> files;
    };
    const Case cases[] = {
        { SaveMode::Rewrite, "a.jpg", "a.jpg", { "a.jpg" } },
        { SaveMode::Trashbox, "a.jpg", "a.jpg", { "a.jpg", "trash" } },
        { SaveMode::Rename, "a.jpeg", "a_270.jpeg", { "a.jpeg", "a_270.jpeg" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name + std::string(" ") + std::to_string(int(c.mode)));
        testsupport::TempDir dir;
        const fs::path path = dir.Path() / c.name;
        testsupport::WriteFile(path, Photo());
        fs::permissions(path, fs::perms(0640));
        const jpegtools::RotateOutcome out = jpegtools::RotateLosslessly(3, Request(path, c.mode));
        ASSERT_TRUE(out.Ok()) << out.error;
        EXPECT_EQ(out.newPath, (dir.Path() / c.result).string());
        EXPECT_TRUE(Decode(testsupport::ReadFile(out.newPath)) == Turned(3));
        EXPECT_EQ(fileopstest::Names(dir.Path()), c.files); // no temporary file left behind
        EXPECT_EQ(fs::status(out.newPath).permissions(), fs::perms(0640));
        if (c.mode == SaveMode::Trashbox) {
            EXPECT_EQ(testsupport::ReadFile(dir.Path() / "trash" / c.name), Photo());
        }
        if (c.mode == SaveMode::Rename) {
            EXPECT_EQ(testsupport::ReadFile(path), Photo());
        }
    }
}

TEST(RotateFile, CodeZeroDoesNothingAndAPhotoBehindALinkIsTurnedAtItsTarget)
{
    testsupport::TempDir dir;
    const fs::path real = dir.Path() / "real.jpg", link = dir.Path() / "link.jpg";
    testsupport::WriteFile(real, Photo());
    fs::create_symlink("real.jpg", link);
    const auto skipped = jpegtools::RotateLosslessly(0, Request(link, SaveMode::Rewrite));
    EXPECT_TRUE(skipped.skipped);
    EXPECT_EQ(testsupport::ReadFile(real), Photo());
    const auto out = jpegtools::RotateLosslessly(1, Request(link, SaveMode::Rewrite));
    ASSERT_TRUE(out.Ok()) << out.error;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(Decode(testsupport::ReadFile(real)) == Turned(1));
}

TEST(RotateFile, ReplacingAProtectedOrExistingFileAsksFirst)
{
    for (const bool answer : { false, true })
        for (const SaveMode mode : { SaveMode::Rewrite, SaveMode::Rename }) {
            SCOPED_TRACE(std::to_string(int(mode)) + (answer ? " yes" : " no"));
            testsupport::TempDir dir;
            const fs::path path = dir.Path() / "p.jpg", renamed = dir.Path() / "p_90.jpg";
            testsupport::WriteFile(path, Photo());
            if (mode == SaveMode::Rewrite)
                fs::permissions(path, fs::perms(0444));
            else
                testsupport::WriteFile(renamed, std::string("older"));
            int asked = 0;
            auto request = Request(path, mode);
            request.confirm = [&](const std::string&) {
                ++asked;
                return answer;
            };
            const auto out = jpegtools::RotateLosslessly(1, request);
            EXPECT_EQ(asked, 1);
            const fs::path result = mode == SaveMode::Rewrite ? path : renamed;
            if (answer) {
                ASSERT_TRUE(out.Ok()) << out.error;
                EXPECT_TRUE(Decode(testsupport::ReadFile(result)) == Turned(1));
            } else {
                EXPECT_EQ(out.status, SaveOutcome::Cancelled);
                EXPECT_FALSE(out.error.empty());
                EXPECT_EQ(testsupport::ReadFile(path), Photo());
                if (mode == SaveMode::Rename) {
                    EXPECT_EQ(testsupport::ReadFile(renamed), Bytes({ 'o', 'l', 'd', 'e', 'r' }));
                }
            }
            if (mode == SaveMode::Rewrite) { // the turned photo stays protected
                EXPECT_EQ(fs::status(path).permissions(), fs::perms(0444));
            }
            // Conform replaces without asking.
            request.conform = true;
            asked = 0;
            EXPECT_TRUE(jpegtools::RotateLosslessly(1, request).Ok());
            EXPECT_EQ(asked, 0);
        }
}

TEST(RotateFile, FailuresLeaveThePhotoAsItWasAndAreReported)
{
    // A corrupt photo: cut in its image data.
    {
        testsupport::TempDir dir;
        const fs::path path = dir.Path() / "cut.jpg";
        const Bytes cut(Photo().begin(), Photo().begin() + static_cast<ptrdiff_t>(Photo().size() * 2 / 3));
        testsupport::WriteFile(path, cut);
        for (const SaveMode mode : { SaveMode::Rewrite, SaveMode::Trashbox, SaveMode::Rename }) {
            const auto out = jpegtools::RotateLosslessly(1, Request(path, mode));
            EXPECT_EQ(out.status, SaveOutcome::Failed);
            EXPECT_FALSE(out.error.empty());
            EXPECT_EQ(testsupport::ReadFile(path), cut);
            EXPECT_EQ(fileopstest::Names(dir.Path()), std::vector<std::string>({ "cut.jpg" }));
        }
    }
    // The trash refuses the photo: nothing replaced.
    {
        testsupport::TempDir dir;
        const fs::path path = dir.Path() / "t.jpg";
        testsupport::WriteFile(path, Photo());
        auto request = Request(path, SaveMode::Trashbox);
        for (const auto result : { fileops::TrashResult::NoTrash, fileops::TrashResult::Failed }) {
            request.trash = [result](const std::string&, std::string& error) {
                error = "no trash here";
                return result;
            };
            const auto out = jpegtools::RotateLosslessly(2, request);
            EXPECT_EQ(out.status, SaveOutcome::Failed);
            EXPECT_EQ(out.error, "no trash here");
            EXPECT_EQ(testsupport::ReadFile(path), Photo());
            EXPECT_EQ(fileopstest::Names(dir.Path()), std::vector<std::string>({ "t.jpg" }));
        }
    }
    // The system temporary folder is elsewhere or missing: the work happens beside the photo.
    {
        testsupport::TempDir dir;
        const fs::path path = dir.Path() / "tmp.jpg";
        testsupport::WriteFile(path, Photo());
        testsupport::EnvGuard tmp("TMPDIR", "/nonexistent/voviro-tmp");
        EXPECT_TRUE(jpegtools::RotateLosslessly(1, Request(path, SaveMode::Rewrite)).Ok());
        EXPECT_TRUE(Decode(testsupport::ReadFile(path)) == Turned(1));
    }
}

TEST(RotateFile, FullOrReadOnlyFileSystemLeavesThePhoto)
{
    const auto check = [](const std::string& folder) {
        const fs::path path = fs::path(folder) / "p.jpg";
        for (const SaveMode mode : { SaveMode::Rewrite, SaveMode::Trashbox, SaveMode::Rename }) {
            const auto out = jpegtools::RotateLosslessly(1, Request(path, mode));
            EXPECT_EQ(out.status, SaveOutcome::Failed);
            EXPECT_FALSE(out.error.empty());
            EXPECT_EQ(testsupport::ReadFile(path), Photo());
        }
        const auto names = fileopstest::Names(folder);
        EXPECT_EQ(std::count_if(names.begin(), names.end(), [](const std::string& n) { return n[0] == '.'; }), 0);
    };
    {
        SCOPED_TRACE("full");
        // Room for the photo and little more, then filled up.
        fileopstest::SmallMount mount(static_cast<unsigned>(Photo().size() / 1024 + 8));
        if (!mount.Ok())
            GTEST_SKIP() << "cannot mount a small file system (needs root)";
        testsupport::WriteFile(fs::path(mount.Folder()) / "p.jpg", Photo());
        testsupport::WriteFile(
            fs::path(mount.Folder()) / "filler", Bytes(static_cast<size_t>(fs::space(mount.Folder()).available), 0x55));
        check(mount.Folder());
    }
    {
        SCOPED_TRACE("read-only");
        fileopstest::ReadOnlyFolder folder;
        testsupport::WriteFile(fs::path(folder.Folder()) / "p.jpg", Photo());
        if (!folder.Lock())
            GTEST_SKIP() << "cannot make a folder read-only";
        check(folder.Folder());
    }
}
