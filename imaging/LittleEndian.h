#pragma once
// Little-endian field access for the BMP and PCX readers and writer. Callers
// check the bounds before reading.

#include <cstdint>

namespace imaging::le {

inline uint16_t U16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t U32(const uint8_t* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24);
}
inline int32_t S32(const uint8_t* p)
{
    return static_cast<int32_t>(U32(p));
}

inline void Put16(uint8_t* p, uint32_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
inline void Put32(uint8_t* p, uint32_t v)
{
    Put16(p, v);
    Put16(p + 2, v >> 16);
}

} // namespace imaging::le
