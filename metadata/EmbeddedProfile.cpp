#include "metadata/EmbeddedProfile.h"

#include <cstdio>
#include <vector>

#include "metadata/FileReader.h"

namespace metadata {

namespace {

// The profile's bytes, or false when the range is not inside a readable file.
bool ReadProfileBytes(const std::string& fileName, int64_t offset, int64_t length, std::vector<uint8_t>& bytes)
{
    FileReader file(fileName);
    if (!file.Opened() || offset < 0 || length <= 0
        || !file.Contains(static_cast<uint64_t>(offset), static_cast<uint64_t>(length)))
        return false;
    // One spare byte after the data, as profile parsers sometimes peek one past the end.
    bytes.assign(static_cast<size_t>(length) + 1, 0);
    return file.ReadAt(static_cast<uint64_t>(offset), bytes.data(), static_cast<size_t>(length));
}

} // namespace

bool OpenEmbeddedProfile(const std::string& fileName, int64_t offset, int64_t length, ProfileHandle& profile)
{
    profile.reset();
    std::vector<uint8_t> bytes;
    if (!ReadProfileBytes(fileName, offset, length, bytes))
        return false;
    profile.reset(cmsOpenProfileFromMem(bytes.data(), static_cast<cmsUInt32Number>(length)));
    return true;
}

bool ExtractEmbeddedProfile(
    const std::string& sourceFile, const std::string& targetFile, int64_t offset, int64_t length)
{
    std::vector<uint8_t> bytes;
    if (!ReadProfileBytes(sourceFile, offset, length, bytes))
        return false;
    std::FILE* out = std::fopen(targetFile.c_str(), "wb");
    if (!out)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, static_cast<size_t>(length), out) == static_cast<size_t>(length);
    const bool closed = std::fclose(out) == 0;
    return written && closed;
}

} // namespace metadata
