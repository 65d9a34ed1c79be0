#pragma once
// Profiles written as files and pictures for the colour tests.

#include <lcms2.h>

#include <filesystem>
#include <string>
#include <vector>

#include "imaging/Bitmap.h"

namespace colourtest {

std::vector<uint8_t> SaveProfile(cmsHPROFILE profile); // closes the profile
std::vector<uint8_t> SrgbProfileBytes();
// An RGB profile of gamma 2.2 with wide primaries (near ProFoto), of the given device class.
std::vector<uint8_t> WideRgbProfileBytes(cmsProfileClassSignature deviceClass = cmsSigDisplayClass);
std::vector<uint8_t> CmykProfileBytes();
// Writes the bytes as `name` in `folder` and gives the path.
std::string WriteProfile(
    const std::filesystem::path& folder, const std::string& name, const std::vector<uint8_t>& bytes);

// A 24-bit picture whose pixels walk through many colours.
imaging::Bitmap ColourfulPicture(int width, int height);

// Reference conversion straight through Little CMS, one row at a time.
imaging::Bitmap ReferenceConvert(
    cmsHPROFILE input, cmsHPROFILE output, int intent, cmsUInt32Number flags, const imaging::Bitmap& source);

} // namespace colourtest
