// Reading a user-database dump: header checks, the node tree, the favourite names.
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

// Where decoded nodes of one kind go: fixed records, or a compact set with the
// template of the kind's fields.
struct NodeTarget
{
    RecordStore *fixed = nullptr;
    CompactBuilder *compact = nullptr;
    uint32_t compactTemplate = 0;

    NodeTarget(RecordStore &store, CompactBuilder *builder, const NodeLayout &layout)
        : fixed(builder ? nullptr : &store), compact(builder)
    {
        if (!compact)
            return;
        std::vector<QStringView> names;
        for (const int field : layout.order) {
            const QString &name = layout.fields[size_t(field)].name;
            names.push_back(QStringView(name).left(std::min<qsizetype>(name.size(), OstrelNameUnits - 1)));
        }
        compactTemplate = compact->templateFor(names.data(), names.size());
    }
};

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

class DumpReader
{
public:
    DumpReader(const QByteArray &file, const ParserConfig &config, QString *error)
        : m_file(file), m_bits(file), m_config(config), m_error(error)
    {
    }

    bool read(LoadedDatabase &db, UserDumpExtras &extras, const CompactTargets *compact);

private:
    bool fail(const QString &message) { return ostrel::fail(m_error, message); }
    uint32_t headValue(const HeadTable &head, const char *name) const
    {
        return bitsValue(head.find(QLatin1String(name)));
    }
    bool checkKind(const HeadTable &head, const char *kindName, const NodeLayout &layout,
                   uint64_t count, uint64_t &end);
    void decodeNode(uint64_t byteOffset, int32_t kind, const NodeLayout &layout,
                    const IdFields &ids, NodeTarget &target);
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
                            const IdFields &ids, NodeTarget &target)
{
    const uint64_t base = byteOffset * 8;
    const size_t n = layout.fields.size();
    // Every value below is written whole, its name and its text to the last unit.
    DataRecord *record = target.fixed ? &target.fixed->append(0, 0, uint32_t(n), RecordStore::Values::WrittenByCaller)
                                      : nullptr;
    if (target.compact)
        target.compact->beginRecord(0, 0, target.compactTemplate);
    uint32_t id = 0, parentId = 0;
    char16_t units[OstrelTextUnits];
    for (size_t j = 0; j < n; ++j) {
        const int field = layout.order[j];
        const FieldDescriptor &d = layout.fields[size_t(field)];
        const uint64_t position = base + layout.starts[size_t(field)];
        char16_t *text = record ? record->values[j].text : units;
        if (record)
            copyText(record->values[j].name, OstrelNameUnits, d.name);
        // A compact value is its units alone; a fixed one fills its field.
        QStringView value;
        QString option; // what value may point into
        uint32_t number = 0;
        if (d.type == FieldType::Text) {
            if (field == ids.id || field == ids.parent) {
                const QString read = m_bits.readText(position, d.size);
                copyText(text, OstrelTextUnits, read);
                number = scanUnsigned(read);
            } else {
                m_bits.readUnits(position, d.size, text, OstrelTextUnits);
            }
            value = QStringView(text, std::find(text, text + OstrelTextUnits, u'\0') - text);
        } else {
            number = m_bits.readUInt(position, d.size);
            bool named = false;
            if (d.type == FieldType::Combobox)
                option = d.optionName(number, &named);
            if (named) {
                if (record)
                    copyText(text, OstrelTextUnits, option);
                value = QStringView(option).left(std::min<qsizetype>(option.size(), OstrelTextUnits - 1));
            } else if (record) {
                writeDecimal(text, number);
            } else {
                value = QStringView(text, decimalUnits(text, number));
            }
        }
        if (target.compact)
            target.compact->appendValue(value);
        if (field == ids.id)
            id = number;
        if (field == ids.parent && kind != OstrelSatellite)
            parentId = number;
    }
    if (record) {
        record->id = id;
        record->parentId = parentId;
    } else {
        target.compact->last().id = id;
        target.compact->last().parentId = parentId;
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

bool DumpReader::read(LoadedDatabase &db, UserDumpExtras &extras, const CompactTargets *compact)
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
    NodeTarget satTarget(db.satellites, compact ? &compact->satellites : nullptr, c.sat);
    NodeTarget tpTarget(db.transponders, compact ? &compact->transponders : nullptr, c.tp);
    NodeTarget pgTarget(db.programmes, compact ? &compact->programmes : nullptr, c.pg);
    if (compact) {
        // A text is usually short: a few units each.
        compact->satellites.reserve(satCount, satCount * c.sat.fields.size(), satCount * c.sat.fields.size() * 4);
        compact->transponders.reserve(tpCount, tpCount * c.tp.fields.size(), tpCount * c.tp.fields.size() * 4);
        compact->programmes.reserve(pgCount, pgCount * c.pg.fields.size(), pgCount * c.pg.fields.size() * 4);
    } else {
        db.satellites.reserve(satCount, satCount * c.sat.fields.size());
        db.transponders.reserve(tpCount, tpCount * c.tp.fields.size());
        db.programmes.reserve(pgCount, pgCount * c.pg.fields.size());
    }
    uint64_t at = headBytes;
    uint64_t tpsSeen = 0;
    uint64_t pgsSeen = 0;
    for (uint64_t s = 0; s < satCount; ++s) {
        if (at + c.sat.bytes + 4 > dataEnd)
            return fail(QStringLiteral("satellite %1 runs past the node data").arg(s));
        decodeNode(at, OstrelSatellite, c.sat, satIds, satTarget);
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
            decodeNode(at, OstrelTransponder, c.tp, tpIds, tpTarget);
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
                decodeNode(at, OstrelProgramme, c.pg, pgIds, pgTarget);
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

} // namespace

bool readUserDump(const QByteArray &file, const ParserConfig &config, LoadedDatabase &db,
                  UserDumpExtras &extras, QString *errorString, const CompactTargets *compact)
{
    const auto clear = [&] {
        db.clear();
        extras.clear();
        if (compact) {
            compact->satellites.clear();
            compact->transponders.clear();
            compact->programmes.clear();
        }
    };
    clear();
    // Saved back, an empty list would wipe the receiver's: nothing to open.
    if (file.isEmpty())
        return fail(errorString, QStringLiteral("the file is empty"));
    if (!DumpReader(file, config, errorString).read(db, extras, compact)) {
        clear();
        return false;
    }
    return true;
}

} // namespace ostrel
