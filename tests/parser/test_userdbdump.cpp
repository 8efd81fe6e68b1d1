#include "bitstream.h"
#include "crc32mpeg2.h"
#include "records.h"
#include "test_userdbhelpers.h"
#include "userdbdump.h"

#include <QtTest>

using namespace ostrel;
using namespace userdbtest;

namespace {

// Two satellites, one transponder each, three programmes.
void fillSample(LoadedDatabase &db)
{
    addRecord(db.satellites, 0, 0, {{"NAME", QStringLiteral("S0")}, {"id", QStringLiteral("0")}, {"POS", QStringLiteral("130")}});
    addRecord(db.satellites, 1, 0, {{"NAME", QStringLiteral("S1")}, {"id", QStringLiteral("1")}, {"POS", QStringLiteral("192")}});
    addRecord(db.transponders, 0, 0, {{"id", QStringLiteral("0")}, {"sat_id", QStringLiteral("0")}, {"POL", QStringLiteral("V")}, {"FRQ", QStringLiteral("1178")}});
    addRecord(db.transponders, 1, 1, {{"id", QStringLiteral("1")}, {"sat_id", QStringLiteral("1")}, {"POL", QStringLiteral("H")}, {"FRQ", QStringLiteral("1220")}});
    addRecord(db.programmes, 0, 0, {{"NAME", QStringLiteral("a")}, {"id", QStringLiteral("0")}, {"tp_id", QStringLiteral("0")}, {"sat_id", QStringLiteral("0")}, {"MODE", QStringLiteral("B")}, {"LEVEL", QStringLiteral("3")}});
    addRecord(db.programmes, 1, 0, {{"NAME", QStringLiteral("b")}, {"id", QStringLiteral("1")}, {"tp_id", QStringLiteral("0")}, {"sat_id", QStringLiteral("0")}, {"MODE", QStringLiteral("C")}, {"LEVEL", QStringLiteral("15")}});
    addRecord(db.programmes, 2, 1, {{"NAME", QStringLiteral("c")}, {"id", QStringLiteral("2")}, {"tp_id", QStringLiteral("1")}, {"sat_id", QStringLiteral("1")}, {"MODE", QStringLiteral("A")}, {"LEVEL", QStringLiteral("0")}});
}

QByteArray write(const ParserConfig &config, LoadedDatabase &db, const HeadTable *head = nullptr,
                 const QByteArray *trailing = nullptr, const QStringList &names = {})
{
    QString error;
    const QByteArray dump = writeUserDump(config, *db.satellites.head(), *db.transponders.head(),
                                          *db.programmes.head(), head, trailing, names, &error);
    if (dump.isNull())
        qWarning("%s", qPrintable(error));
    return dump;
}

uint32_t headField(const ParserConfig &config, const QByteArray &dump, const char *name)
{
    const int i = config.head.indexOf(QLatin1String(name));
    return BitReader(dump).readUInt(config.head.starts[size_t(i)], config.head.fields[size_t(i)].size);
}

void patch(QByteArray &dump, uint64_t position, uint64_t width, uint32_t value)
{
    BitWriter writer(dump.size());
    writer.writeBits(0, uint64_t(dump.size()) * 8, dump, uint64_t(dump.size()) * 8);
    writer.writeUInt(position, width, value);
    dump = writer.data();
}

void patchHead(QByteArray &dump, const ParserConfig &config, const char *name, uint32_t value)
{
    const int i = config.head.indexOf(QLatin1String(name));
    patch(dump, config.head.starts[size_t(i)], config.head.fields[size_t(i)].size, value);
}

// Makes the stored CRC match the node data again, so a later check is reached.
void fixCrc(QByteArray &dump, const ParserConfig &config)
{
    const uint32_t length = headField(config, dump, "data_len");
    patchHead(dump, config, "crc", crc32Mpeg2(dump.mid(int(config.head.bytes), int(length))));
}

QStringList texts(RecordStore &store, const char *field)
{
    QStringList list;
    for (int i = 0; i < store.size(); ++i)
        list << valueOf(recordAt(store, i), field);
    return list;
}

enum Damage {
    BadMagic,
    DataBitFlipped,
    CrcBitFlipped,
    SatNodeSize,
    TpNodeSize,
    PgNodeSize,
    TruncatedByOne,
    TruncatedHeader,
    DataLengthPastEnd,
    CountsDoNotMatchLength,
    TransponderCountsDoNotAddUp,
    HugeTransponderCount,
    HugeProgrammeCount,
    ProgrammeCountAboveNodes,
    Emptied,
};

} // namespace

