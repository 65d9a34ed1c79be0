#pragma once
// What an ICC profile says about itself, read with Little CMS from the
// profile's bytes: its names, colour spaces and device class, media white
// and black points, the illuminant of its header and its RGB colorants. Used
// by the metadata panel's profile tab and the colour-management dialog; the
// texts helpers give the panel's formatting.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace colour {

struct TXYZ {
    double X = 0, Y = 0, Z = 0;
};

struct TProfileInfo {
    // The product name: model and manufacturer (the model alone when it
    // already names the maker), else the description.
    std::string Name;
    // The profile description, else the product name.
    std::string Description;
    std::string Manufacturer;
    std::string Model;
    uint32_t ColorSpace = 0; // ICC colour-space signature of the data
    uint32_t DeviceClass = 0; // ICC profile-class signature
    uint32_t Pcs = 0; // colour-space signature of the connection space
    std::optional<TXYZ> WhitePoint; // the wtpt tag
    std::optional<TXYZ> BlackPoint; // the bkpt tag
    std::optional<TXYZ> Illuminant; // header bytes 68 to 79 (three s15Fixed16 numbers)
    std::optional<std::array<TXYZ, 3>> Colorants; // rXYZ, gXYZ, bXYZ, when all three are there
};

// Fills `info` from a profile held in memory. False (info left empty) when
// Little CMS does not accept the bytes as a profile. Texts are UTF-8.
bool ReadProfileInfo(const uint8_t* data, size_t size, TProfileInfo& info);

// "XYZ", "Lab", "Luv", "YCbCr", "Yxy", "RGB", "Gray", "HSV", "HLS", "CMYK",
// "CMY", else "unknown".
std::string ColorSpaceText(uint32_t signature);
// "Input", "Display", "Output", "Link", "Abstract", "ColorSpace", "Named", else "unknown".
std::string DeviceClassText(uint32_t signature);
// "X:0.9642 Y:1.0000 Z:0.8249" (four decimals, "." as the point).
std::string XYZText(const TXYZ& xyz);
// Three lines "R(x y z)", "G(...)", "B(...)" joined by "\n".
std::string ColorantMatrixText(const std::array<TXYZ, 3>& colorants);

} // namespace colour
