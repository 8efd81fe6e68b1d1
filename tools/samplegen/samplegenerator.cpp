#include "samplegenerator.h"

#include "userdbdump.h"

#include <random>

using ostrel::FieldDescriptor;
using ostrel::FieldType;
using ostrel::NodeLayout;

SampleSize SampleSize::small()
{
    return SampleSize{};
}

SampleSize SampleSize::large()
{
    return SampleSize{64, 3000, 10000, 8, false, 7};
}

SampleSize SampleSize::stress()
{
    return SampleSize{64, 10000, 50000, 8, false, 11};
}

namespace {

const char *const latinNames[] = {"Das Erste", "ZDF", "Arte", "BBC World", "Euronews", "CNN", "Eurosport",
                                  "MTV Hits", "Nat Geo", "Discovery", "France 24", "Rai Uno", "TVE", "Classic FM"};
const char16_t *const nonLatinNames[] = {u"Первый канал", u"Россия 24", u"ΕΡΤ1", u"Σκάι", u"الجزيرة",
                                         u"العربية", u"中央电视台", u"東京テレビ", u"한국방송", u"Телеканал Дом"};
const char *const satelliteNames[] = {"Astra", "Hotbird", "Eutelsat", "Turksat", "Thor", "Amos", "Badr", "Hispasat"};
const char *const favouriteNames[] = {"News", "Sport", "Movies", "Music", "Kids", "Документальные", "Ελληνικά", "音乐"};

class Generator
{
public:
    Generator(const ostrel::ParserConfig &config, const SampleSize &size)
        : m_config(config), m_size(size), m_random(size.seed)
    {
    }

    void run(SampleRecords &out)
    {
        for (int i = 0; i < m_size.favourites; ++i)
            out.favourites << QString::fromUtf8(favouriteNames[i % 8]);

        for (int s = 0; s < m_size.satellites; ++s)
            addRecord(out.satellites, m_config.sat, quint32(s), 0, satelliteValues(s));

        // Transponders go round the satellites; in a small database the last
        // one is left without programmes, as real lists have such entries.
        const int tpsWithProgrammes = m_size.transponders > 1 && m_size.programmes < 1000
            ? m_size.transponders - 1
            : m_size.transponders;
        std::vector<quint32> satOfTp(size_t(m_size.transponders));
        for (int t = 0; t < m_size.transponders; ++t) {
            const quint32 sat = quint32(t % qMax(1, m_size.satellites));
            satOfTp[size_t(t)] = sat;
            addRecord(out.transponders, m_config.tp, quint32(t), sat, transponderValues(t, sat));
        }
        for (int p = 0; p < m_size.programmes; ++p) {
            const quint32 tp = quint32(p % qMax(1, tpsWithProgrammes));
            addRecord(out.programmes, m_config.pg, quint32(p), tp,
                      programmeValues(p, tp, satOfTp.empty() ? 0 : satOfTp[tp]));
        }
    }

private:
    using Values = QHash<QString, QString>; // upper-case field name -> text

    Values satelliteValues(int s)
    {
        const int degrees = 5 + (s * 37) % 170;
        const bool west = s % 3 == 2;
        Values v;
        v.insert(QStringLiteral("NAME"), QStringLiteral("%1 %2.%3%4").arg(QString::fromUtf8(satelliteNames[s % 8])).arg(degrees).arg(s % 10).arg(west ? QLatin1Char('W') : QLatin1Char('E')));
        // Hundredths of a degree; the receiver marks west with bit 15.
        const int hundredths = degrees * 100 + (s % 10) * 10;
        v.insert(QStringLiteral("LONGITUDE"), QString::number(west ? 0x8000 | hundredths : hundredths));
        return v;
    }

    Values transponderValues(int t, quint32 sat)
    {
        Values v;
        v.insert(QStringLiteral("SAT_ID"), QString::number(sat));
        v.insert(QStringLiteral("FRQ"), QString::number(10700 + int(m_random() % 2050)));
        static const int rates[] = {22000, 27500, 29900, 30000};
        v.insert(QStringLiteral("SYM"), QString::number(rates[t % 4]));
        return v;
    }

