// Writing a user-database dump: the plan of the records, new ids, the nodes and the header.
#include "userdbdump.h"

#include "userdumpparts.h"

#include "bitstream.h"
#include "boundarytext.h"
#include "crc32mpeg2.h"
#include "records.h"
#include "triggers.h"

#include <QStringView>

#include <algorithm>
#include <limits>

namespace ostrel {

using namespace dumpparts;

namespace {

constexpr uint32_t HighestFileId = 0xFFFF;
constexpr uint32_t HighestNewId = 0xFFFE;

// A record's text without a copy: the writer only reads it while it encodes
// the record. A leading byte-order mark goes through readText(), which reads it.
QString textView(const char16_t *text)
{
    if (text[0] == 0xFEFF || text[0] == 0xFFFE)
        return readText(text, OstrelTextUnits);
    const char16_t *end = std::find(text, text + OstrelTextUnits, u'\0');
    return QString::fromRawData(reinterpret_cast<const QChar *>(text), int(end - text));
}

// The records that go into the dump, in file order, with their children.
struct TransponderPlan
{
    DataRecord *record;
    std::vector<DataRecord *> programmes;
};

struct SatellitePlan
{
    DataRecord *record;
    std::vector<TransponderPlan> transponders;
};

class DumpWriter
{
public:
    DumpWriter(const ParserConfig &config, QString *error)
        : m_config(config), m_error(error) {}

    bool write(RecordList &satellites, RecordList &transponders, RecordList &programmes,
               const HeadTable *previousHead, const QByteArray *trailingBlock,
               const QStringList &favouriteNames, QByteArray &dump);

private:
    bool fail(const QString &message) { return ostrel::fail(m_error, message); }
    bool checkList(const RecordList &list, const char *what);
    bool plan(RecordList &satellites, RecordList &transponders, RecordList &programmes);
    bool renumber(DataRecord &record);
    bool encode(BitWriter &out, uint64_t byteOffset, const NodeLayout &layout, const IdFields &ids,
                DataRecord &record, uint32_t satelliteId);
    QByteArray header(const HeadTable *previousHead, const QByteArray *trailingBlock,
                      const QByteArray &data);

