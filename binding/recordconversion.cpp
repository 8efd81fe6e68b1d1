#include "recordconversion.h"

#include "boundarytext.h"
#include "serviceorder.h"

#include <QHash>

#include <algorithm>

QString FieldTexts::at(int index, const char16_t *text)
{
    if (index < 0 || index >= 512) // far more fields than any configuration has
        return ostrel::readText(text, m_capacity);
    const char16_t *end = std::find(text, text + m_capacity, u'\0');
    if (index >= m_texts.size())
        m_texts.resize(index + 1);
    QString &cached = m_texts[index];
    // A text that reads differently from its units (a leading byte-order
    // mark) never matches and is simply read each time.
    if (cached.isNull() || cached.size() != int(end - text)
        || !std::equal(text, end, reinterpret_cast<const char16_t *>(cached.utf16())))
        cached = ostrel::readText(text, m_capacity);
    return cached;
}

void fillNodeFromRecord(DB_NS::Node &node, const DataRecord &record, RecordTexts *texts)
{
    node.setId(record.id);
    node.setParentId(record.parentId);
    if (!record.values)
        return;
    node.reserveAttributes(int(std::min<uint32_t>(record.count, 1024)));
    for (uint32_t i = 0; i < record.count; ++i) {
        const FieldValue &v = record.values[i];
        if (texts)
            node.addAttribute(texts->names.at(int(i), v.name), texts->values.at(int(i), v.text));
        else
            node.addAttribute(ostrel::readText(v.name, OstrelNameUnits), ostrel::readText(v.text, OstrelTextUnits));
    }
}

std::unique_ptr<ChannelDatabase> databaseFromRecords(const RecordList &sats, const RecordList &tps,
                                                     const RecordList &pgs)
{
    HugePageHeap heap;
    auto satNodes = nodesFromRecords<DB_NS::SatNode>(sats, &heap);
    auto tpNodes = nodesFromRecords<DB_NS::TPNode>(tps, &heap);
    auto pgNodes = nodesFromRecords<DB_NS::PGNode>(pgs, &heap);
    return ChannelDatabase::build(std::move(satNodes), std::move(tpNodes), std::move(pgNodes));
}

void SaveRecords::Records::add(const DB_NS::Node &node, int defaultOrder)
{
    const auto &attributes = node.attributes();
    const uint32_t count = uint32_t(attributes.size());
    // copyText below writes every unit of each value, name and text.
    DataRecord &record = blocks.append(node.id(), node.getParentId(), count, ostrel::RecordBlocks::Values::WrittenByCaller);
    for (uint32_t i = 0; i < count; ++i) {
        const NodeAttribute &attribute = attributes[int(i)];
        FieldValue &value = record.values[i];
        ostrel::copyText(value.name, OstrelNameUnits, attribute.name);
        const bool renumbered = defaultOrder >= 0 && NodeAttribute::namesEqual(attribute.name, DefaultOrderField);
        ostrel::copyText(value.text, OstrelTextUnits, renumbered ? QString::number(defaultOrder) : attribute.value);
    }
}

SaveRecords::SaveRecords(const ChannelDatabase &db, bool renumberDefaultOrder)
{
    // The position of each programme in the service order, when it is written.
    const QHash<const DB_NS::PGNode *, int> serviceOrder = renumberDefaultOrder ? ServiceOrder::positions(db)
                                                                                : QHash<const DB_NS::PGNode *, int>();
    // Sized first, so that each list is one block.
    size_t tps = 0, pgs = 0, satValues = 0, tpValues = 0, pgValues = 0;
    for (const DB_NS::SatNode *sat : db.sats()) {
        satValues += size_t(sat->attributes().size());
        for (const DB_NS::TPNode *tp : sat->tps()) {
            ++tps;
            tpValues += size_t(tp->attributes().size());
            for (const DB_NS::PGNode *pg : tp->pgs()) {
                ++pgs;
                pgValues += size_t(pg->attributes().size());
            }
        }
    }
    m_sats.blocks.reserve(db.sats().size(), satValues);
    m_tps.blocks.reserve(tps, tpValues);
    m_pgs.blocks.reserve(pgs, pgValues);
    // Programmes go out grouped by transponder in each TP's own order: that is
    // the order the writers keep, and it stays as loaded until a reorder
    // relinks the lists.
    for (const DB_NS::SatNode *sat : db.sats()) {
        m_sats.add(*sat);
        for (const DB_NS::TPNode *tp : sat->tps()) {
            m_tps.add(*tp);
            for (const DB_NS::PGNode *pg : tp->pgs())
                m_pgs.add(*pg, renumberDefaultOrder ? serviceOrder.value(pg, -1) : -1);
        }
    }
}

static std::u16string toU16(const QString &s)
{
    return std::u16string(reinterpret_cast<const char16_t *>(s.utf16()), size_t(s.size()));
}

SaveNames::SaveNames(const QStringList &names)
{
    m_names.reserve(size_t(names.size()));
    for (const QString &n : names)
        m_names.push_back(toU16(n));
    for (std::u16string &n : m_names)
        m_pointers.push_back(n.data());
    m_head = NameList{uint32_t(m_pointers.size()), m_pointers.empty() ? nullptr : m_pointers.data()};
}

// A null name stays null across the boundary.
static std::unique_ptr<std::u16string> copyName(const QString &name)
{
    return name.isNull() ? nullptr : std::make_unique<std::u16string>(toU16(name));
}

SaveHotKeys::SaveHotKeys(const QVector<HotKey> &keys)
{
    m_items.reserve(size_t(keys.size()));
    for (const HotKey &key : keys) {
        m_names.push_back(copyName(key.name));
        m_items.push_back(HotKeyItem{m_names.back() ? m_names.back()->c_str() : nullptr,
                                     key.satId, key.tpId, key.pgId});
    }
    for (HotKeyItem &item : m_items)
        m_pointers.push_back(&item);
    m_head = HotKeyList{uint32_t(m_pointers.size()), m_pointers.empty() ? nullptr : m_pointers.data()};
}

SaveFavHotKeys::SaveFavHotKeys(const QVector<FavHotKey> &keys)
{
    m_items.reserve(size_t(keys.size()));
    for (const FavHotKey &key : keys) {
        m_names.push_back(copyName(key.name));
        m_items.push_back(FavHotKeyItem{m_names.back() ? m_names.back()->c_str() : nullptr, key.favIndex});
    }
    for (FavHotKeyItem &item : m_items)
        m_pointers.push_back(&item);
    m_head = FavHotKeyGroupList{uint32_t(m_pointers.size()),
                                m_pointers.empty() ? nullptr : m_pointers.data()};
}
