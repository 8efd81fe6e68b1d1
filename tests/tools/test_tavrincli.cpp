// End to end through the built tavrin-cli, libostrel.so and the shipped
// configuration, against golden files made by our sample generator: export,
// import, info and what the tool refuses. The edit command has its own test.

#include "tavrinclifixture.h"

#include "bytecompare.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QtTest>

class TestTavrinCli : public TavrinCliFixture
{
    Q_OBJECT

private slots:
    void exportMatchesGolden();
    void unchangedImportIsByteIdentical();
    void fixedEditMatchesGolden();
    void newSatelliteGetsLowestFreeId();
    void infoCountsRecords();
    void importWithoutBaseWarnsOfLostFavourites();
    void importNamesCutTexts();
    void exportCsvListsEveryProgramme();
    void otherKindsRoundTripThroughJson_data();
    void otherKindsRoundTripThroughJson();
    void failures_data();
    void failures();

private:
    static QJsonObject editedGoldenJson(QJsonObject json);
};

// The one fixed edit the golden files record: programme 0 renamed, and a new
// satellite (editor-made id) with one TP and one programme.
QJsonObject TestTavrinCli::editedGoldenJson(QJsonObject json)
{
    QJsonArray pgs = json.value(QStringLiteral("programmes")).toArray();
    QJsonObject first = pgs.at(0).toObject();
    QJsonArray values = first.value(QStringLiteral("values")).toArray();
    for (int i = 0; i < values.size(); ++i) {
        if (values.at(i).toArray().at(0).toString() == QLatin1String("NAME"))
            values[i] = QJsonArray{QStringLiteral("NAME"), QStringLiteral("Edited Канал")};
    }
    first.insert(QStringLiteral("values"), values);
    pgs[0] = first;

    auto record = [](qint64 id, qint64 parent, const QString &name, const QString &text) {
        QJsonArray values;
        values.append(QJsonArray{name, text});
        return QJsonObject{{QStringLiteral("id"), id}, {QStringLiteral("parentId"), parent}, {QStringLiteral("values"), values}};
    };
    QJsonArray sats = json.value(QStringLiteral("satellites")).toArray();
    sats.append(record(0x10000, 0, QStringLiteral("NAME"), QStringLiteral("New Sat 1.0W")));
    QJsonArray tps = json.value(QStringLiteral("transponders")).toArray();
    tps.append(record(0x10001, 0x10000, QStringLiteral("FRQ"), QStringLiteral("11111")));
    pgs.append(record(0x10002, 0x10001, QStringLiteral("NAME"), QStringLiteral("New Programme")));

    json.insert(QStringLiteral("satellites"), sats);
    json.insert(QStringLiteral("transponders"), tps);
    json.insert(QStringLiteral("programmes"), pgs);
    return json;
}

// scripts/make-golden runs this test with TAVRIN_UPDATE_GOLDEN set to write
// the expected files from the current build instead of comparing with them.
static bool updatingGolden()
{
    return qEnvironmentVariableIsSet("TAVRIN_UPDATE_GOLDEN");
}

