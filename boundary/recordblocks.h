#pragma once
// A list of boundary records whose records and field arrays are carved out of
// a few large blocks instead of two heap allocations per record. Reserved up
// front with the list's size, a list is one block (plus its pointer array);
// big blocks ask the kernel for huge pages, so tens of thousands of 4 KB field
// arrays cost a few hundred page faults instead of one each. Used on both sides
// of the boundary: the library's Load lists and the editor's Save lists.

#include "ostrel_api.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

namespace ostrel {

class RecordBlocks
{
public:
    RecordBlocks() = default;
    ~RecordBlocks() { clear(); }
    RecordBlocks(const RecordBlocks &) = delete;
    RecordBlocks &operator=(const RecordBlocks &) = delete;

    // Room for records more records holding values field values in all, in one block.
    void reserve(size_t records, size_t values)
    {
        if (records == 0)
            return;
        // Each record may round up by 7 bytes to keep the next one aligned.
        const size_t bytes = records * (recordBytes(0) + 7) + values * sizeof(FieldValue);
        if (m_blocks.empty() || m_blocks.back().free() < bytes)
            addBlock(bytes);
        m_pointers.reserve(m_pointers.size() + records);
    }

    enum class Values { Zeroed,
                        WrittenByCaller };

    // A new record with fieldCount values; it keeps its address until clear().
    // The values start as zeros, unless the caller writes every unit of every
    // value itself (WrittenByCaller): at tens of thousands of 4 KB records the
    // extra pass over memory is a good part of building a list.
    DataRecord &append(uint32_t id, uint32_t parentId, uint32_t fieldCount, Values values = Values::Zeroed)
    {
        const size_t bytes = recordBytes(fieldCount);
        if (m_blocks.empty() || m_blocks.back().free() < bytes)
            addBlock(std::max(bytes, growth()));
        Block &block = m_blocks.back();
        char *at = block.memory + block.used;
        block.used += bytes;
        if (values == Values::Zeroed)
            std::memset(at, 0, bytes);
        auto *first = fieldCount ? reinterpret_cast<FieldValue *>(at + sizeof(DataRecord)) : nullptr;
        auto *record = new (at) DataRecord{fieldCount, id, parentId, first};
        m_pointers.push_back(record);
        m_head = RecordList{uint32_t(m_pointers.size()), m_pointers.data()};
        return *record;
    }

    // Frees every block once; the head is empty afterwards.
    void clear()
    {
        for (Block &block : m_blocks)
            std::free(block.memory);
        m_blocks.clear();
        std::vector<DataRecord *>().swap(m_pointers);
        m_head = RecordList{0, nullptr};
    }

    int size() const { return int(m_pointers.size()); }
    int blockCount() const { return int(m_blocks.size()); }
    RecordList *head() { return &m_head; }

private:
    struct Block
    {
        char *memory;
        size_t size;
        size_t used;
        size_t free() const { return size - used; }
    };

    static constexpr size_t HugePage = size_t(2) << 20;
    static constexpr size_t SmallestBlock = size_t(64) << 10;

    // A record and its field array, kept 8-byte aligned for the next record.
    static size_t recordBytes(uint32_t fieldCount)
    {
        static_assert(alignof(DataRecord) <= 8 && alignof(FieldValue) <= alignof(DataRecord));
        return (sizeof(DataRecord) + size_t(fieldCount) * sizeof(FieldValue) + 7) & ~size_t(7);
    }

    // Unreserved appends double the blocks, so they stay few.
    size_t growth() const { return m_blocks.empty() ? SmallestBlock : m_blocks.back().size * 2; }

    void addBlock(size_t bytes)
    {
        bytes = std::max(bytes, SmallestBlock);
        const bool huge = bytes >= HugePage;
        if (huge)
            bytes = (bytes + HugePage - 1) & ~(HugePage - 1);
        m_blocks.reserve(m_blocks.size() + 1);
        void *memory = nullptr;
        if (posix_memalign(&memory, huge ? HugePage : alignof(DataRecord), bytes) != 0)
            throw std::bad_alloc();
        if (huge)
            madvise(memory, bytes, MADV_HUGEPAGE); // only advice: without it the block still works
        m_blocks.push_back(Block{static_cast<char *>(memory), bytes, 0});
    }

    std::vector<Block> m_blocks;
    std::vector<DataRecord *> m_pointers;
    RecordList m_head{0, nullptr};
};

} // namespace ostrel
