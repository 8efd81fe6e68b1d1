// The parser binding and the record conversions, against stand-in libraries
// with and without the optional entries.

#include "csv.h"
#include "documentio.h"
#include "fakeparser.h"
#include "parserlibrary.h"
#include "recordconversion.h"

#include "boundarytext.h"

#include <QLibrary>
#include <QtTest>

using namespace DB_NS;

class TestBinding : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void optionalEntries_data();
    void optionalEntries();
    void unloadLeavesNoEntry();
    void failedBindLeavesObjectEmpty();
    void sameNameDoesNotReload();
    void loadStatus_data();
    void loadStatus();
    void saveOutcome_data();
    void saveOutcome();
    void saveListsFollowTheModel();
    void textsAreCutToTheirFields();
    void firstAttributeNameWins();
    void csvQuoting_data();
    void csvQuoting();

private:
    static std::unique_ptr<ChannelDatabase> smallDatabase();
    FakeParserState *m_state = nullptr;
    QLibrary m_keepLoaded{QStringLiteral(FAKEPARSER_PATH)};
};

void TestBinding::initTestCase()
{
    // Holding our own handle keeps the stand-in's state alive across the
    // binding's unloads.
    QVERIFY2(m_keepLoaded.load(), qPrintable(m_keepLoaded.errorString()));
    auto stateFn = reinterpret_cast<FakeParserStateFn>(m_keepLoaded.resolve("FakeParser"));
    QVERIFY(stateFn);
    m_state = stateFn();
}

void TestBinding::init()
{
    *m_state = FakeParserState();
}

std::unique_ptr<ChannelDatabase> TestBinding::smallDatabase()
{
    std::vector<std::unique_ptr<SatNode>> sats;
    std::vector<std::unique_ptr<TPNode>> tps;
    std::vector<std::unique_ptr<PGNode>> pgs;
    for (quint32 s = 0; s < 2; ++s) {
        sats.push_back(std::make_unique<SatNode>(s));
        auto tp = std::make_unique<TPNode>(10 + s);
        tp->setParentId(s);
        tps.push_back(std::move(tp));
    }
    for (quint32 p = 0; p < 4; ++p) {
        auto pg = std::make_unique<PGNode>(100 + p);
        pg->setParentId(10 + p % 2);
        pg->addAttribute(QStringLiteral("NAME"), QStringLiteral("P%1").arg(p));
        pgs.push_back(std::move(pg));
    }
    return ChannelDatabase::build(std::move(sats), std::move(tps), std::move(pgs));
}

void TestBinding::optionalEntries_data()
{
    QTest::addColumn<QString>("library");
    QTest::addColumn<bool>("hasOptional");
    QTest::newRow("full") << QStringLiteral(FAKEPARSER_PATH) << true;
    QTest::newRow("without-optional") << QStringLiteral(FAKEPARSER_MINIMAL_PATH) << false;
}

void TestBinding::optionalEntries()
{
    QFETCH(QString, library);
    QFETCH(bool, hasOptional);
    ParserLibrary parser;
    QVERIFY(parser.bind(library));
    for (const char *name : {"Load", "GetSatMaxNum", "Save", "UIConfig", "Clean", "SatTemplate", "TPTemplate", "PGTemplate"})
        QVERIFY2(parser.hasEntry(name), name);
    QCOMPARE(parser.hasEntry("GetFavHotKeyGroups"), hasOptional);
    QCOMPARE(parser.hasEntry("SetFavHotKeyGroups"), hasOptional);
    QCOMPARE(parser.hasEntry("GetErrorText"), hasOptional);
    QCOMPARE(parser.hasEntry("GetTextCapacities"), hasOptional);

    DocumentData doc;
    QCOMPARE(loadDocument(parser, 2, QStringLiteral("x.udf"), doc), LoadStatus::Loaded);
    QVERIFY(doc.database);
    QCOMPARE(doc.favHotKeys.isEmpty(), !hasOptional);
    QCOMPARE(doc.satMaxNum, 64);
    if (!hasOptional) {
        FavHotKeyGroupList *groups = nullptr;
        QCOMPARE(parser.getFavHotKeyGroups(&groups), -1);
        QCOMPARE(parser.setFavHotKeyGroups(nullptr), -1);
    }
}

void TestBinding::unloadLeavesNoEntry()
{
    ParserLibrary parser;
    QVERIFY(parser.bind(QStringLiteral(FAKEPARSER_PATH)));
    parser.unload();
    QVERIFY(!parser.isLoaded());
    QVERIFY(parser.path().isEmpty());
    QCOMPARE(parser.load(2, u"x", nullptr, nullptr, nullptr, nullptr, nullptr), -1);
    QCOMPARE(parser.clean(), -1);
    QCOMPARE(parser.getSatMaxNum(), -1);
    QVERIFY(!parser.satTemplate() && !parser.tpTemplate() && !parser.pgTemplate());
    QCOMPARE(m_state->loadCalls, 0);
    QCOMPARE(m_state->cleanCalls, 0);
}