    Values programmeValues(int p, quint32 tp, quint32 sat)
    {
        Values v;
        v.insert(QStringLiteral("TP_ID"), QString::number(tp));
        v.insert(QStringLiteral("SAT_ID"), QString::number(sat));
        QString name = QString::fromUtf8(latinNames[p % 14]);
        if (m_size.nonLatinNames && p % 3 == 1)
            name = QString::fromUtf16(nonLatinNames[p % 10]);
        if (p >= 14)
            name += QStringLiteral(" %1").arg(p);
        v.insert(QStringLiteral("NAME"), name);
        const bool radio = p % 7 == 6;
        v.insert(QStringLiteral("V_PID"), radio ? QStringLiteral("0") : QString::number(100 + p % 7000));
        v.insert(QStringLiteral("A_PID"), QString::number(200 + p % 7000));
        v.insert(QStringLiteral("PCR_PID"), QString::number(100 + p % 7000));
        v.insert(QStringLiteral("SID"), QString::number(1 + p % 60000));
        v.insert(QStringLiteral("LCN"), QString::number(1 + p % 65535));
        const quint32 favMask = m_size.favourites > 0 ? quint32(m_random()) & ((1u << m_size.favourites) - 1) : 0;
        v.insert(QStringLiteral("FAV"), QString::number(p % 4 == 0 ? favMask : 0));
        v.insert(QStringLiteral("DEFAULT_ORDER"), QString::number(p));
        return v;
    }

    // Values not set above: the option cycle for combo boxes, the default otherwise.
    QString fallback(const FieldDescriptor &f, quint32 id)
    {
        if (f.type == FieldType::Combobox && !f.optionNames.isEmpty())
            return f.optionNames.at(int(id % quint32(f.optionNames.size())));
        if (f.type == FieldType::Integer)
            return f.defaultText.isEmpty() ? QStringLiteral("0") : f.defaultText;
        return f.defaultText;
    }

    // Keeps an integer inside its field so a reload reads the same text.
    static QString fitted(const FieldDescriptor &f, const QString &text)
    {
        if (f.type != FieldType::Integer || f.size >= 32)
            return text;
        const quint64 mask = (quint64(1) << f.size) - 1;
        return QString::number(text.toULongLong() & mask);
    }

    void addRecord(ostrel::RecordStore &store, const NodeLayout &layout, quint32 id, quint32 parentId,
                   const Values &values)
    {
        DataRecord &record = store.append(id, parentId, uint32_t(layout.fields.size()));
        for (size_t i = 0; i < layout.fields.size(); ++i) {
            const FieldDescriptor &f = layout.fields[i];
            const QString key = f.name.toUpper();
            QString text = key == QLatin1String("ID") ? QString::number(id) : values.value(key, fallback(f, id));
            ostrel::copyText(record.values[i].name, OstrelNameUnits, f.name);
            ostrel::copyText(record.values[i].text, OstrelTextUnits, fitted(f, text));
        }
    }

    const ostrel::ParserConfig &m_config;
    SampleSize m_size;
    std::mt19937 m_random;
};

} // namespace

void generateSampleRecords(const ostrel::ParserConfig &config, const SampleSize &size, SampleRecords &out)
{
    Generator(config, size).run(out);
}

QByteArray generateUserDump(const ostrel::ParserConfig &config, const SampleSize &size, QString *error)
{
    // A dump with more satellites than the receiver keeps would not load in it.
    if (config.satMaxNum >= 0 && size.satellites > config.satMaxNum) {
        if (error)
            *error = QStringLiteral("the configuration allows at most %1 satellites").arg(config.satMaxNum);
        return {};
    }
    SampleRecords records;
    generateSampleRecords(config, size, records);
    // The receiver keeps its favourite names after the node data; leave room
    // for the whole name table plus a little of the block's other content.
    const int trailingBytes = int(config.favOffset + config.favCount * config.favLength) + 16;
    QByteArray trailing(trailingBytes, '\0');
    for (int i = int(config.favOffset + config.favCount * config.favLength); i < trailingBytes; ++i)
        trailing[i] = char(0xA5);
    return ostrel::writeUserDump(config, *records.satellites.head(), *records.transponders.head(),
                                 *records.programmes.head(), nullptr, &trailing, records.favourites, error);
}
