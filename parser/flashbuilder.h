#pragma once
// Lays out a flash image from a description of its tables and blocks, with
// correct checksums. Used by the sample generator and the tests.

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace ostrel {

struct FlashBlockPlan
{
    uint8_t tag = 0;
    QByteArray name;         // at most 23 bytes are kept
    uint32_t offset = 0;     // from the table's position
    QByteArray data;         // a table nested in the block is written over these bytes
    bool noChecksum = false; // "NCRC" instead of a checksum
    uint32_t size = 0;       // written as the entry's size when data is empty (for bad images)
};

struct FlashTablePlan
{
    qint64 position = 0;
    std::vector<FlashBlockPlan> blocks;
    QByteArray reserved = QByteArrayLiteral("reserved-12b"); // header bytes 12..23
    int entryCount = -1;                                     // written as the count when >= 0, else blocks.size()
    char version = '0';                                      // header byte 26
};

// An image of size bytes, erased (0xFF), with the tables and blocks written in
// order and every checksum computed over the final bytes, innermost block first.
QByteArray buildFlashImage(qint64 size, const std::vector<FlashTablePlan> &tables);

} // namespace ostrel
