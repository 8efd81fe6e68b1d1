#pragma once
// The block checksum of a flash image: CRC-32 with polynomial 0x04C11DB7,
// initial value 0xFFFFFFFF, no reflection and no final XOR.

#include <QByteArray>

#include <cstdint>

namespace ostrel {

uint32_t flashCrc32(const char *data, qsizetype length);
inline uint32_t flashCrc32(const QByteArray &data)
{
    return flashCrc32(data.constData(), data.size());
}

} // namespace ostrel
