#pragma once
// CRC-32/MPEG-2: polynomial 0x04C11DB7, initial value 0xFFFFFFFF, no reflection,
// no final XOR. The check value over "123456789" is 0x0376E6E7.

#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace ostrel {

constexpr uint32_t Crc32Mpeg2Initial = 0xFFFFFFFFu;

// Continues crc over size bytes; start with Crc32Mpeg2Initial.
uint32_t crc32Mpeg2(const void *data, size_t size, uint32_t crc = Crc32Mpeg2Initial);
inline uint32_t crc32Mpeg2(const QByteArray &data)
{
    return crc32Mpeg2(data.constData(), size_t(data.size()));
}

} // namespace ostrel
