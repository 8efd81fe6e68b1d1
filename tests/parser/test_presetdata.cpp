#include "presetdata.h"
#include "test_presetimage.h"

#include <QtTest>

using namespace ostrel;
using presettest::PresetImage;
using presettest::describe;

namespace {

const QStringList PgColumns{QStringLiteral("FRQ"), QStringLiteral("SYM"), QStringLiteral("POL"),
                            QStringLiteral("SID")};
const QStringList SatColumns{QStringLiteral("LONGITUDE")};

QStringList row(std::initializer_list<const char *> texts)
{
    QStringList list;
    for (const char *t : texts)
        list << QString::fromUtf8(t);
    return list;
}

DataRecord *recordAt(RecordStore &store, int i)
{
    return store.head()->records[i];
}

void setText(DataRecord &record, const QString &name, const QString &text)
{
    for (uint32_t i = 0; i < record.count; ++i) {
        if (readText(record.values[i].name, OstrelNameUnits) == name) {
            copyText(record.values[i].text, OstrelTextUnits, text);
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no field ") + name));
}

QByteArray build(LoadedDatabase &db, const PresetColumns &columns, bool *ok = nullptr)
{
    QByteArray image;
    const bool built = buildPreset(*db.satellites.head(), *db.transponders.head(),
                                   *db.programmes.head(), columns, image);
    if (ok)
        *ok = built;
    return image;
}

QStringList templateNames(TemplateStore &store, bool openOnly)
{
    QStringList names;
    const TemplateList *list = store.head();
    for (uint32_t i = 0; i < list->count; ++i) {
        if (!openOnly || list->items[i].open)
            names << readText(list->items[i].name, OstrelNameUnits);
    }
    return names;
}

} // namespace

class TestPresetData : public QObject
{
    Q_OBJECT

private slots:
    void longitudeFromPreset_data();
    void longitudeFromPreset();
    void longitudeToPreset_data();
    void longitudeToPreset();

    void identifiersFollowFileOrder();
    void transponderSharing();
    void templatesComeFromColumnNames();
    void satelliteColumnsMissingStayEmpty();
    void recordsBeforeFirstSatelliteAreDropped();

    void malformedInput_data();
    void malformedInput();
    void everyTruncationStaysInside();
    void zeroPaddingIsIgnored();
    void mutatedImagesKeepTheTreeWhole();

    void roundTripIsByteIdentical_data();
    void roundTripIsByteIdentical();
    void transponderOnlySurvivesReload();
    void transponderEditsReachProgrammes();
    void satelliteNameGetsItsMark();
    void columnsFromRecordsWhenNoneLoaded();

    void limits_data();
    void limits();
};

void TestPresetData::longitudeFromPreset_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("held");
    QTest::newRow("west") << "30.50W"
                          << "35818";
    QTest::newRow("east") << "13.00E"
                          << "1300";
    QTest::newRow("no binary rounding") << "4.80W"
                                        << "33248";
    QTest::newRow("one decimal") << "19.2E"
                                 << "1920";
    QTest::newRow("extra decimals cut") << "13.567E"
                                        << "1356";
    QTest::newRow("no decimals") << "7E"
                                 << "700";
    QTest::newRow("lower case") << "0.80w"
                                << "32848";
    QTest::newRow("zero") << "0.00E"
                          << "0";
    QTest::newRow("far west") << "180.00W"
                              << "50768";
    QTest::newRow("beyond the west bit") << "400.00E"
                                         << "400.00E";
    QTest::newRow("no hemisphere") << "13.00"
                                   << "13.00";
    QTest::newRow("not a number") << "east"
                                  << "east";
    QTest::newRow("empty") << ""
                           << "";
}

void TestPresetData::longitudeFromPreset()
{
    QFETCH(QString, stored);
    QFETCH(QString, held);
    QCOMPARE(ostrel::longitudeFromPreset(stored), held);
}

void TestPresetData::longitudeToPreset_data()
{
    QTest::addColumn<QString>("held");
    QTest::addColumn<QString>("stored");
    QTest::newRow("west") << "35818"
                          << "30.50W";
    QTest::newRow("east") << "1300"
                          << "13.00E";
    QTest::newRow("hundredths") << "1234"
                                << "12.34E";
    QTest::newRow("small") << "5"
                           << "0.05E";
    QTest::newRow("west zero") << "32768"
                               << "0.00W";
    QTest::newRow("west hundredths") << "33248"
                                     << "4.80W";
    QTest::newRow("over 16 bits") << "70000"
                                  << "70000";
    QTest::newRow("negative") << "-5"
                              << "-5";
    QTest::newRow("text") << "abc"
                          << "abc";
}

void TestPresetData::longitudeToPreset()
{
    QFETCH(QString, held);
    QFETCH(QString, stored);
    QCOMPARE(ostrel::longitudeToPreset(held), stored);
}

void TestPresetData::identifiersFollowFileOrder()
{
    LoadedDatabase db;
    PresetColumns columns;
    parsePreset(presettest::sampleImage(), db, columns);

    QCOMPARE(columns.programme, presettest::sampleProgrammeColumns());
    QCOMPARE(columns.satellite, presettest::sampleSatelliteColumns());
    const QStringList expected{
        "S 0<0 ID=0 NAME=*Polaris 19.2E LONGITUDE=1920 LNB=9750",
        "S 7<0 ID=7 NAME=*Meridian 30.5W LONGITUDE=35818 LNB=10600",
        "S 11<0 ID=11 NAME=*Levante 13.0E LONGITUDE=1300 LNB=9750",
        "T 1<0 ID=1 SAT_ID=0 FRQ=11836 SYM=27500 POL=H",
        "T 4<0 ID=4 SAT_ID=0 FRQ=12187 SYM=27500 POL=V",
        "T 6<0 ID=6 SAT_ID=0 FRQ=12551 SYM=22000 POL=V",
        "T 8<7 ID=8 SAT_ID=7 FRQ=11836 SYM=27500 POL=H",
        "T 12<11 ID=12 SAT_ID=11 FRQ=10719 SYM=27500 POL=V",
        "P 2<1 ID=2 SAT_ID=0 TP_ID=1 NAME=Nordlicht SID=28006 FRQ=11836 SYM=27500 POL=H V_PID=101 A_PID=102",
        "P 3<1 ID=3 SAT_ID=0 TP_ID=1 NAME=Nordlicht Radio SID=28007 FRQ=11836 SYM=27500 POL=H V_PID=0 A_PID=103",
        "P 5<4 ID=5 SAT_ID=0 TP_ID=4 NAME=Ειδήσεις SID=1201 FRQ=12187 SYM=27500 POL=V V_PID=201 A_PID=202",
        "P 9<8 ID=9 SAT_ID=7 TP_ID=8 NAME=Новости 24 SID=5 FRQ=11836 SYM=27500 POL=H V_PID=301 A_PID=302",
        "P 10<8 ID=10 SAT_ID=7 TP_ID=8 NAME=東方テレビ SID=6 FRQ=11836 SYM=27500 POL=H V_PID=303 A_PID=304",
        "P 13<12 ID=13 SAT_ID=11 TP_ID=12 NAME=الأخبار SID=7 FRQ=10719 SYM=27500 POL=V V_PID=401 A_PID=402",
    };
    // Ids run over all three kinds in file order: satellite 0, its first
    // transponder 1, that transponder's first programme 2.
    QStringList actual = describe(db);
    QCOMPARE(actual.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(actual.at(i), expected.at(i));
}

void TestPresetData::transponderSharing()
{
    // Equal FRQ/SYM/POL share one transponder under a satellite; the same
    // values under the next satellite, or a differing POL, make new ones.
    const QByteArray image = PresetImage(PgColumns, SatColumns)
                                 .satellite("*A", {"1.00E"})
                                 .programme("one", {"11000", "27500", "H", "1"})
                                 .programme("two", {"11000", "27500", "H", "2"})
                                 .programme("three", {"11000", "27500", "V", "3"})
                                 .satellite("*B", {"2.00E"})
                                 .programme("four", {"11000", "27500", "H", "4"})
                                 .bytes();
    LoadedDatabase db;
    PresetColumns columns;
    parsePreset(image, db, columns);
    QCOMPARE(db.transponders.size(), 3);
    QCOMPARE(db.programmes.size(), 4);
    QCOMPARE(recordAt(db.programmes, 0)->parentId, recordAt(db.programmes, 1)->parentId);
    QVERIFY(recordAt(db.programmes, 2)->parentId != recordAt(db.programmes, 0)->parentId);
    QCOMPARE(recordAt(db.transponders, 2)->parentId, recordAt(db.satellites, 1)->id);
    QCOMPARE(recordAt(db.programmes, 3)->parentId, recordAt(db.transponders, 2)->id);
}

void TestPresetData::templatesComeFromColumnNames()
{
    LoadedDatabase db;
    PresetColumns columns;
    parsePreset(presettest::sampleImage(), db, columns);

    QCOMPARE(templateNames(db.satTemplates, false), row({"ID", "NAME", "LONGITUDE", "LNB"}));
    QCOMPARE(templateNames(db.satTemplates, true), row({"ID", "NAME", "LONGITUDE", "LNB"}));
    QCOMPARE(templateNames(db.tpTemplates, false), row({"ID", "SAT_ID", "FRQ", "SYM", "POL"}));
    QCOMPARE(templateNames(db.tpTemplates, true), row({"FRQ", "SYM", "POL"}));
    QCOMPARE(templateNames(db.pgTemplates, false),
             row({"ID", "SAT_ID", "TP_ID", "NAME", "SID", "FRQ", "SYM", "POL", "V_PID", "A_PID"}));
    QCOMPARE(templateNames(db.pgTemplates, true),
             row({"NAME", "SID", "FRQ", "SYM", "POL", "V_PID", "A_PID"}));
    for (TemplateStore *store : {&db.satTemplates, &db.tpTemplates, &db.pgTemplates}) {
        const TemplateList *list = store->head();
        for (uint32_t i = 0; i < list->count; ++i) {
            QVERIFY(!list->items[i].trigger);
            QVERIFY(!list->items[i].editorSpec);
            QCOMPARE(list->items[i].flags, 0u);
        }
    }
}

void TestPresetData::satelliteColumnsMissingStayEmpty()
{
    // A satellite with fewer entries than columns keeps empty values, and
    // surplus programme entries beyond the columns are dropped.
    const QByteArray image = PresetImage(PgColumns, {"LONGITUDE", "LNB"})
                                 .satellite("*A", {})
                                 .programme("p", {"11000", "27500", "H", "1", "surplus"})
                                 .bytes();
    LoadedDatabase db;
    PresetColumns columns;
    parsePreset(image, db, columns);
    QCOMPARE(describe(db),
             row({"S 0<0 ID=0 NAME=*A LONGITUDE= LNB=",
                  "T 1<0 ID=1 SAT_ID=0 FRQ=11000 SYM=27500 POL=H",
                  "P 2<1 ID=2 SAT_ID=0 TP_ID=1 NAME=p FRQ=11000 SYM=27500 POL=H SID=1"}));
}

void TestPresetData::recordsBeforeFirstSatelliteAreDropped()
{
    const QByteArray image = PresetImage(PgColumns, SatColumns)
                                 .programme("orphan", {"11000", "27500", "H", "1"})
                                 .transponderOnly("12000", "27500", "V")
                                 .satellite("*A", {"1.00E"})
                                 .programme("kept", {"11000", "27500", "H", "2"})
                                 .bytes();
    LoadedDatabase db;
    PresetColumns columns;
    parsePreset(image, db, columns);
    QCOMPARE(db.satellites.size(), 1);
    QCOMPARE(db.transponders.size(), 1);
    QCOMPARE(db.programmes.size(), 1);
    QCOMPARE(fieldText(*recordAt(db.programmes, 0), "NAME"), QString("kept"));
    QCOMPARE(recordAt(db.satellites, 0)->id, 0u);
}

void TestPresetData::malformedInput_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<int>("programmeColumns");
    QTest::addColumn<int>("satellites");
    QTest::addColumn<int>("programmes");

    const QByteArray full = presettest::sampleImage();
    QTest::newRow("empty") << QByteArray() << 0 << 0 << 0;
    QTest::newRow("shorter than the header") << full.left(9) << 0 << 0 << 0;
    QTest::newRow("header only") << full.left(14) << 0 << 0 << 0;
    // The last programme keeps the entries that are whole; its last value stays empty.
    QTest::newRow("unterminated text") << full.left(full.size() - 2) << 6 << 3 << 6;
    QTest::newRow("odd byte at the end") << full.left(full.size() - 1) << 6 << 3 << 6;

    QByteArray noSatHeader = PresetImage(PgColumns, {}).bytes();
    noSatHeader.chop(2 * 10 + 1); // "*SAT_NAME" with its flag and terminator
    QTest::newRow("satellite header missing") << noSatHeader << 4 << 0 << 0;

    QTest::newRow("trailing garbage flag") << full + QByteArray("\x85", 1) << 6 << 3 << 6;
}

void TestPresetData::malformedInput()
{
    QFETCH(QByteArray, image);
    QFETCH(int, programmeColumns);
    QFETCH(int, satellites);
    QFETCH(int, programmes);

    // A copy without spare capacity, so a read past the end is one past the allocation.
    const QByteArray exact(image.constData(), image.size());
    LoadedDatabase db;
    PresetColumns columns;
    parsePreset(exact, db, columns);
    QCOMPARE(columns.programme.size(), programmeColumns);
    QCOMPARE(db.satellites.size(), satellites);
    QCOMPARE(db.programmes.size(), programmes);
    // Templates exist even for a useless image: the editor still needs them.
    QCOMPARE(db.pgTemplates.size(), 4 + programmeColumns);
}

void TestPresetData::everyTruncationStaysInside()
{
    const QByteArray full = presettest::sampleImage();
    LoadedDatabase whole;
    PresetColumns columns;
    parsePreset(full, whole, columns);
    const QStringList wholeLines = describe(whole);

    int previous = 0;
    for (int length = 0; length <= full.size(); ++length) {
        const QByteArray cut(full.constData(), length);
        LoadedDatabase db;
        parsePreset(cut, db, columns);
        // Each longer cut keeps every satellite and programme of the shorter one.
        const int records = db.satellites.size() + db.programmes.size();
        QVERIFY2(records >= previous, qPrintable(QString::number(length)));
        QVERIFY2(describe(db).size() <= wholeLines.size() + 1, qPrintable(QString::number(length)));
        previous = records;
    }
    QCOMPARE(previous, whole.satellites.size() + whole.programmes.size());
}

void TestPresetData::zeroPaddingIsIgnored()
{
    const QByteArray image = presettest::sampleImage();
    LoadedDatabase plain, padded;
    PresetColumns columns;
    parsePreset(image, plain, columns);
    parsePreset(image + QByteArray(4096, '\0'), padded, columns);
    QCOMPARE(describe(padded), describe(plain));
}

void TestPresetData::mutatedImagesKeepTheTreeWhole()
{
    // Whatever the bytes, every transponder hangs under a parsed satellite
    // and every programme under a parsed transponder of the same satellite.
    const QByteArray original = presettest::sampleImage();
    quint32 state = 2024;
    auto random = [&state](int bound) {
        state = state * 1664525u + 1013904223u;
        return int((state >> 8) % quint32(bound));
    };
    for (int round = 0; round < 2000; ++round) {
        QByteArray image = original;
        for (int flips = 1 + random(4); flips > 0; --flips)
            image[14 + random(image.size() - 14)] = char(random(256));
        image.truncate(14 + random(image.size() - 13));
        const QByteArray exact(image.constData(), image.size());

        LoadedDatabase db;
        PresetColumns columns;
        parsePreset(exact, db, columns);
        QHash<uint32_t, uint32_t> satelliteOfTransponder;
        QSet<uint32_t> satellites;
        for (int i = 0; i < db.satellites.size(); ++i)
            satellites.insert(recordAt(db.satellites, i)->id);
        for (int i = 0; i < db.transponders.size(); ++i) {
            const DataRecord *tp = recordAt(db.transponders, i);
            QVERIFY2(satellites.contains(tp->parentId), qPrintable(QString::number(round)));
            satelliteOfTransponder.insert(tp->id, tp->parentId);
        }
        for (int i = 0; i < db.programmes.size(); ++i) {
            const DataRecord *pg = recordAt(db.programmes, i);
            QVERIFY2(satelliteOfTransponder.contains(pg->parentId), qPrintable(QString::number(round)));
            QCOMPARE(fieldText(*pg, "SAT_ID"), QString::number(satelliteOfTransponder.value(pg->parentId)));
        }
    }
}

void TestPresetData::roundTripIsByteIdentical_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::newRow("sample") << presettest::sampleImage();
    QTest::newRow("headers only") << PresetImage(PgColumns, SatColumns).bytes();
    QTest::newRow("no satellite columns")
        << PresetImage(PgColumns, {}).satellite("*A", {}).programme("p", {"1", "2", "H", "3"}).bytes();
    QTest::newRow("satellite without transponders")
        << PresetImage(PgColumns, SatColumns).satellite("*A", {"0.50W"}).satellite("*B", {"1.00E"}).bytes();
    QTest::newRow("empty texts")
        << PresetImage(PgColumns, SatColumns).satellite("*", {""}).programme("", {"", "", "", ""}).bytes();
}

