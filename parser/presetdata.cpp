#include "presetdata.h"

#include <QHash>
#include <QRegularExpression>
#include <QVector>

#include <algorithm>

namespace ostrel {

namespace {

const char Magic[] = "presetdata";
constexpr int MagicSize = 10;
constexpr int HeaderSize = 14;
constexpr quint8 GroupStart = 0x80;
constexpr quint8 ColumnMask = 0x7F;

const QString ProgrammeHeader = QStringLiteral("*PRO_NAME");
const QString SatelliteHeader = QStringLiteral("*SAT_NAME");
const QString IdName = QStringLiteral("ID");
const QString SatIdName = QStringLiteral("SAT_ID");
const QString TpIdName = QStringLiteral("TP_ID");
const QString NameName = QStringLiteral("NAME");
const QString FrqName = QStringLiteral("FRQ");
const QString SymName = QStringLiteral("SYM");
const QString PolName = QStringLiteral("POL");
const QString LongitudeName = QStringLiteral("LONGITUDE");
const QChar SatelliteMark = QLatin1Char('*');

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

struct Entry
{
    quint8 flag = 0;
    QString text;
};

// Walks the entries of an image: a flag byte and a zero-terminated UTF-16LE
// string each. Stops at an entry that runs past the data, and at a zero flag
// byte, which no writer produces (column 0 always starts a group): a preset
// stored in a larger block is followed by zero padding.
class EntryReader
{
public:
    EntryReader(const QByteArray &data, int pos)
        : m_data(data), m_pos(pos) {}

    int pos() const { return m_pos; }

    bool next(Entry &entry)
    {
        const int size = m_data.size();
        if (m_pos >= size)
            return false;
        const quint8 flag = quint8(m_data.at(m_pos));
        if (flag == 0)
            return false;
        QString text;
        for (int p = m_pos + 1;; p += 2) {
            if (p + 1 >= size)
                return false;
            const char16_t unit = char16_t(quint8(m_data.at(p)) | (quint8(m_data.at(p + 1)) << 8));
            if (unit == 0) {
                entry.flag = flag;
                entry.text = text;
                m_pos = p + 2;
                return true;
            }
            text.append(QChar(unit));
        }
    }

private:
    const QByteArray &m_data;
    int m_pos;
};

void setValue(FieldValue &value, const QString &name, const QString &text)
{
    copyText(value.name, OstrelNameUnits, name);
    copyText(value.text, OstrelTextUnits, text);
}

void buildTemplates(const PresetColumns &columns, LoadedDatabase &db)
{
    db.satTemplates.append(OstrelSatellite, IdName, QString());
    db.satTemplates.append(OstrelSatellite, NameName, QString());
    for (const QString &column : columns.satellite)
        db.satTemplates.append(OstrelSatellite, column, QString());

    db.tpTemplates.append(OstrelTransponder, IdName, QString()).open = 0;
    db.tpTemplates.append(OstrelTransponder, SatIdName, QString()).open = 0;
    for (const QString &name : {FrqName, SymName, PolName})
        db.tpTemplates.append(OstrelTransponder, name, QString());

    db.pgTemplates.append(OstrelProgramme, IdName, QString()).open = 0;
    db.pgTemplates.append(OstrelProgramme, SatIdName, QString()).open = 0;
    db.pgTemplates.append(OstrelProgramme, TpIdName, QString()).open = 0;
    db.pgTemplates.append(OstrelProgramme, NameName, QString());
    for (const QString &column : columns.programme)
        db.pgTemplates.append(OstrelProgramme, column, QString());
}

int indexOfName(const QStringList &names, const QString &name)
{
    for (int i = 0; i < names.size(); ++i) {
        if (sameName(names.at(i), name))
            return i;
    }
    return -1;
}

// Turns the data groups into records, one running id for all three kinds.
class PresetParser
{
public:
    PresetParser(const PresetColumns &columns, LoadedDatabase &db)
        : m_columns(columns), m_db(db)
    {
        m_frqColumn = indexOfName(columns.programme, FrqName);
        m_symColumn = indexOfName(columns.programme, SymName);
        m_polColumn = indexOfName(columns.programme, PolName);
        m_longitudeColumn = indexOfName(columns.satellite, LongitudeName);
    }

