#pragma once
// Lays the blocks of a flash image out again after some of them changed size.

#include "flashtable.h"

#include <QString>

#include <vector>

namespace ostrel {

class FlashLayout
{
public:
    // tables and entries as the reader left them, except that an entry's block
    // may hold new bytes of another length; raw sizes and offsets still tell
    // where each block was.
    FlashLayout(const QByteArray &image, const std::vector<FlashTable> &tables,
                const std::vector<FlashEntry> &entries);

    // Places every block (pushed up past the one before, 0xA4/0xA8 raised to a
    // 64 KiB boundary, nested blocks inside their enclosing block), refreshes the
    // checksums and rewrites the tables. False when a block or table would leave
    // the image or its enclosing block; nothing is written outside the image.
    bool run();

    const QByteArray &image() const { return m_image; }
    const std::vector<FlashTable> &tables() const { return m_tables; }
    const std::vector<FlashEntry> &entries() const { return m_entries; }
    QString errorString() const { return m_error; }

private:
    bool plan(int table, qint64 position, qint64 limit, qint64 &pos);
    bool placeBlock(int entry);
    bool writeTable(int table);
    bool put(qint64 at, const QByteArray &bytes);
    void erase(qint64 from, qint64 length, qint64 clipFrom, qint64 clipTo);
    bool moved(int entry) const;
    std::vector<int> entriesByAddress(int table) const;
    bool fail(const QString &message);

    QByteArray m_image;
    std::vector<FlashTable> m_tables;
    std::vector<FlashEntry> m_entries;
    std::vector<qint64> m_oldStart; // where each block was
    std::vector<uint32_t> m_oldSize;
    std::vector<qint64> m_newStart;
    std::vector<qint64> m_newTable; // where each table goes
    QString m_error;
};

} // namespace ostrel