void TestPresetData::roundTripIsByteIdentical()
{
    QFETCH(QByteArray, image);
    LoadedDatabase db;
    PresetColumns columns;
    parsePreset(image, db, columns);
    bool ok = false;
    const QByteArray rebuilt = build(db, columns, &ok);
    QVERIFY(ok);
    QCOMPARE(rebuilt.toHex(), image.toHex());
}

void TestPresetData::transponderOnlySurvivesReload()
{
    LoadedDatabase db;
    PresetColumns columns;
    parsePreset(presettest::sampleImage(), db, columns);
    const QString before = describe(*recordAt(db.transponders, 2));
    QCOMPARE(before, QString("6<0 ID=6 SAT_ID=0 FRQ=12551 SYM=22000 POL=V"));

    const QByteArray image = build(db, columns);
    LoadedDatabase again;
    parsePreset(image, again, columns);
    QCOMPARE(describe(*recordAt(again.transponders, 2)), before);
    QCOMPARE(again.transponders.size(), db.transponders.size());
}

void TestPresetData::transponderEditsReachProgrammes()
{
    LoadedDatabase db;
    PresetColumns columns;
    parsePreset(presettest::sampleImage(), db, columns);
    // The shared transponder of the first satellite moves; its programmes
    // still carry the old frequency.
    setText(*recordAt(db.transponders, 0), "FRQ", "11837");

    LoadedDatabase again;
    parsePreset(build(db, columns), again, columns);
    QCOMPARE(again.transponders.size(), db.transponders.size());
    QCOMPARE(fieldText(*recordAt(again.transponders, 0), "FRQ"), QString("11837"));
    QCOMPARE(fieldText(*recordAt(again.programmes, 0), "FRQ"), QString("11837"));
    QCOMPARE(recordAt(again.programmes, 1)->parentId, recordAt(again.transponders, 0)->id);
}

