#pragma once
// Test support: preset images written entry by entry, so a test states the
// bytes it feeds in instead of trusting the writer under test; and a flat
// text form of loaded records for comparisons.

#include "presetdata.h"
#include "records.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>

namespace presettest {

class PresetImage
{
public:
    PresetImage(const QStringList &programmeColumns, const QStringList &satelliteColumns)
        : m_programmeColumns(programmeColumns)
    {
        m_data = QByteArray("presetdata");
        m_data.append(4, '\0');
        entry(0x80, QStringLiteral("*PRO_NAME"));
        for (int i = 0; i < programmeColumns.size(); ++i)
            entry(quint8(i + 1), programmeColumns.at(i));
        entry(0x80, QStringLiteral("*SAT_NAME"));
        for (int i = 0; i < satelliteColumns.size(); ++i)
            entry(quint8(i + 1), satelliteColumns.at(i));
    }

    PresetImage &entry(quint8 flag, const QString &text)
    {
        m_data.append(char(flag));
        for (const QChar c : text) {
            m_data.append(char(c.unicode() & 0xFF));
            m_data.append(char(c.unicode() >> 8));
        }
        m_data.append(2, '\0');
        return *this;
    }

    PresetImage &satellite(const QString &name, const QStringList &values)
    {
        m_keys.clear();
        ++m_groups;
        return group(0x80, name, values);
    }

    // values: one per programme column, in column order.
    PresetImage &programme(const QString &name, const QStringList &values)
    {
        const int frq = m_programmeColumns.indexOf(QStringLiteral("FRQ"));
        useTransponder(values.mid(frq, 3).join(QLatin1Char('_')));
        ++m_groups;
        return group(0x80, name, values);
    }

    PresetImage &transponderOnly(const QString &frq, const QString &sym, const QString &pol)
    {
        const quint8 column = quint8(m_programmeColumns.indexOf(QStringLiteral("FRQ")) + 1);
        useTransponder(frq + QLatin1Char('_') + sym + QLatin1Char('_') + pol);
        entry(0x80 | column, frq);
        entry(quint8(column + 1), sym);
        return entry(quint8(column + 2), pol);
    }

    // The image with the header counts the writer puts there.
    QByteArray bytes() const
    {
        QByteArray data = m_data;
        const int groups = m_groups + 2;
        const int columns = m_programmeColumns.size() + 1;
        data[10] = char(groups >> 8);
        data[11] = char(groups);
        data[12] = char(columns >> 8);
        data[13] = char(columns);
        return data;
    }

private:
    PresetImage &group(quint8 flag, const QString &first, const QStringList &values)
    {
        entry(flag, first);
        for (int i = 0; i < values.size(); ++i)
            entry(quint8(i + 1), values.at(i));
        return *this;
    }

    void useTransponder(const QString &key)
    {
        if (!m_keys.contains(key)) {
            m_keys.insert(key);
            ++m_groups;
        }
    }

    QStringList m_programmeColumns;
    QByteArray m_data;
    QSet<QString> m_keys;
    int m_groups = 0;
};

inline QString describe(const DataRecord &record)
{
    QString line = QStringLiteral("%1<%2").arg(record.id).arg(record.parentId);
    for (uint32_t i = 0; i < record.count; ++i) {
        line += QLatin1Char(' ') + ostrel::readText(record.values[i].name, OstrelNameUnits)
            + QLatin1Char('=') + ostrel::readText(record.values[i].text, OstrelTextUnits);
    }
    return line;
}

inline QStringList describe(const RecordList &list)
{
    QStringList lines;
    for (uint32_t i = 0; i < list.count; ++i)
        lines << describe(*list.records[i]);
    return lines;
}

// Every record of a load, one line each, kinds marked.
inline QStringList describe(ostrel::LoadedDatabase &db)
{
    QStringList lines;
    for (const QString &l : describe(*db.satellites.head()))
        lines << QStringLiteral("S ") + l;
    for (const QString &l : describe(*db.transponders.head()))
        lines << QStringLiteral("T ") + l;
    for (const QString &l : describe(*db.programmes.head()))
        lines << QStringLiteral("P ") + l;
    return lines;
}

inline const QStringList &sampleProgrammeColumns()
{
    static const QStringList columns{QStringLiteral("SID"), QStringLiteral("FRQ"),
                                     QStringLiteral("SYM"), QStringLiteral("POL"),
                                     QStringLiteral("V_PID"), QStringLiteral("A_PID")};
    return columns;
}

inline const QStringList &sampleSatelliteColumns()
{
    static const QStringList columns{QStringLiteral("LONGITUDE"), QStringLiteral("LNB")};
    return columns;
}

// The sample default database: satellites east and west, transponders shared
// by two programmes and repeated under another satellite, a transponder
// without programmes, and names outside Latin-1.
inline QByteArray sampleImage()
{
    PresetImage image(sampleProgrammeColumns(), sampleSatelliteColumns());
    image.satellite(QStringLiteral("*Polaris 19.2E"), {QStringLiteral("19.20E"), QStringLiteral("9750")})
        .programme(QStringLiteral("Nordlicht"), {QStringLiteral("28006"), QStringLiteral("11836"), QStringLiteral("27500"), QStringLiteral("H"), QStringLiteral("101"), QStringLiteral("102")})
        .programme(QStringLiteral("Nordlicht Radio"), {QStringLiteral("28007"), QStringLiteral("11836"), QStringLiteral("27500"), QStringLiteral("H"), QStringLiteral("0"), QStringLiteral("103")})
        .programme(QStringLiteral("Ειδήσεις"), {QStringLiteral("1201"), QStringLiteral("12187"), QStringLiteral("27500"), QStringLiteral("V"), QStringLiteral("201"), QStringLiteral("202")})
        .transponderOnly(QStringLiteral("12551"), QStringLiteral("22000"), QStringLiteral("V"))
        .satellite(QStringLiteral("*Meridian 30.5W"), {QStringLiteral("30.50W"), QStringLiteral("10600")})
        .programme(QStringLiteral("Новости 24"), {QStringLiteral("5"), QStringLiteral("11836"), QStringLiteral("27500"), QStringLiteral("H"), QStringLiteral("301"), QStringLiteral("302")})
        .programme(QStringLiteral("東方テレビ"), {QStringLiteral("6"), QStringLiteral("11836"), QStringLiteral("27500"), QStringLiteral("H"), QStringLiteral("303"), QStringLiteral("304")})
        .satellite(QStringLiteral("*Levante 13.0E"), {QStringLiteral("13.00E"), QStringLiteral("9750")})
        .programme(QStringLiteral("الأخبار"), {QStringLiteral("7"), QStringLiteral("10719"), QStringLiteral("27500"), QStringLiteral("V"), QStringLiteral("401"), QStringLiteral("402")});
    return image.bytes();
}

} // namespace presettest
