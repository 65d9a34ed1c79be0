#include <gtest/gtest.h>

#include <cstdlib>

#include "catalogue/CacheFile.h"
#include "support/TestSupport.h"

using catalogue::TCacheFile;
using imaging::Bitmap;

namespace {

// A bitmap whose every pixel differs, so a turned or shifted copy cannot pass for it.
Bitmap Pattern(int width, int height, uint8_t seed)
{
    Bitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                b.Row(y)[x * 3 + c] = static_cast<uint8_t>(seed + x * 7 + y * 31 + c * 101);
    return b;
}

Bitmap TurnClockwise(const Bitmap& in)
{
    Bitmap out(in.Height(), in.Width());
    for (int y = 0; y < in.Height(); ++y)
        for (int x = 0; x < in.Width(); ++x)
            std::copy_n(in.Row(y) + x * 3, 3, out.Row(x) + (in.Height() - 1 - y) * 3);
    return out;
}

TEST(CacheFile, ReserveBytes)
{
    // R(n) = ((24n + 31) / 32) * 4; reserve = max(0, W·R(H) − H·R(W)).
    const struct {
        int w, h;
        int64_t reserve;
    } cases[] = {
        { 1, 1, 0 },
        { 4, 4, 0 },
        { 5, 3, 5 * 12 - 3 * 16 },
        { 3, 5, 0 },
        { 160, 120, 0 },
        { 120, 160, 0 },
        { 1, 2, 8 - 2 * 4 },
        { 2, 1, 2 * 4 - 8 },
        { 1, 3, 12 - 3 * 4 },
        { 3, 1, 3 * 4 - 12 },
        { 159, 1, 159 * 4 - 480 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(TCacheFile::ReserveBytes(c.w, c.h), c.reserve) << c.w << "x" << c.h;
}

TEST(CacheFile, CreatedInTmpdirWithPrefixAndDeleted)
{
    testsupport::TempDir dir;
    const testsupport::EnvGuard tmp("TMPDIR", dir.Path().c_str());
    std::string path;
    {
        TCacheFile cache;
        path = cache.Path();
        EXPECT_EQ(std::filesystem::path(path).parent_path(), dir.Path());
        EXPECT_EQ(std::filesystem::path(path).filename().string().rfind("TN", 0), 0u);
        EXPECT_TRUE(std::filesystem::exists(path));
        EXPECT_EQ(cache.Size(), 0);
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(CacheFile, ThumbnailSlotsAreBmpImagesWithReserve)
{
    TCacheFile cache;
    const Bitmap first = Pattern(5, 3, 1), second = Pattern(3, 5, 2);
    const int32_t a = cache.AppendThumbnail(first);
    const int32_t b = cache.AppendThumbnail(second);
    ASSERT_EQ(a, 0);
    // 5 × 3: 54 + 3 · 16 bytes of image, reserve 12.
    EXPECT_EQ(b, 54 + 3 * 16 + 12);
    EXPECT_EQ(cache.Size(), b + 54 + 5 * 12);
    const auto bytes = testsupport::ReadFile(cache.Path());
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(bytes[28], 24); // bits per pixel
    EXPECT_EQ(bytes[b], 'B');

    Bitmap out;
    ASSERT_TRUE(cache.ReadThumbnail(a, out));
    EXPECT_EQ(out, first);
    ASSERT_TRUE(cache.ReadThumbnail(b, out));
    EXPECT_EQ(out, second);
    EXPECT_FALSE(cache.ReadThumbnail(7, out)); // not a slot
    EXPECT_FALSE(cache.ReadThumbnail(1 << 30, out)); // past the end
    EXPECT_FALSE(cache.ReadThumbnail(-1, out));
    EXPECT_EQ(cache.AppendThumbnail(Bitmap()), -1);

    // 32-bit bitmaps are stored as 24-bit.
    Bitmap wide(2, 2, 32);
    wide.Fill(10, 20, 30);
    const int32_t c = cache.AppendThumbnail(wide);
    ASSERT_TRUE(cache.ReadThumbnail(c, out));
    Bitmap expected(2, 2);
    expected.Fill(10, 20, 30);
    EXPECT_EQ(out, expected);
}

TEST(CacheFile, TurnedThumbnailRewritesInPlace)
{
    TCacheFile cache;
    const Bitmap first = Pattern(5, 3, 1), next = Pattern(4, 4, 9);
    const int32_t a = cache.AppendThumbnail(first);
    const int32_t b = cache.AppendThumbnail(next);
    const int64_t size = cache.Size();

    Bitmap turned = TurnClockwise(first); // 3 × 5 needs the reserve
    ASSERT_TRUE(cache.RewriteThumbnail(a, turned));
    Bitmap back = TurnClockwise(TurnClockwise(turned)); // and the next turn fits again
    ASSERT_TRUE(cache.RewriteThumbnail(a, back));
    ASSERT_TRUE(cache.RewriteThumbnail(a, TurnClockwise(back)));
    Bitmap out;
    ASSERT_TRUE(cache.ReadThumbnail(a, out));
    EXPECT_EQ(out, TurnClockwise(back));
    ASSERT_TRUE(cache.ReadThumbnail(b, out));
    EXPECT_EQ(out, next);
    EXPECT_EQ(cache.Size(), size);

    // A larger picture never spills into the next slot.
    EXPECT_FALSE(cache.RewriteThumbnail(a, Pattern(6, 5, 3)));
    EXPECT_FALSE(cache.RewriteThumbnail(a + 1, turned));
    ASSERT_TRUE(cache.ReadThumbnail(b, out));
    EXPECT_EQ(out, next);
}

TEST(CacheFile, HistogramBlocksAndTruncate)
{
    TCacheFile cache;
    ASSERT_GE(cache.AppendThumbnail(Pattern(3, 3, 0)), 0);
    std::vector<uint8_t> levels(catalogue::kLevelBlockSize), hues(catalogue::kHueBlockSize);
    for (size_t i = 0; i < levels.size(); ++i)
        levels[i] = static_cast<uint8_t>(i * 13);
    for (size_t i = 0; i < hues.size(); ++i)
        hues[i] = static_cast<uint8_t>(i * 7 + 1);
    const int64_t before = cache.Size();
    const int32_t h = cache.AppendHistogram(levels.data(), hues.data());
    EXPECT_EQ(h, before);
    EXPECT_EQ(cache.Size(), before + 8664 + 1448);
    std::vector<uint8_t> l2(levels.size()), h2(hues.size());
    ASSERT_TRUE(cache.ReadHistogram(h, l2.data(), h2.data()));
    EXPECT_EQ(l2, levels);
    EXPECT_EQ(h2, hues);

    std::reverse(levels.begin(), levels.end());
    ASSERT_TRUE(cache.WriteHistogram(h, levels.data(), hues.data()));
    ASSERT_TRUE(cache.ReadHistogram(h, l2.data(), h2.data()));
    EXPECT_EQ(l2, levels);
    EXPECT_EQ(cache.Size(), before + 8664 + 1448);
    EXPECT_FALSE(cache.ReadHistogram(h + 1, l2.data(), h2.data())); // runs past the end

    cache.Truncate();
    EXPECT_EQ(cache.Size(), 0);
    Bitmap out;
    EXPECT_FALSE(cache.ReadThumbnail(0, out));
    EXPECT_EQ(cache.AppendThumbnail(Pattern(2, 2, 0)), 0);
}

} // namespace
