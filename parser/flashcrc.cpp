#include "flashcrc.h"

#include <array>

namespace ostrel {

namespace {

std::array<uint32_t, 256> makeTable()
{
    std::array<uint32_t, 256> table{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i << 24;
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 0x80000000u) ? (c << 1) ^ 0x04C11DB7u : c << 1;
        table[i] = c;
    }
    return table;
}

} // namespace

uint32_t flashCrc32(const char *data, qsizetype length)
{
    static const std::array<uint32_t, 256> table = makeTable();
    uint32_t crc = 0xFFFFFFFFu;
    for (qsizetype i = 0; i < length; ++i)
        crc = (crc << 8) ^ table[((crc >> 24) ^ uint8_t(data[i])) & 0xFFu];
    return crc;
}

} // namespace ostrel