Q_DECLARE_METATYPE(Damage)

class TestUserDbDump : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void roundTrip();
    void emptyDatabase();
    void damagedDumps_data();
    void damagedDumps();
    void configurationThatCannotRead_data();
    void configurationThatCannotRead();
    void renumbering();
    void renumberingRunsOut();
    void orphansLeftOut();
    void unknownOptionValueSurvives();
    void integerKeepsLowBits();
    void missingValuesUseDefaults();
    void trailingBlockAndFavourites();
    void favouriteSlotsOutsideBlock();
    void headerFieldsCarriedOver();
    void recognisedNamesIgnoreCase();
    void badCallerLists();
    void longTextIsCut();

private:
    ParserConfig m_config;
};

void TestUserDbDump::init()
{
    m_config = configFrom(smallDumpConfig());
    QCOMPARE(m_config.head.bytes, 32u);
}

void TestUserDbDump::roundTrip()
{
    LoadedDatabase db;
    fillSample(db);
    const QByteArray dump = write(m_config, db);
    QCOMPARE(dump.size(), 32 + 2 * (8 + 4) + 2 * (6 + 4) + 3 * 10);
    QCOMPARE(headField(m_config, dump, "data_len"), uint32_t(dump.size() - 32));
    QCOMPARE(headField(m_config, dump, "sat_node_size"), 8u);
    QCOMPARE(headField(m_config, dump, "pg_cnt"), 3u);
    QCOMPARE(dump.left(12), userDumpMagic());

    LoadedDatabase loaded;
    UserDumpExtras extras;
    QString error;
    QVERIFY2(readUserDump(dump, m_config, loaded, extras, &error), qPrintable(error));
    QCOMPARE(loaded.satellites.size(), 2);
    QCOMPARE(loaded.transponders.size(), 2);
    QCOMPARE(loaded.programmes.size(), 3);
    QVERIFY(!extras.hasTrailingBlock);
    QCOMPARE(texts(loaded.satellites, "NAME"), QStringList({QStringLiteral("S0"), QStringLiteral("S1")}));
    QCOMPARE(texts(loaded.satellites, "POS"), QStringList({QStringLiteral("130"), QStringLiteral("192")}));
    QCOMPARE(texts(loaded.transponders, "POL"), QStringList({QStringLiteral("V"), QStringLiteral("H")}));
    QCOMPARE(texts(loaded.transponders, "FRQ"), QStringList({QStringLiteral("1178"), QStringLiteral("1220")}));
    QCOMPARE(texts(loaded.programmes, "MODE"), QStringList({QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("A")}));
    QCOMPARE(texts(loaded.programmes, "LEVEL"), QStringList({QStringLiteral("3"), QStringLiteral("15"), QStringLiteral("0")}));
    QCOMPARE(recordAt(loaded.programmes, 2).parentId, 1u);
    QCOMPARE(recordAt(loaded.transponders, 1).parentId, 1u);
    QCOMPARE(recordAt(loaded.satellites, 1).parentId, 0u);

    // Values come in presentation order: NAME first, then document order.
    const DataRecord &pg = recordAt(loaded.programmes, 0);
    QCOMPARE(pg.count, 6u);
    QCOMPARE(readText(pg.values[0].name, OstrelNameUnits), QStringLiteral("NAME"));
    QCOMPARE(readText(pg.values[1].name, OstrelNameUnits), QStringLiteral("id"));
    QCOMPARE(loaded.pgTemplates.size(), 6);
    QCOMPARE(readText(loaded.pgTemplates.head()->items[0].name, OstrelNameUnits), QStringLiteral("NAME"));

    // Nothing changed: the same bytes again.
    QCOMPARE(write(m_config, loaded, &extras.head), dump);
}