    void group(const QVector<Entry> &entries)
    {
        const Entry &first = entries.first();
        if (first.text.startsWith(SatelliteMark)) {
            satellite(entries);
            return;
        }
        // A record before any satellite has no owner the editor could show.
        if (!m_haveSatellite)
            return;
        if ((first.flag & ColumnMask) == 0)
            programme(entries);
        else
            transponder(entryText(entries, 0), entryText(entries, 1), entryText(entries, 2));
    }

private:
    static QString entryText(const QVector<Entry> &entries, int i)
    {
        return i < entries.size() ? entries.at(i).text : QString();
    }

    void satellite(const QVector<Entry> &entries)
    {
        m_satelliteId = m_nextId++;
        m_haveSatellite = true;
        m_transponders.clear();
        const int columns = m_columns.satellite.size();
        DataRecord &record = m_db.satellites.append(m_satelliteId, 0, uint32_t(2 + columns));
        setValue(record.values[0], IdName, QString::number(m_satelliteId));
        setValue(record.values[1], NameName, entries.first().text);
        for (int c = 0; c < columns; ++c) {
            QString text = entryText(entries, c + 1);
            if (c == m_longitudeColumn)
                text = longitudeFromPreset(text);
            setValue(record.values[2 + c], m_columns.satellite.at(c), text);
        }
    }

    void programme(const QVector<Entry> &entries)
    {
        auto column = [&](int c) { return c < 0 ? QString() : entryText(entries, c + 1); };
        const uint32_t tpId = transponder(column(m_frqColumn), column(m_symColumn),
                                          column(m_polColumn));
        const uint32_t id = m_nextId++;
        const int columns = m_columns.programme.size();
        DataRecord &record = m_db.programmes.append(id, tpId, uint32_t(4 + columns));
        setValue(record.values[0], IdName, QString::number(id));
        setValue(record.values[1], SatIdName, QString::number(m_satelliteId));
        setValue(record.values[2], TpIdName, QString::number(tpId));
        setValue(record.values[3], NameName, entries.first().text);
        for (int c = 0; c < columns; ++c)
            setValue(record.values[4 + c], m_columns.programme.at(c), column(c));
    }

    // The transponder with these values under the current satellite, made on first use.
    uint32_t transponder(const QString &frq, const QString &sym, const QString &pol)
    {
        // NUL cannot occur in a text, so distinct triples never share a key.
        const QString key = frq + QChar(0) + sym + QChar(0) + pol;
        const auto known = m_transponders.constFind(key);
        if (known != m_transponders.constEnd())
            return known.value();
        const uint32_t id = m_nextId++;
        DataRecord &record = m_db.transponders.append(id, m_satelliteId, 5);
        setValue(record.values[0], IdName, QString::number(id));
        setValue(record.values[1], SatIdName, QString::number(m_satelliteId));
        setValue(record.values[2], FrqName, frq);
        setValue(record.values[3], SymName, sym);
        setValue(record.values[4], PolName, pol);
        m_transponders.insert(key, id);
        return id;
    }

    const PresetColumns &m_columns;
    LoadedDatabase &m_db;
    int m_frqColumn;
    int m_symColumn;
    int m_polColumn;
    int m_longitudeColumn;
    uint32_t m_nextId = 0;
    uint32_t m_satelliteId = 0;
    bool m_haveSatellite = false;
    QHash<QString, uint32_t> m_transponders;
};

} // namespace

void parsePreset(const QByteArray &image, LoadedDatabase &db, PresetColumns &columns)
{
    db.clear();
    columns.clear();

    // Header pass: the first group names the programme columns, the second the
    // satellite columns; data starts with the third.
    EntryReader reader(image, HeaderSize);
    Entry entry;
    int group = 0;
    int dataStart = -1;
    for (int pos = reader.pos(); reader.next(entry); pos = reader.pos()) {
        if (entry.flag & GroupStart) {
            if (++group > 2) {
                dataStart = pos;
                break;
            }
        }
        if (group == 0 || entry.text == ProgrammeHeader || entry.text == SatelliteHeader)
            continue;
        (group == 1 ? columns.programme : columns.satellite).append(entry.text);
    }
    buildTemplates(columns, db);
    if (dataStart < 0)
        return;

    PresetParser parser(columns, db);
    EntryReader data(image, dataStart);
    QVector<Entry> entries;
    while (data.next(entry)) {
        if ((entry.flag & GroupStart) && !entries.isEmpty()) {
            parser.group(entries);
            entries.clear();
        }
        entries.append(entry);
    }
    if (!entries.isEmpty())
        parser.group(entries);
}

QString longitudeFromPreset(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,3})(?:\\.(\\d*))?([EW])$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return text;
    // Degrees and hundredths as integers: 4.80W must give 480, not 479.
    const QString fraction = QString(match.captured(2) + QStringLiteral("00")).left(2);
    const uint32_t hundredths = match.captured(1).toUInt() * 100 + fraction.toUInt();
    if (hundredths >= 0x8000)
        return text; // would collide with the west bit
    const bool west = match.captured(3).compare(QLatin1String("W"), Qt::CaseInsensitive) == 0;
    return QString::number(west ? hundredths | 0x8000 : hundredths);
}