static bool writeGolden(const QString &name, const QByteArray &bytes)
{
    QFile f(QStringLiteral(TAVRIN_TEST_DATA_DIR "/") + name);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

void TestTavrinCli::exportMatchesGolden()
{
    if (updatingGolden())
        QVERIFY(writeGolden(QStringLiteral("golden.json"), cli({QStringLiteral("export"), m_golden}).out));
    QFile expectedFile(QStringLiteral(TAVRIN_TEST_DATA_DIR "/golden.json"));
    QVERIFY(expectedFile.open(QIODevice::ReadOnly));
    const QJsonObject expected = QJsonDocument::fromJson(expectedFile.readAll()).object();
    QVERIFY(!expected.isEmpty());
    const QJsonObject actual = exportJson(m_golden);
    // Compare list by list so a failure names the part that differs.
    for (const QString &key : expected.keys())
        QVERIFY2(actual.value(key) == expected.value(key), qPrintable(QStringLiteral("'%1' differs").arg(key)));
    QCOMPARE(actual.keys(), expected.keys());
}

void TestTavrinCli::unchangedImportIsByteIdentical()
{
    const QString json = writeFile(QStringLiteral("same.json"), cli({QStringLiteral("export"), m_golden}).out);
    const QString out = m_dir.filePath(QStringLiteral("same.udf"));
    const Run r = cli({QStringLiteral("import"), json, QStringLiteral("-o"), out, QStringLiteral("--base"), m_golden});
    QVERIFY2(r.exitCode == 0, r.err.constData());
    QFile original(m_golden), saved(out);
    QVERIFY(original.open(QIODevice::ReadOnly) && saved.open(QIODevice::ReadOnly));
    COMPARE_BYTES(saved.readAll(), original.readAll());
}

void TestTavrinCli::fixedEditMatchesGolden()
{
    const QJsonObject edited = editedGoldenJson(exportJson(m_golden));
    const QString json = writeFile(QStringLiteral("edited.json"), QJsonDocument(edited).toJson());
    const QString out = m_dir.filePath(QStringLiteral("edited.udf"));
    const Run r = cli({QStringLiteral("import"), json, QStringLiteral("-o"), out, QStringLiteral("--base"), m_golden});
    QVERIFY2(r.exitCode == 0, r.err.constData());
    if (updatingGolden()) {
        QFile result(out);
        QVERIFY(result.open(QIODevice::ReadOnly) && writeGolden(QStringLiteral("golden-edited.udf"), result.readAll()));
    }
    QFile expected(QStringLiteral(TAVRIN_TEST_DATA_DIR "/golden-edited.udf")), saved(out);
    QVERIFY(expected.open(QIODevice::ReadOnly) && saved.open(QIODevice::ReadOnly));
    COMPARE_BYTES(saved.readAll(), expected.readAll());
}

void TestTavrinCli::newSatelliteGetsLowestFreeId()
{
    const QJsonObject before = exportJson(m_golden);
    const int satCount = before.value(QStringLiteral("satellites")).toArray().size();
    const QString json = writeFile(QStringLiteral("new.json"), QJsonDocument(editedGoldenJson(before)).toJson());
    const QString out = m_dir.filePath(QStringLiteral("new.udf"));
    QCOMPARE(cli({QStringLiteral("import"), json, QStringLiteral("-o"), out, QStringLiteral("--base"), m_golden}).exitCode, 0);

    // One pool of ids serves all three kinds: the new records take the lowest
    // ids no record uses, in list order, and the children follow their parents.
    QSet<int> used;
    for (const char *key : {"satellites", "transponders", "programmes"}) {
        for (const QJsonValue &r : before.value(QLatin1String(key)).toArray())
            used.insert(r.toObject().value(QStringLiteral("id")).toInt());
    }
    QList<int> free;
    for (int id = 0; free.size() < 3; ++id) {
        if (!used.contains(id))
            free << id;
    }

    const QJsonObject after = exportJson(out);
    const QJsonArray sats = after.value(QStringLiteral("satellites")).toArray();
    QCOMPARE(sats.size(), satCount + 1);
    const QJsonObject newSat = sats.last().toObject();
    QCOMPARE(newSat.value(QStringLiteral("id")).toInt(), free.at(0));
    const QJsonObject newTp = after.value(QStringLiteral("transponders")).toArray().last().toObject();
    QCOMPARE(newTp.value(QStringLiteral("id")).toInt(), free.at(1));
    QCOMPARE(newTp.value(QStringLiteral("parentId")).toInt(), free.at(0));
    const QJsonObject newPg = after.value(QStringLiteral("programmes")).toArray().last().toObject();
    QCOMPARE(newPg.value(QStringLiteral("id")).toInt(), free.at(2));
    QCOMPARE(newPg.value(QStringLiteral("parentId")).toInt(), free.at(1));
}

void TestTavrinCli::infoCountsRecords()
{
    const QJsonObject json = exportJson(m_golden);
    const Run r = cli({QStringLiteral("info"), m_golden});
    QCOMPARE(r.exitCode, 0);
    const QString out = QString::fromUtf8(r.out);
    QVERIFY(out.contains(QStringLiteral("satellites: %1\n").arg(json.value(QStringLiteral("satellites")).toArray().size())));
    QVERIFY(out.contains(QStringLiteral("programmes: %1\n").arg(json.value(QStringLiteral("programmes")).toArray().size())));
}

// Without a base dump the records still make a loadable dump, but the names
// of the favourite groups have no block to live in: the user is told.
void TestTavrinCli::importWithoutBaseWarnsOfLostFavourites()
{
    const QJsonObject json = exportJson(m_golden);
    const QString jsonPath = writeFile(QStringLiteral("nobase.json"), QJsonDocument(json).toJson());
    const QString out = m_dir.filePath(QStringLiteral("nobase.udf"));
    const Run r = cli({QStringLiteral("import"), jsonPath, QStringLiteral("-o"), out});
    QVERIFY2(r.exitCode == 0, r.err.constData());
    QVERIFY2(r.err.contains("favourite names are not written"), r.err.constData());

    const QJsonObject reloaded = exportJson(out);
    for (const char *key : {"satellites", "transponders", "programmes"})
        QCOMPARE(reloaded.value(QLatin1String(key)), json.value(QLatin1String(key)));
    QVERIFY(reloaded.value(QStringLiteral("favourites")).toArray().isEmpty());
}

// A text longer than its field still saves, but never in silence.
void TestTavrinCli::importNamesCutTexts()
{
    QJsonObject json = exportJson(m_golden);
    QJsonArray pgs = json.value(QStringLiteral("programmes")).toArray();
    QJsonObject first = pgs.at(0).toObject();
    QJsonArray values = first.value(QStringLiteral("values")).toArray();
    for (int i = 0; i < values.size(); ++i) {
        if (values.at(i).toArray().at(0).toString() == QLatin1String("NAME"))
            values[i] = QJsonArray{QStringLiteral("NAME"), QString(120, QLatin1Char('x'))};
    }
    first.insert(QStringLiteral("values"), values);
    pgs[0] = first;
    json.insert(QStringLiteral("programmes"), pgs);

    const QString jsonPath = writeFile(QStringLiteral("long.json"), QJsonDocument(json).toJson());
    const QString out = m_dir.filePath(QStringLiteral("long.udf"));
    const Run r = cli({QStringLiteral("import"), jsonPath, QStringLiteral("-o"), out, QStringLiteral("--base"), m_golden});
    QVERIFY2(r.exitCode == 0, r.err.constData());
    const QString cut = QStringLiteral("tavrin-cli: cut: programme %1 \"xxxxxxxxxxxxxxxxxxxxxxx\u2026\" NAME: 120 characters, ")
                            .arg(first.value(QStringLiteral("id")).toInt());
    QVERIFY2(QString::fromUtf8(r.err).contains(cut), r.err.constData());
    // Nothing else was cut.
    QCOMPARE(r.err.count("tavrin-cli: cut:"), 1);
}

void TestTavrinCli::exportCsvListsEveryProgramme()
{
    const QJsonObject json = exportJson(m_golden);
    const Run r = cli({QStringLiteral("export"), m_golden, QStringLiteral("--format"), QStringLiteral("csv")});
    QVERIFY2(r.exitCode == 0, r.err.constData());
    const QList<QByteArray> lines = r.out.split('\n');
    QCOMPARE(lines.size() - 1, json.value(QStringLiteral("programmes")).toArray().size() + 1);
    QVERIFY2(lines.first().startsWith("satellite,transponder,NAME,"), lines.first().constData());
    QVERIFY(lines.first().endsWith('\r'));
    QCOMPARE(cli({QStringLiteral("export"), m_golden, QStringLiteral("--format"), QStringLiteral("xml")}).exitCode, 2);
}

void TestTavrinCli::otherKindsRoundTripThroughJson_data()
{
    QTest::addColumn<QString>("sample");
    QTest::addColumn<bool>("withBase");
    QTest::newRow("default-database") << "sample.ddf" << false;
    QTest::newRow("flash-image") << "factory.abs" << true;
}

// export -> import -> export gives the same JSON; an unedited image saves
// byte for byte as it was loaded.
void TestTavrinCli::otherKindsRoundTripThroughJson()
{
    QFETCH(QString, sample);
    QFETCH(bool, withBase);
    const QString input = QStringLiteral(TAVRIN_SOURCE_DIR "/samples/") + sample;
    const Run first = cli({QStringLiteral("export"), input});
    QVERIFY2(first.exitCode == 0, first.err.constData());
    const QJsonObject json = QJsonDocument::fromJson(first.out).object();
    QVERIFY(!json.value(QStringLiteral("programmes")).toArray().isEmpty());

    const QString jsonPath = writeFile(sample + QStringLiteral(".json"), first.out);
    const QString out = m_dir.filePath(QStringLiteral("copy-") + sample);
    QStringList args{QStringLiteral("import"), jsonPath, QStringLiteral("-o"), out};
    if (withBase)
        args << QStringLiteral("--base") << input;
    const Run imported = cli(args);
    QVERIFY2(imported.exitCode == 0, imported.err.constData());

    const Run second = cli({QStringLiteral("export"), out});
    QVERIFY2(second.exitCode == 0, second.err.constData());
    QCOMPARE(QJsonDocument::fromJson(second.out).object(), json);
    if (withBase) {
        QFile original(input), saved(out);
        QVERIFY(original.open(QIODevice::ReadOnly) && saved.open(QIODevice::ReadOnly));
        COMPARE_BYTES(saved.readAll(), original.readAll());
    }
}

void TestTavrinCli::failures_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    QTest::newRow("no-arguments") << "no-arguments" << 2 << "usage:";
    QTest::newRow("unknown-command") << "unknown-command" << 2 << "unknown command";
    QTest::newRow("import-without-output") << "import-without-output" << 2 << "-o FILE";
    QTest::newRow("unsupported-extension") << "unsupported-extension" << 1 << "This file isn't supported yet";
    QTest::newRow("crc-off-by-one-bit") << "crc-off-by-one-bit" << 1 << "Load Error!\n";
    QTest::newRow("truncated-dump") << "truncated-dump" << 1 << "Load Error!\n";
    QTest::newRow("empty-dump") << "empty-dump" << 1 << "Load Error!\n";
    QTest::newRow("noise-image") << "noise-image" << 1 << "Load Error!\n";
    QTest::newRow("malformed-json") << "malformed-json" << 2 << "malformed JSON at offset";
    QTest::newRow("duplicate-id") << "duplicate-id" << 2 << "programmes[1]: id 0 is used twice";
    QTest::newRow("orphan-programme") << "orphan-programme" << 2 << "programmes[0]: parentId 77 names no record";
    QTest::newRow("save-to-unknown-kind") << "save-to-unknown-kind" << 1 << "Save Error!";
    QTest::newRow("number-the-file-cannot-hold") << "number-the-file-cannot-hold" << 1
                                                 << "programme 0: SID: 'abc' is not a number from 0 to 65535";
}

