// End to end through the built tavrin-cli, libostrel.so and the shipped
// configuration, against golden files made by our sample generator.

#include "bytecompare.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestTavrinCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
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
    void edit_data();
    void edit();
    void treeEdits_data();
    void treeEdits();
    void programmeEdits_data();
    void programmeEdits();

private:
    struct Run
    {
        int exitCode = -1;
        QByteArray out;
        QByteArray err;
    };
    Run cli(const QStringList &args);
    QString writeFile(const QString &name, const QByteArray &bytes);
    QJsonObject exportJson(const QString &file);
    static QJsonObject editedGoldenJson(QJsonObject json);
    static QString treeOf(const QJsonObject &json);

public:
    // NAME and TP of every programme in the service order: by "default_order" in a dump, else as listed.
    struct Programme
    {
        quint32 id;
        quint32 tp;
        QString name;
    };

private:
    QVector<Programme> serviceOrder(const QString &file);

    QTemporaryDir m_dir;
    QString m_golden = QStringLiteral(TAVRIN_TEST_DATA_DIR "/golden.udf");
};

TestTavrinCli::Run TestTavrinCli::cli(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(TAVRIN_BIN_DIR "/tavrin-cli"), args);
    Run r;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

QString TestTavrinCli::writeFile(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return QString();
    return path;
}

QJsonObject TestTavrinCli::exportJson(const QString &file)
{
    const Run r = cli({QStringLiteral("export"), file});
    if (r.exitCode != 0)
        qWarning() << r.err;
    return QJsonDocument::fromJson(r.out).object();
}

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

void TestTavrinCli::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY2(QFile::exists(m_golden), "tests/data/golden.udf is missing: run scripts/make-golden");
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
    QTest::newRow("malformed-json") << "malformed-json" << 2 << "malformed JSON at offset";
    QTest::newRow("duplicate-id") << "duplicate-id" << 2 << "programmes[1]: id 0 is used twice";
    QTest::newRow("orphan-programme") << "orphan-programme" << 2 << "programmes[0]: parentId 77 names no record";
    QTest::newRow("save-to-unknown-kind") << "save-to-unknown-kind" << 1 << "Save Error!";
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
    } else if (kind == QLatin1String("save-to-unknown-kind")) {
        const QByteArray json = smallJson.toUtf8() + R"("programmes":[]})";
        args = QStringList{QStringLiteral("import"), writeFile(QStringLiteral("ok.json"), json), QStringLiteral("-o"),
                           m_dir.filePath(QStringLiteral("out.xyz"))};
    }
    const Run r = cli(args);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(QString::fromUtf8(r.err).contains(message), r.err.constData());
    // A damaged dump says which check failed, after the message.
    if (kind == QLatin1String("crc-off-by-one-bit"))
        QVERIFY2(r.err.contains("crc is 0x"), r.err.constData());
    if (kind == QLatin1String("truncated-dump"))
        QVERIFY2(r.err.contains("runs past the end of the file"), r.err.constData());
    QVERIFY(r.out.isEmpty());
    QVERIFY(!QFile::exists(out));
}

void TestTavrinCli::edit_data()
{
    QTest::addColumn<QString>("ops"); // %1, %2: ids of two programmes; %3: an id nobody has; %4: %2's LCN
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("expected"); // "same bytes", a text the JSON holds, or the message

    QTest::newRow("undone edits save the same bytes")
        << R"([{"op":"down","ids":[%1]},{"op":"edit","kind":"programme","id":%2,"values":{"NAME":"X"}},)"
           R"({"op":"undo"},{"op":"undo"}])"
        << "out.udf" << 0 << "same bytes";
    QTest::newRow("redo brings an edit back")
        << R"([{"op":"edit","kind":"programme","id":%1,"values":{"NAME":"Renamed"}},{"op":"undo"},{"op":"redo"},)"
           R"({"op":"renameGroup","group":0,"name":"Headlines"}])"
        << "out.json" << 0 << "\"Renamed\"|\"Headlines\"";
    QTest::newRow("edited favourites survive a reload")
        << R"([{"op":"favourite","ids":[%1],"group":0,"member":true},)"
           R"({"op":"favourite","ids":[%2],"group":3,"member":false},{"op":"renameGroup","group":3,"name":"Classics"}])"
        << "out.udf" << 0 << "FAV %1 1|FAV %2 22|\"Movies\",\"Classics\",\"Kids\"";
    QTest::newRow("favourite edit undone") << R"([{"op":"favourite","ids":[%2],"group":3,"member":false},)"
                                              R"({"op":"undo"}])"
                                           << "out.udf" << 0 << "same bytes";
    QTest::newRow("no favourite group past bit 31")
        << R"([{"op":"favourite","ids":[%1],"group":32,"member":true}])"
        << "out.udf" << 1
        << "ops[0] favourite: no favourite group 32";
    QTest::newRow("favourite of a missing programme")
        << R"([{"op":"favourite","ids":[%3],"group":0,"member":true}])"
        << "out.udf" << 1
        << "ops[0] favourite: no programme %3";
    QTest::newRow("missing programme") << R"([{"op":"up","ids":[%3]}])"
                                       << "out.udf" << 1
                                       << "ops[0] up: no programme %3";
    QTest::newRow("channel number taken")
        << R"([{"op":"edit","kind":"programme","id":%1,"values":{"LCN":"%4"}}])"
        << "out.udf" << 1
        << "ops[0] edit: Duplicate PG Index";
    QTest::newRow("nothing to undo") << R"([{"op":"undo"}])"
                                     << "out.udf" << 1 << "ops[0] undo: nothing to undo";
    QTest::newRow("unknown operation") << R"([{"op":"frobnicate"}])"
                                       << "out.udf" << 2
                                       << "ops[0] frobnicate: unknown operation";
    QTest::newRow("not an array") << R"({"op":"undo"})"
                                  << "out.udf" << 2 << "must be a JSON array";
}