QString longitudeToPreset(const QString &value)
{
    bool ok = false;
    const uint32_t number = value.toUInt(&ok);
    if (!ok || number > 0xFFFF)
        return value;
    const bool west = number & 0x8000;
    const uint32_t hundredths = number & 0x7FFF;
    return QStringLiteral("%1.%2%3")
        .arg(hundredths / 100)
        .arg(hundredths % 100, 2, 10, QLatin1Char('0'))
        .arg(west ? QLatin1Char('W') : QLatin1Char('E'));
}

namespace {

bool isOneOf(const QString &name, std::initializer_list<const QString *> names)
{
    return std::any_of(names.begin(), names.end(),
                       [&](const QString *n) { return sameName(name, *n); });
}

// Names of a record's values other than the ones the preset stores elsewhere.
QStringList columnsOf(const DataRecord *record, std::initializer_list<const QString *> skip)
{
    QStringList names;
    if (!record || !record->values)
        return names;
    for (uint32_t i = 0; i < record->count; ++i) {
        const QString name = readText(record->values[i].name, OstrelNameUnits);
        if (!isOneOf(name, skip))
            names.append(name);
    }
    return names;
}

const DataRecord *firstRecord(const RecordList &list)
{
    for (uint32_t i = 0; list.records && i < list.count; ++i) {
        if (list.records[i])
            return list.records[i];
    }
    return nullptr;
}

// The value of a column: from its expected position when the record is laid
// out like its template (so repeated column names keep their own values),
// otherwise by name.
QString columnValue(const DataRecord &record, uint32_t index, const QString &column)
{
    if (record.values && index < record.count) {
        const QString expected = column.left(OstrelNameUnits - 1);
        if (sameName(readText(record.values[index].name, OstrelNameUnits), expected))
            return readText(record.values[index].text, OstrelTextUnits);
    }
    return fieldText(record, column.left(OstrelNameUnits - 1));
}

class PresetBuilder
{
public:
    explicit PresetBuilder(const PresetColumns &columns)
        : m_columns(columns)
    {
        m_data.reserve(PresetImageLimit);
        m_data.append(Magic, MagicSize);
        m_data.append(4, '\0'); // counts, filled in at the end
        m_frqColumn = indexOfName(columns.programme, FrqName);
        m_longitudeColumn = indexOfName(columns.satellite, LongitudeName);
        entry(GroupStart, ProgrammeHeader);
        for (int c = 0; c < columns.programme.size(); ++c)
            entry(quint8(c + 1), columns.programme.at(c));
        entry(GroupStart, SatelliteHeader);
        for (int c = 0; c < columns.satellite.size(); ++c)
            entry(quint8(c + 1), columns.satellite.at(c));
    }

    bool failed() const { return m_failed; }

    void satellite(const DataRecord &record)
    {
        QString name = fieldText(record, NameName);
        // Without its mark a satellite would come back as a programme.
        if (!name.startsWith(SatelliteMark))
            name.prepend(SatelliteMark);
        entry(GroupStart, name);
        for (int c = 0; c < m_columns.satellite.size(); ++c) {
            QString text = columnValue(record, uint32_t(2 + c), m_columns.satellite.at(c));
            if (c == m_longitudeColumn)
                text = longitudeToPreset(text);
            entry(quint8(c + 1), text);
        }
        ++m_records;
    }

    void transponderOnly(const DataRecord &record)
    {
        // Flagged with the programme columns of FRQ, SYM and POL, so the reader
        // tells it from a programme (whose first entry has column 0).
        const QStringList &columns = m_columns.programme;
        if (m_frqColumn < 0 || m_frqColumn + 2 >= columns.size()
            || !sameName(columns.at(m_frqColumn + 1), SymName)
            || !sameName(columns.at(m_frqColumn + 2), PolName)) {
            m_failed = true;
            return;
        }
        const quint8 frqFlag = quint8(m_frqColumn + 1);
        entry(GroupStart | frqFlag, fieldText(record, FrqName));
        entry(quint8(frqFlag + 1), fieldText(record, SymName));
        entry(quint8(frqFlag + 2), fieldText(record, PolName));
        ++m_records;
    }

