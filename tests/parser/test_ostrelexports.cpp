#include "ostrel_api.h"
#include "parserconfig.h"
#include "records.h"
#include "test_userdbhelpers.h"
#include "userdbdump.h"

#include <QLibrary>
#include <QTemporaryDir>
#include <QtTest>

using namespace ostrel;
using namespace userdbtest;

// The shared library as the editor sees it: looked up by name, with the shipped
// configuration next to the program.
class TestOstrelExports : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void entryPoints();
    void freshStateAndArguments();
    void roundTripWithShippedConfiguration();
    void textCapacities_data();
    void textCapacities();
    void fieldRanges_data();
    void fieldRanges();
    void errorTextSaysWhy();

private:
    QLibrary m_library;
    OstrelLoadFn m_load = nullptr;
    OstrelSaveFn m_save = nullptr;
    OstrelCleanFn m_clean = nullptr;
    OstrelUIConfigFn m_uiConfig = nullptr;
    OstrelTemplateFn m_satTemplate = nullptr;
    OstrelTemplateFn m_tpTemplate = nullptr;
    OstrelTemplateFn m_pgTemplate = nullptr;
    OstrelGetSatMaxNumFn m_satMaxNum = nullptr;
};

void TestOstrelExports::initTestCase()
{
    m_library.setFileName(QStringLiteral(TAVRIN_BIN_DIR "/libostrel.so"));
    QVERIFY2(m_library.load(), qPrintable(m_library.errorString()));
}

void TestOstrelExports::entryPoints()
{
    m_load = reinterpret_cast<OstrelLoadFn>(m_library.resolve("Load"));
    m_save = reinterpret_cast<OstrelSaveFn>(m_library.resolve("Save"));
    m_clean = reinterpret_cast<OstrelCleanFn>(m_library.resolve("Clean"));
    m_uiConfig = reinterpret_cast<OstrelUIConfigFn>(m_library.resolve("UIConfig"));
    m_satTemplate = reinterpret_cast<OstrelTemplateFn>(m_library.resolve("SatTemplate"));
    m_tpTemplate = reinterpret_cast<OstrelTemplateFn>(m_library.resolve("TPTemplate"));
    m_pgTemplate = reinterpret_cast<OstrelTemplateFn>(m_library.resolve("PGTemplate"));
    m_satMaxNum = reinterpret_cast<OstrelGetSatMaxNumFn>(m_library.resolve("GetSatMaxNum"));
    QVERIFY(m_load && m_save && m_clean && m_uiConfig && m_satTemplate && m_tpTemplate
            && m_pgTemplate && m_satMaxNum);
    // The editor treats these as optional; this library has none of them.
    QVERIFY(!m_library.resolve("GetFavHotKeyGroups"));
    QVERIFY(!m_library.resolve("SetFavHotKeyGroups"));
    // The implementation stays private to the library.
    QVERIFY(!m_library.resolve("_ZN6ostrel12scanUnsignedERK7QString"));
}

void TestOstrelExports::freshStateAndArguments()
{
    QVERIFY(m_load);
    QCOMPARE(m_satMaxNum(), -1);
    QCOMPARE(m_satTemplate()->count, 0u);
    RecordList *sats = nullptr, *tps = nullptr, *pgs = nullptr;
    NameList *favs = nullptr;
    HotKeyList *keys = nullptr;
    QCOMPARE(m_load(4, u"x.udf", &sats, &tps, &pgs, &favs, &keys), int32_t(OstrelBadArgument));
    QCOMPARE(m_load(2, u"x.udf", &sats, nullptr, &pgs, &favs, &keys), int32_t(OstrelBadArgument));
    QCOMPARE(m_satMaxNum(), -1);
    QCOMPARE(m_clean(), 0);
    QCOMPARE(m_clean(), 0);
}

