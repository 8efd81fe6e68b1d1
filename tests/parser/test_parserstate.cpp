#include "crc32mpeg2.h"
#include "parserstate.h"
#include "test_userdbhelpers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

using namespace ostrel;
using namespace userdbtest;

namespace {

// The small layout with a rule: a vertical transponder gets FRQ 999.
QByteArray stateConfig()
{
    QByteArray xml = smallDumpConfig();
    xml.replace(R"(<opt value="1" name="V"/></elem>)",
                R"(<opt value="1" name="V"/><trigger from="1" to="1" elem_name="FRQ" value="999"/></elem>)");
    return xml;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::u16string u16(const QString &text)
{
    return text.toStdU16String();
}

struct Lists
{
    RecordList *sats = nullptr;
    RecordList *tps = nullptr;
    RecordList *pgs = nullptr;
    NameList *favs = nullptr;
    HotKeyList *keys = nullptr;
};

} // namespace

class TestParserState : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void loadArguments_data();
    void loadArguments();
    void saveArguments_data();
    void saveArguments();
    void uiConfigArguments();
    void satMaxNumBeforeAnyRead();
    void loadAndSaveUnchanged();
    void saveWritesFavouritesAndRenumbers();
    void failedLoads_data();
    void failedLoads();
    void loadFailingAfterRecords_data();
    void loadFailingAfterRecords();
    void cleanTwice();
    void failedSaveKeepsFile();
    void saveWithOtherConfiguration();
    void pathWithSeparatorKeepsConfiguration();
    void templateTriggersReadLoadedConfiguration();

private:
    QString confPath(const QString &name) const { return m_dir.filePath(QStringLiteral("conf/") + name); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    // A dump of two satellites with a trailing block of three favourite slots.
    void writeSampleDump(const QString &path);
    // Two satellites of two transponders of two programmes each; countOffsets gets
    // the byte offset of each node's child count, in file order (S0, T00, T01, S1, T10, T11).
    QByteArray treeDump(std::vector<int> &countOffsets);
    int32_t load(ParserState &state, const QString &path, Lists &lists);
    int32_t save(ParserState &state, const QString &path, Lists &lists);

    QTemporaryDir m_dir;
};

void TestParserState::init()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("conf")));
    QVERIFY(writeFile(confPath(ParserState::configFileName()), stateConfig()));
}

void TestParserState::writeSampleDump(const QString &path)
{
    const ParserConfig config = configFrom(stateConfig());
    LoadedDatabase db;
    addRecord(db.satellites, 0, 0, {{"id", QStringLiteral("0")}, {"NAME", QStringLiteral("S0")}});
    addRecord(db.satellites, 1, 0, {{"id", QStringLiteral("1")}, {"NAME", QStringLiteral("S1")}});
    addRecord(db.transponders, 0, 1, {{"FRQ", QStringLiteral("100")}, {"POL", QStringLiteral("H")}});
    addRecord(db.programmes, 0, 0, {{"NAME", QStringLiteral("p")}, {"MODE", QStringLiteral("C")}});
    const QByteArray block(26, '\0');
    const QByteArray dump = writeUserDump(config, *db.satellites.head(), *db.transponders.head(),
                                          *db.programmes.head(), nullptr, &block,
                                          {QStringLiteral("Fav1"), QStringLiteral("Fav2")});
    QVERIFY(!dump.isNull());
    QVERIFY(writeFile(path, dump));
}

int32_t TestParserState::load(ParserState &state, const QString &path, Lists &lists)
{
    const std::u16string p = u16(path);
    return state.load(OstrelUserDump, p.c_str(), &lists.sats, &lists.tps, &lists.pgs, &lists.favs, &lists.keys);
}

int32_t TestParserState::save(ParserState &state, const QString &path, Lists &lists)
{
    const std::u16string p = u16(path);
    HotKeyList keys{0, nullptr};
    return state.save(OstrelUserDump, p.c_str(), lists.sats, lists.tps, lists.pgs, lists.favs, &keys);
}

void TestParserState::loadArguments_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("nullArgument"); // -1: none; 0: path; 1..5: out-parameters
    QTest::newRow("type-0") << 0 << -1;
    QTest::newRow("type-4") << 4 << -1;
    QTest::newRow("type-negative") << -1 << -1;
    QTest::newRow("null-path") << 2 << 0;
    for (int i = 1; i <= 5; ++i)
        QTest::newRow(qPrintable(QStringLiteral("null-out-%1").arg(i))) << 2 << i;
}

