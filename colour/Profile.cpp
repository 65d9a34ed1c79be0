#include "colour/Profile.h"

#include <mutex>
#include <vector>

#include <lcms2.h>

#include "metadata/EmbeddedProfile.h"

namespace colour {

namespace {

void SilentLog(cmsContext, cmsUInt32Number, const char*)
{
}

} // namespace

void UseQuietLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] { cmsSetLogErrorHandler(SilentLog); });
}

void ProfileCloser::operator()(void* profile) const
{
    if (profile)
        cmsCloseProfile(profile);
}

void TransformDeleter::operator()(void* transform) const
{
    if (transform)
        cmsDeleteTransform(transform);
}

ProfileHandle OpenProfileFile(const std::string& path)
{
    UseQuietLibrary();
    return ProfileHandle(cmsOpenProfileFromFile(path.c_str(), "r"));
}

ProfileHandle OpenProfileMemory(const uint8_t* data, size_t size)
{
    UseQuietLibrary();
    if (!data || size == 0 || size > UINT32_MAX)
        return nullptr;
    return ProfileHandle(cmsOpenProfileFromMem(data, static_cast<cmsUInt32Number>(size)));
}

uint32_t ColorSpaceOf(void* profile)
{
    return profile ? static_cast<uint32_t>(cmsGetColorSpace(profile)) : 0;
}

uint32_t DeviceClassOf(void* profile)
{
    return profile ? static_cast<uint32_t>(cmsGetDeviceClass(profile)) : 0;
}

bool OpenEmbeddedProfile(const std::string& fileName, int64_t offset, int64_t length, ProfileHandle& profile)
{
    profile.reset();
    std::vector<uint8_t> bytes;
    if (!metadata::ReadEmbeddedProfile(fileName, offset, length, bytes))
        return false;
    const size_t size = bytes.size();
    // One spare byte after the data, as profile parsers sometimes peek one past the end.
    bytes.push_back(0);
    profile = OpenProfileMemory(bytes.data(), size);
    return true;
}

} // namespace colour
