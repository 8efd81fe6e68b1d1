#include "flashbuilder.h"

#include "crc32mpeg2.h"
#include "flashtable.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace ostrel {

namespace {

void put(QByteArray &image, qint64 at, const QByteArray &bytes)
{
    const qint64 end = std::min(at + bytes.size(), qint64(image.size()));
    if (at >= 0 && at < end)
        std::memcpy(image.data() + at, bytes.constData(), size_t(end - at));
}

struct Placed
{
    qint64 entryAt;
    qint64 start;
    qint64 size;
    bool noChecksum;
};

} // namespace

QByteArray buildFlashImage(qint64 size, const std::vector<FlashTablePlan> &tables)
{
    QByteArray image(int(size), char(0xFF));
    std::vector<Placed> placed;
    for (const FlashTablePlan &table : tables) {
        QByteArray header(flash::HeaderSize, '\0');
        std::memcpy(header.data(), flash::TableMarker, flash::MarkerSize);
        header.replace(12, 12, table.reserved.leftJustified(12, '\0', true));
        const int count = table.entryCount >= 0 ? table.entryCount : int(table.blocks.size());
        header[flash::CountOffset] = char(uint8_t(count));
        header[flash::VersionOffset] = table.version;
        put(image, table.position, header);

        for (size_t k = 0; k < table.blocks.size(); ++k) {
            const FlashBlockPlan &block = table.blocks[k];
            const uint32_t blockSize = block.data.isEmpty() ? block.size : uint32_t(block.data.size());
            QByteArray entry(flash::EntrySize, '\0');
            entry[0] = char(block.tag);
            qToLittleEndian<quint32>(block.offset, entry.data() + 4);
            qToLittleEndian<quint32>(blockSize, entry.data() + 8);
            if (block.noChecksum)
                entry.replace(12, 4, QByteArrayLiteral("NCRC"));
            entry.replace(flash::NameOffset, flash::NameSize - 1,
                          block.name.leftJustified(flash::NameSize - 1, '\0', true));
            const qint64 entryAt = table.position + flash::HeaderSize + qint64(flash::EntrySize) * qint64(k);
            put(image, entryAt, entry);
            put(image, table.position + block.offset, block.data);
            placed.push_back({entryAt, table.position + block.offset, blockSize, block.noChecksum});
        }
    }
    // A block holding a nested table is larger than every block inside it, so
    // going from small to large sums each block after its contents are final.
    std::stable_sort(placed.begin(), placed.end(),
                     [](const Placed &a, const Placed &b) { return a.size < b.size; });
    for (const Placed &p : placed) {
        if (p.noChecksum || p.start < 0 || p.start + p.size > size || p.entryAt + 16 > size)
            continue;
        qToLittleEndian<quint32>(crc32Mpeg2(image.constData() + p.start, size_t(p.size)),
                                 image.data() + p.entryAt + 12);
    }
    return image;
}

} // namespace ostrel