void TestParserState::loadArguments()
{
    QFETCH(int, type);
    QFETCH(int, nullArgument);
    writeSampleDump(filePath(QStringLiteral("a.udf")));
    ParserState state(m_dir.filePath(QStringLiteral("conf")));

    // Out-parameters keep what they held.
    auto *marker = reinterpret_cast<RecordList *>(0x1234);
    RecordList *sats = marker, *tps = marker, *pgs = marker;
    NameList *favs = reinterpret_cast<NameList *>(0x1234);
    HotKeyList *keys = reinterpret_cast<HotKeyList *>(0x1234);
    const std::u16string path = u16(filePath(QStringLiteral("a.udf")));
    const int32_t result = state.load(type, nullArgument == 0 ? nullptr : path.c_str(),
                                      nullArgument == 1 ? nullptr : &sats, nullArgument == 2 ? nullptr : &tps,
                                      nullArgument == 3 ? nullptr : &pgs, nullArgument == 4 ? nullptr : &favs,
                                      nullArgument == 5 ? nullptr : &keys);
    QCOMPARE(result, int32_t(OstrelBadArgument));
    QVERIFY(sats == marker && tps == marker && pgs == marker);
    QVERIFY(favs == reinterpret_cast<NameList *>(0x1234));
    QVERIFY(keys == reinterpret_cast<HotKeyList *>(0x1234));
    QCOMPARE(state.satMaxNum(), -1);
}

void TestParserState::saveArguments_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("nullArgument");
    QTest::newRow("type-0") << 0 << -1;
    QTest::newRow("type-4") << 4 << -1;
    QTest::newRow("null-path") << 2 << 0;
    QTest::newRow("null-satellites") << 2 << 1;
    QTest::newRow("null-programmes") << 2 << 3;
    QTest::newRow("null-favourites") << 2 << 4;
    QTest::newRow("null-hot-keys") << 2 << 5;
}

void TestParserState::saveArguments()
{
    QFETCH(int, type);
    QFETCH(int, nullArgument);
    ParserState state(m_dir.filePath(QStringLiteral("conf")));
    RecordList empty{0, nullptr};
    NameList names{0, nullptr};
    HotKeyList keys{0, nullptr};
    const QString out = filePath(QStringLiteral("out.udf"));
    const std::u16string path = u16(out);
    const int32_t result = state.save(type, nullArgument == 0 ? nullptr : path.c_str(),
                                      nullArgument == 1 ? nullptr : &empty, nullArgument == 2 ? nullptr : &empty,
                                      nullArgument == 3 ? nullptr : &empty, nullArgument == 4 ? nullptr : &names,
                                      nullArgument == 5 ? nullptr : &keys);
    QCOMPARE(result, int32_t(OstrelBadArgument));
    QVERIFY(!QFile::exists(out));
}

void TestParserState::uiConfigArguments()
{
    ParserState state(m_dir.filePath(QStringLiteral("conf")));
    TemplateList a{7, nullptr}, b{7, nullptr};
    QCOMPARE(state.uiConfig(&a, &b, nullptr), int32_t(OstrelBadArgument));
    QCOMPARE(a.count, 7u);
    TemplateList c{7, nullptr};
    QCOMPARE(state.uiConfig(&a, &b, &c), int32_t(OstrelOk));
    QCOMPARE(a.count + b.count + c.count, 0u);
}

void TestParserState::satMaxNumBeforeAnyRead()
{
    ParserState state(m_dir.filePath(QStringLiteral("conf")));
    QCOMPARE(state.satMaxNum(), -1);
    QCOMPARE(state.satTemplate()->count, 0u);
    Lists lists;
    // The configuration is read even when the dump then cannot be opened.
    QCOMPARE(load(state, filePath(QStringLiteral("absent.udf")), lists), int32_t(OstrelReadFailed));
    QCOMPARE(state.satMaxNum(), 12);
}

void TestParserState::loadAndSaveUnchanged()
{
    const QString in = filePath(QStringLiteral("in.udf"));
    writeSampleDump(in);
    ParserState state(m_dir.filePath(QStringLiteral("conf")));
    Lists lists;
    QCOMPARE(load(state, in, lists), int32_t(OstrelOk));
    QCOMPARE(lists.sats, state.database().satellites.head());
    QCOMPARE(lists.sats->count, 2u);
    QCOMPARE(lists.tps->count, 1u);
    QCOMPARE(lists.pgs->count, 1u);
    QCOMPARE(lists.favs->count, 3u);
    QCOMPARE(QString::fromUtf16(lists.favs->names[1]), QStringLiteral("Fav2"));
    QCOMPARE(lists.keys->count, 0u);
    QVERIFY(!lists.keys->items);
    QCOMPARE(state.pgTemplate()->count, 6u);
    TemplateList sat, tp, pg;
    QCOMPARE(state.uiConfig(&sat, &tp, &pg), int32_t(OstrelOk));
    QCOMPARE(sat.items, state.satTemplate()->items);
    QCOMPARE(tp.count, 4u);

    const QString out = filePath(QStringLiteral("out.udf"));
    QCOMPARE(save(state, out, lists), int32_t(OstrelOk));
    QCOMPARE(readFile(out), readFile(in));
}

