#pragma once
// The block tables of a flash image as read: every table with its header and
// every 48-byte entry with a copy of the block it describes.

#include <QByteArray>
#include <QtEndian>

#include <cstdint>

namespace ostrel {

namespace flash {

constexpr char TableMarker[] = "*^_^*DM(^o^)";
constexpr int MarkerSize = 12;
constexpr int CountOffset = 24;   // number of entries in the table
constexpr int VersionOffset = 26; // must hold '0', or the marker is no table
constexpr int HeaderSize = 28;
constexpr int EntrySize = 48;
constexpr int MaxEntries = 64; // all tables of an image together
constexpr int NameOffset = 24;
constexpr int NameSize = 24;
constexpr qint64 Boundary = 0x10000; // 0xA4 and 0xA8 blocks and moved tables start on these

constexpr uint8_t PresetTag = 0x9C;
constexpr uint8_t AlignedTagA4 = 0xA4;
constexpr uint8_t AlignedTagA8 = 0xA8;

inline qint64 alignUp(qint64 position)
{
    return (position + Boundary - 1) / Boundary * Boundary;
}

} // namespace flash

struct FlashEntry
{
    QByteArray raw;           // the 48 entry bytes; offset, size and CRC change on save
    QByteArray block;         // the block's bytes
    qint64 tablePosition = 0; // T of the entry's table; the block offset counts from it
    int table = -1;           // index into the image's table list
    int indexInTable = 0;
    uint8_t enclosingTag = 0; // tag of the block holding the table; 0 at the top level
    bool containsTable = false;

    uint8_t tag() const { return uint8_t(raw.at(0)); }
    uint32_t offset() const { return readU32(4); }
    uint32_t size() const { return readU32(8); }
    uint32_t crc() const { return readU32(12); }
    bool hasChecksum() const { return raw.mid(12, 4) != QByteArrayLiteral("NCRC"); }
    qint64 blockStart() const { return tablePosition + offset(); }
    QByteArray name() const
    {
        const QByteArray field = raw.mid(flash::NameOffset, flash::NameSize);
        const int end = field.indexOf('\0');
        return end < 0 ? field : field.left(end);
    }
    // The block the reader unpacks and the writer replaces.
    bool isPreset() const
    {
        return tag() == flash::PresetTag && name().contains("preset");
    }

    void setOffset(uint32_t value) { writeU32(4, value); }
    void setSize(uint32_t value) { writeU32(8, value); }
    void setCrc(uint32_t value) { writeU32(12, value); }

private:
    uint32_t readU32(int at) const
    {
        return qFromLittleEndian<quint32>(raw.constData() + at);
    }
    void writeU32(int at, uint32_t value)
    {
        qToLittleEndian<quint32>(value, raw.data() + at);
    }
};

struct FlashTable
{
    qint64 position = 0;     // T: where the marker starts
    QByteArray header;       // the 28 header bytes, kept to be written wherever the table goes
    int enclosingEntry = -1; // the entry whose block holds this table; -1 at the top level
    int firstEntry = 0;      // entries of a table are consecutive in the entry list
    int entryCount = 0;

    qint64 end() const { return position + flash::HeaderSize + qint64(flash::EntrySize) * entryCount; }
};

} // namespace ostrel
