// The compact and the fixed record form through the real parser library: the
// same file gives the same document and saves to the same bytes either way.

#include "documentio.h"
#include "recordconversion.h"
#include "parserconfig.h"
#include "parserlibrary.h"
#include "samplegenerator.h"

#include <QTemporaryDir>
#include <QtTest>

class TestCompactPath : public QObject
{
    Q_OBJECT

private slots:
    void bothFormsAgree_data();
    void bothFormsAgree();
    void repeatedNameKeepsTheFirst_data();
    void repeatedNameKeepsTheFirst();
};

namespace {

const QString Library = QStringLiteral(TAVRIN_BIN_DIR "/libostrel.so");

QStringList documentLines(const DocumentData &doc)
{
    QStringList lines;
    const auto add = [&lines](const char *kind, const DB_NS::Node &node) {
        QStringList values;
        for (const NodeAttribute &a : node.attributes())
            values << a.name + QLatin1Char('=') + a.value;
        lines << QStringLiteral("%1 %2<%3 %4").arg(QLatin1String(kind)).arg(node.id()).arg(node.getParentId()).arg(values.join(QLatin1Char(',')));
    };
    for (const DB_NS::SatNode *sat : doc.database->sats()) {
        add("sat", *sat);
        for (const DB_NS::TPNode *tp : sat->tps()) {
            add("tp", *tp);
            for (const DB_NS::PGNode *pg : tp->pgs())
                add("pg", *pg);
        }
    }
    QStringList order;
    for (const DB_NS::PGNode *pg : doc.database->allPGs())
        order << QString::number(pg->id());
    lines << order.join(QLatin1Char(' ')) << doc.favouriteNames.join(QLatin1Char('|'));
    for (const HotKey &key : doc.hotKeys)
        lines << QStringLiteral("key %1 %2/%3/%4").arg(key.name).arg(key.satId).arg(key.tpId).arg(key.pgId);
    return lines;
}

struct Outcome
{
    QStringList document;
    QByteArray saved;
    bool compact = false;
};

Outcome loadAndSave(bool compact, int kind, const QString &prefix, const QString &input, const QString &output)
{
    Outcome outcome;
    ParserLibrary library;
    library.setCompactAllowed(compact);
    if (!library.bind(Library))
        return outcome;
    outcome.compact = library.hasCompactRecords();
    DocumentData doc;
    if (loadDocument(library, kind, prefix + input, doc) != LoadStatus::Loaded)
        return outcome;
    outcome.document = documentLines(doc);
    if (saveDocument(&library, Library, kind, prefix + output, doc) == SaveOutcome::Saved) {
        QFile file(output);
        if (file.open(QIODevice::ReadOnly))
            outcome.saved = file.readAll();
    }
    library.clean();
    return outcome;
}

} // namespace

void TestCompactPath::bothFormsAgree_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("small dump") << QStringLiteral(TAVRIN_SOURCE_DIR "/samples/small.udf") << int(OstrelUserDump) << QString();
    QTest::newRow("golden") << QStringLiteral(TAVRIN_TEST_DATA_DIR "/golden.udf") << int(OstrelUserDump) << QString();
    QTest::newRow("golden edited") << QStringLiteral(TAVRIN_TEST_DATA_DIR "/golden-edited.udf") << int(OstrelUserDump) << QString();
    QTest::newRow("default database") << QStringLiteral(TAVRIN_SOURCE_DIR "/samples/sample.ddf") << int(OstrelDefaultDatabase) << QString();
    QTest::newRow("flash image") << QStringLiteral(TAVRIN_SOURCE_DIR "/samples/factory.abs") << int(OstrelFlashImage)
                                 << QStringLiteral("defaultdb;");
    // Generated below, at the large size.
    QTest::newRow("large dump") << QString() << int(OstrelUserDump) << QString();
}

void TestCompactPath::bothFormsAgree()
{
    QFETCH(QString, file);
    QFETCH(int, kind);
    QFETCH(QString, prefix);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString suffix = QFileInfo(file.isEmpty() ? QStringLiteral("x.udf") : file).suffix();
    const QString input = dir.filePath(QStringLiteral("input.") + suffix);
    if (file.isEmpty()) {
        ostrel::ParserConfig config;
        QString error;
        QVERIFY2(ostrel::readConfigFile(QStringLiteral(TAVRIN_BIN_DIR "/conf/tavrin_ostrel_config.xml"), config, &error),
                 qPrintable(error));
        const QByteArray dump = generateUserDump(config, SampleSize::large(), &error);
        QVERIFY2(!dump.isNull(), qPrintable(error));
        QFile out(input);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(dump) == dump.size());
    } else {
        // A flash image is saved over the image it was loaded from: each form gets its own.
        QVERIFY(QFile::copy(file, input));
    }
    QVERIFY(QFile::copy(input, dir.filePath(QStringLiteral("fixed.") + suffix)));
    QVERIFY(QFile::copy(input, dir.filePath(QStringLiteral("compact.") + suffix)));

    const Outcome fixed = loadAndSave(false, kind, prefix, input, dir.filePath(QStringLiteral("fixed.") + suffix));
    const Outcome compact = loadAndSave(true, kind, prefix, input, dir.filePath(QStringLiteral("compact.") + suffix));
    QVERIFY(!fixed.compact);
    QVERIFY(compact.compact);
    QVERIFY(!fixed.document.isEmpty() && !fixed.saved.isEmpty());
    QCOMPARE(compact.document, fixed.document);
    QVERIFY(compact.saved == fixed.saved);
    // An unedited dump saves to the bytes it was loaded from.
    QFile original(input);
    QVERIFY(original.open(QIODevice::ReadOnly));
    if (kind == OstrelUserDump)
        QVERIFY(compact.saved == original.readAll());
}

void TestCompactPath::repeatedNameKeepsTheFirst_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("kept");
    QTest::newRow("unique") << QStringList{"id", "NAME", "TYPE"} << "id=v0,NAME=v1,TYPE=v2";
    QTest::newRow("same spelling") << QStringList{"id", "NAME", "NAME"} << "id=v0,NAME=v1";
    QTest::newRow("other case") << QStringList{"Name", "x", "NAME", "name"} << "Name=v0,x=v1";
    QTest::newRow("non-ascii case differs") << QStringList{"\u00e9", "\u00c9"} << "\u00e9=v0,\u00c9=v1";
}

// A template whose names repeat (letter case ignored) keeps each name's first value.
void TestCompactPath::repeatedNameKeepsTheFirst()
{
    QFETCH(QStringList, names);
    QFETCH(QString, kept);
    ostrel::CompactBuilder builder, none;
    const std::vector<QStringView> views(names.begin(), names.end());
    for (uint32_t id : {7u, 8u}) {
        builder.beginRecord(id, 0, builder.templateFor(views.data(), views.size()));
        for (int k = 0; k < names.size(); ++k)
            builder.appendValue(QStringLiteral("v%1").arg(k));
    }
    ostrel::CompactReader sats, empty;
    QVERIFY(sats.open(builder.head()) && empty.open(none.head()));
    const auto database = databaseFromCompact(sats, empty, empty);
    QCOMPARE(database->sats().size(), 2);
    for (const DB_NS::SatNode *sat : database->sats()) {
        QStringList values;
        for (const NodeAttribute &a : sat->attributes())
            values << a.name + QLatin1Char('=') + a.value;
        QCOMPARE(values.join(QLatin1Char(',')), kept);
    }
}

QTEST_GUILESS_MAIN(TestCompactPath)
#include "tst_compactpath.moc"