void TestOstrelExports::roundTripWithShippedConfiguration()
{
    QVERIFY(m_load);
    // The copy of conf/ beside the test programs is the shipped one.
    ParserConfig config;
    QString error;
    QVERIFY2(readConfigFile(QStringLiteral(TAVRIN_BIN_DIR "/conf/tavrin_ostrel_config.xml"), config, &error),
             qPrintable(error));

    LoadedDatabase db;
    addRecord(db.satellites, 0, 0, {{"NAME", QStringLiteral("Hot Bird")}, {"LONGITUDE", QStringLiteral("1300")}, {"DISEQC", QStringLiteral("Port 2")}, {"DISEQC_MODE", QStringLiteral("1.0")}});
    addRecord(db.transponders, 0, 0, {{"FRQ", QStringLiteral("11034")}, {"SYM", QStringLiteral("27500")}, {"POL", QStringLiteral("V")}, {"FEC", QStringLiteral("3/4")}});
    addRecord(db.programmes, 0, 0, {{"NAME", QStringLiteral("Rai 1")}, {"V_PID", QStringLiteral("512")}, {"A_PID", QStringLiteral("650")}, {"FAV", QStringLiteral("5")}, {"LOCK", QStringLiteral("Yes")}});
    addRecord(db.programmes, 1, 0, {{"NAME", QStringLiteral("Radio")}, {"V_PID", QStringLiteral("0")}});
    const QByteArray block(16 + 32 * 32, '\0');
    const QByteArray dump = writeUserDump(config, *db.satellites.head(), *db.transponders.head(),
                                          *db.programmes.head(), nullptr, &block, {QStringLiteral("News")}, &error);
    QVERIFY2(!dump.isNull(), qPrintable(error));

    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("in.udf"));
    QFile file(in);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(dump) == dump.size());
    file.close();

    RecordList *sats = nullptr, *tps = nullptr, *pgs = nullptr;
    NameList *favs = nullptr;
    HotKeyList *keys = nullptr;
    const std::u16string inPath = in.toStdU16String();
    QCOMPARE(m_load(OstrelUserDump, inPath.c_str(), &sats, &tps, &pgs, &favs, &keys), int32_t(OstrelOk));
    QCOMPARE(m_satMaxNum(), 64);
    QCOMPARE(sats->count, 1u);
    QCOMPARE(pgs->count, 2u);
    QCOMPARE(favs->count, 32u);
    QCOMPARE(QString::fromUtf16(favs->names[0]), QStringLiteral("News"));
    QCOMPARE(valueOf(*sats->records[0], "LONGITUDE"), QStringLiteral("1300"));
    QCOMPARE(valueOf(*pgs->records[0], "LOCK"), QStringLiteral("Yes"));
    QCOMPARE(valueOf(*pgs->records[1], "NAME"), QStringLiteral("Radio"));
    TemplateList sat, tp, pg;
    QCOMPARE(m_uiConfig(&sat, &tp, &pg), 0);
    QCOMPARE(readText(sat.items[0].name, OstrelNameUnits), QStringLiteral("NAME"));
    QVERIFY(pg.count > 0 && tp.count > 0);

    // The satellite's DiSEqC rule runs through the template's callback.
    RecordStore copy;
    DataRecord &edited = addRecord(copy, 0, 0, {{"DISEQC", QStringLiteral("None")}, {"DISEQC_MODE", QStringLiteral("1.0")}});
    QCOMPARE(sat.items[0].trigger(u"DISEQC", &edited), 0);
    QCOMPARE(valueOf(edited, "DISEQC_MODE"), QStringLiteral("Off"));

    const QString out = dir.filePath(QStringLiteral("out.udf"));
    const std::u16string outPath = out.toStdU16String();
    HotKeyList noKeys{0, nullptr};
    QCOMPARE(m_save(OstrelUserDump, outPath.c_str(), sats, tps, pgs, favs, &noKeys), int32_t(OstrelOk));
    QFile written(out);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), dump);
    QCOMPARE(m_clean(), 0);
    QCOMPARE(m_pgTemplate()->count, 0u);
}