void TestUserDbDump::emptyDatabase()
{
    LoadedDatabase db;
    const QByteArray dump = write(m_config, db);
    QCOMPARE(dump.size(), 32);
    QCOMPARE(headField(m_config, dump, "data_len"), 0u);
    QCOMPARE(headField(m_config, dump, "crc"), 0xFFFFFFFFu);

    LoadedDatabase loaded;
    UserDumpExtras extras;
    QVERIFY(readUserDump(dump, m_config, loaded, extras));
    QCOMPARE(loaded.satellites.size(), 0);
    QCOMPARE(loaded.satTemplates.size(), 3);
}

void TestUserDbDump::damagedDumps_data()
{
    QTest::addColumn<Damage>("damage");
    QTest::addColumn<QString>("reason");
    QTest::newRow("magic") << BadMagic << QStringLiteral("db_head");
    QTest::newRow("crc-data-bit") << DataBitFlipped << QStringLiteral("crc");
    QTest::newRow("crc-field-bit") << CrcBitFlipped << QStringLiteral("crc");
    QTest::newRow("sat-node-size") << SatNodeSize << QStringLiteral("sat_node_size");
    QTest::newRow("tp-node-size") << TpNodeSize << QStringLiteral("tp_node_size");
    QTest::newRow("pg-node-size") << PgNodeSize << QStringLiteral("pg_node_size");
    QTest::newRow("truncated-by-one") << TruncatedByOne << QStringLiteral("data_len");
    QTest::newRow("truncated-header") << TruncatedHeader << QStringLiteral("db_head");
    QTest::newRow("data-len-past-end") << DataLengthPastEnd << QStringLiteral("data_len");
    QTest::newRow("counts-do-not-match-length") << CountsDoNotMatchLength << QStringLiteral("data_len");
    QTest::newRow("transponder-counts-do-not-add-up") << TransponderCountsDoNotAddUp << QStringLiteral("transponders");
    QTest::newRow("huge-transponder-count") << HugeTransponderCount << QStringLiteral("transponders");
    QTest::newRow("huge-programme-count") << HugeProgrammeCount << QStringLiteral("programmes");
    QTest::newRow("programme-count-above-nodes") << ProgrammeCountAboveNodes << QStringLiteral("and 3 programmes");
    QTest::newRow("empty-file") << Emptied << QStringLiteral("the file is empty");
}

