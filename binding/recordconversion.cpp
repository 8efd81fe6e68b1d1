#include "recordconversion.h"

#include "boundarytext.h"
#include "serviceorder.h"

#include <QHash>

#include <algorithm>

namespace {

// Different texts one field position shares before its texts count as unique.
constexpr int SharedTextsPerField = 256;

// Read as the fixed fields are read: a leading byte-order mark goes through
// the decoder, anything else is copied as it is.
QString readUnits(QStringView units)
{
    if (!units.isEmpty() && (units.front() == QChar(0xFEFF) || units.front() == QChar(0xFFFE)))
        return QString::fromUtf16(units.utf16(), int(units.size()));
    return units.toString();
}

} // namespace

QString FieldTexts::at(int index, const char16_t *text)
{
    if (!text)
        return QString();
    return at(index, QStringView(text, std::find(text, text + m_capacity, u'\0') - text));
}

QString FieldTexts::at(int index, QStringView units)
{
    if (index < 0 || index >= 512) // far more fields than any configuration has
        return readUnits(units);
    if (size_t(index) >= m_fields.size())
        m_fields.resize(size_t(index) + 1);
    Seen &seen = m_fields[size_t(index)];
    if (!seen.lastText.isNull() && seen.last == units)
        return seen.lastText;
    if (seen.unique) {
        seen.lastText = readUnits(units);
    } else {
        auto found = seen.texts.find(units);
        if (found == seen.texts.end()) {
            found = seen.texts.insert(units, readUnits(units));
            seen.unique = seen.texts.size() >= SharedTextsPerField;
        }
        seen.lastText = found.value();
    }
    seen.last = units;
    return seen.lastText;
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

namespace {

bool namesUnique(const QVector<QString> &names)
{
    for (int i = 0; i < names.size(); ++i) {
        for (int j = 0; j < i; ++j) {
            if (NodeAttribute::namesEqual(names.at(i), names.at(j)))
                return false;
        }
    }
    return true;
}

template<typename NodeT>
std::vector<std::unique_ptr<NodeT>> nodesFromCompact(const ostrel::CompactReader &list, HugePageHeap &heap)
{
    std::vector<std::unique_ptr<NodeT>> nodes;
    nodes.reserve(list.size());
    RecordTexts texts;
    // A template's names are read once and shared by all its records; when
    // they are unique, no record has to look for a repeated one.
    std::vector<QVector<QString>> names(list.templateCount());
    std::vector<bool> named(list.templateCount());
    std::vector<bool> unique(list.templateCount());
    for (uint32_t i = 0; i < list.size(); ++i) {
        const CompactRecord &record = list.record(i);
        const uint32_t count = list.fieldCount(i);
        QVector<QString> &fieldNames = names[record.templateIndex];
        if (!named[record.templateIndex]) {
            named[record.templateIndex] = true;
            fieldNames.reserve(int(count));
            for (uint32_t k = 0; k < count; ++k)
                fieldNames.append(texts.names.at(int(k), list.name(i, k)));
            unique[record.templateIndex] = namesUnique(fieldNames);
        }
        auto node = std::make_unique<NodeT>();
        node->setId(record.id);
        node->setParentId(record.parentId);
        node->reserveAttributes(int(std::min<uint32_t>(count, 1024)));
        const bool checked = unique[record.templateIndex];
        for (uint32_t k = 0; k < count; ++k) {
            const QString value = texts.values.at(int(k), list.value(i, k));
            if (checked)
                node->appendNewAttribute(fieldNames[int(k)], value);
            else
                node->addAttribute(fieldNames[int(k)], value);
        }
        if (i % 64 == 0)
            heap.advise();
        nodes.push_back(std::move(node));
    }
    return nodes;
}

// The records a Save gets, in the order it gets them: programmes grouped by
// transponder in each TP's own order, the order the writers keep, which stays
// as loaded until a reorder relinks the lists. add(list, node, defaultOrder)
// gets 0, 1, 2 for satellites, transponders, programmes, and -1 where the
// "default_order" is written as stored.
template<typename Add>
void forEachSaved(const ChannelDatabase &db, bool renumberDefaultOrder, Add add)
{
    // The position of each programme in the service order, when it is written.
    const QHash<const DB_NS::PGNode *, int> serviceOrder = renumberDefaultOrder ? ServiceOrder::positions(db)
                                                                                : QHash<const DB_NS::PGNode *, int>();
    for (const DB_NS::SatNode *sat : db.sats()) {
        add(0, *sat, -1);
        for (const DB_NS::TPNode *tp : sat->tps()) {
            add(1, *tp, -1);
            for (const DB_NS::PGNode *pg : tp->pgs())
                add(2, *pg, renumberDefaultOrder ? serviceOrder.value(pg, -1) : -1);
        }
    }
}

// How many records and values each list of a Save holds, so that each is sized once.
struct SaveSizes
{
    size_t records[3] = {0, 0, 0};
    size_t values[3] = {0, 0, 0};

    explicit SaveSizes(const ChannelDatabase &db)
    {
        forEachSaved(db, false, [this](int list, const DB_NS::Node &node, int) {
            ++records[list];
            values[list] += size_t(node.attributes().size());
        });
    }
};

QString savedValue(const NodeAttribute &attribute, int defaultOrder)
{
    const bool renumbered = defaultOrder >= 0 && NodeAttribute::namesEqual(attribute.name, DefaultOrderField);
    return renumbered ? QString::number(defaultOrder) : attribute.value;
}

// A text as a fixed field of capacity units carries it.
QStringView fieldView(const QString &text, int capacity)
{
    return QStringView(text.utf16(), std::min<qsizetype>(text.size(), capacity - 1));
}

} // namespace

std::unique_ptr<ChannelDatabase> databaseFromCompact(const ostrel::CompactReader &sats,
                                                     const ostrel::CompactReader &tps,
                                                     const ostrel::CompactReader &pgs)
{
    HugePageHeap heap;
    auto satNodes = nodesFromCompact<DB_NS::SatNode>(sats, heap);
    auto tpNodes = nodesFromCompact<DB_NS::TPNode>(tps, heap);
    auto pgNodes = nodesFromCompact<DB_NS::PGNode>(pgs, heap);
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
        ostrel::copyText(value.text, OstrelTextUnits, savedValue(attribute, defaultOrder));
    }
}