void TestParserState::saveWritesFavouritesAndRenumbers()
{
    const QString in = filePath(QStringLiteral("in.udf"));
    writeSampleDump(in);
    ParserState state(m_dir.filePath(QStringLiteral("conf")));
    Lists lists;
    QCOMPARE(load(state, in, lists), int32_t(OstrelOk));

    // The editor's own lists: a new satellite and a renamed group.
    RecordStore sats;
    addRecord(sats, 0, 0, {{"NAME", QStringLiteral("S0")}});
    addRecord(sats, 0xFFFFFFFFu, 0, {{"NAME", QStringLiteral("New")}, {"id", QString()}});
    std::u16string news = u"News";
    char16_t *names[] = {news.data(), nullptr};
    NameList favourites{2, names};
    Lists edited{sats.head(), lists.tps, lists.pgs, &favourites, nullptr};
    const QString out = filePath(QStringLiteral("out.udf"));
    QCOMPARE(save(state, out, edited), int32_t(OstrelOk));
    QCOMPARE(valueOf(recordAt(sats, 1), "id"), QStringLiteral("1"));

    // The save left the loaded lists alone; load what was written.
    ParserState other(m_dir.filePath(QStringLiteral("conf")));
    Lists reloaded;
    QCOMPARE(load(other, out, reloaded), int32_t(OstrelOk));
    QCOMPARE(reloaded.sats->count, 2u);
    QCOMPARE(reloaded.sats->records[1]->id, 1u);
    QCOMPARE(QString::fromUtf16(reloaded.favs->names[0]), QStringLiteral("News"));
    QCOMPARE(QString::fromUtf16(reloaded.favs->names[1]), QStringLiteral("Fav2"));
    // The transponder of satellite 1 lost its parent: it and its programme stay out.
    QCOMPARE(reloaded.tps->count, 0u);
    QCOMPARE(reloaded.pgs->count, 0u);
}

void TestParserState::failedLoads_data()
{
    QTest::addColumn<QString>("what");
    QTest::newRow("missing-dump") << QStringLiteral("missing-dump");
    QTest::newRow("missing-configuration") << QStringLiteral("missing-configuration");
    QTest::newRow("broken-configuration") << QStringLiteral("broken-configuration");
    QTest::newRow("damaged-dump") << QStringLiteral("damaged-dump");
    QTest::newRow("empty-dump") << QStringLiteral("empty-dump");
}

void TestParserState::failedLoads()
{
    QFETCH(QString, what);
    const QString in = filePath(QStringLiteral("in.udf"));
    writeSampleDump(in);
    ParserState state(m_dir.filePath(QStringLiteral("conf")));
    Lists lists;
    QCOMPARE(load(state, in, lists), int32_t(OstrelOk));

    QString path = in;
    if (what == QLatin1String("missing-dump"))
        path = filePath(QStringLiteral("nothing.udf"));
    else if (what == QLatin1String("missing-configuration"))
        QVERIFY(QFile::remove(confPath(ParserState::configFileName())));
    else if (what == QLatin1String("broken-configuration"))
        QVERIFY(writeFile(confPath(ParserState::configFileName()), "<userdb_dump><head/>"));
    else if (what == QLatin1String("damaged-dump")) {
        QByteArray bytes = readFile(in);
        bytes[40] = char(bytes.at(40) ^ 1);
        QVERIFY(writeFile(in, bytes));
    } else if (what == QLatin1String("empty-dump")) {
        QVERIFY(writeFile(in, QByteArray()));
    }

    Lists after;
    QCOMPARE(load(state, path, after), int32_t(OstrelReadFailed));
    QVERIFY(!after.sats);
    QVERIFY(!state.errorString().isEmpty());
    // The previous database is gone and nothing of the failed one is handed out.
    QCOMPARE(lists.sats->count, 0u);
    QCOMPARE(state.satTemplate()->count, 0u);
    QCOMPARE(state.database().favourites.size(), 0);
    QVERIFY(!state.dumpExtras().hasTrailingBlock);
}