void TestUserDbDump::damagedDumps()
{
    QFETCH(Damage, damage);
    QFETCH(QString, reason);
    LoadedDatabase db;
    fillSample(db);
    QByteArray dump = write(m_config, db);
    QVERIFY(!dump.isNull());
    const int data = int(m_config.head.bytes);

    switch (damage) {
    case BadMagic:
        dump[1] = 'x';
        break;
    case DataBitFlipped:
        dump[data + 5] = char(dump.at(data + 5) ^ 0x10);
        break;
    case CrcBitFlipped:
        patchHead(dump, m_config, "crc", headField(m_config, dump, "crc") ^ 0x80000000u);
        break;
    case SatNodeSize:
        patchHead(dump, m_config, "sat_node_size", 9);
        break;
    case TpNodeSize:
        patchHead(dump, m_config, "tp_node_size", 0);
        break;
    case PgNodeSize:
        patchHead(dump, m_config, "pg_node_size", 11);
        break;
    case TruncatedByOne:
        dump.chop(1);
        break;
    case TruncatedHeader:
        dump.truncate(10);
        break;
    case DataLengthPastEnd:
        patchHead(dump, m_config, "data_len", headField(m_config, dump, "data_len") + 1);
        break;
    case CountsDoNotMatchLength:
        patchHead(dump, m_config, "pg_cnt", 4);
        break;
    case TransponderCountsDoNotAddUp:
        // One transponder fewer and one programme more keep data_len right (10 bytes each).
        patchHead(dump, m_config, "tp_cnt", 1);
        patchHead(dump, m_config, "pg_cnt", 4);
        break;
    case HugeTransponderCount:
        patch(dump, uint64_t(data + 8) * 8, 32, 0xFFFFFFFFu);
        fixCrc(dump, m_config);
        break;
    case HugeProgrammeCount:
        patch(dump, uint64_t(data + 12 + 6) * 8, 32, 0x7FFFFFFFu);
        fixCrc(dump, m_config);
        break;
    case ProgrammeCountAboveNodes:
        // One programme's bytes more, counted by pg_cnt and data_len but held by no
        // transponder: every size check agrees, only the count of nodes read does not.
        dump.append(QByteArray(int(m_config.pg.bytes), '\0'));
        patchHead(dump, m_config, "pg_cnt", headField(m_config, dump, "pg_cnt") + 1);
        patchHead(dump, m_config, "data_len", headField(m_config, dump, "data_len") + uint32_t(m_config.pg.bytes));
        fixCrc(dump, m_config);
        break;
    case Emptied:
        dump.clear();
        break;
    }

    LoadedDatabase loaded;
    UserDumpExtras extras;
    QString error;
    QVERIFY(!readUserDump(dump, m_config, loaded, extras, &error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    // Nothing half-read is left behind.
    QCOMPARE(loaded.satellites.size() + loaded.transponders.size() + loaded.programmes.size(), 0);
    QCOMPARE(loaded.satTemplates.size(), 0);
    QVERIFY(extras.head.isEmpty());
}

void TestUserDbDump::configurationThatCannotRead_data()
{
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::newRow("header-fields-exceed-header") << QByteArray("<head size=\"256\">") << QByteArray("<head size=\"248\">");
    QTest::newRow("node-fields-exceed-node") << QByteArray("<sat size=\"64\"") << QByteArray("<sat size=\"56\"");
    QTest::newRow("node-size-overflows-its-header-field") << QByteArray("<sat size=\"64\"") << QByteArray("<sat size=\"2048\"");
    QTest::newRow("zero-node-size") << QByteArray("<pg size=\"80\">") << QByteArray("<pg size=\"0\">");
}

void TestUserDbDump::configurationThatCannotRead()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    LoadedDatabase db;
    fillSample(db);
    const QByteArray dump = write(m_config, db);

    QByteArray xml = smallDumpConfig();
    xml.replace(from, to);
    const ParserConfig broken = configFrom(xml);
    LoadedDatabase loaded;
    UserDumpExtras extras;
    QVERIFY(!readUserDump(dump, broken, loaded, extras));
    // The writer refuses the same layouts rather than write a dump nothing can read.
    QVERIFY(writeUserDump(broken, *db.satellites.head(), *db.transponders.head(),
                          *db.programmes.head(), nullptr, nullptr, {})
                .isNull());
}

void TestUserDbDump::renumbering()
{
    LoadedDatabase db;
    addRecord(db.satellites, 0, 0, {{"id", QStringLiteral("0")}});
    addRecord(db.satellites, 0x10000, 0, {{"id", QStringLiteral("65536")}, {"NAME", QStringLiteral("new")}});
    addRecord(db.satellites, 1, 0, {{"id", QStringLiteral("1")}});
    addRecord(db.satellites, 3, 0, {{"id", QStringLiteral("3")}});
    addRecord(db.transponders, 0xFFFFFFFFu, 0x10000, {{"id", QStringLiteral("4294967295")}, {"sat_id", QStringLiteral("65536")}});
    addRecord(db.transponders, 5, 0x10000, {{"id", QStringLiteral("5")}, {"sat_id", QStringLiteral("65536")}});
    addRecord(db.programmes, 0xFFFFFFFEu, 0xFFFFFFFFu, {{"id", QString()}, {"tp_id", QString()}, {"sat_id", QString()}});
    addRecord(db.programmes, 4, 5, {{"id", QStringLiteral("4")}, {"tp_id", QStringLiteral("5")}, {"sat_id", QStringLiteral("65536")}});

    const QByteArray dump = write(m_config, db);
    QVERIFY(!dump.isNull());
    // The caller's records now carry the ids that were written.
    DataRecord &sat = recordAt(db.satellites, 1);
    QCOMPARE(sat.id, 2u);
    QCOMPARE(valueOf(sat, "id"), QStringLiteral("2"));
    DataRecord &tp = recordAt(db.transponders, 0);
    QCOMPARE(tp.id, 6u);
    QCOMPARE(tp.parentId, 2u);
    QCOMPARE(valueOf(tp, "sat_id"), QStringLiteral("2"));
    QCOMPARE(valueOf(recordAt(db.transponders, 1), "sat_id"), QStringLiteral("2"));
    QCOMPARE(recordAt(db.transponders, 1).parentId, 2u);
    DataRecord &pg = recordAt(db.programmes, 0);
    QCOMPARE(pg.id, 7u);
    QCOMPARE(pg.parentId, 6u);
    QCOMPARE(valueOf(pg, "id"), QStringLiteral("7"));
    QCOMPARE(valueOf(pg, "tp_id"), QStringLiteral("6"));
    QCOMPARE(valueOf(pg, "sat_id"), QStringLiteral("2"));
    QCOMPARE(valueOf(recordAt(db.programmes, 1), "sat_id"), QStringLiteral("2"));

    LoadedDatabase loaded;
    UserDumpExtras extras;
    QVERIFY(readUserDump(dump, m_config, loaded, extras));
    QCOMPARE(texts(loaded.satellites, "id"), QStringList({QStringLiteral("0"), QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("3")}));
    QCOMPARE(texts(loaded.transponders, "sat_id"), QStringList({QStringLiteral("2"), QStringLiteral("2")}));
    QCOMPARE(texts(loaded.programmes, "tp_id"), QStringList({QStringLiteral("6"), QStringLiteral("5")}));
}

void TestUserDbDump::renumberingRunsOut()
{
    LoadedDatabase db;
    // 0..0xFFFE all taken by programmes of one transponder: no id is left for a new one.
    addRecord(db.satellites, 0, 0, {});
    addRecord(db.transponders, 0, 0, {});
    for (uint32_t id = 1; id <= 0xFFFE; ++id)
        addRecord(db.programmes, id, 0, {});
    addRecord(db.programmes, 0x20000, 0, {});
    QString error;
    QVERIFY(writeUserDump(m_config, *db.satellites.head(), *db.transponders.head(),
                          *db.programmes.head(), nullptr, nullptr, {}, &error)
                .isNull());
    QVERIFY2(error.contains(QStringLiteral("free id")), qPrintable(error));
}

void TestUserDbDump::orphansLeftOut()
{
    LoadedDatabase db;
    fillSample(db);
    addRecord(db.transponders, 9, 42, {{"id", QStringLiteral("9")}});
    addRecord(db.programmes, 9, 9, {{"NAME", QStringLiteral("under orphan")}});
    addRecord(db.programmes, 10, 77, {{"NAME", QStringLiteral("lost")}});
    const QByteArray dump = write(m_config, db);
    QCOMPARE(headField(m_config, dump, "tp_cnt"), 2u);
    QCOMPARE(headField(m_config, dump, "pg_cnt"), 3u);

    LoadedDatabase loaded;
    UserDumpExtras extras;
    QVERIFY(readUserDump(dump, m_config, loaded, extras));
    QCOMPARE(loaded.transponders.size(), 2);
    QCOMPARE(texts(loaded.programmes, "NAME"), QStringList({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
}

void TestUserDbDump::unknownOptionValueSurvives()
{
    LoadedDatabase db;
    fillSample(db);
    ostrel::copyText(recordAt(db.programmes, 0).values[4].text, OstrelTextUnits, QStringLiteral("5"));
    ostrel::copyText(recordAt(db.programmes, 1).values[4].text, OstrelTextUnits, QStringLiteral("Z"));
    const QByteArray dump = write(m_config, db);

    LoadedDatabase loaded;
    UserDumpExtras extras;
    QVERIFY(readUserDump(dump, m_config, loaded, extras));
    // 5 is no option: it comes back as its number; an unknown name is written as 0.
    QCOMPARE(texts(loaded.programmes, "MODE"), QStringList({QStringLiteral("5"), QStringLiteral("A"), QStringLiteral("A")}));
    QCOMPARE(write(m_config, loaded, &extras.head), dump);
}

void TestUserDbDump::integerKeepsLowBits()
{
    LoadedDatabase db;
    addRecord(db.satellites, 0, 0, {{"POS", QStringLiteral("300")}});
    const QByteArray dump = write(m_config, db);
    LoadedDatabase loaded;
    UserDumpExtras extras;
    QVERIFY(readUserDump(dump, m_config, loaded, extras));
    QCOMPARE(valueOf(recordAt(loaded.satellites, 0), "POS"), QStringLiteral("44"));
}

void TestUserDbDump::missingValuesUseDefaults()
{
    LoadedDatabase db;
    // Names match without regard to letter case; a field without a value takes its default.
    addRecord(db.satellites, 4, 0, {{"name", QStringLiteral("low")}});
    const QByteArray dump = write(m_config, db);
    LoadedDatabase loaded;
    UserDumpExtras extras;
    QVERIFY(readUserDump(dump, m_config, loaded, extras));
    const DataRecord &sat = recordAt(loaded.satellites, 0);
    QCOMPARE(valueOf(sat, "NAME"), QStringLiteral("lo"));
    QCOMPARE(valueOf(sat, "POS"), QStringLiteral("7"));
    QCOMPARE(valueOf(sat, "id"), QStringLiteral("4"));
    QCOMPARE(sat.id, 4u);
}

void TestUserDbDump::trailingBlockAndFavourites()
{
    LoadedDatabase db;
    fillSample(db);
    // Slots at 2, 10 and 18, each 8 bytes (four UTF-16 units).
    const QByteArray block(30, char(0xAB));
    const QStringList names{QStringLiteral("News"), QString(), QStringLiteral("Sports")};
    const QByteArray dump = write(m_config, db, nullptr, &block, names);
    const int data = dump.size() - block.size();
    QCOMPARE(headField(m_config, dump, "ssdata_len"), 30u);
    QCOMPARE(headField(m_config, dump, "data_len"), uint32_t(data - 32));

    const QByteArray written = dump.mid(data);
    QCOMPARE(written.left(2), QByteArray(2, char(0xAB)));
    QCOMPARE(written.mid(2, 8), QByteArray("N\0e\0w\0s\0", 8));
    QCOMPARE(written.mid(10, 8), QByteArray(8, char(0xAB))); // no name: the slot keeps its bytes
    QCOMPARE(written.mid(18, 8), QByteArray("S\0p\0o\0r\0", 8));
    QCOMPARE(written.mid(26), QByteArray(4, char(0xAB)));

    LoadedDatabase loaded;
    UserDumpExtras extras;
    QVERIFY(readUserDump(dump, m_config, loaded, extras));
    QVERIFY(extras.hasTrailingBlock);
    QCOMPARE(extras.trailingBlock, written);
    QCOMPARE(extras.favouriteNames.size(), 3);
    QCOMPARE(extras.favouriteNames.at(0), QStringLiteral("News"));
    QCOMPARE(extras.favouriteNames.at(2), QStringLiteral("Spor"));
    QCOMPARE(loaded.favourites.size(), 3);

    // An empty name clears its slot; saving what was loaded gives the same bytes.
    const QByteArray cleared = write(m_config, loaded, &extras.head, &extras.trailingBlock,
                                     {QStringLiteral(""), QString(), QString()});
    QCOMPARE(cleared.mid(data + 2, 8), QByteArray(8, '\0'));
    QCOMPARE(cleared.mid(data + 10), written.mid(10));
    QCOMPARE(write(m_config, loaded, &extras.head, &extras.trailingBlock, extras.favouriteNames), dump);
}

void TestUserDbDump::favouriteSlotsOutsideBlock()
{
    LoadedDatabase db;
    const QByteArray block(14, 'z'); // slot 1 (10..17) runs past the end
    const QByteArray dump = write(m_config, db, nullptr, &block, {QStringLiteral("A"), QStringLiteral("B")});
    QCOMPARE(dump.mid(32 + 10), QByteArray(4, 'z'));
    LoadedDatabase loaded;
    UserDumpExtras extras;
    QVERIFY(readUserDump(dump, m_config, loaded, extras));
    QCOMPARE(extras.favouriteNames, QStringList({QStringLiteral("A"), QString(), QString()}));
}

void TestUserDbDump::headerFieldsCarriedOver()
{
    LoadedDatabase db;
    fillSample(db);
    QByteArray dump = write(m_config, db);
    QCOMPARE(headField(m_config, dump, "version"), 0u);
    patchHead(dump, m_config, "version", 21);
    patchHead(dump, m_config, "ssdata_len", 999);

    LoadedDatabase loaded;
    UserDumpExtras extras;
    QVERIFY(readUserDump(dump, m_config, loaded, extras));
    // Without a trailing block ssdata_len is kept like any other field.
    const QByteArray again = write(m_config, loaded, &extras.head);
    QCOMPARE(headField(m_config, again, "version"), 21u);
    QCOMPARE(headField(m_config, again, "ssdata_len"), 999u);
    QCOMPARE(again, dump);
}

void TestUserDbDump::recognisedNamesIgnoreCase()
{
    QByteArray xml = smallDumpConfig();
    xml.replace("name=\"id\"", "name=\"ID\"");
    xml.replace("name=\"sat_id\"", "name=\"Sat_Id\"");
    xml.replace("name=\"tp_id\"", "name=\"TP_ID\"");
    xml.replace("name=\"data_len\"", "name=\"DATA_LEN\"");
    xml.replace("name=\"crc\"", "name=\"Crc\"");
    const ParserConfig config = configFrom(xml);
    LoadedDatabase db;
    fillSample(db);
    const QByteArray dump = write(config, db);
    QCOMPARE(dump, write(m_config, db));

    LoadedDatabase loaded;
    UserDumpExtras extras;
    QVERIFY(readUserDump(dump, config, loaded, extras));
    QCOMPARE(recordAt(loaded.programmes, 2).id, 2u);
    QCOMPARE(recordAt(loaded.programmes, 2).parentId, 1u);
    QCOMPARE(recordAt(loaded.transponders, 1).parentId, 1u);
    QCOMPARE(valueOf(recordAt(loaded.programmes, 2), "ID"), QStringLiteral("2"));
}

void TestUserDbDump::badCallerLists()
{
    RecordList none{0, nullptr};
    RecordList broken{3, nullptr};
    QVERIFY(writeUserDump(m_config, broken, none, none, nullptr, nullptr, {}).isNull());
    QVERIFY(writeUserDump(m_config, none, none, broken, nullptr, nullptr, {}).isNull());

    // Null records are skipped; a record without a value array takes the defaults.
    DataRecord sat{5, 0, 0, nullptr};
    DataRecord tp{2, 1, 0, nullptr};
    DataRecord *sats[] = {nullptr, &sat, nullptr};
    DataRecord *tps[] = {&tp, nullptr};
    RecordList satList{3, sats};
    RecordList tpList{2, tps};
    const QByteArray dump = writeUserDump(m_config, satList, tpList, none, nullptr, nullptr, {});
    QVERIFY(!dump.isNull());
    LoadedDatabase loaded;
    UserDumpExtras extras;
    QVERIFY(readUserDump(dump, m_config, loaded, extras));
    QCOMPARE(loaded.satellites.size(), 1);
    QCOMPARE(valueOf(recordAt(loaded.satellites, 0), "POS"), QStringLiteral("7"));
    QCOMPARE(recordAt(loaded.transponders, 0).id, 1u);
}

void TestUserDbDump::longTextIsCut()
{
    QByteArray xml = smallDumpConfig();
    xml.replace("<elem name=\"NAME\" type=\"Text\" size=\"32\" order=\"1\"/>",
                "<elem name=\"NAME\" type=\"Text\" size=\"2400\" order=\"1\"/>");
    xml.replace("<sat size=\"64\"", "<sat size=\"2432\"");
    xml.replace("<elem name=\"sat_node_size\" size=\"8\"/>", "<elem name=\"sat_node_size\" size=\"16\"/>");
    xml.replace("<head size=\"256\">", "<head size=\"264\">");
    const ParserConfig config = configFrom(xml);
    const QString name(150, QLatin1Char('x'));

    // Build the node by hand: a record cannot carry more than 99 units.
    LoadedDatabase db;
    addRecord(db.satellites, 0, 0, {});
    QByteArray dump = write(config, db);
    const uint64_t namePosition = uint64_t(config.head.bytes) * 8 + config.sat.starts[1];
    BitWriter writer(dump.size());
    writer.writeBits(0, uint64_t(dump.size()) * 8, dump, uint64_t(dump.size()) * 8);
    writer.writeText(namePosition, 2400, name);
    dump = writer.data();
    fixCrc(dump, config);

    LoadedDatabase loaded;
    UserDumpExtras extras;
    QString error;
    QVERIFY2(readUserDump(dump, config, loaded, extras, &error), qPrintable(error));
    QCOMPARE(valueOf(recordAt(loaded.satellites, 0), "NAME"), QString(99, QLatin1Char('x')));
}

QTEST_GUILESS_MAIN(TestUserDbDump)
#include "test_userdbdump.moc"
