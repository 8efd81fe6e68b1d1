#include "flashlayout.h"

#include "crc32mpeg2.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace ostrel {

namespace {

// Flash reads back 0xFF where nothing was programmed.
constexpr char Erased = char(0xFF);

bool isAligned(uint8_t tag)
{
    return tag == flash::AlignedTagA4 || tag == flash::AlignedTagA8;
}

QString hex(qint64 value)
{
    return QStringLiteral("0x") + QString::number(value, 16);
}

} // namespace

FlashLayout::FlashLayout(const QByteArray &image, const std::vector<FlashTable> &tables,
                         const std::vector<FlashEntry> &entries)
    : m_image(image), m_tables(tables), m_entries(entries)
{
    for (const FlashEntry &entry : m_entries) {
        m_oldStart.push_back(entry.blockStart());
        m_oldSize.push_back(entry.size());
    }
    m_newStart.assign(m_entries.size(), -1);
    for (const FlashTable &table : m_tables)
        m_newTable.push_back(table.position);
}

bool FlashLayout::run()
{
    // Where everything goes is settled before a byte is written, so a layout
    // that does not fit leaves no half-written image behind.
    qint64 pos = 0;
    bool first = true;
    for (int t = 0; t < int(m_tables.size()); ++t) {
        if (m_tables[t].enclosingEntry >= 0)
            continue;
        const qint64 old = m_tables[t].position;
        qint64 at = old;
        if (first)
            pos = old;
        else if (pos > old)
            at = flash::alignUp(pos); // a table that must move goes to the next boundary
        first = false;
        if (!plan(t, at, m_image.size(), pos))
            return false;
    }

    // Old places of moved tables and blocks are erased first, so no stale copy
    // of a table survives to be found by the next load.
    for (int t = 0; t < int(m_tables.size()); ++t) {
        const FlashTable &table = m_tables[t];
        if (table.enclosingEntry < 0 && m_newTable[t] != table.position)
            erase(table.position, table.end() - table.position, 0, m_image.size());
    }
    for (int e = 0; e < int(m_entries.size()); ++e) {
        if (m_tables[m_entries[e].table].enclosingEntry < 0 && moved(e))
            erase(m_oldStart[e], m_oldSize[e], 0, m_image.size());
    }

    for (int t = 0; t < int(m_tables.size()); ++t) {
        if (m_tables[t].enclosingEntry >= 0)
            continue;
        const FlashTable &table = m_tables[t];
        for (int e = table.firstEntry; e < table.firstEntry + table.entryCount; ++e) {
            if (!placeBlock(e))
                return false;
        }
    }
    for (int t = 0; t < int(m_tables.size()); ++t) {
        if (m_tables[t].enclosingEntry < 0 && !writeTable(t))
            return false;
    }

    for (int t = 0; t < int(m_tables.size()); ++t)
        m_tables[t].position = m_newTable[t];
    for (FlashEntry &entry : m_entries)
        entry.tablePosition = m_newTable[entry.table];
    return true;
}

bool FlashLayout::plan(int t, qint64 at, qint64 limit, qint64 &pos)
{
    const FlashTable &table = m_tables[t];
    const qint64 tableEnd = at + (table.end() - table.position);
    if (at < pos)
        return fail(QStringLiteral("the table at %1 would be overwritten by the block before it")
                        .arg(hex(table.position)));
    if (tableEnd > limit)
        return fail(QStringLiteral("the table at %1 would end at %2, beyond %3")
                        .arg(hex(table.position), hex(tableEnd), hex(limit)));
    m_newTable[t] = at;
    pos = tableEnd;

    for (int e : entriesByAddress(t)) {
        const FlashEntry &entry = m_entries[e];
        qint64 start = std::max(at + qint64(entry.offset()), pos);
        if (isAligned(entry.tag()))
            start = flash::alignUp(start);
        const qint64 end = start + entry.block.size();
        if (end > limit)
            return fail(QStringLiteral("block \"%1\" would end at %2, beyond %3")
                            .arg(QString::fromUtf8(entry.name()), hex(end), hex(limit)));
        if (start - at > std::numeric_limits<uint32_t>::max())
            return fail(QStringLiteral("block \"%1\" lies too far from its table")
                            .arg(QString::fromUtf8(entry.name())));
        m_newStart[e] = start;

        if (entry.containsTable) {
            // A nested table is part of its block's bytes and moves with them.
            qint64 nestedPos = start;
            for (int n = 0; n < int(m_tables.size()); ++n) {
                if (m_tables[n].enclosingEntry != e)
                    continue;
                const qint64 nestedAt = start + (m_tables[n].position - m_oldStart[e]);
                if (!plan(n, nestedAt, end, nestedPos))
                    return false;
            }
        }
        pos = end;
    }
    return true;
}