    void transponder()
    {
        ++m_records;
    }

    void programme(const DataRecord &record, const DataRecord &transponder)
    {
        const QString name = fieldText(record, NameName);
        // A leading mark would turn the programme into a satellite on reload.
        if (name.startsWith(SatelliteMark)) {
            m_failed = true;
            return;
        }
        entry(GroupStart, name);
        for (int c = 0; c < m_columns.programme.size(); ++c) {
            const QString &column = m_columns.programme.at(c);
            // The transponder's own values rebuild it on reload, so they win
            // over what the programme still carries.
            const QString text = isOneOf(column, {&FrqName, &SymName, &PolName})
                ? fieldText(transponder, column)
                : columnValue(record, uint32_t(4 + c), column);
            entry(quint8(c + 1), text);
        }
        ++m_records;
    }

    bool finish(QByteArray &image)
    {
        const int groups = m_records + 2;
        if (m_failed || groups > PresetCountLimit || m_data.size() > PresetImageLimit)
            return false;
        const int columns = m_columns.programme.size() + 1;
        m_data[10] = char(groups >> 8);
        m_data[11] = char(groups);
        m_data[12] = char(columns >> 8);
        m_data[13] = char(columns);
        image = m_data;
        return true;
    }

private:
    void entry(quint8 flag, const QString &text)
    {
        if (m_failed)
            return;
        if (m_data.size() + 1 + 2 * (text.size() + 1) > PresetImageLimit) {
            m_failed = true;
            return;
        }
        m_data.append(char(flag));
        for (const QChar c : text) {
            m_data.append(char(c.unicode() & 0xFF));
            m_data.append(char(c.unicode() >> 8));
        }
        m_data.append(2, '\0');
    }

    const PresetColumns &m_columns;
    QByteArray m_data;
    int m_frqColumn;
    int m_longitudeColumn;
    int m_records = 0;
    bool m_failed = false;
};

// Children by parent id, each list in the caller's order.
QHash<uint32_t, QVector<const DataRecord *>> childrenByParent(const RecordList &list)
{
    QHash<uint32_t, QVector<const DataRecord *>> children;
    for (uint32_t i = 0; list.records && i < list.count; ++i) {
        if (const DataRecord *record = list.records[i])
            children[record->parentId].append(record);
    }
    return children;
}

} // namespace

bool buildPreset(const RecordList &satellites, const RecordList &transponders,
                 const RecordList &programmes, const PresetColumns &columns, QByteArray &image)
{
    image.clear();
    PresetColumns used = columns;
    if (used.programme.isEmpty()) {
        used.programme = columnsOf(firstRecord(programmes), {&IdName, &SatIdName, &TpIdName, &NameName});
        // The transponder is rebuilt from these three on reload: never leave them out.
        if (indexOfName(used.programme, FrqName) < 0 && firstRecord(transponders))
            used.programme << FrqName << SymName << PolName;
    }
    if (used.satellite.isEmpty())
        used.satellite = columnsOf(firstRecord(satellites), {&IdName, &NameName});
    if (used.programme.size() > PresetColumnLimit || used.satellite.size() > PresetColumnLimit)
        return false;

    auto tpsBySatellite = childrenByParent(transponders);
    auto pgsByTransponder = childrenByParent(programmes);
    PresetBuilder builder(used);
    for (uint32_t s = 0; satellites.records && s < satellites.count && !builder.failed(); ++s) {
        const DataRecord *satellite = satellites.records[s];
        if (!satellite)
            continue;
        builder.satellite(*satellite);
        // take(): a repeated satellite id does not write the same children twice.
        for (const DataRecord *tp : tpsBySatellite.take(satellite->id)) {
            const QVector<const DataRecord *> pgs = pgsByTransponder.take(tp->id);
            if (pgs.isEmpty()) {
                builder.transponderOnly(*tp);
                continue;
            }
            builder.transponder();
            for (const DataRecord *pg : pgs)
                builder.programme(*pg, *tp);
        }
    }
    return builder.finish(image);
}

} // namespace ostrel
