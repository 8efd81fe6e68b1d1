// Writing a user-database dump: the plan of the records, new ids, the nodes and the header.
#include "userdbdump.h"

#include "userdumpparts.h"

#include "bitstream.h"
#include "boundarytext.h"
#include "compactconvert.h"
#include "crc32mpeg2.h"
#include "records.h"
#include "triggers.h"

#include <QStringView>

#include <algorithm>
#include <map>
#include <limits>

namespace ostrel {

using namespace dumpparts;

namespace {

constexpr uint32_t HighestFileId = 0xFFFF;
constexpr uint32_t HighestNewId = 0xFFFE;

// What a fixed field of capacity units holds of a compact text: up to the
// first zero unit, cut to the field.
QStringView fieldView(QStringView text, int capacity)
{
    const char16_t *units = text.utf16();
    return QStringView(units, std::find(units, units + std::min<qsizetype>(text.size(), capacity - 1), u'\0') - units);
}

// A leading byte-order mark is read as the fixed fields read it; any other
// text is used where it is.
bool readsAsItIs(QStringView text)
{
    return text.isEmpty() || (text.front() != QChar(0xFEFF) && text.front() != QChar(0xFFFE));
}

// The records that go into the dump, in file order, with their children: each
// by its index in its list and the ids it is written with.
struct RecordPlan
{
    uint32_t index;
    uint32_t id;
    uint32_t parentId;
};

struct TransponderPlan
{
    RecordPlan record;
    std::vector<RecordPlan> programmes;
};

struct SatellitePlan
{
    RecordPlan record;
    std::vector<TransponderPlan> transponders;
};

class DumpWriter
{
public:
    DumpWriter(const ParserConfig &config, QString *error)
        : m_config(config), m_error(error) {}

    bool write(const CompactReader &satellites, const CompactReader &transponders,
               const CompactReader &programmes, const HeadTable *previousHead,
               const QByteArray *trailingBlock, const QStringList &favouriteNames, QByteArray &dump);

    const std::vector<SatellitePlan> &plan() const { return m_plan; }

private:
    bool fail(const QString &message) { return ostrel::fail(m_error, message); }
    void plan(const CompactReader &satellites, const CompactReader &transponders,
              const CompactReader &programmes);
    bool renumber(RecordPlan &record);
    bool encode(BitWriter &out, uint64_t byteOffset, const NodeLayout &layout, const IdFields &ids,
                const CompactReader &list, const RecordPlan &record, uint32_t satelliteId);
    QByteArray header(const HeadTable *previousHead, const QByteArray *trailingBlock,
                      const QByteArray &data);