void TestTavrinCli::failures()
{
    QFETCH(QString, kind);
    QFETCH(int, exitCode);
    QFETCH(QString, message);

    QFile goldenFile(m_golden);
    QVERIFY(goldenFile.open(QIODevice::ReadOnly));
    const QByteArray golden = goldenFile.readAll();
    const QString out = m_dir.filePath(QStringLiteral("out.udf"));
    const QString smallJson = QStringLiteral(
        R"({"satellites":[{"id":0,"parentId":0,"values":[]}],"transponders":[{"id":0,"parentId":0,"values":[]}],)");

    QStringList args;
    if (kind == QLatin1String("unknown-command")) {
        args = QStringList{QStringLiteral("frobnicate"), m_golden};
    } else if (kind == QLatin1String("import-without-output")) {
        args = QStringList{QStringLiteral("import"), writeFile(QStringLiteral("a.json"), "{}")};
    } else if (kind == QLatin1String("unsupported-extension")) {
        args = QStringList{QStringLiteral("export"), writeFile(QStringLiteral("dump.txt"), golden)};
    } else if (kind == QLatin1String("crc-off-by-one-bit")) {
        QByteArray bad = golden;
        bad[bad.size() / 2] = char(bad.at(bad.size() / 2) ^ 0x01);
        args = QStringList{QStringLiteral("export"), writeFile(QStringLiteral("bad-crc.udf"), bad)};
    } else if (kind == QLatin1String("truncated-dump")) {
        args = QStringList{QStringLiteral("export"), writeFile(QStringLiteral("short.udf"), golden.left(golden.size() / 3))};
    } else if (kind == QLatin1String("empty-dump")) {
        args = QStringList{QStringLiteral("info"), writeFile(QStringLiteral("empty.udf"), QByteArray())};
    } else if (kind == QLatin1String("noise-image")) {
        QByteArray noise(64 * 1024, '\0');
        for (int i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 2654435761u) >> 13);
        args = QStringList{QStringLiteral("info"), writeFile(QStringLiteral("noise.abs"), noise)};
    } else if (kind == QLatin1String("malformed-json")) {
        args = QStringList{QStringLiteral("import"), writeFile(QStringLiteral("bad.json"), "{\"satellites\": [}"),
                           QStringLiteral("-o"), out};
    } else if (kind == QLatin1String("duplicate-id")) {
        const QByteArray json = smallJson.toUtf8()
            + R"("programmes":[{"id":0,"parentId":0,"values":[]},{"id":0,"parentId":0,"values":[]}]})";
        args = QStringList{QStringLiteral("import"), writeFile(QStringLiteral("dup.json"), json), QStringLiteral("-o"), out};
    } else if (kind == QLatin1String("orphan-programme")) {
        const QByteArray json = smallJson.toUtf8() + R"("programmes":[{"id":0,"parentId":77,"values":[]}]})";
        args = QStringList{QStringLiteral("import"), writeFile(QStringLiteral("orphan.json"), json), QStringLiteral("-o"), out};
    } else if (kind == QLatin1String("number-the-file-cannot-hold")) {
        const QByteArray json = smallJson.toUtf8() + R"("programmes":[{"id":0,"parentId":0,"values":[["SID","abc"]]}]})";
        args = QStringList{QStringLiteral("import"), writeFile(QStringLiteral("sid.json"), json), QStringLiteral("-o"), out};
    } else if (kind == QLatin1String("save-to-unknown-kind")) {
        const QByteArray json = smallJson.toUtf8() + R"("programmes":[]})";
        args = QStringList{QStringLiteral("import"), writeFile(QStringLiteral("ok.json"), json), QStringLiteral("-o"),
                           m_dir.filePath(QStringLiteral("out.xyz"))};
    }
    const Run r = cli(args);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(QString::fromUtf8(r.err).contains(message), r.err.constData());
    // A file that does not load says which check failed, after the message.
    const QMap<QString, QByteArray> reasons{{QStringLiteral("crc-off-by-one-bit"), "crc is 0x"},
                                            {QStringLiteral("truncated-dump"), "runs past the end of the file"},
                                            {QStringLiteral("empty-dump"), "empty.udf: the file is empty"},
                                            {QStringLiteral("noise-image"), "noise.abs: no block table"}};
    QVERIFY2(r.err.contains(reasons.value(kind)), r.err.constData());
    QVERIFY(r.out.isEmpty());
    QVERIFY(!QFile::exists(out));
}

QTEST_GUILESS_MAIN(TestTavrinCli)
#include "test_tavrincli.moc"
