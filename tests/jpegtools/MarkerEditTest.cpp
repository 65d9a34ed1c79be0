// The marker editor: which segments are written, dropped and kept, large
// profiles in numbered chunks, damaged files refused, profile export.
#include <gtest/gtest.h>

#include <filesystem>

#include "jpegtools/JpegFixtures.h"
#include "jpegtools/MarkerEdit.h"
#include "metadata/EmbeddedProfile.h"
#include "metadata/ExifRead.h"
#include "support/TestSupport.h"

using namespace jpegtest;
namespace fs = std::filesystem;
using jpegtools::IccChange;
using jpegtools::MarkerEdit;

namespace {

Bytes Payload(const std::string& text, size_t extra = 0)
{
    Bytes b(text.begin(), text.end());
    b.push_back(0);
    for (size_t i = 0; i < extra; ++i)
        b.push_back(static_cast<uint8_t>(i * 7));
    return b;
}

Bytes IccPayload(const Bytes& profile)
{
    Bytes b = Payload("ICC_PROFILE");
    b.push_back(1);
    b.push_back(1);
    b.insert(b.end(), profile.begin(), profile.end());
    return b;
}

Bytes Profile(size_t size)
{
    Bytes p(size);
    for (size_t i = 0; i < size; ++i)
        p[i] = static_cast<uint8_t>(i * 31 + i / 251);
    p[0] = static_cast<uint8_t>(size >> 24); // the profile header's size field
    p[1] = static_cast<uint8_t>(size >> 16);
    p[2] = static_cast<uint8_t>(size >> 8);
    p[3] = static_cast<uint8_t>(size);
    return p;
}

// SOI, APP1 Exif, APP2 ICC, APP2 MPF, COM, then the picture's own segments (JFIF first).
Bytes ExifPhoto()
{
    Bytes jpeg = MakeJpeg({ "photo", 40, 32 });
    jpeg = InsertSegment(jpeg, 0xFE, Payload("old comment"));
    jpeg = InsertSegment(jpeg, 0xE2, Payload("MPF", 20));
    jpeg = InsertSegment(jpeg, 0xE2, IccPayload(Profile(300)));
    jpeg = InsertSegment(jpeg, 0xE1, ExifPayload(1, 40, 32, {}));
    return jpeg;
}

struct Edited {
    jpegtools::SaveOutcome outcome;
    Bytes before, after;
};

Edited Edit(const Bytes& file, const MarkerEdit& edit)
{
    testsupport::TempDir dir;
    const fs::path path = dir.Path() / "p.jpg";
    testsupport::WriteFile(path, file);
    jpegtools::SaveRequest request;
    request.path = path.string();
    Edited e { jpegtools::EditMarkers(edit, request), file, testsupport::ReadFile(path) };
    return e;
}

std::vector<uint8_t> Codes(const Bytes& jpeg)
{
    std::vector<uint8_t> codes;
    for (const Seg& s : Segments(jpeg))
        codes.push_back(s.code);
    return codes;
}

// The bytes from SOS to the end.
Bytes ImageData(const Bytes& jpeg)
{
    const auto segs = Segments(jpeg);
    return Bytes(jpeg.begin() + static_cast<ptrdiff_t>(segs.back().offset), jpeg.end());
}

// Edits the file at path in place; false when the edit failed.
bool EditInPlace(const fs::path& path, const MarkerEdit& edit)
{
    jpegtools::SaveRequest request;
    request.path = path.string();
    return jpegtools::EditMarkers(edit, request).Ok();
}

metadata::TExifData ReadBack(const fs::path& path)
{
    metadata::TExifData exif;
    metadata::PhotoshopLocator locator;
    imaging::Bitmap thumb;
    metadata::ReadExifData(path.string(), thumb, locator, exif);
    return exif;
}

MarkerEdit Unchanged(const std::string& comment = "old comment")
{
    MarkerEdit e;
    e.startComment = e.comment = comment;
    return e;
}

} // namespace