void TestTavrinCli::edit()
{
    QFETCH(QString, ops);
    QFETCH(QString, output);
    QFETCH(int, exitCode);
    QFETCH(QString, expected);

    const QJsonArray pgs = exportJson(m_golden).value(QStringLiteral("programmes")).toArray();
    QVERIFY(pgs.size() > 4);
    const auto idOf = [&pgs](int i) { return pgs.at(i).toObject().value(QStringLiteral("id")).toVariant().toLongLong(); };
    QString otherNumber;
    for (const QJsonValue &v : pgs.at(4).toObject().value(QStringLiteral("values")).toArray()) {
        if (v.toArray().at(0).toString() == QLatin1String("LCN"))
            otherNumber = v.toArray().at(1).toString();
    }
    const auto fill = [&](QString text) {
        return text.replace(QLatin1String("%1"), QString::number(idOf(3)))
            .replace(QLatin1String("%2"), QString::number(idOf(4)))
            .replace(QLatin1String("%3"), QStringLiteral("4000000000"))
            .replace(QLatin1String("%4"), otherNumber);
    };
    const QString opsFile = writeFile(QStringLiteral("ops.json"), fill(ops).toUtf8());
    const QString out = m_dir.filePath(output);
    QFile::remove(out);

    const Run r = cli({QStringLiteral("edit"), m_golden, QStringLiteral("--ops"), opsFile, QStringLiteral("-o"), out});
    QCOMPARE(r.exitCode, exitCode);
    if (exitCode != 0) {
        QVERIFY2(QString::fromUtf8(r.err).contains(fill(expected)), r.err.constData());
        QVERIFY(!QFile::exists(out));
        return;
    }
    QFile written(out);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    if (expected == QLatin1String("same bytes")) {
        QFile golden(m_golden);
        QVERIFY(golden.open(QIODevice::ReadOnly));
        QVERIFY(bytes == golden.readAll());
        return;
    }
    // A saved dump is checked as it loads again.
    const QJsonObject reloaded = output.endsWith(QLatin1String(".udf")) ? exportJson(out) : QJsonObject();
    const QByteArray text = reloaded.isEmpty() ? bytes : QJsonDocument(reloaded).toJson(QJsonDocument::Compact);
    for (const QString &part : fill(expected).split(QLatin1Char('|'))) {
        const QStringList words = part.split(QLatin1Char(' '));
        if (words.first() != QLatin1String("FAV")) {
            QVERIFY2(text.contains(part.toUtf8()), qPrintable(part));
            continue;
        }
        // "FAV id value": that programme's mask.
        QString mask;
        for (const QJsonValue &pg : reloaded.value(QStringLiteral("programmes")).toArray()) {
            if (pg.toObject().value(QStringLiteral("id")).toVariant().toString() != words.at(1))
                continue;
            for (const QJsonValue &v : pg.toObject().value(QStringLiteral("values")).toArray()) {
                if (v.toArray().at(0).toString() == QLatin1String("FAV"))
                    mask = v.toArray().at(1).toString();
            }
        }
        QCOMPARE(mask, words.at(2));
    }
}

