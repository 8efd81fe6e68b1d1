#include "userdbdump.h"

#include "bitstream.h"
#include "boundarytext.h"
#include "crc32mpeg2.h"
#include "records.h"
#include "triggers.h"

#include <QStringView>

#include <algorithm>
#include <limits>

namespace ostrel {

namespace {

constexpr uint32_t HighestFileId = 0xFFFF;
constexpr uint32_t HighestNewId = 0xFFFE;
// Favourite-group ids are bits of a 32-bit mask; a larger table is a broken configuration.
constexpr uint32_t MaxFavouriteNames = 1024;
// No receiver node comes near this; a larger one is a broken configuration.
constexpr uint32_t MaxNodeBytes = 1u << 20;

bool sizesUsable(const ParserConfig &c)
{
    for (const NodeLayout *layout : {&c.head, &c.sat, &c.tp, &c.pg})
        if (layout->bytes == 0 || layout->bytes > MaxNodeBytes)
            return false;
    return true;
}

// The unsigned decimal text of value, into a fixed field of OstrelTextUnits units.
void writeDecimal(char16_t *text, uint32_t value)
{
    char16_t digits[10];
    int count = 0;
    do {
        digits[count++] = char16_t(u'0' + value % 10);
        value /= 10;
    } while (value != 0);
    std::reverse_copy(digits, digits + count, text);
    std::fill(text + count, text + OstrelTextUnits, u'\0');
}

// A record's text without a copy: the writer only reads it while it encodes
// the record. A leading byte-order mark goes through readText(), which reads it.
QString textView(const char16_t *text)
{
    if (text[0] == 0xFEFF || text[0] == 0xFFFE)
        return readText(text, OstrelTextUnits);
    const char16_t *end = std::find(text, text + OstrelTextUnits, u'\0');
    return QString::fromRawData(reinterpret_cast<const QChar *>(text), int(end - text));
}

bool fail(QString *errorString, const QString &message)
{
    if (errorString)
        *errorString = message;
    return false;
}

uint32_t bitsValue(const HeadTable::Field *field)
{
    if (!field)
        return 0;
    uint32_t value = 0;
    const int bytes = std::min(field->bits.size(), 4);
    for (int i = 0; i < bytes; ++i)
        value |= uint32_t(uint8_t(field->bits.at(i))) << (8 * i);
    return value;
}

// Which fields of a node kind the parser itself interprets.
struct IdFields
{
    int id = -1;
    int parent = -1;    // sat_id of a transponder, tp_id of a programme
    int satellite = -1; // sat_id of a programme

    // Case-folded field name -> the fields of that name, in document order.
    QHash<QString, std::vector<int>> byName;
    // For each field, every field of its name (itself included).
    std::vector<std::vector<int>> sameName;

    IdFields(const NodeLayout &layout, int32_t kind)
    {
        for (size_t i = 0; i < layout.fields.size(); ++i)
            byName[layout.fields[i].name.toCaseFolded()].push_back(int(i));
        for (const FieldDescriptor &d : layout.fields)
            sameName.push_back(byName.value(d.name.toCaseFolded()));
        id = layout.indexOf(QStringLiteral("id"), Qt::CaseInsensitive);
        if (kind == OstrelTransponder) {
            parent = layout.indexOf(QStringLiteral("sat_id"), Qt::CaseInsensitive);
        } else if (kind == OstrelProgramme) {
            parent = layout.indexOf(QStringLiteral("tp_id"), Qt::CaseInsensitive);
            satellite = layout.indexOf(QStringLiteral("sat_id"), Qt::CaseInsensitive);
        }
    }
};

class DumpReader
{
public:
    DumpReader(const QByteArray &file, const ParserConfig &config, QString *error)
        : m_file(file), m_bits(file), m_config(config), m_error(error)
    {
    }

    bool read(LoadedDatabase &db, UserDumpExtras &extras);

private:
    bool fail(const QString &message) { return ostrel::fail(m_error, message); }
    uint32_t headValue(const HeadTable &head, const char *name) const
    {
        return bitsValue(head.find(QLatin1String(name)));
    }
    bool checkKind(const HeadTable &head, const char *kindName, const NodeLayout &layout,
                   uint64_t count, uint64_t &end);
    void decodeNode(uint64_t byteOffset, int32_t kind, const NodeLayout &layout,
                    const IdFields &ids, RecordStore &store);
    void readFavourites(UserDumpExtras &extras) const;