TEST(MarkerEdit, SegmentsWrittenDroppedAndKept)
{
    const Bytes photo = ExifPhoto();
    const std::vector<uint8_t> picture = Codes(MakeJpeg({ "photo", 40, 32 })); // E0 DB DB C0 C4.. DA
    const std::vector<uint8_t> rest(picture.begin() + 1, picture.end());
    const auto join = [](std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    struct Case {
        const char* name;
        MarkerEdit edit;
        std::vector<uint8_t> codes;
    };
    MarkerEdit jfif = Unchanged(), del = Unchanged(), add = Unchanged(), clear = Unchanged(), comment = Unchanged();
    jfif.toJfif = true;
    del.icc = IccChange::Delete;
    add.icc = IccChange::Replace;
    add.profile = Profile(3000);
    clear.comment.clear();
    comment.comment = "新しいコメント";
    const Case cases[] = {
        // The file's own JFIF header moves to the front; no second one, no APP1.
        { "to JFIF", jfif, join({ 0xE0, 0xE2, 0xE2, 0xFE }, rest) },
        // Only the ICC_PROFILE APP2 goes, the MPF APP2 stays.
        { "delete ICC", del, join({ 0xE1, 0xE2, 0xFE }, picture) },
        // The new profile follows the first segment; the old one is gone.
        { "replace ICC", add, join({ 0xE1, 0xE2, 0xE2, 0xFE }, picture) },
        { "clear comment", clear, join({ 0xE1, 0xE2, 0xE2 }, picture) },
        { "new comment", comment, join({ 0xE1, 0xFE, 0xE2, 0xE2 }, picture) },
        { "nothing", Unchanged(), join({ 0xE1, 0xE2, 0xE2, 0xFE }, picture) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Edited e = Edit(photo, c.edit);
        ASSERT_TRUE(e.outcome.Ok()) << e.outcome.error;
        EXPECT_EQ(Codes(e.after), c.codes);
        EXPECT_EQ(ImageData(e.after), ImageData(photo));
    }
    // The replaced profile: one segment of profile size + 100, the 3,000 bytes then 84 zeros.
    const Bytes added = Edit(photo, add).after;
    const Seg icc = Segments(added)[1];
    ASSERT_EQ(icc.code, 0xE2);
    EXPECT_EQ(icc.length, 3100u);
    EXPECT_EQ(Bytes(added.begin() + icc.offset + 18, added.begin() + icc.offset + 18 + 3000), Profile(3000));
    EXPECT_EQ(Bytes(added.begin() + icc.offset + 3018, added.begin() + icc.offset + 3102), Bytes(84, 0));
}

TEST(MarkerEdit, ConvertingToJfifWritesTheEighteenByteHeaderAfterSoi)
{
    Bytes noJfif = ExifPhoto();
    const Seg app0 = Segments(noJfif)[4];
    ASSERT_EQ(app0.code, 0xE0);
    noJfif.erase(noJfif.begin() + app0.offset, noJfif.begin() + app0.offset + 2 + app0.length);
    MarkerEdit edit = Unchanged();
    edit.toJfif = true;
    const Edited e = Edit(noJfif, edit);
    ASSERT_TRUE(e.outcome.Ok()) << e.outcome.error;
    const Bytes header = jpegtools::JfifHeader();
    ASSERT_EQ(header.size(), 18u);
    EXPECT_EQ(Bytes(e.after.begin() + 2, e.after.begin() + 20), header);
    EXPECT_EQ(Codes(e.after)[1], 0xE2);
}

TEST(MarkerEdit, CommentIsUtf8AndReadBack)
{
    MarkerEdit edit = Unchanged();
    edit.comment = "夕焼けの富士山";
    testsupport::TempDir dir;
    const fs::path path = dir.Path() / "c.jpg";
    testsupport::WriteFile(path, ExifPhoto());
    ASSERT_TRUE(EditInPlace(path, edit));
    EXPECT_EQ(ReadBack(path).Comment, "夕焼けの富士山");
}

TEST(MarkerEdit, LargeProfileIsSplitIntoNumberedChunksAndReadBackWhole)
{
    const Bytes profile = Profile(200 * 1024);
    MarkerEdit edit = Unchanged();
    edit.icc = IccChange::Replace;
    edit.profile = profile;
    testsupport::TempDir dir;
    const fs::path path = dir.Path() / "big.jpg";
    testsupport::WriteFile(path, ExifPhoto());
    ASSERT_TRUE(EditInPlace(path, edit));
    const Bytes file = testsupport::ReadFile(path);
    int chunks = 0;
    for (const Seg& s : Segments(file))
        if (s.code == 0xE2 && file[s.offset + 4] == 'I') {
            ++chunks;
            EXPECT_LE(s.length, 0xFFFFu);
            EXPECT_EQ(file[s.offset + 16], chunks); // sequence number
            EXPECT_EQ(file[s.offset + 17], 4); // count
        }
    EXPECT_EQ(chunks, 4);
    const metadata::TExifData exif = ReadBack(path);
    std::vector<uint8_t> back;
    ASSERT_TRUE(metadata::ReadEmbeddedProfile(path.string(), exif.IccOffset, exif.IccLength, back));
    EXPECT_EQ(back, profile);
    // Exported whole, joined in sequence order.
    const fs::path out = dir.Path() / "out.icc";
    std::string error;
    ASSERT_TRUE(jpegtools::ExportEmbeddedProfile(path.string(), exif.IccOffset, exif.IccLength, out.string(), error))
        << error;
    EXPECT_EQ(testsupport::ReadFile(out), profile);
    // Exporting onto the photo itself (or a link to it) is refused and the photo survives.
    const fs::path link = dir.Path() / "link.icc";
    fs::create_symlink(path, link);
    for (const fs::path& target : { path, link }) {
        EXPECT_FALSE(
            jpegtools::ExportEmbeddedProfile(path.string(), exif.IccOffset, exif.IccLength, target.string(), error));
        EXPECT_EQ(testsupport::ReadFile(path), file);
    }
}

TEST(MarkerEdit, FillBytesAreAcceptedAndDamagedFilesRefused)
{
    const Bytes photo = ExifPhoto();
    const Seg second = Segments(photo)[1];
    Bytes filled = photo;
    filled.insert(filled.begin() + second.offset, { 0xFF, 0xFF, 0xFF });
    MarkerEdit edit = Unchanged();
    edit.comment = "x";
    const Edited ok = Edit(filled, edit);
    ASSERT_TRUE(ok.outcome.Ok()) << ok.outcome.error;
    EXPECT_EQ(Codes(ok.after), Codes(Edit(photo, edit).after));

    Bytes noMarker = photo;
    noMarker[second.offset] = 0x12;
    Bytes longLength = photo;
    longLength[Segments(photo)[0].offset + 2] = 0xF0; // the Exif segment claims more than the file holds
    Bytes shortLength = photo;
    shortLength[second.offset + 2] = 0;
    shortLength[second.offset + 3] = 1;
    const Bytes truncatedScan(photo.begin(), photo.end() - 40);
    const Bytes headerOnly(photo.begin(), photo.begin() + static_cast<ptrdiff_t>(second.offset + 10));
    Bytes notJpeg = photo;
    notJpeg[1] = 0xD9;
    const std::pair<const char*, Bytes> broken[] = {
        { "no 0xFF where a marker stands", noMarker },
        { "length past the end", longLength },
        { "length below 2", shortLength },
        { "truncated in the image data", truncatedScan },
        { "ends inside the header", headerOnly },
        { "no SOI", notJpeg },
    };
    for (const auto& [name, file] : broken) {
        SCOPED_TRACE(name);
        const Edited e = Edit(file, edit);
        EXPECT_EQ(e.outcome.status, jpegtools::SaveOutcome::Failed);
        EXPECT_FALSE(e.outcome.error.empty());
        EXPECT_EQ(e.after, file);
    }
}

TEST(MarkerEdit, OversizedParts)
{
    std::vector<uint8_t> segments;
    std::string error;
    EXPECT_FALSE(jpegtools::IccSegments({}, segments, error));
    EXPECT_FALSE(jpegtools::IccSegments(Bytes(256 * 65519 + 1, 1), segments, error));
    EXPECT_TRUE(jpegtools::IccSegments(Bytes(65435, 1), segments, error));
    EXPECT_EQ(segments.size(), 2u + 65535u); // one padded segment
    EXPECT_TRUE(jpegtools::IccSegments(Bytes(65436, 1), segments, error));
    EXPECT_EQ(segments.size(), 4u + 14u + 65436u); // too large for the padding: one bare chunk
    EXPECT_TRUE(jpegtools::IccSegments(Bytes(65520, 1), segments, error));
    EXPECT_EQ(segments.size(), 2 * (4u + 14u) + 65520u); // two chunks
    EXPECT_FALSE(jpegtools::CommentSegment(std::string(65533, 'a'), segments, error));
    EXPECT_TRUE(jpegtools::CommentSegment(std::string(65532, 'a'), segments, error));
}