void TestPresetData::satelliteNameGetsItsMark()
{
    LoadedDatabase db;
    PresetColumns columns;
    parsePreset(presettest::sampleImage(), db, columns);
    setText(*recordAt(db.satellites, 1), "NAME", "Meridian");
    setText(*recordAt(db.satellites, 1), "LONGITUDE", "1234");

    LoadedDatabase again;
    parsePreset(build(db, columns), again, columns);
    QCOMPARE(again.satellites.size(), 3);
    QCOMPARE(again.programmes.size(), db.programmes.size());
    QCOMPARE(fieldText(*recordAt(again.satellites, 1), "NAME"), QString("*Meridian"));
    QCOMPARE(fieldText(*recordAt(again.satellites, 1), "LONGITUDE"), QString("1234"));
}

void TestPresetData::columnsFromRecordsWhenNoneLoaded()
{
    LoadedDatabase db;
    PresetColumns columns;
    const QByteArray image = presettest::sampleImage();
    parsePreset(image, db, columns);
    // Nothing parsed since start-up: the records' own field names describe the columns.
    QCOMPARE(build(db, PresetColumns()).toHex(), image.toHex());
}

void TestPresetData::limits_data()
{
    QTest::addColumn<int>("programmeColumns");
    QTest::addColumn<int>("satelliteColumns");
    QTest::addColumn<int>("emptyTransponders");
    QTest::addColumn<int>("programmes");
    QTest::addColumn<QString>("programmeName");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("127 programme columns") << 127 << 1 << 0 << 1 << "p" << true;
    QTest::newRow("128 programme columns") << 128 << 1 << 0 << 1 << "p" << false;
    QTest::newRow("127 satellite columns") << 4 << 127 << 0 << 1 << "p" << true;
    QTest::newRow("128 satellite columns") << 4 << 128 << 0 << 1 << "p" << false;
    // One satellite + transponders + two header groups against the 16-bit count.
    QTest::newRow("count at 0xFFFF") << 4 << 1 << 0xFFFF - 3 << 0 << "p" << true;
    QTest::newRow("count over 0xFFFF") << 4 << 1 << 0xFFFF - 2 << 0 << "p" << false;
    // Each programme of 40 columns of 99 units costs about 8 KiB.
    QTest::newRow("image under 2 MiB") << 40 << 1 << 0 << 200 << "p" << true;
    QTest::newRow("image over 2 MiB") << 40 << 1 << 0 << 300 << "p" << false;
    QTest::newRow("programme named like a satellite") << 4 << 1 << 0 << 1 << "*p" << false;
}