// "Astra 5.0E[11295 12013] Hotbird 42.1E[12489] #60": each satellite with the
// FRQs of its TPs in file order, and the number of programmes.
QString TestTavrinCli::treeOf(const QJsonObject &json)
{
    const auto valueOf = [](const QJsonObject &record, const QString &name) {
        for (const QJsonValue &pair : record.value(QStringLiteral("values")).toArray()) {
            if (pair.toArray().at(0).toString() == name)
                return pair.toArray().at(1).toString();
        }
        return QString();
    };
    QStringList sats;
    for (const QJsonValue &sat : json.value(QStringLiteral("satellites")).toArray()) {
        QStringList frqs;
        for (const QJsonValue &tp : json.value(QStringLiteral("transponders")).toArray()) {
            if (tp.toObject().value(QStringLiteral("parentId")) == sat.toObject().value(QStringLiteral("id")))
                frqs << valueOf(tp.toObject(), QStringLiteral("FRQ"));
        }
        sats << QStringLiteral("%1[%2]").arg(valueOf(sat.toObject(), QStringLiteral("NAME")), frqs.join(QLatin1Char(' ')));
    }
    return sats.join(QLatin1Char(' ')) + QStringLiteral(" #%1").arg(json.value(QStringLiteral("programmes")).toArray().size());
}

void TestTavrinCli::treeEdits_data()
{
    QTest::addColumn<QByteArray>("ops");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("result"); // treeOf() the reloaded file, or the message

    const QString astra = QStringLiteral("Astra 5.0E[11295 12013 11009 12516]"),
                  hotbird = QStringLiteral("Hotbird 42.1E[12489 11313 11582 10943]"),
                  eutelsat = QStringLiteral("Eutelsat 79.2W[11024 12291 10998 11413]"),
                  turksat = QStringLiteral("Turksat 116.3E[11768 12291 12049 12640]");
    const auto tree = [](const QStringList &sats, int programmes) -> QString {
        return sats.join(QLatin1Char(' ')) + QStringLiteral(" #%1").arg(programmes);
    };
    QTest::newRow("delete satellite") << QByteArray(R"([{"op":"delete","kind":"satellite","ids":[1]}])") << 0
                                      << tree({astra, eutelsat, turksat}, 44);
    QTest::newRow("delete transponders") << QByteArray(R"([{"op":"delete","kind":"transponder","ids":[12,4]}])") << 0
                                         << tree({"Astra 5.0E[11295 11009]", hotbird, eutelsat, turksat}, 52);
    QTest::newRow("add satellite and transponder")
        << QByteArray(R"([{"op":"add","kind":"satellite","values":{"NAME":"Nilesat 7.0W"}},)"
                      R"({"op":"add","kind":"transponder","parent":2,"values":{"FRQ":"11900","POL":"V"}}])")
        << 0 << tree({astra, hotbird, "Eutelsat 79.2W[11024 12291 10998 11413 11900]", turksat, "Nilesat 7.0W[]"}, 60);
    QTest::newRow("move transponders to the front")
        << QByteArray(R"([{"op":"moveTo","kind":"transponder","ids":[12,4],"before":0}])") << 0
        << tree({"Astra 5.0E[12013 12516 11295 11009]", hotbird, eutelsat, turksat}, 60);
    QTest::newRow("move satellite") << QByteArray(R"([{"op":"moveTo","kind":"satellite","ids":[3],"before":1}])") << 0
                                    << tree({astra, turksat, hotbird, eutelsat}, 60);
    QTest::newRow("exchange satellites") << QByteArray(R"([{"op":"exchange","kind":"satellite","id":0,"with":2}])")
                                         << 0 << tree({eutelsat, hotbird, astra, turksat}, 60);
    QTest::newRow("paste transponders")
        << QByteArray(R"([{"op":"pasteTransponders","ids":[0,4],"satellite":1},)"
                      R"({"op":"pasteTransponders","ids":[3],"satellite":3}])")
        << 0 << tree({astra, "Hotbird 42.1E[12489 11313 11582 10943 12013 11295]", eutelsat, "Turksat 116.3E[11768 12291 12049 12640 11769]"}, 60);
    QTest::newRow("undo a delete") << QByteArray(R"([{"op":"delete","kind":"satellite","ids":[0]},{"op":"undo"}])")
                                   << 0 << tree({astra, hotbird, eutelsat, turksat}, 60);
    QTest::newRow("missing transponder") << QByteArray(R"([{"op":"delete","kind":"transponder","ids":[99]}])") << 1
                                         << "ops[0] delete: no transponder 99";
    QTest::newRow("target among the moved") << QByteArray(R"([{"op":"moveTo","kind":"satellite","ids":[1],"before":1}])")
                                            << 1 << "ops[0] moveTo: 1 is moved itself";
    QTest::newRow("programme kind") << QByteArray(R"([{"op":"exchange","kind":"programme","id":1,"with":2}])") << 2
                                    << "ops[0] exchange: 'kind' must be satellite or transponder";
}