void TestOstrelExports::textCapacities_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("result");
    QTest::addColumn<QStringList>("fields"); // "kind:NAME=units" of the shipped configuration
    QTest::addColumn<int>("favouriteUnits");
    QTest::newRow("dump") << 2 << 0 << QStringList{"1:NAME=16", "3:NAME=24"} << 16;
    QTest::newRow("default-database") << 3 << 0 << QStringList() << 0;
    QTest::newRow("unknown-kind") << 4 << 2 << QStringList() << 0;
}

void TestOstrelExports::textCapacities()
{
    QFETCH(int, type);
    QFETCH(int, result);
    QFETCH(QStringList, fields);
    QFETCH(int, favouriteUnits);
    auto capacities = reinterpret_cast<OstrelGetTextCapacitiesFn>(m_library.resolve("GetTextCapacities"));
    QVERIFY(capacities);
    CapacityList *list = nullptr;
    QCOMPARE(capacities(type, &list), result);
    if (result != 0)
        return;
    QStringList found;
    for (uint32_t i = 0; i < list->count; ++i) {
        found << QStringLiteral("%1:%2=%3").arg(list->items[i].kind).arg(readText(list->items[i].name, OstrelNameUnits)).arg(list->items[i].units);
    }
    QCOMPARE(found, fields);
    QCOMPARE(list->nameUnits, OstrelNameUnits - 1);
    QCOMPARE(list->favouriteNameUnits, favouriteUnits);
}

void TestOstrelExports::fieldRanges_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("result");
    QTest::addColumn<QStringList>("present"); // "kind:NAME=valueKind minimum-maximum options"
    QTest::addColumn<QStringList>("absent");  // "kind:NAME"
    QTest::newRow("dump") << 2 << 0
                          << QStringList{"3:SID=1 0-65535 ", "3:V_PID=1 0-8191 ", "3:FAV=1 0-4294967295 ", "3:LOCK=2 0-1 No;Yes"}
                          << QStringList{"3:id", "3:default_order", "3:NAME"};
    // Preset data keeps its option columns as text; numbers must fit the receiver's fields.
    QTest::newRow("default-database") << 3 << 0 << QStringList{"3:SID=1 0-65535 ", "2:FRQ=1 0-1048575 "}
                                      << QStringList{"2:POL", "3:LOCK", "3:id"};
    QTest::newRow("unknown-kind") << 4 << 2 << QStringList() << QStringList();
}

void TestOstrelExports::fieldRanges()
{
    QFETCH(int, type);
    QFETCH(int, result);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    auto ranges = reinterpret_cast<OstrelGetFieldRangesFn>(m_library.resolve("GetFieldRanges"));
    QVERIFY(ranges);
    FieldRangeList *list = nullptr;
    QCOMPARE(ranges(type, &list), result);
    if (result != 0)
        return;
    QStringList found;
    QStringList names;
    for (uint32_t i = 0; i < list->count; ++i) {
        const FieldRange &r = list->items[i];
        names << QStringLiteral("%1:%2").arg(r.kind).arg(readText(r.name, OstrelNameUnits));
        found << names.last() + QStringLiteral("=%1 %2-%3 %4").arg(r.valueKind).arg(r.minimum).arg(r.maximum).arg(r.options ? QString::fromUtf16(r.options) : QString());
    }
    for (const QString &range : present)
        QVERIFY2(found.contains(range), qPrintable(range));
    for (const QString &name : absent)
        QVERIFY2(!names.contains(name), qPrintable(name));
}

void TestOstrelExports::errorTextSaysWhy()
{
    auto errorText = reinterpret_cast<OstrelGetErrorTextFn>(m_library.resolve("GetErrorText"));
    QVERIFY(m_load && errorText);
    RecordList *sats = nullptr, *tps = nullptr, *pgs = nullptr;
    NameList *favs = nullptr;
    HotKeyList *keys = nullptr;
    QCOMPARE(m_load(OstrelUserDump, u"/nonexistent/x.udf", &sats, &tps, &pgs, &favs, &keys), int32_t(OstrelReadFailed));
    QVERIFY(QString::fromUtf16(errorText()).startsWith(QStringLiteral("/nonexistent/x.udf: ")));
}

QTEST_GUILESS_MAIN(TestOstrelExports)
#include "test_ostrelexports.moc"