void TestBinding::failedBindLeavesObjectEmpty()
{
    ParserLibrary parser;
    QVERIFY(parser.bind(QStringLiteral(FAKEPARSER_PATH)));
    QVERIFY(!parser.bind(QStringLiteral("/nonexistent/libnothing")));
    QVERIFY(!parser.isLoaded());
    QVERIFY(parser.path().isEmpty());
    QVERIFY(!parser.errorString().isEmpty());
    QVERIFY(!parser.bind(QString()));
}

void TestBinding::sameNameDoesNotReload()
{
    ParserLibrary parser;
    QVERIFY(parser.bind(QStringLiteral(FAKEPARSER_PATH)));
    DocumentData doc;
    QCOMPARE(loadDocument(parser, 2, QStringLiteral("x.udf"), doc), LoadStatus::Loaded);
    // A reload would have unloaded the library and lost what Load handed out;
    // the same name keeps it, and no Clean is sent.
    QVERIFY(parser.bind(QStringLiteral(FAKEPARSER_PATH)));
    QCOMPARE(m_state->cleanCalls, 0);
    QVERIFY(parser.satTemplate() && parser.satTemplate()->count > 0);
}

void TestBinding::loadStatus_data()
{
    QTest::addColumn<int>("loadResult");
    QTest::addColumn<bool>("nullLists");
    QTest::addColumn<int>("status");
    QTest::newRow("loaded") << 0 << false << int(LoadStatus::Loaded);
    QTest::newRow("read-failed") << 3 << false << int(LoadStatus::LoadError);
    QTest::newRow("bad-argument") << 2 << false << int(LoadStatus::LoadError);
    QTest::newRow("no-lists") << 0 << true << int(LoadStatus::NoDatabase);
}

void TestBinding::loadStatus()
{
    QFETCH(int, loadResult);
    QFETCH(bool, nullLists);
    QFETCH(int, status);
    m_state->loadResult = loadResult;
    m_state->nullLists = nullLists;
    ParserLibrary parser;
    QVERIFY(parser.bind(QStringLiteral(FAKEPARSER_PATH)));
    DocumentData doc;
    doc.favouriteNames << QStringLiteral("kept");
    int result = -99;
    QCOMPARE(int(loadDocument(parser, 3, QStringLiteral("a.ddf"), doc, &result)), status);
    QCOMPARE(result, loadResult);
    QCOMPARE(m_state->lastLoadKind, 3);
    // Only a real load replaces what the document holds.
    QCOMPARE(bool(doc.database), status == int(LoadStatus::Loaded));
    if (status != int(LoadStatus::Loaded))
        QCOMPARE(doc.favouriteNames, QStringList{QStringLiteral("kept")});
}

void TestBinding::saveOutcome_data()
{
    QTest::addColumn<bool>("haveLibrary");
    QTest::addColumn<QString>("libraryName");
    QTest::addColumn<int>("saveResult");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<int>("saveCalls");
    QTest::newRow("saved") << true << QStringLiteral(FAKEPARSER_PATH) << 0 << int(SaveOutcome::Saved) << 1;
    QTest::newRow("writer-failed") << true << QStringLiteral(FAKEPARSER_PATH) << 1 << int(SaveOutcome::NotSupported) << 1;
    QTest::newRow("no-library-for-kind") << true << QString() << 0 << int(SaveOutcome::NoLibrary) << 0;
    QTest::newRow("library-missing") << true << QStringLiteral("/nonexistent/libnothing") << 0
                                     << int(SaveOutcome::NoLibrary) << 0;
    QTest::newRow("never-opened") << false << QStringLiteral(FAKEPARSER_PATH) << 0 << int(SaveOutcome::NotAttempted) << 0;
}

void TestBinding::saveOutcome()
{
    QFETCH(bool, haveLibrary);
    QFETCH(QString, libraryName);
    QFETCH(int, saveResult);
    QFETCH(int, outcome);
    QFETCH(int, saveCalls);
    m_state->saveResult = saveResult;
    DocumentData doc;
    doc.database = smallDatabase();
    ParserLibrary parser;
    QCOMPARE(int(saveDocument(haveLibrary ? &parser : nullptr, libraryName, 2, QStringLiteral("/tmp/ü.udf"), doc)),
             outcome);
    QCOMPARE(m_state->saveCalls, saveCalls);
    if (saveCalls) {
        QCOMPARE(QString::fromUtf16(m_state->lastSavePath), QStringLiteral("/tmp/ü.udf"));
        QCOMPARE(m_state->lastSaveSatellites, 2u);
        QCOMPARE(m_state->lastSaveProgrammes, 4u);
    }
}

