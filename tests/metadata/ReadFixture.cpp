#include "metadata/ReadFixture.h"

#include "support/TestSupport.h"

namespace exiftest {

ReadResult ReadFileBytes(const Bytes& bytes, const std::string& name)
{
    testsupport::TempDir dir;
    const std::string path = (dir.Path() / name).string();
    testsupport::WriteFile(path, bytes);
    ReadResult r;
    try {
        metadata::ReadExifData(path, r.thumbnail, r.locator, r.exif);
    } catch (const metadata::ExifReadError&) {
        r.raised = true;
    }
    return r;
}

ReadResult ReadMemory(const Bytes& bytes, const std::string& name)
{
    ReadResult r;
    try {
        metadata::ReadExifDataFromMemory(name, bytes.data(), bytes.size(), r.thumbnail, r.locator, r.exif);
    } catch (const metadata::ExifReadError&) {
        r.raised = true;
    }
    return r;
}

ReadResult ReadTiff(const TiffBuilder& tiff, const std::string& name)
{
    return ReadMemory(tiff.Build().bytes, name);
}

std::string ValueOf(const std::vector<metadata::TIFDItem>& items, int tag)
{
    for (const metadata::TIFDItem& item : items)
        if (item.Key == tag)
            return item.Value;
    return "<absent>";
}

} // namespace exiftest
