#pragma once
// Conversions between the parser's boundary records and the editor's nodes.

#include "channeldatabase.h"
#include "compactrecords.h"
#include "documentdata.h"
#include "hugepageheap.h"
#include "ostrel_api.h"
#include "recordblocks.h"

#include <QStringList>
#include <QVector>

#include <memory>
#include <vector>

// Texts repeat from record to record of a list: the names always, many values
// (flags, modes, "No", "TV", "0") often. Each field position keeps one shared
// copy of every text it has seen, instead of an allocation per attribute, until
// it has seen so many different ones that its texts are taken to be unique
// (ids, names): those are read each time. The units a text is looked up by must
// stay where they are while the table lives (one list's conversion).
class FieldTexts
{
public:
    explicit FieldTexts(int capacity)
        : m_capacity(capacity) {}
    // A fixed field of capacity units, up to its terminator.
    QString at(int index, const char16_t *text);
    QString at(int index, QStringView units);

private:
    struct Seen
    {
        QStringView last;
        QString lastText;
        QHash<QStringView, QString> texts;
        bool unique = false;
    };

    int m_capacity;
    std::vector<Seen> m_fields;
};

struct RecordTexts
{
    FieldTexts names{OstrelNameUnits};
    FieldTexts values{OstrelTextUnits};
};

// Copies id, parent id and the values into node; a repeated name (letter case
// ignored) keeps its first occurrence. texts, when given, shares the texts.
void fillNodeFromRecord(DB_NS::Node &node, const DataRecord &record, RecordTexts *texts = nullptr);

template<typename NodeT>
std::vector<std::unique_ptr<NodeT>> nodesFromRecords(const RecordList &list, HugePageHeap *heap = nullptr)
{
    std::vector<std::unique_ptr<NodeT>> nodes;
    if (!list.records)
        return nodes;
    nodes.reserve(list.count);
    RecordTexts texts;
    for (uint32_t i = 0; i < list.count; ++i) {
        if (!list.records[i])
            continue;
        auto node = std::make_unique<NodeT>();
        fillNodeFromRecord(*node, *list.records[i], &texts);
        if (heap && i % 64 == 0)
            heap->advise();
        nodes.push_back(std::move(node));
    }
    return nodes;
}

std::unique_ptr<ChannelDatabase> databaseFromRecords(const RecordList &sats, const RecordList &tps,
                                                     const RecordList &pgs);

// The same from compact record sets, each already opened (checked).
std::unique_ptr<ChannelDatabase> databaseFromCompact(const ostrel::CompactReader &sats,
                                                     const ostrel::CompactReader &tps,
                                                     const ostrel::CompactReader &pgs);

// The programme field that holds the service order of a user-database dump.
inline const QString DefaultOrderField = QStringLiteral("default_order");

// Boundary lists built from the editor's model for one Save call, one block
// per list; owns every byte it hands out, freed with it. With renumberDefaultOrder each
// programme's "default_order" is written as its position in allPGs.
class SaveRecords
{
public:
    explicit SaveRecords(const ChannelDatabase &db, bool renumberDefaultOrder = false);
    SaveRecords(const SaveRecords &) = delete;
    SaveRecords &operator=(const SaveRecords &) = delete;

    RecordList *satellites() { return m_sats.blocks.head(); }
    RecordList *transponders() { return m_tps.blocks.head(); }
    RecordList *programmes() { return m_pgs.blocks.head(); }

private:
    struct Records
    {
        ostrel::RecordBlocks blocks;

        void add(const DB_NS::Node &node, int defaultOrder = -1);
    };

    Records m_sats;
    Records m_tps;
    Records m_pgs;
};

// The compact form of SaveRecords: the same records in the same order, texts
// cut as the fixed fields cut them.
class SaveCompactRecords
{
public:
    explicit SaveCompactRecords(const ChannelDatabase &db, bool renumberDefaultOrder = false);
    SaveCompactRecords(const SaveCompactRecords &) = delete;
    SaveCompactRecords &operator=(const SaveCompactRecords &) = delete;

    const CompactRecordSet *satellites() { return m_sats.head(); }
    const CompactRecordSet *transponders() { return m_tps.head(); }
    const CompactRecordSet *programmes() { return m_pgs.head(); }

private:
    ostrel::CompactBuilder m_sats;
    ostrel::CompactBuilder m_tps;
    ostrel::CompactBuilder m_pgs;
};

// Zero-terminated copies of the favourite names as a NameList.
class SaveNames
{
public:
    explicit SaveNames(const QStringList &names);
    NameList *head() { return &m_head; }

private:
    std::vector<std::u16string> m_names;
    std::vector<char16_t *> m_pointers;
    NameList m_head{0, nullptr};
};

// Copies of the hot keys (names copied too) as a HotKeyList.
class SaveHotKeys
{
public:
    explicit SaveHotKeys(const QVector<HotKey> &keys);
    HotKeyList *head() { return &m_head; }

private:
    std::vector<std::unique_ptr<std::u16string>> m_names;
    std::vector<HotKeyItem> m_items;
    std::vector<HotKeyItem *> m_pointers;
    HotKeyList m_head{0, nullptr};
};

// Copies of the favourite hot keys (names copied too) as a FavHotKeyGroupList.
class SaveFavHotKeys
{
public:
    explicit SaveFavHotKeys(const QVector<FavHotKey> &keys);
    FavHotKeyGroupList *head() { return &m_head; }

private:
    std::vector<std::unique_ptr<std::u16string>> m_names;
    std::vector<FavHotKeyItem> m_items;
    std::vector<FavHotKeyItem *> m_pointers;
    FavHotKeyGroupList m_head{0, nullptr};
};