    const ParserConfig &m_config;
    QString *m_error;
    std::vector<bool> m_used;
    uint32_t m_nextFree = 0;
    std::vector<SatellitePlan> m_plan;
    uint64_t m_tpCount = 0;
    uint64_t m_pgCount = 0;
    std::vector<const FieldValue *> m_found;
};

bool DumpWriter::checkList(const RecordList &list, const char *what)
{
    if (list.count > 0 && !list.records)
        return fail(QStringLiteral("the %1 list has %2 entries but no records")
                        .arg(QLatin1String(what))
                        .arg(list.count));
    return true;
}

bool DumpWriter::plan(RecordList &satellites, RecordList &transponders, RecordList &programmes)
{
    m_used.assign(HighestFileId + 1, false);
    for (const RecordList *list : {&satellites, &transponders, &programmes})
        for (uint32_t i = 0; i < list->count; ++i)
            if (const DataRecord *r = list->records[i]; r && r->id <= HighestFileId)
                m_used[r->id] = true;

    // Sized up front: growing these would rehash them a few times more at 50,000 programmes than at 10,000.
    QHash<uint32_t, std::vector<uint32_t>> tpsBySatellite;
    QHash<uint32_t, std::vector<uint32_t>> pgsByTransponder;
    tpsBySatellite.reserve(int(std::min<uint32_t>(satellites.count, transponders.count)));
    pgsByTransponder.reserve(int(std::min<uint32_t>(transponders.count, programmes.count)));
    m_plan.reserve(satellites.count);
    for (uint32_t i = 0; i < transponders.count; ++i)
        if (const DataRecord *r = transponders.records[i])
            tpsBySatellite[r->parentId].push_back(i);
    for (uint32_t i = 0; i < programmes.count; ++i)
        if (const DataRecord *r = programmes.records[i])
            pgsByTransponder[r->parentId].push_back(i);

    // Each child goes in once, under the first parent carrying its parent id; the rest
    // (parents missing from the lists) stay out, so the written dump loads again.
    std::vector<bool> tpTaken(transponders.count, false);
    std::vector<bool> pgTaken(programmes.count, false);
    for (uint32_t s = 0; s < satellites.count; ++s) {
        DataRecord *sat = satellites.records[s];
        if (!sat)
            continue;
        SatellitePlan satPlan{sat, {}};
        const auto tps = tpsBySatellite.constFind(sat->id);
        if (tps != tpsBySatellite.cend()) {
            satPlan.transponders.reserve(tps->size());
            for (const uint32_t t : *tps) {
                if (tpTaken[t])
                    continue;
                tpTaken[t] = true;
                TransponderPlan tpPlan{transponders.records[t], {}};
                const auto pgs = pgsByTransponder.constFind(tpPlan.record->id);
                if (pgs != pgsByTransponder.cend()) {
                    tpPlan.programmes.reserve(pgs->size());
                    for (const uint32_t p : *pgs) {
                        if (pgTaken[p])
                            continue;
                        pgTaken[p] = true;
                        tpPlan.programmes.push_back(programmes.records[p]);
                    }
                }
                m_pgCount += tpPlan.programmes.size();
                satPlan.transponders.push_back(std::move(tpPlan));
            }
        }
        m_tpCount += satPlan.transponders.size();
        m_plan.push_back(std::move(satPlan));
    }
    return true;
}

bool DumpWriter::renumber(DataRecord &record)
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
                        const IdFields &ids, DataRecord &record, uint32_t satelliteId)
{
    const size_t n = layout.fields.size();
    m_found.assign(n, nullptr);
    if (record.values) {
        // The values usually come in presentation order: try that field first; otherwise
        // look the name up. The first value of each name is the one that counts.
        for (uint32_t k = 0; k < record.count; ++k) {
            const FieldValue &v = record.values[k];
            const char16_t *nameEnd = std::find(v.name, v.name + OstrelNameUnits, u'\0');
            const QStringView name(v.name, nameEnd - v.name);
            const std::vector<int> *fields = nullptr;
            if (k < layout.order.size()) {
                const size_t expected = size_t(layout.order[k]);
                if (name.compare(QStringView(layout.fields[expected].name), Qt::CaseInsensitive) == 0)
                    fields = &ids.sameName[expected];
            }
            if (!fields) {
                const auto it = ids.byName.constFind(name.toString().toCaseFolded());
                if (it == ids.byName.cend())
                    continue;
                fields = &it.value();
            }
            for (const int f : *fields)
                if (!m_found[size_t(f)])
                    m_found[size_t(f)] = &v;
        }
    }

    const uint64_t base = byteOffset * 8;
    for (size_t i = 0; i < n; ++i) {
        const FieldDescriptor &d = layout.fields[i];
        const uint64_t position = base + layout.starts[i];
        FieldValue *value = const_cast<FieldValue *>(m_found[i]);
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
            if (value)
                writeDecimal(value->text, number);
            ok = d.type == FieldType::Text ? out.writeText(position, d.size, QString::number(number))
                                           : out.writeUInt(position, d.size, number);
        } else {
            const QString text = value ? textView(value->text) : d.defaultText;
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

bool DumpWriter::write(RecordList &satellites, RecordList &transponders, RecordList &programmes,
                       const HeadTable *previousHead, const QByteArray *trailingBlock,
                       const QStringList &favouriteNames, QByteArray &dump)
{
    const ParserConfig &c = m_config;
    if (!sizesUsable(c))
        return fail(QStringLiteral("the configuration gives a header or node size of 0 or over 1 MiB"));
    for (const NodeLayout *layout : {&c.head, &c.sat, &c.tp, &c.pg})
        if (layout->usedBits > uint64_t(layout->bytes) * 8)
            return fail(QStringLiteral("the configured fields need %1 bits, the node has %2")
                            .arg(layout->usedBits)
                            .arg(uint64_t(layout->bytes) * 8));
    if (!checkList(satellites, "satellite") || !checkList(transponders, "transponder")
        || !checkList(programmes, "programme") || !plan(satellites, transponders, programmes))
        return false;

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
        if (!renumber(*sat.record) || !encode(nodes, at, c.sat, satIds, *sat.record, 0))
            return false;
        at += c.sat.bytes;
        nodes.writeUInt(at * 8, 32, uint32_t(sat.transponders.size()));
        at += 4;
        for (TransponderPlan &tp : sat.transponders) {
            tp.record->parentId = sat.record->id;
            if (!renumber(*tp.record) || !encode(nodes, at, c.tp, tpIds, *tp.record, sat.record->id))
                return false;
            at += c.tp.bytes;
            nodes.writeUInt(at * 8, 32, uint32_t(tp.programmes.size()));
            at += 4;
            for (DataRecord *pg : tp.programmes) {
                pg->parentId = tp.record->id;
                if (!renumber(*pg) || !encode(nodes, at, c.pg, pgIds, *pg, sat.record->id))
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

} // namespace

QByteArray writeUserDump(const ParserConfig &config, RecordList &satellites,
                         RecordList &transponders, RecordList &programmes,
                         const HeadTable *previousHead, const QByteArray *trailingBlock,
                         const QStringList &favouriteNames, QString *errorString)
{
    QByteArray dump;
    if (!DumpWriter(config, errorString)
             .write(satellites, transponders, programmes, previousHead, trailingBlock,
                    favouriteNames, dump))
        return QByteArray();
    return dump;
}

} // namespace ostrel
