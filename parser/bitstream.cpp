#include "bitstream.h"

#include <algorithm>

namespace ostrel {

namespace {

bool fieldInside(uint64_t position, uint64_t width, uint64_t total)
{
    return position <= total && width <= total - position;
}

} // namespace

bool BitReader::contains(uint64_t position, uint64_t width) const
{
    return fieldInside(position, width, bitCount());
}

uint32_t BitReader::chunk(uint64_t position, unsigned width) const
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(m_data.constData());
    uint64_t value = 0;
    unsigned got = 0;
    uint64_t byte = position / 8;
    unsigned shift = unsigned(position % 8);
    while (got < width) {
        value |= uint64_t(bytes[byte] >> shift) << got;
        got += 8 - shift;
        shift = 0;
        ++byte;
    }
    return width == 32 ? uint32_t(value) : uint32_t(value & ((uint64_t(1) << width) - 1));
}

uint32_t BitReader::readUInt(uint64_t position, uint64_t width, bool *ok) const
{
    const bool inside = contains(position, width);
    if (ok)
        *ok = inside;
    if (!inside || width == 0)
        return 0;
    return chunk(position, unsigned(std::min<uint64_t>(width, 32)));
}

QString BitReader::readText(uint64_t position, uint64_t width, bool *ok) const
{
    const bool inside = contains(position, width);
    if (ok)
        *ok = inside;
    if (!inside)
        return QString();
    QString text;
    text.reserve(int(std::min<uint64_t>(width / 16, 256)));
    for (uint64_t i = 0; i + 16 <= width; i += 16) {
        const auto unit = char16_t(chunk(position + i, 16));
        if (unit == 0)
            break;
        text.append(QChar(unit));
    }
    return text;
}

void BitReader::readUnits(uint64_t position, uint64_t width, char16_t *dst, int capacity) const
{
    if (!dst || capacity <= 0)
        return;
    int count = 0;
    if (contains(position, width)) {
        for (uint64_t i = 0; i + 16 <= width && count < capacity - 1; i += 16) {
            const auto unit = char16_t(chunk(position + i, 16));
            if (unit == 0)
                break;
            dst[count++] = unit;
        }
    }
    std::fill(dst + count, dst + capacity, u'\0');
}

QByteArray BitReader::readBits(uint64_t position, uint64_t width, bool *ok) const
{
    const bool inside = contains(position, width);
    if (ok)
        *ok = inside;
    if (!inside)
        return QByteArray();
    QByteArray bits(int((width + 7) / 8), '\0');
    for (uint64_t i = 0; i < width; i += 8) {
        const unsigned w = unsigned(std::min<uint64_t>(8, width - i));
        bits[int(i / 8)] = char(chunk(position + i, w));
    }
    return bits;
}

bool BitWriter::contains(uint64_t position, uint64_t width) const
{
    return fieldInside(position, width, bitCount());
}

void BitWriter::put(uint64_t position, unsigned width, uint32_t value)
{
    auto *bytes = reinterpret_cast<unsigned char *>(m_data.data());
    uint64_t byte = position / 8;
    unsigned shift = unsigned(position % 8);
    unsigned done = 0;
    while (done < width) {
        const unsigned take = std::min(8 - shift, width - done);
        const unsigned mask = ((1u << take) - 1) << shift;
        const unsigned part = unsigned((uint64_t(value) >> done) << shift) & mask;
        bytes[byte] = static_cast<unsigned char>((bytes[byte] & ~mask) | part);
        done += take;
        shift = 0;
        ++byte;
    }
}

void BitWriter::zero(uint64_t position, uint64_t width)
{
    while (width > 0 && position % 8 != 0) {
        put(position++, 1, 0);
        --width;
    }
    auto *bytes = m_data.data();
    std::fill(bytes + position / 8, bytes + (position + width) / 8, '\0');
    position += width / 8 * 8;
    width %= 8;
    if (width > 0)
        put(position, unsigned(width), 0);
}

bool BitWriter::writeUInt(uint64_t position, uint64_t width, uint32_t value)
{
    if (!contains(position, width))
        return false;
    const unsigned low = unsigned(std::min<uint64_t>(width, 32));
    if (low > 0)
        put(position, low, value);
    if (width > low)
        zero(position + low, width - low);
    return true;
}

bool BitWriter::writeText(uint64_t position, uint64_t width, QStringView text)
{
    if (!contains(position, width))
        return false;
    zero(position, width);
    const uint64_t units = std::min<uint64_t>(width / 16, uint64_t(text.size()));
    for (uint64_t i = 0; i < units; ++i)
        put(position + i * 16, 16, text.at(qsizetype(i)).unicode());
    return true;
}

bool BitWriter::writeBits(uint64_t position, uint64_t width, const QByteArray &bits,
                          uint64_t sourceWidth)
{
    if (!contains(position, width))
        return false;
    zero(position, width);
    const uint64_t copy = std::min({width, sourceWidth, uint64_t(bits.size()) * 8});
    const auto *source = reinterpret_cast<const unsigned char *>(bits.constData());
    for (uint64_t i = 0; i < copy; i += 8) {
        const unsigned w = unsigned(std::min<uint64_t>(8, copy - i));
        put(position + i, w, source[i / 8] & ((1u << w) - 1));
    }
    return true;
}

} // namespace ostrel