// Each operation as the editor runs it on the small sample, saved, reloaded.
void TestTavrinCli::treeEdits()
{
    QFETCH(QByteArray, ops);
    QFETCH(int, exitCode);
    QFETCH(QString, result);

    const QString opsPath = writeFile(QStringLiteral("tree-ops.json"), ops);
    const QString out = m_dir.filePath(QStringLiteral("tree-edited.udf"));
    QFile::remove(out);
    const Run r = cli({QStringLiteral("edit"), QStringLiteral(TAVRIN_SOURCE_DIR "/samples/small.udf"),
                       QStringLiteral("--ops"), opsPath, QStringLiteral("-o"), out});
    QCOMPARE(r.exitCode, exitCode);
    if (exitCode != 0) {
        QVERIFY2(r.err.contains(result.toUtf8()), r.err.constData());
        QVERIFY(!QFile::exists(out));
        return;
    }
    QCOMPARE(treeOf(exportJson(out)), result);
    // An undone edit leaves nothing behind: the file saves as it was.
    if (ops.contains("undo")) {
        QFile original(QStringLiteral(TAVRIN_SOURCE_DIR "/samples/small.udf")), saved(out);
        QVERIFY(original.open(QIODevice::ReadOnly) && saved.open(QIODevice::ReadOnly));
        COMPARE_BYTES(saved.readAll(), original.readAll());
    }
}

static TestTavrinCli::Programme programmeOf(const QJsonObject &record, QString *order)
{
    TestTavrinCli::Programme p{quint32(record.value(QStringLiteral("id")).toDouble()),
                               quint32(record.value(QStringLiteral("parentId")).toDouble()), QString()};
    for (const QJsonValue &value : record.value(QStringLiteral("values")).toArray()) {
        const QJsonArray pair = value.toArray();
        if (pair.at(0).toString() == QLatin1String("NAME"))
            p.name = pair.at(1).toString();
        else if (pair.at(0).toString() == QLatin1String("default_order"))
            *order = pair.at(1).toString();
    }
    return p;
}

QVector<TestTavrinCli::Programme> TestTavrinCli::serviceOrder(const QString &file)
{
    const QJsonObject json = exportJson(file);
    QVector<QPair<int, Programme>> listed;
    for (const QJsonValue &record : json.value(QStringLiteral("programmes")).toArray()) {
        QString order;
        const Programme p = programmeOf(record.toObject(), &order);
        listed.append({json.value(QStringLiteral("kind")).toInt() == 2 ? order.toInt() : listed.size(), p});
    }
    std::stable_sort(listed.begin(), listed.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QVector<Programme> programmes;
    for (const auto &entry : listed)
        programmes.append(entry.second);
    return programmes;
}

void TestTavrinCli::programmeEdits_data()
{
    // $0, $1, $2: ids of the first rows of All Services; $tp: the TP of row 0;
    // $other: another TP of row 0's satellite. The expected names (in the
    // service order of the saved file) use n0, n1, ... for the first rows and
    // "..." for the rest; a "~" first compares as a multiset only, for preset
    // files, which keep their TP grouping, and a "!" last expects the save to
    // say that the service order could not be kept.
    QTest::addColumn<QString>("ops");
    QTest::addColumn<QString>("expected");
    const char *samples[] = {"small.udf", "sample.ddf", "factory.abs"};
    for (const char *sample : samples) {
        const bool dump = QByteArray(sample).endsWith(".udf");
        const auto row = [sample](const char *name) -> QTestData & { return QTest::addRow("%s %s", sample, name); };
        row("move") << R"([{"op":"move","ids":[$0],"to":2}])"
                    << "n1 n0 n2 ...";
        row("switch") << R"([{"op":"switch","ids":[$1],"to":1}])"
                      << "n1 n0 n2 ...";
        row("delete") << R"([{"op":"delete","kind":"programme","ids":[$1]}])"
                      << "n0 n2 ...";
        row("add") << R"([{"op":"add","kind":"programme","parent":$tp,"before":$0,"values":{"NAME":"Added"}}])"
                   << "Added n0 n1 ...";
        row("copyTo") << R"([{"op":"copyTo","id":$0,"tp":$other}])" << (dump ? "n0 n1 ... n0" : "~ n0 n1 ... n0 !");
        row("cutTo") << R"([{"op":"cutTo","id":$0,"tp":$other}])" << (dump ? "n1 ... n0" : "~ n1 ... n0 !");
        row("paste") << R"([{"op":"paste","ids":[$0,$1],"tp":$other}])" << (dump ? "n0 n1 ... n0 n1" : "~ n0 n1 ... n0 n1 !");
        row("all undone") << R"([{"op":"delete","kind":"programme","ids":[$1]},{"op":"move","ids":[$0],"to":2},
                                 {"op":"cutTo","id":$0,"tp":$other},{"op":"undo"},{"op":"undo"},{"op":"undo"}])"
                          << "n0 n1 n2 ...";
        // Past every other TP: a dump keeps it, the preset kinds keep their grouping and say so.
        row("move across") << R"([{"op":"move","ids":[$0],"to":$last}])"
                           << (dump ? "n1 n2 ... n0" : "~ n1 n2 ... n0 !");
        row("refused") << R"([{"op":"delete","kind":"programme","ids":[$2]},{"op":"switch","ids":[$0],"to":1}])"
                       << "ops[1] switch: Can't switch to 1";
    }
}

