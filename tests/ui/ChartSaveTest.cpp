// Saving a chart: the five formats by name, and a failed save reported.
#include <QImage>
#include <gtest/gtest.h>

#include "analysis/ui/ChartSave.h"
#include "imaging/ImageIO.h"
#include "support/TestSupport.h"
#include "ui/UiTestSupport.h"

TEST(ChartSave, FormatsByNameAndFailuresReported)
{
    uitest::EnsureApp();
    QImage chart(120, 60, QImage::Format_RGB32);
    chart.fill(QColor(10, 200, 30));
    testsupport::TempDir dir;
    struct Case {
        const char* name;
        std::string signature;
    };
    const Case cases[] = {
        { "a.JPG", "\xFF\xD8" },
        { "b.jpeg", "\xFF\xD8" },
        { "c.tiff", "II*" },
        { "d.pcx", "\x0A\x05\x01" },
        { "e.png", "\x89PNG" },
        { "f.bmp", "BM" },
    };
    for (const Case& c : cases) {
        const std::string path = (dir.Path() / c.name).string();
        const auto format = ChartFormatOfName(path);
        ASSERT_TRUE(format) << c.name;
        std::string error;
        ASSERT_TRUE(SaveChartImage(chart, path, *format, error)) << c.name << ": " << error;
        const auto bytes = testsupport::ReadFile(path);
        ASSERT_GE(bytes.size(), c.signature.size());
        EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + c.signature.size()), c.signature) << c.name;
    }
    imaging::Bitmap pcx;
    ASSERT_TRUE(imaging::LoadPcxFile((dir.Path() / "d.pcx").string(), pcx));
    EXPECT_EQ(pcx.Width(), 120);
    EXPECT_EQ(pcx.Row(5)[1], 200);

    EXPECT_FALSE(ChartFormatOfName("chart.gif"));
    std::string error;
    EXPECT_FALSE(SaveChartImage(chart, (dir.Path() / "missing" / "x.png").string(), TChartFormat::Png, error));
    EXPECT_FALSE(error.empty());
}