QByteArray TestParserState::treeDump(std::vector<int> &countOffsets)
{
    const ParserConfig config = configFrom(stateConfig());
    LoadedDatabase db;
    uint32_t id = 0;
    for (uint32_t s = 0; s < 2; ++s) {
        const uint32_t sat = id++;
        addRecord(db.satellites, sat, 0, {{"NAME", QStringLiteral("S%1").arg(s)}});
        for (uint32_t t = 0; t < 2; ++t) {
            const uint32_t tp = id++;
            addRecord(db.transponders, tp, sat, {{"FRQ", QString::number(100 + tp)}});
            for (uint32_t p = 0; p < 2; ++p)
                addRecord(db.programmes, id++, tp, {{"NAME", QStringLiteral("p%1").arg(id)}});
        }
    }
    const QByteArray dump = writeUserDump(config, *db.satellites.head(), *db.transponders.head(),
                                          *db.programmes.head(), nullptr, nullptr, {});
    int at = int(config.head.bytes);
    for (int s = 0; s < 2; ++s) {
        at += int(config.sat.bytes);
        countOffsets.push_back(at);
        at += 4;
        for (int t = 0; t < 2; ++t) {
            at += int(config.tp.bytes);
            countOffsets.push_back(at);
            at += 4 + 2 * int(config.pg.bytes);
        }
    }
    return dump;
}

void TestParserState::loadFailingAfterRecords_data()
{
    // A child count that the checks refuse makes the reader stop after that many records.
    QTest::addColumn<int>("count"); // index into the child counts in file order
    QTest::addColumn<uint32_t>("value");
    QTest::addColumn<QString>("reason");
    QTest::newRow("after-1-record") << 0 << 99u << QStringLiteral("satellite 0 claims 99 transponders");
    QTest::newRow("after-5-records") << 2 << 99u << QStringLiteral("claims 99 programmes");
    QTest::newRow("after-8-records") << 3 << 99u << QStringLiteral("satellite 1 claims 99 transponders");
    // The totals disagree only once every node is read.
    QTest::newRow("after-11-records") << 3 << 1u << QStringLiteral("the nodes hold 3 transponders");
}

void TestParserState::loadFailingAfterRecords()
{
    QFETCH(int, count);
    QFETCH(uint32_t, value);
    QFETCH(QString, reason);
    std::vector<int> offsets;
    const QByteArray good = treeDump(offsets);
    QVERIFY(!good.isNull());
    QByteArray bad = good;
    qToLittleEndian(value, bad.data() + offsets[size_t(count)]);
    // A valid checksum, so that the reader gets as far as the count.
    const ParserConfig config = configFrom(stateConfig());
    auto headByte = [&config](const char *name) {
        return int(config.head.starts[size_t(config.head.indexOf(QLatin1String(name)))] / 8);
    };
    const int crcAt = headByte("crc");
    const uint32_t dataLength = qFromLittleEndian<uint32_t>(bad.constData() + headByte("data_len"));
    qToLittleEndian(crc32Mpeg2(bad.constData() + config.head.bytes, dataLength), bad.data() + crcAt);
    const QString goodPath = filePath(QStringLiteral("good.udf"));
    const QString badPath = filePath(QStringLiteral("bad.udf"));
    QVERIFY(writeFile(goodPath, good));
    QVERIFY(writeFile(badPath, bad));

    ParserState state(m_dir.filePath(QStringLiteral("conf")));
    Lists lists;
    QCOMPARE(load(state, goodPath, lists), int32_t(OstrelOk));
    QCOMPARE(load(state, badPath, lists), int32_t(OstrelReadFailed));
    QVERIFY2(state.errorString().contains(reason), qPrintable(state.errorString()));
    // Every block of the half-read lists is gone; a sanitizer build also checks
    // that none is freed twice when the next load and the state's end free again.
    for (RecordStore *list : {&state.database().satellites, &state.database().transponders,
                              &state.database().programmes}) {
        QCOMPARE(list->size(), 0);
        QCOMPARE(list->blockCount(), 0);
    }
    QCOMPARE(load(state, goodPath, lists), int32_t(OstrelOk));
    QCOMPARE(lists.sats->count + lists.tps->count + lists.pgs->count, 2u + 4u + 8u);
    QCOMPARE(load(state, badPath, lists), int32_t(OstrelReadFailed));
}

