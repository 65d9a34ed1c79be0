#pragma once
// Little CMS profiles and transforms as owned handles. The library is used
// only through colour/; its own error reporting is silenced once, before the
// first profile is opened, so failing calls just return null or false.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace colour {

// Installs the library's silent error handler (once; later calls do nothing).
void UseQuietLibrary();

struct ProfileCloser {
    void operator()(void* profile) const;
};
// Owns a cmsHPROFILE.
using ProfileHandle = std::unique_ptr<void, ProfileCloser>;

struct TransformDeleter {
    void operator()(void* transform) const;
};
// Owns a cmsHTRANSFORM.
using TransformHandle = std::unique_ptr<void, TransformDeleter>;

// Null when the file is missing or not a profile.
ProfileHandle OpenProfileFile(const std::string& path);
// Null when the bytes are not a profile.
ProfileHandle OpenProfileMemory(const uint8_t* data, size_t size);

// ICC signatures of a profile (0 for none): colour space ('RGB ' = 0x52474220) and device class.
uint32_t ColorSpaceOf(void* profile);
uint32_t DeviceClassOf(void* profile);
inline constexpr uint32_t kRgbSpace = 0x52474220;
inline constexpr uint32_t kInputClass = 0x73636E72; // 'scnr'
inline constexpr uint32_t kDisplayClass = 0x6D6E7472; // 'mntr'
inline constexpr uint32_t kColorSpaceClass = 0x73706163; // 'spac'
inline constexpr uint32_t kOutputClass = 0x70727472; // 'prtr'
inline constexpr uint32_t kAbstractClass = 0x61627374; // 'abst'

// Reads the profile embedded in `fileName` at `offset`/`length` (as the
// metadata reader notes it; a profile split over several JPEG segments is
// joined) and opens it into `profile`, which stays empty when the bytes are
// not a profile. Returns whether the file could be read.
bool OpenEmbeddedProfile(const std::string& fileName, int64_t offset, int64_t length, ProfileHandle& profile);

} // namespace colour
