#pragma once
// Little-endian, LSB-first bit access over a byte buffer: stream bit k is bit
// (k mod 8) of byte k / 8. Every access is checked against the buffer's end.

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace ostrel {

class BitReader
{
public:
    explicit BitReader(const QByteArray &data)
        : m_data(data) {}

    uint64_t bitCount() const { return uint64_t(m_data.size()) * 8; }
    bool contains(uint64_t position, uint64_t width) const;

    // The low 32 bits of the field (bits above 32 are ignored); 0 and *ok false when
    // the field does not lie inside the data.
    uint32_t readUInt(uint64_t position, uint64_t width, bool *ok = nullptr) const;
    // UTF-16 units, 16 bits each, up to the first zero unit or the field's end.
    QString readText(uint64_t position, uint64_t width, bool *ok = nullptr) const;
    // The same units straight into a fixed field of capacity units: cut to
    // capacity - 1, zero-filled after them, as copyText() leaves a field.
    void readUnits(uint64_t position, uint64_t width, char16_t *dst, int capacity) const;
    // The field's bits packed LSB-first into (width + 7) / 8 bytes.
    QByteArray readBits(uint64_t position, uint64_t width, bool *ok = nullptr) const;

private:
    uint32_t chunk(uint64_t position, unsigned width) const; // width <= 32, in range

    QByteArray m_data;
};

class BitWriter
{
public:
    // A zero-filled buffer of byteCount bytes.
    explicit BitWriter(int byteCount)
        : m_data(byteCount, '\0') {}

    uint64_t bitCount() const { return uint64_t(m_data.size()) * 8; }
    bool contains(uint64_t position, uint64_t width) const;

    // Writes the low min(width, 32) bits of value and zeros above them. Each write
    // returns false and changes nothing when the field lies outside the buffer.
    bool writeUInt(uint64_t position, uint64_t width, uint32_t value);
    // UTF-16 units cut to whole units of the field, the rest of the field zero.
    bool writeText(uint64_t position, uint64_t width, QStringView text);
    // Copies min(width, sourceWidth) bits of LSB-first packed bits, zeros above.
    bool writeBits(uint64_t position, uint64_t width, const QByteArray &bits, uint64_t sourceWidth);

    const QByteArray &data() const { return m_data; }

private:
    void put(uint64_t position, unsigned width, uint32_t value); // width <= 32, in range
    void zero(uint64_t position, uint64_t width);

    QByteArray m_data;
};

} // namespace ostrel