void TestBinding::saveListsFollowTheModel()
{
    auto db = smallDatabase();
    // Programmes go out under their TPs, in each TP's own order, which a
    // reorder reaches once the lists are relinked.
    QVERIFY(db->movePGBefore(103, 100));
    db->relinkProgrammes();
    QVERIFY(db->exchangeSats(0, 1));
    SaveRecords records(*db);

    RecordList *sats = records.satellites();
    QCOMPARE(sats->count, 2u);
    QCOMPARE(sats->records[0]->id, 1u);
    QCOMPARE(sats->records[1]->id, 0u);
    RecordList *tps = records.transponders();
    QCOMPARE(tps->count, 2u);
    QCOMPARE(tps->records[0]->id, 11u);
    QCOMPARE(tps->records[0]->parentId, 1u);
    RecordList *pgs = records.programmes();
    QList<quint32> order;
    for (uint32_t i = 0; i < pgs->count; ++i)
        order << pgs->records[i]->id;
    QCOMPARE(order, (QList<quint32>{103, 101, 100, 102}));
    QCOMPARE(ostrel::readText(pgs->records[0]->values[0].text, OstrelTextUnits), QStringLiteral("P3"));
}

void TestBinding::textsAreCutToTheirFields()
{
    const QString longName(40, QLatin1Char('N'));
    const QString longValue(150, QChar(0x0416));
    std::vector<std::unique_ptr<SatNode>> sats;
    sats.push_back(std::make_unique<SatNode>(0));
    sats.back()->addAttribute(longName, longValue);
    sats.back()->addAttribute(QStringLiteral("FRQ"), QStringLiteral("12345"));
    auto db = ChannelDatabase::build(std::move(sats), {}, {});
    SaveRecords records(*db);

    const DataRecord &sat = *records.satellites()->records[0];
    QCOMPARE(sat.count, 2u);
    QCOMPARE(ostrel::readText(sat.values[0].name, OstrelNameUnits), longName.left(OstrelNameUnits - 1));
    QCOMPARE(ostrel::readText(sat.values[0].text, OstrelTextUnits), longValue.left(OstrelTextUnits - 1));
    // The terminator is in place and the neighbouring value is untouched.
    QCOMPARE(sat.values[0].text[OstrelTextUnits - 1], u'\0');
    QCOMPARE(ostrel::readText(sat.values[1].text, OstrelTextUnits), QStringLiteral("12345"));
}

void TestBinding::firstAttributeNameWins()
{
    FieldValue values[3] = {};
    ostrel::copyText(values[0].name, OstrelNameUnits, QStringLiteral("NAME"));
    ostrel::copyText(values[0].text, OstrelTextUnits, QStringLiteral("first"));
    ostrel::copyText(values[1].name, OstrelNameUnits, QStringLiteral("name"));
    ostrel::copyText(values[1].text, OstrelTextUnits, QStringLiteral("second"));
    ostrel::copyText(values[2].name, OstrelNameUnits, QStringLiteral("FRQ"));
    ostrel::copyText(values[2].text, OstrelTextUnits, QStringLiteral("11778"));
    DataRecord record{3, 7, 3, values};
    PGNode node;
    fillNodeFromRecord(node, record);
    QCOMPARE(node.id(), 7u);
    QCOMPARE(node.getParentId(), 3u);
    QCOMPARE(node.attributes().size(), 2);
    QCOMPARE(node.value(QStringLiteral("Name")), QStringLiteral("first"));

    DataRecord empty{5, 8, 0, nullptr}; // a count without values must not be read
    PGNode other;
    fillNodeFromRecord(other, empty);
    QCOMPARE(other.attributes().size(), 0);
}

void TestBinding::csvQuoting_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("field");
    QTest::newRow("plain") << QStringLiteral("Das Erste") << QByteArray("Das Erste");
    QTest::newRow("comma") << QStringLiteral("News, Sport") << QByteArray("\"News, Sport\"");
    QTest::newRow("quotes") << QStringLiteral("The \"One\"") << QByteArray("\"The \"\"One\"\"\"");
    QTest::newRow("line-break") << QStringLiteral("two\nlines") << QByteArray("\"two\nlines\"");
    QTest::newRow("non-latin") << QStringLiteral("Первый канал 東京") << QStringLiteral("Первый канал 東京").toUtf8();
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestBinding::csvQuoting()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, field);
    const QByteArray csv = csvDocument({QStringLiteral("NAME"), QStringLiteral("SID")}, {{text, QStringLiteral("7")}});
    QCOMPARE(csv, QByteArray("NAME,SID\r\n") + field + QByteArray(",7\r\n"));
}

QTEST_GUILESS_MAIN(TestBinding)
#include "tst_binding.moc"