void TestParserState::cleanTwice()
{
    const QString in = filePath(QStringLiteral("in.udf"));
    writeSampleDump(in);
    ParserState state(m_dir.filePath(QStringLiteral("conf")));
    Lists lists;
    QCOMPARE(load(state, in, lists), int32_t(OstrelOk));
    QCOMPARE(state.clean(), int32_t(OstrelOk));
    QCOMPARE(state.clean(), int32_t(OstrelOk));
    QCOMPARE(lists.sats->count + lists.tps->count + lists.pgs->count + lists.favs->count, 0u);
    QCOMPARE(state.satTemplate()->count + state.tpTemplate()->count + state.pgTemplate()->count, 0u);
    QVERIFY(!state.dumpExtras().hasTrailingBlock);
    // The configuration stays.
    QCOMPARE(state.satMaxNum(), 12);
}

void TestParserState::failedSaveKeepsFile()
{
    const QString in = filePath(QStringLiteral("in.udf"));
    writeSampleDump(in);
    const QByteArray before = readFile(in);
    ParserState state(m_dir.filePath(QStringLiteral("conf")));
    Lists lists;
    QCOMPARE(load(state, in, lists), int32_t(OstrelOk));

    // A list the writer refuses leaves the file as it was.
    RecordList broken{4, nullptr};
    Lists bad{&broken, lists.tps, lists.pgs, lists.favs, nullptr};
    QCOMPARE(save(state, in, bad), int32_t(OstrelWriteFailed));
    QCOMPARE(readFile(in), before);

    QCOMPARE(save(state, filePath(QStringLiteral("no/such/folder/x.udf")), lists), int32_t(OstrelWriteFailed));
    QVERIFY(QFile::remove(confPath(ParserState::configFileName())));
    QCOMPARE(save(state, in, lists), int32_t(OstrelWriteFailed));
    QCOMPARE(readFile(in), before);
}

void TestParserState::saveWithOtherConfiguration()
{
    const QString in = filePath(QStringLiteral("in.udf"));
    writeSampleDump(in);
    QByteArray other = stateConfig();
    other.replace("<pg size=\"80\">", "<pg size=\"96\">");
    QVERIFY(writeFile(confPath(QStringLiteral("other.xml")), other));
    ParserState state(m_dir.filePath(QStringLiteral("conf")));
    Lists lists;
    QCOMPARE(load(state, in, lists), int32_t(OstrelOk));

    const QString out = filePath(QStringLiteral("wide.udf"));
    QCOMPARE(save(state, QStringLiteral("other.xml;") + out, lists), int32_t(OstrelOk));
    QCOMPARE(readFile(out).size(), readFile(in).size() + 2);
    // The loaded configuration is not the one the save used.
    QCOMPARE(state.config().pg.bytes, 10u);
    QCOMPARE(save(state, QStringLiteral("absent.xml;") + out, lists), int32_t(OstrelWriteFailed));
}

void TestParserState::pathWithSeparatorKeepsConfiguration()
{
    const QString in = filePath(QStringLiteral("in.udf"));
    const QString odd = filePath(QStringLiteral("odd;name.udf"));
    writeSampleDump(in);
    writeSampleDump(odd);
    ParserState state(m_dir.filePath(QStringLiteral("conf")));
    Lists lists;
    QCOMPARE(load(state, in, lists), int32_t(OstrelOk));
    // Breaking the file on disk does not matter: a path with ";" uses the one in memory.
    QVERIFY(writeFile(confPath(ParserState::configFileName()), "broken"));
    QCOMPARE(load(state, odd, lists), int32_t(OstrelOk));
    QCOMPARE(lists.sats->count, 2u);
    QCOMPARE(load(state, in, lists), int32_t(OstrelReadFailed));
}

void TestParserState::templateTriggersReadLoadedConfiguration()
{
    const QString in = filePath(QStringLiteral("in.udf"));
    writeSampleDump(in);
    ParserState state(m_dir.filePath(QStringLiteral("conf")));
    Lists lists;
    QCOMPARE(load(state, in, lists), int32_t(OstrelOk));
    const TemplateList *tp = state.tpTemplate();
    QVERIFY(tp->count > 0 && tp->items[0].trigger);

    RecordStore copy;
    DataRecord &record = addRecord(copy, 0, 1, {{"POL", QStringLiteral("V")}, {"FRQ", QStringLiteral("100")}});
    QCOMPARE(tp->items[0].trigger(u"POL", &record), 0);
    QCOMPARE(valueOf(record, "FRQ"), QStringLiteral("999"));
    QCOMPARE(tp->items[0].trigger(u"FRQ", &record), 2);
}

QTEST_GUILESS_MAIN(TestParserState)
#include "test_parserstate.moc"