    const QByteArray &m_file;
    BitReader m_bits;
    const ParserConfig &m_config;
    QString *m_error;
};

bool DumpReader::checkKind(const HeadTable &head, const char *kindName, const NodeLayout &layout,
                           uint64_t count, uint64_t &end)
{
    const QString kind = QLatin1String(kindName);
    const uint32_t stored = headValue(head, (kind + QLatin1String("_node_size")).toLatin1().constData());
    if (stored != layout.bytes)
        return fail(QStringLiteral("%1_node_size is %2, the configuration says %3")
                        .arg(kind)
                        .arg(stored)
                        .arg(layout.bytes));
    if (layout.usedBits > uint64_t(layout.bytes) * 8)
        return fail(QStringLiteral("the %1 fields need %2 bits, the node has %3")
                        .arg(kind)
                        .arg(layout.usedBits)
                        .arg(uint64_t(layout.bytes) * 8));
    end += uint64_t(layout.bytes) * count;
    if (end > uint64_t(m_file.size()))
        return fail(QStringLiteral("%1 %2 nodes do not fit the file").arg(count).arg(kind));
    return true;
}

void DumpReader::decodeNode(uint64_t byteOffset, int32_t kind, const NodeLayout &layout,
                            const IdFields &ids, RecordStore &store)
{
    const uint64_t base = byteOffset * 8;
    const size_t n = layout.fields.size();
    // Every value below is written whole, its name and its text to the last unit.
    DataRecord &record = store.append(0, 0, uint32_t(n), RecordStore::Values::WrittenByCaller);
    for (size_t j = 0; j < n; ++j) {
        const int field = layout.order[j];
        const FieldDescriptor &d = layout.fields[size_t(field)];
        const uint64_t position = base + layout.starts[size_t(field)];
        FieldValue &value = record.values[j];
        copyText(value.name, OstrelNameUnits, d.name);
        uint32_t number = 0;
        if (d.type == FieldType::Text) {
            if (field == ids.id || field == ids.parent) {
                const QString text = m_bits.readText(position, d.size);
                copyText(value.text, OstrelTextUnits, text);
                number = scanUnsigned(text);
            } else {
                m_bits.readUnits(position, d.size, value.text, OstrelTextUnits);
            }
        } else {
            number = m_bits.readUInt(position, d.size);
            bool named = false;
            const QString name = d.type == FieldType::Combobox ? d.optionName(number, &named) : QString();
            if (named)
                copyText(value.text, OstrelTextUnits, name);
            else
                writeDecimal(value.text, number);
        }
        if (field == ids.id)
            record.id = number;
        if (field == ids.parent && kind != OstrelSatellite)
            record.parentId = number;
    }
}

void DumpReader::readFavourites(UserDumpExtras &extras) const
{
    if (m_config.favCount == 0 || m_config.favLength == 0)
        return;
    const BitReader block(extras.trailingBlock);
    const uint32_t count = std::min(m_config.favCount, MaxFavouriteNames);
    const uint64_t width = uint64_t(m_config.favLength) * 8;
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t position = uint64_t(m_config.favOffset) * 8 + uint64_t(i) * width;
        extras.favouriteNames.append(block.readText(position, width));
    }
}

bool DumpReader::read(LoadedDatabase &db, UserDumpExtras &extras)
{
    const ParserConfig &c = m_config;
    if (!sizesUsable(c))
        return fail(QStringLiteral("the configuration gives a header or node size of 0 or over 1 MiB"));

    for (size_t i = 0; i < c.head.fields.size(); ++i) {
        const FieldDescriptor &d = c.head.fields[i];
        extras.head.insert(d.name, m_bits.readBits(c.head.starts[i], d.size), d.size);
    }
    const HeadTable &head = extras.head;
    const HeadTable::Field *magic = head.find(QStringLiteral("db_head"));
    if (!magic || magic->width != 96 || magic->bits != userDumpMagic())
        return fail(QStringLiteral("db_head does not hold the dump magic"));

    const uint64_t headBytes = c.head.bytes;
    const uint64_t dataLength = headValue(head, "data_len");
    if (c.head.usedBits > headBytes * 8)
        return fail(QStringLiteral("the header fields need %1 bits, the header has %2")
                        .arg(c.head.usedBits)
                        .arg(headBytes * 8));
    if (uint64_t(m_file.size()) < headBytes + dataLength)
        return fail(QStringLiteral("data_len %1 runs past the end of the file (%2 bytes)")
                        .arg(dataLength)
                        .arg(m_file.size()));

    const uint32_t crc = crc32Mpeg2(m_file.constData() + headBytes, size_t(dataLength));
    if (crc != headValue(head, "crc"))
        return fail(QStringLiteral("crc is 0x%1, the node data gives 0x%2")
                        .arg(headValue(head, "crc"), 8, 16, QLatin1Char('0'))
                        .arg(crc, 8, 16, QLatin1Char('0')));

    const uint64_t satCount = headValue(head, "sat_cnt");
    const uint64_t tpCount = headValue(head, "tp_cnt");
    const uint64_t pgCount = headValue(head, "pg_cnt");
    uint64_t end = headBytes;
    if (!checkKind(head, "sat", c.sat, satCount, end) || !checkKind(head, "tp", c.tp, tpCount, end)
        || !checkKind(head, "pg", c.pg, pgCount, end))
        return false;
    const uint64_t expected = satCount * c.sat.bytes + tpCount * c.tp.bytes
        + pgCount * c.pg.bytes + 4 * (satCount + tpCount);
    if (dataLength != expected)
        return fail(QStringLiteral("data_len is %1, the counts and node sizes give %2")
                        .arg(dataLength)
                        .arg(expected));

    // The checks above bound every node and count read below inside the node data.
    const IdFields satIds(c.sat, OstrelSatellite);
    const IdFields tpIds(c.tp, OstrelTransponder);
    const IdFields pgIds(c.pg, OstrelProgramme);
    const uint64_t dataEnd = headBytes + dataLength;
    // One block per list: the counts are checked against the file size above.
    db.satellites.reserve(satCount, satCount * c.sat.fields.size());
    db.transponders.reserve(tpCount, tpCount * c.tp.fields.size());
    db.programmes.reserve(pgCount, pgCount * c.pg.fields.size());
    uint64_t at = headBytes;
    uint64_t tpsSeen = 0;
    uint64_t pgsSeen = 0;
    for (uint64_t s = 0; s < satCount; ++s) {
        if (at + c.sat.bytes + 4 > dataEnd)
            return fail(QStringLiteral("satellite %1 runs past the node data").arg(s));
        decodeNode(at, OstrelSatellite, c.sat, satIds, db.satellites);
        at += c.sat.bytes;
        const uint32_t tps = m_bits.readUInt(at * 8, 32);
        at += 4;
        if (tps > tpCount - tpsSeen)
            return fail(QStringLiteral("satellite %1 claims %2 transponders, more than tp_cnt %3 leaves")
                            .arg(s)
                            .arg(tps)
                            .arg(tpCount));
        tpsSeen += tps;
        for (uint32_t t = 0; t < tps; ++t) {
            if (at + c.tp.bytes + 4 > dataEnd)
                return fail(QStringLiteral("a transponder of satellite %1 runs past the node data").arg(s));
            decodeNode(at, OstrelTransponder, c.tp, tpIds, db.transponders);
            at += c.tp.bytes;
            const uint32_t pgs = m_bits.readUInt(at * 8, 32);
            at += 4;
            if (pgs > pgCount - pgsSeen || at + uint64_t(pgs) * c.pg.bytes > dataEnd)
                return fail(QStringLiteral("a transponder of satellite %1 claims %2 programmes, more than pg_cnt %3 leaves")
                                .arg(s)
                                .arg(pgs)
                                .arg(pgCount));
            pgsSeen += pgs;
            for (uint32_t p = 0; p < pgs; ++p) {
                decodeNode(at, OstrelProgramme, c.pg, pgIds, db.programmes);
                at += c.pg.bytes;
            }
        }
    }
    if (tpsSeen != tpCount || pgsSeen != pgCount)
        return fail(QStringLiteral("the nodes hold %1 transponders and %2 programmes, the header says %3 and %4")
                        .arg(tpsSeen)
                        .arg(pgsSeen)
                        .arg(tpCount)
                        .arg(pgCount));

    if (dataEnd < uint64_t(m_file.size())) {
        extras.hasTrailingBlock = true;
        extras.trailingBlock = m_file.mid(int(dataEnd));
        readFavourites(extras);
        for (const QString &name : qAsConst(extras.favouriteNames))
            db.favourites.append(name);
    }

    buildTemplates(OstrelSatellite, c.sat, triggerCallback(OstrelSatellite), db.satTemplates);
    buildTemplates(OstrelTransponder, c.tp, triggerCallback(OstrelTransponder), db.tpTemplates);
    buildTemplates(OstrelProgramme, c.pg, triggerCallback(OstrelProgramme), db.pgTemplates);
    return true;
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

QByteArray userDumpMagic()
{
    return QByteArrayLiteral("*^_^*DB(^o^)");
}

void HeadTable::insert(const QString &name, const QByteArray &bits, uint32_t width)
{
    const QString key = name.toCaseFolded();
    if (!m_fields.contains(key))
        m_fields.insert(key, Field{bits, width});
}

const HeadTable::Field *HeadTable::find(const QString &name) const
{
    const auto it = m_fields.constFind(name.toCaseFolded());
    return it == m_fields.cend() ? nullptr : &it.value();
}

void UserDumpExtras::clear()
{
    head.clear();
    hasTrailingBlock = false;
    trailingBlock.clear();
    favouriteNames.clear();
}

bool readUserDump(const QByteArray &file, const ParserConfig &config, LoadedDatabase &db,
                  UserDumpExtras &extras, QString *errorString)
{
    db.clear();
    extras.clear();
    if (file.isEmpty())
        return true;
    if (!DumpReader(file, config, errorString).read(db, extras)) {
        db.clear();
        extras.clear();
        return false;
    }
    return true;
}

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
