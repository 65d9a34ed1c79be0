#include "analysis/HistogramSettings.h"

#include <algorithm>

namespace analysis {

uint32_t ColourValue(TColour c)
{
    return uint32_t(c.R) | uint32_t(c.G) << 8 | uint32_t(c.B) << 16;
}

TColour ColourOfValue(uint32_t value)
{
    return { uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16) };
}

void ReadHistogramSettings(platform::RegistryStore& store, THistogramSettings& s)
{
    try {
        const platform::RegistryKey key(store, kHistogramSettingsKey, false);
        s.Sel.SelR = key.ReadBool("RGB_R");
        s.Sel.SelG = key.ReadBool("RGB_G");
        s.Sel.SelB = key.ReadBool("RGB_B");
        s.Sel.SelY = key.ReadBool("RGB_V");
        s.Sel.SelS = key.ReadBool("HSV_S");
        s.Sel.SelV = key.ReadBool("HSV_V");
        s.Sel.SelH = key.ReadBool("HSV_H");
        s.CieNormal = key.ReadBool("Lab_normal");
        s.CieDirect = key.ReadBool("Lab_direct");
        // Values outside their range are not taken; the reading goes on.
        if (const int space = key.ReadInteger("ColorSpace"); space >= 0 && space < 4)
            s.ColorSpace = space;
        if (const int mode = key.ReadInteger("IsHSV"); mode >= ModeRgb && mode <= ModeLab3D)
            s.Mode = mode;
        if (const int type = key.ReadInteger("Type"); type >= VX_LINE && type <= VX_DOT)
            s.Type = static_cast<TVX_Type>(type);
        const int style = key.ReadInteger("Style");
        s.Style = style == 0 ? LayoutCombined : style == 1 ? LayoutRows : LayoutColumns;
        s.LineColor = ColourOfValue(uint32_t(key.ReadInteger("LineColor")));
        s.CustomWidth = std::clamp<int>(key.ReadInteger("CustomWidth"), kMinCustomSize, kMaxCustomSize);
        s.CustomHeight = std::clamp<int>(key.ReadInteger("CustomHeight"), kMinCustomSize, kMaxCustomSize);
    } catch (const platform::RegistryError&) {
        // the first missing or unreadable value ends the reading
    }
}

void WriteHistogramSettings(platform::RegistryStore& store, const THistogramSettings& s)
{
    platform::RegistryKey key(store, kHistogramSettingsKey);
    key.WriteBool("RGB_R", s.Sel.SelR);
    key.WriteBool("RGB_G", s.Sel.SelG);
    key.WriteBool("RGB_B", s.Sel.SelB);
    key.WriteBool("RGB_V", s.Sel.SelY);
    key.WriteBool("HSV_S", s.Sel.SelS);
    key.WriteBool("HSV_V", s.Sel.SelV);
    key.WriteBool("HSV_H", s.Sel.SelH);
    key.WriteBool("Lab_normal", s.CieNormal);
    key.WriteBool("Lab_direct", s.CieDirect);
    key.WriteInteger("ColorSpace", s.ColorSpace);
    key.WriteInteger("IsHSV", s.Mode);
    key.WriteInteger("Type", s.Type);
    key.WriteInteger("Style", s.Style);
    key.WriteInteger("LineColor", int32_t(ColourValue(s.LineColor)));
    key.WriteInteger("CustomWidth", s.CustomWidth);
    key.WriteInteger("CustomHeight", s.CustomHeight);
}

} // namespace analysis