    const ParserConfig &m_config;
    QString *m_error;
    std::vector<bool> m_used;
    uint32_t m_nextFree = 0;
    std::vector<SatellitePlan> m_plan;
    uint64_t m_tpCount = 0;
    uint64_t m_pgCount = 0;
    std::vector<int> m_found; // for each field, the value that holds it, or -1
    // Per list and template, the fields each value's name stands for (null: none):
    // a template's names are the same for all its records, so each is looked up once.
    std::map<std::pair<const CompactReader *, uint32_t>, std::vector<const std::vector<int> *>> m_names;
};

void DumpWriter::plan(const CompactReader &satellites, const CompactReader &transponders,
                      const CompactReader &programmes)
{
    m_used.assign(HighestFileId + 1, false);
    for (const CompactReader *list : {&satellites, &transponders, &programmes})
        for (uint32_t i = 0; i < list->size(); ++i)
            if (const uint32_t id = list->record(i).id; id <= HighestFileId)
                m_used[id] = true;

    // Sized up front: growing these would rehash them a few times more at 50,000 programmes than at 10,000.
    QHash<uint32_t, std::vector<uint32_t>> tpsBySatellite;
    QHash<uint32_t, std::vector<uint32_t>> pgsByTransponder;
    tpsBySatellite.reserve(int(std::min(satellites.size(), transponders.size())));
    pgsByTransponder.reserve(int(std::min(transponders.size(), programmes.size())));
    m_plan.reserve(satellites.size());
    for (uint32_t i = 0; i < transponders.size(); ++i)
        tpsBySatellite[transponders.record(i).parentId].push_back(i);
    for (uint32_t i = 0; i < programmes.size(); ++i)
        pgsByTransponder[programmes.record(i).parentId].push_back(i);

    // Each child goes in once, under the first parent carrying its parent id; the rest
    // (parents missing from the lists) stay out, so the written dump loads again.
    const auto planOf = [](const CompactReader &list, uint32_t i) {
        return RecordPlan{i, list.record(i).id, list.record(i).parentId};
    };
    std::vector<bool> tpTaken(transponders.size(), false);
    std::vector<bool> pgTaken(programmes.size(), false);
    for (uint32_t s = 0; s < satellites.size(); ++s) {
        SatellitePlan satPlan{planOf(satellites, s), {}};
        const auto tps = tpsBySatellite.constFind(satPlan.record.id);
        if (tps != tpsBySatellite.cend()) {
            satPlan.transponders.reserve(tps->size());
            for (const uint32_t t : *tps) {
                if (tpTaken[t])
                    continue;
                tpTaken[t] = true;
                TransponderPlan tpPlan{planOf(transponders, t), {}};
                const auto pgs = pgsByTransponder.constFind(tpPlan.record.id);
                if (pgs != pgsByTransponder.cend()) {
                    tpPlan.programmes.reserve(pgs->size());
                    for (const uint32_t p : *pgs) {
                        if (pgTaken[p])
                            continue;
                        pgTaken[p] = true;
                        tpPlan.programmes.push_back(planOf(programmes, p));
                    }
                }
                m_pgCount += tpPlan.programmes.size();
                satPlan.transponders.push_back(std::move(tpPlan));
            }
        }
        m_tpCount += satPlan.transponders.size();
        m_plan.push_back(std::move(satPlan));
    }
}

bool DumpWriter::renumber(RecordPlan &record)
{
    if (record.id <= HighestFileId)
        return true;
    while (m_nextFree <= HighestNewId && m_used[m_nextFree])
        ++m_nextFree;
    if (m_nextFree > HighestNewId)
        return fail(QStringLiteral("no free id is left for a new record"));
    m_used[m_nextFree] = true;
    record.id = m_nextFree;
    return true;
}

bool DumpWriter::encode(BitWriter &out, uint64_t byteOffset, const NodeLayout &layout,
                        const IdFields &ids, const CompactReader &list, const RecordPlan &record,
                        uint32_t satelliteId)
{
    const size_t n = layout.fields.size();
    m_found.assign(n, -1);
    const uint32_t count = list.fieldCount(record.index);
    const auto key = std::make_pair(&list, list.record(record.index).templateIndex);
    auto resolved = m_names.find(key);
    if (resolved == m_names.end()) {
        // The values usually come in presentation order: try that field first;
        // otherwise look the name up.
        std::vector<const std::vector<int> *> fieldsOf(count, nullptr);
        for (uint32_t k = 0; k < count; ++k) {
            const QStringView name = fieldView(list.name(record.index, k), OstrelNameUnits);
            if (k < layout.order.size()) {
                const size_t expected = size_t(layout.order[k]);
                if (name.compare(QStringView(layout.fields[expected].name), Qt::CaseInsensitive) == 0) {
                    fieldsOf[k] = &ids.sameName[expected];
                    continue;
                }
            }
            const auto it = ids.byName.constFind(name.toString().toCaseFolded());
            if (it != ids.byName.cend())
                fieldsOf[k] = &it.value();
        }
        resolved = m_names.emplace(key, std::move(fieldsOf)).first;
    }
    // The first value of each name is the one that counts.
    for (uint32_t k = 0; k < count; ++k) {
        if (const std::vector<int> *fields = resolved->second[k]) {
            for (const int f : *fields)
                if (m_found[size_t(f)] < 0)
                    m_found[size_t(f)] = int(k);
        }
    }

    const uint64_t base = byteOffset * 8;
    for (size_t i = 0; i < n; ++i) {
        const FieldDescriptor &d = layout.fields[i];
        const uint64_t position = base + layout.starts[i];
        bool isId = true;
        uint32_t number = 0;
        if (int(i) == ids.id)
            number = record.id;
        else if (int(i) == ids.parent)
            number = record.parentId;
        else if (int(i) == ids.satellite)
            number = satelliteId;
        else
            isId = false;

        bool ok;
        if (isId) {
            ok = d.type == FieldType::Text ? out.writeText(position, d.size, QString::number(number))
                                           : out.writeUInt(position, d.size, number);
        } else {
            const int k = m_found[i];
            QStringView text = k >= 0 ? fieldView(list.value(record.index, uint32_t(k)), OstrelTextUnits)
                                      : QStringView(d.defaultText);
            QString read;
            if (!readsAsItIs(text)) {
                read = QString::fromUtf16(text.utf16(), int(text.size()));
                text = read;
            }
            ok = d.type == FieldType::Text ? out.writeText(position, d.size, text)
                                           : out.writeUInt(position, d.size, d.textToValue(text));
        }
        if (!ok)
            return fail(QStringLiteral("field %1 lies outside the node").arg(d.name));
    }
    return true;
}

QByteArray DumpWriter::header(const HeadTable *previousHead, const QByteArray *trailingBlock,
                              const QByteArray &data)
{
    const ParserConfig &c = m_config;
    BitWriter out(int(c.head.bytes));
    for (size_t i = 0; i < c.head.fields.size(); ++i) {
        const FieldDescriptor &d = c.head.fields[i];
        const QString name = d.name.toLower();
        const uint64_t position = c.head.starts[i];
        const HeadTable::Field *previous = previousHead ? previousHead->find(d.name) : nullptr;
        bool computed = true;
        uint32_t value = 0;
        if (name == QLatin1String("data_len"))
            value = uint32_t(data.size());
        else if (name == QLatin1String("crc"))
            value = crc32Mpeg2(data);
        else if (name == QLatin1String("sat_node_size"))
            value = c.sat.bytes;
        else if (name == QLatin1String("tp_node_size"))
            value = c.tp.bytes;
        else if (name == QLatin1String("pg_node_size"))
            value = c.pg.bytes;
        else if (name == QLatin1String("sat_cnt"))
            value = uint32_t(m_plan.size());
        else if (name == QLatin1String("tp_cnt"))
            value = uint32_t(m_tpCount);
        else if (name == QLatin1String("pg_cnt"))
            value = uint32_t(m_pgCount);
        else if (name == QLatin1String("ssdata_len") && trailingBlock)
            value = uint32_t(trailingBlock->size());
        else
            computed = false;

        if (computed && d.size < 32 && value >> d.size != 0) {
            // A count or size cut to its field would make a dump no reader accepts.
            fail(QStringLiteral("%1 is %2, more than its %3 bits hold").arg(d.name).arg(value).arg(d.size));
            return QByteArray();
        }
        if (computed)
            out.writeUInt(position, d.size, value);
        else if (previous)
            out.writeBits(position, d.size, previous->bits, previous->width);
        else if (name == QLatin1String("db_head"))
            out.writeBits(position, d.size, userDumpMagic(), 96);
    }
    return out.data();
}

bool DumpWriter::write(const CompactReader &satellites, const CompactReader &transponders,
                       const CompactReader &programmes, const HeadTable *previousHead,
                       const QByteArray *trailingBlock, const QStringList &favouriteNames, QByteArray &dump)
{
    const ParserConfig &c = m_config;
    if (!sizesUsable(c))
        return fail(QStringLiteral("the configuration gives a header or node size of 0 or over 1 MiB"));
    for (const NodeLayout *layout : {&c.head, &c.sat, &c.tp, &c.pg})
        if (layout->usedBits > uint64_t(layout->bytes) * 8)
            return fail(QStringLiteral("the configured fields need %1 bits, the node has %2")
                            .arg(layout->usedBits)
                            .arg(uint64_t(layout->bytes) * 8));
    plan(satellites, transponders, programmes);

    const uint64_t size = m_plan.size() * (uint64_t(c.sat.bytes) + 4)
        + m_tpCount * (uint64_t(c.tp.bytes) + 4) + m_pgCount * uint64_t(c.pg.bytes);
    const uint64_t trailing = trailingBlock ? uint64_t(trailingBlock->size()) : 0;
    if (size + c.head.bytes + trailing > uint64_t(std::numeric_limits<int>::max() / 2))
        return fail(QStringLiteral("the dump would be too large"));

    const IdFields satIds(c.sat, OstrelSatellite);
    const IdFields tpIds(c.tp, OstrelTransponder);
    const IdFields pgIds(c.pg, OstrelProgramme);
    BitWriter nodes{int(size)};
    uint64_t at = 0;
    for (SatellitePlan &sat : m_plan) {
        if (!renumber(sat.record) || !encode(nodes, at, c.sat, satIds, satellites, sat.record, 0))
            return false;
        at += c.sat.bytes;
        nodes.writeUInt(at * 8, 32, uint32_t(sat.transponders.size()));
        at += 4;
        for (TransponderPlan &tp : sat.transponders) {
            tp.record.parentId = sat.record.id;
            if (!renumber(tp.record) || !encode(nodes, at, c.tp, tpIds, transponders, tp.record, sat.record.id))
                return false;
            at += c.tp.bytes;
            nodes.writeUInt(at * 8, 32, uint32_t(tp.programmes.size()));
            at += 4;
            for (RecordPlan &pg : tp.programmes) {
                pg.parentId = tp.record.id;
                if (!renumber(pg) || !encode(nodes, at, c.pg, pgIds, programmes, pg, sat.record.id))
                    return false;
                at += c.pg.bytes;
            }
        }
    }

    dump = header(previousHead, trailingBlock, nodes.data());
    if (dump.isNull())
        return false;
    dump += nodes.data();
    if (trailingBlock) {
        QByteArray block = *trailingBlock;
        const uint64_t length = c.favLength;
        const int names = int(std::min<uint64_t>(std::min(c.favCount, MaxFavouriteNames),
                                                 uint64_t(favouriteNames.size())));
        for (int i = 0; i < names && length > 0; ++i) {
            const uint64_t start = uint64_t(c.favOffset) + uint64_t(i) * length;
            if (favouriteNames.at(i).isNull() || start + length > uint64_t(block.size()))
                continue;
            const QString &name = favouriteNames.at(i);
            char *slot = block.data() + start;
            std::fill(slot, slot + length, '\0');
            const int units = int(std::min<uint64_t>(length / 2, uint64_t(name.size())));
            for (int u = 0; u < units; ++u) {
                slot[2 * std::size_t(u)] = char(name.at(u).unicode() & 0xFF);
                slot[2 * std::size_t(u) + 1] = char(name.at(u).unicode() >> 8);
            }
        }
        dump += block;
    }
    return true;
}

bool checkList(const RecordList &list, const char *what, QString *error)
{
    if (list.count > 0 && !list.records)
        return fail(error, QStringLiteral("the %1 list has %2 entries but no records").arg(QLatin1String(what)).arg(list.count));
    return true;
}

// Writes the ids a record was written with into its fixed form: the record's own
// and the first value named like each id field.
void writeBack(DataRecord &record, const RecordPlan &plan, const NodeLayout &layout, const IdFields &ids,
               uint32_t satelliteId)
{
    record.id = plan.id;
    record.parentId = plan.parentId;
    const std::pair<int, uint32_t> idFields[] = {{ids.id, plan.id}, {ids.parent, plan.parentId}, {ids.satellite, satelliteId}};
    for (const auto &[field, number] : idFields) {
        if (field < 0 || !record.values)
            continue;
        const QString &name = layout.fields[size_t(field)].name;
        for (uint32_t k = 0; k < record.count; ++k) {
            const char16_t *units = record.values[k].name;
            const QStringView valueName(units, std::find(units, units + OstrelNameUnits, u'\0') - units);
            if (valueName.compare(QStringView(name), Qt::CaseInsensitive) == 0) {
                writeDecimal(record.values[k].text, number);
                break;
            }
        }
    }
}

} // namespace

QByteArray writeUserDump(const ParserConfig &config, const CompactReader &satellites,
                         const CompactReader &transponders, const CompactReader &programmes,
                         const HeadTable *previousHead, const QByteArray *trailingBlock,
                         const QStringList &favouriteNames, QString *errorString)
{
    QByteArray dump;
    if (!DumpWriter(config, errorString)
             .write(satellites, transponders, programmes, previousHead, trailingBlock, favouriteNames, dump))
        return QByteArray();
    return dump;
}

QByteArray writeUserDump(const ParserConfig &config, RecordList &satellites,
                         RecordList &transponders, RecordList &programmes,
                         const HeadTable *previousHead, const QByteArray *trailingBlock,
                         const QStringList &favouriteNames, QString *errorString)
{
    if (!checkList(satellites, "satellite", errorString) || !checkList(transponders, "transponder", errorString)
        || !checkList(programmes, "programme", errorString))
        return QByteArray();
    // Written from the compact form; the fixed records then get their new ids,
    // and the compact indices map back to the records that were not null.
    RecordList *lists[3] = {&satellites, &transponders, &programmes};
    CompactBuilder compact[3];
    CompactReader readers[3];
    std::vector<DataRecord *> records[3];
    for (int l = 0; l < 3; ++l) {
        compactFromRecords(*lists[l], compact[l]);
        readers[l].open(compact[l].head());
        for (uint32_t i = 0; i < lists[l]->count; ++i)
            if (lists[l]->records[i])
                records[l].push_back(lists[l]->records[i]);
    }
    QByteArray dump;
    DumpWriter writer(config, errorString);
    if (!writer.write(readers[0], readers[1], readers[2], previousHead, trailingBlock, favouriteNames, dump))
        return QByteArray();
    const IdFields satIds(config.sat, OstrelSatellite);
    const IdFields tpIds(config.tp, OstrelTransponder);
    const IdFields pgIds(config.pg, OstrelProgramme);
    for (const SatellitePlan &sat : writer.plan()) {
        writeBack(*records[0][sat.record.index], sat.record, config.sat, satIds, 0);
        for (const TransponderPlan &tp : sat.transponders) {
            writeBack(*records[1][tp.record.index], tp.record, config.tp, tpIds, sat.record.id);
            for (const RecordPlan &pg : tp.programmes)
                writeBack(*records[2][pg.index], pg, config.pg, pgIds, sat.record.id);
        }
    }
    return dump;
}

} // namespace ostrel
