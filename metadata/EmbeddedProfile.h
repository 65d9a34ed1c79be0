#pragma once
// ICC profiles embedded in image files: opening one with Little CMS, and
// copying its bytes into a profile file of its own.

#include <cstdint>
#include <memory>
#include <string>

#include <lcms2.h>

namespace metadata {

struct ProfileCloser {
    void operator()(void* profile) const
    {
        if (profile)
            cmsCloseProfile(profile);
    }
};
// Owns a cmsHPROFILE; closed when it goes out of scope.
using ProfileHandle = std::unique_ptr<void, ProfileCloser>;

// Reads `length` bytes at `offset` and opens them as a profile into `profile`
// (empty when Little CMS does not accept them). Returns whether the file could
// be opened and those bytes read.
bool OpenEmbeddedProfile(const std::string& fileName, int64_t offset, int64_t length, ProfileHandle& profile);
// Copies `length` bytes at `offset` of `sourceFile` into a new (truncated)
// `targetFile`. False when the source cannot be read there or the target cannot be written.
bool ExtractEmbeddedProfile(
    const std::string& sourceFile, const std::string& targetFile, int64_t offset, int64_t length);

} // namespace metadata