SaveRecords::SaveRecords(const ChannelDatabase &db, bool renumberDefaultOrder)
{
    Records *lists[3] = {&m_sats, &m_tps, &m_pgs};
    const SaveSizes sizes(db);
    for (int i = 0; i < 3; ++i)
        lists[i]->blocks.reserve(sizes.records[i], sizes.values[i]);
    forEachSaved(db, renumberDefaultOrder, [&lists](int list, const DB_NS::Node &node, int defaultOrder) {
        lists[list]->add(node, defaultOrder);
    });
}

SaveCompactRecords::SaveCompactRecords(const ChannelDatabase &db, bool renumberDefaultOrder)
{
    ostrel::CompactBuilder *lists[3] = {&m_sats, &m_tps, &m_pgs};
    const SaveSizes sizes(db);
    for (int i = 0; i < 3; ++i)
        lists[i]->reserve(sizes.records[i], sizes.values[i], sizes.values[i] * 4);
    std::vector<QStringView> names;
    // Nodes loaded together share their names' text: the same texts as the node
    // before are the same template, without comparing them.
    std::vector<const QChar *> lastNames[3];
    uint32_t lastTemplate[3] = {0, 0, 0};
    forEachSaved(db, renumberDefaultOrder, [&](int list, const DB_NS::Node &node, int defaultOrder) {
        const auto &attributes = node.attributes();
        std::vector<const QChar *> &last = lastNames[list];
        ostrel::CompactBuilder &out = *lists[list];
        const bool same = out.size() > 0 && last.size() == size_t(attributes.size())
            && std::equal(last.begin(), last.end(), attributes.begin(),
                          [](const QChar *name, const NodeAttribute &a) { return name == a.name.constData(); });
        if (!same) {
            names.clear();
            last.clear();
            for (const NodeAttribute &attribute : attributes) {
                names.push_back(fieldView(attribute.name, OstrelNameUnits));
                last.push_back(attribute.name.constData());
            }
            lastTemplate[list] = out.templateFor(names.data(), names.size());
        }
        out.beginRecord(node.id(), node.getParentId(), lastTemplate[list]);
        for (const NodeAttribute &attribute : attributes) {
            if (defaultOrder < 0)
                out.appendValue(fieldView(attribute.value, OstrelTextUnits));
            else
                out.appendValue(fieldView(savedValue(attribute, defaultOrder), OstrelTextUnits));
        }
    });
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
