#pragma once
// Shared by the flash-image tests: a stub preset codec and an independent
// check that an image's tables and blocks agree with each other.

#include "crc32mpeg2.h"
#include "flashbuilder.h"
#include "flashimage.h"

#include <QtEndian>

#include <vector>

namespace flashtest {

// Hands back whatever the test sets as the next packed preset and keeps what
// the reader unpacked.
struct StubCodec
{
    QByteArray nextPacked;
    bool unpackResult = true;
    std::vector<QByteArray> unpacked;

    ostrel::FlashPresetCodec codec()
    {
        ostrel::FlashPresetCodec c;
        c.unpackAndParse = [this](const QByteArray &packed) {
            unpacked.push_back(packed);
            return unpackResult;
        };
        c.buildAndPack = [this](const RecordList &, const RecordList &, const RecordList &,
                                QByteArray &packed) {
            packed = nextPacked;
            return !packed.isEmpty();
        };
        return c;
    }
};

inline QByteArray filler(int size, char seed)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char(seed + i * 7);
    return bytes;
}

inline quint32 u32At(const QByteArray &image, qint64 at)
{
    return qFromLittleEndian<quint32>(image.constData() + at);
}

// Reads the image again and returns an empty string when every table is where
// a reader finds it, every checksum matches and no two sibling blocks overlap.
inline QString inconsistency(const QByteArray &image)
{
    ostrel::FlashImage reread;
    if (!reread.parse(image))
        return QStringLiteral("does not parse: ") + reread.errorString();
    const auto &entries = reread.entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        const ostrel::FlashEntry &e = entries[i];
        if (e.hasChecksum() && ostrel::crc32Mpeg2(e.block) != e.crc())
            return QStringLiteral("stale checksum of ") + QString::fromUtf8(e.name());
        if ((e.tag() == 0xA4 || e.tag() == 0xA8) && e.blockStart() % 0x10000 != 0)
            return QStringLiteral("unaligned ") + QString::fromUtf8(e.name());
        for (size_t j = 0; j < i; ++j) {
            const ostrel::FlashEntry &o = entries[j];
            if (o.table != e.table)
                continue;
            if (e.blockStart() < o.blockStart() + o.size() && o.blockStart() < e.blockStart() + e.size())
                return QStringLiteral("overlap of ") + QString::fromUtf8(o.name()) + QLatin1Char('/')
                    + QString::fromUtf8(e.name());
        }
    }
    return QString();
}

inline int entryNamed(const ostrel::FlashImage &image, const char *name)
{
    for (size_t i = 0; i < image.entries().size(); ++i) {
        if (image.entries()[i].name() == name)
            return int(i);
    }
    return -1;
}

// One block or table of an image description for buildFlashImage.
inline ostrel::FlashBlockPlan block(uint8_t tag, const char *name, uint32_t offset, int size, char seed = 1)
{
    ostrel::FlashBlockPlan b;
    b.tag = tag;
    b.name = name;
    b.offset = offset;
    b.data = filler(size, seed);
    return b;
}

inline ostrel::FlashTablePlan table(qint64 position, std::vector<ostrel::FlashBlockPlan> blocks)
{
    ostrel::FlashTablePlan t;
    t.position = position;
    t.blocks = std::move(blocks);
    return t;
}

} // namespace flashtest