// Each programme operation on each sample kind; the saved file reloads with
// the expected order.
void TestTavrinCli::programmeEdits()
{
    QFETCH(QString, ops);
    QFETCH(QString, expected);
    const QString sample = QString::fromLatin1(QTest::currentDataTag()).section(QLatin1Char(' '), 0, 0);
    const QString input = QStringLiteral(TAVRIN_SOURCE_DIR "/samples/") + sample;
    const QVector<Programme> before = serviceOrder(input);
    QVERIFY(before.size() > 3);
    const QJsonObject json = exportJson(input);
    quint32 sat = 0, other = 0;
    for (const QJsonValue &tp : json.value(QStringLiteral("transponders")).toArray()) {
        if (quint32(tp.toObject().value(QStringLiteral("id")).toDouble()) == before.at(0).tp)
            sat = quint32(tp.toObject().value(QStringLiteral("parentId")).toDouble());
    }
    for (const QJsonValue &tp : json.value(QStringLiteral("transponders")).toArray()) {
        const quint32 id = quint32(tp.toObject().value(QStringLiteral("id")).toDouble());
        if (!other && id != before.at(0).tp && quint32(tp.toObject().value(QStringLiteral("parentId")).toDouble()) == sat)
            other = id;
    }
    QVERIFY(other);
    ops.replace(QLatin1String("$other"), QString::number(other)).replace(QLatin1String("$tp"), QString::number(before.at(0).tp));
    ops.replace(QLatin1String("$last"), QString::number(before.size()));
    for (int i = 0; i < 3; ++i)
        ops.replace(QStringLiteral("$%1").arg(i), QString::number(before.at(i).id));

    const QString out = m_dir.filePath(QStringLiteral("edited-") + sample);
    QFile::remove(out);
    const Run r = cli({QStringLiteral("edit"), input, QStringLiteral("--ops"),
                       writeFile(QStringLiteral("ops.json"), ops.toUtf8()), QStringLiteral("-o"), out});
    if (expected.startsWith(QLatin1String("ops["))) {
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(QString::fromUtf8(r.err).contains(expected), r.err.constData());
        QVERIFY(!QFile::exists(out));
        return;
    }
    QVERIFY2(r.exitCode == 0, r.err.constData());
    // A "!" last: the save says that the order could not be kept.
    QCOMPARE(r.err.contains("cannot store"), expected.endsWith(QLatin1Char('!')));

    // "..." stands for every row after the last one named before it.
    QStringList want;
    int next = 0;
    const QStringList parts = expected.split(QLatin1Char(' '));
    for (const QString &part : parts) {
        const bool row = part.size() == 2 && part.startsWith(QLatin1Char('n'));
        if (part == QLatin1String("~") || part == QLatin1String("!"))
            continue;
        if (part == QLatin1String("...")) {
            for (int i = next; i < before.size(); ++i)
                want << before.at(i).name;
            next = before.size();
        } else if (row) {
            want << before.at(part.mid(1).toInt()).name;
            next = qMax(next, part.mid(1).toInt() + 1);
        } else {
            want << part;
        }
    }
    QStringList got;
    for (const Programme &p : serviceOrder(out))
        got << p.name;
    if (expected.startsWith(QLatin1Char('~'))) {
        std::sort(want.begin(), want.end());
        std::sort(got.begin(), got.end());
    }
    QCOMPARE(got, want);
}

QTEST_GUILESS_MAIN(TestTavrinCli)
#include "test_tavrincli.moc"