bool FlashLayout::placeBlock(int e)
{
    FlashEntry &entry = m_entries[e];
    const qint64 start = m_newStart[e];
    if (!put(start, entry.block))
        return false;

    if (entry.containsTable) {
        const qint64 end = start + entry.block.size();
        std::vector<int> nested;
        for (int n = 0; n < int(m_tables.size()); ++n) {
            if (m_tables[n].enclosingEntry == e)
                nested.push_back(n);
        }
        for (int n : nested) {
            const FlashTable &table = m_tables[n];
            for (int c = table.firstEntry; c < table.firstEntry + table.entryCount; ++c) {
                if (moved(c))
                    erase(start + (m_oldStart[c] - m_oldStart[e]), m_oldSize[c], start, end);
            }
        }
        for (int n : nested) {
            const FlashTable &table = m_tables[n];
            for (int c = table.firstEntry; c < table.firstEntry + table.entryCount; ++c) {
                if (!placeBlock(c))
                    return false;
            }
            if (!writeTable(n))
                return false;
        }
        // The checksum covers the nested tables and blocks as they are now.
        entry.block = m_image.mid(int(start), entry.block.size()); // put() placed it inside the image
    }

    entry.setOffset(uint32_t(start - m_newTable[entry.table]));
    entry.setSize(uint32_t(entry.block.size()));
    if (entry.hasChecksum())
        entry.setCrc(crc32Mpeg2(entry.block));
    return true;
}

bool FlashLayout::writeTable(int t)
{
    const FlashTable &table = m_tables[t];
    const qint64 at = m_newTable[t];
    // The header goes along when a table moves, or the table could not be found again.
    if (!put(at, table.header))
        return false;
    for (int k = 0; k < table.entryCount; ++k) {
        if (!put(at + flash::HeaderSize + qint64(flash::EntrySize) * k,
                 m_entries[table.firstEntry + k].raw))
            return false;
    }
    return true;
}

bool FlashLayout::put(qint64 at, const QByteArray &bytes)
{
    if (at < 0 || at > m_image.size() - bytes.size())
        return fail(QStringLiteral("%1 bytes at %2 would pass the end of the image")
                        .arg(bytes.size())
                        .arg(hex(at)));
    std::memcpy(m_image.data() + at, bytes.constData(), size_t(bytes.size()));
    return true;
}

void FlashLayout::erase(qint64 from, qint64 length, qint64 clipFrom, qint64 clipTo)
{
    const qint64 begin = std::max({from, clipFrom, qint64(0)});
    const qint64 end = std::min({from + length, clipTo, qint64(m_image.size())});
    if (begin < end)
        std::memset(m_image.data() + begin, Erased, size_t(end - begin));
}

bool FlashLayout::moved(int e) const
{
    const int enclosing = m_tables[m_entries[e].table].enclosingEntry;
    const qint64 oldBase = enclosing < 0 ? 0 : m_oldStart[enclosing];
    const qint64 newBase = enclosing < 0 ? 0 : m_newStart[enclosing];
    return m_newStart[e] - newBase != m_oldStart[e] - oldBase
        || m_entries[e].block.size() != qint64(m_oldSize[e]);
}

std::vector<int> FlashLayout::entriesByAddress(int t) const
{
    const FlashTable &table = m_tables[t];
    std::vector<int> order;
    for (int e = table.firstEntry; e < table.firstEntry + table.entryCount; ++e)
        order.push_back(e);
    // Blocks are pushed up by the one below them in the image, whatever the entry order.
    std::stable_sort(order.begin(), order.end(),
                     [this](int a, int b) { return m_oldStart[a] < m_oldStart[b]; });
    return order;
}

bool FlashLayout::fail(const QString &message)
{
    if (m_error.isEmpty())
        m_error = message;
    return false;
}

} // namespace ostrel
