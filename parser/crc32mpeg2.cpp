#include "crc32mpeg2.h"

#include <array>

namespace ostrel {

namespace {

// Slicing by four: table k advances a byte that sits k bytes before the end of a
// 32-bit word, so four bytes fold in with four look-ups.
struct Crc32Tables
{
    std::array<std::array<uint32_t, 256>, 4> t{};

    constexpr Crc32Tables()
    {
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i << 24;
            for (int bit = 0; bit < 8; ++bit)
                c = (c & 0x80000000u) ? (c << 1) ^ 0x04C11DB7u : c << 1;
            t[0][i] = c;
        }
        for (uint32_t i = 0; i < 256; ++i)
            for (int k = 1; k < 4; ++k)
                t[k][i] = (t[k - 1][i] << 8) ^ t[0][t[k - 1][i] >> 24];
    }
};

constexpr Crc32Tables tables;

} // namespace

uint32_t crc32Mpeg2(const void *data, size_t size, uint32_t crc)
{
    const auto *p = static_cast<const unsigned char *>(data);
    if (!p)
        return crc;
    while (size >= 4) {
        crc ^= uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
        crc = tables.t[3][crc >> 24] ^ tables.t[2][(crc >> 16) & 0xFF]
            ^ tables.t[1][(crc >> 8) & 0xFF] ^ tables.t[0][crc & 0xFF];
        p += 4;
        size -= 4;
    }
    while (size--)
        crc = (crc << 8) ^ tables.t[0][(crc >> 24) ^ *p++];
    return crc;
}

} // namespace ostrel