void TestPresetData::limits()
{
    QFETCH(int, programmeColumns);
    QFETCH(int, satelliteColumns);
    QFETCH(int, emptyTransponders);
    QFETCH(int, programmes);
    QFETCH(QString, programmeName);
    QFETCH(bool, accepted);

    PresetColumns columns;
    columns.programme << "FRQ"
                      << "SYM"
                      << "POL";
    while (columns.programme.size() < programmeColumns)
        columns.programme << QStringLiteral("C%1").arg(columns.programme.size());
    while (columns.satellite.size() < satelliteColumns)
        columns.satellite << QStringLiteral("S%1").arg(columns.satellite.size());

    LoadedDatabase db;
    const QString longText(99, QLatin1Char('x'));
    DataRecord &sat = db.satellites.append(0, 0, 2);
    copyText(sat.values[1].name, OstrelNameUnits, "NAME");
    copyText(sat.values[1].text, OstrelTextUnits, "*S");
    for (int t = 0; t < emptyTransponders; ++t) {
        DataRecord &tp = db.transponders.append(uint32_t(t + 1), 0, 1);
        copyText(tp.values[0].name, OstrelNameUnits, "FRQ");
        copyText(tp.values[0].text, OstrelTextUnits, QString::number(10000 + t));
    }
    if (programmes > 0) {
        const uint32_t tp = uint32_t(emptyTransponders + 1);
        db.transponders.append(tp, 0, 0);
        for (int p = 0; p < programmes; ++p) {
            DataRecord &pg = db.programmes.append(uint32_t(tp + 1 + p), tp, uint32_t(4 + programmeColumns));
            copyText(pg.values[3].name, OstrelNameUnits, "NAME");
            copyText(pg.values[3].text, OstrelTextUnits, programmeName);
            for (int c = 3; c < programmeColumns; ++c) {
                copyText(pg.values[4 + c].name, OstrelNameUnits, columns.programme.at(c));
                copyText(pg.values[4 + c].text, OstrelTextUnits, longText);
            }
        }
    }

    bool ok = false;
    const QByteArray image = build(db, columns, &ok);
    QCOMPARE(ok, accepted);
    if (!accepted) {
        QVERIFY(image.isEmpty());
        return;
    }
    QVERIFY(image.size() <= PresetImageLimit);
    LoadedDatabase again;
    PresetColumns reread;
    parsePreset(image, again, reread);
    QCOMPARE(reread.programme.size(), columns.programme.size());
    QCOMPARE(reread.satellite.size(), columns.satellite.size());
    QCOMPARE(again.transponders.size(), db.transponders.size());
    QCOMPARE(again.programmes.size(), programmes);
}

QTEST_GUILESS_MAIN(TestPresetData)
#include "test_presetdata.moc"
