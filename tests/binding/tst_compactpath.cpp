// The compact and the fixed record form through the real parser library: the
// same file gives the same document and saves to the same bytes either way.

#include "documentio.h"
#include "recordconversion.h"
#include "parserconfig.h"
#include "parserlibrary.h"
#include "samplegenerator.h"
#include "serviceorder.h"

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
    bool listsInOrder = false; // as loaded
    bool tpsFollow = true;     // every TP's list in the service order, as loaded
};

bool tpsFollowServiceOrder(const ChannelDatabase &db)
{
    QHash<const DB_NS::PGNode *, int> place;
    for (const DB_NS::PGNode *pg : db.allPGs())
        place.insert(pg, place.size());
    for (const DB_NS::SatNode *sat : db.sats()) {
        for (const DB_NS::TPNode *tp : sat->tps()) {
            int last = -1;
            for (const DB_NS::PGNode *pg : tp->pgs()) {
                if (place.value(pg) < last)
                    return false;
                last = place.value(pg);
            }
        }
    }
    return true;
}

// Gives each programme of a dump the reverse of its stored service order:
// saved again, every TP then lists its programmes against the service order.
bool reverseServiceOrder(const QString &path)
{
    ParserLibrary library;
    DocumentData doc;
    if (!library.bind(Library) || loadDocument(library, OstrelUserDump, path, doc) != LoadStatus::Loaded)
        return false;
    int next = int(doc.database->allPGs().size());
    for (DB_NS::PGNode *pg : doc.database->allPGs())
        pg->findAttribute(DefaultOrderField)->value = QString::number(--next);
    ServiceOrder::sortByDefaultOrder(*doc.database);
    const bool saved = saveDocument(&library, Library, OstrelUserDump, path, doc) == SaveOutcome::Saved;
    library.clean();
    return saved;
}

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
    outcome.listsInOrder = doc.database->listsInServiceOrder();
    outcome.tpsFollow = tpsFollowServiceOrder(*doc.database);
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
    // Generated below, at the large size; stored grouped by TP, so that the
    // satellites' lists are put in the service order as the file loads.
    QTest::newRow("large dump") << QString() << int(OstrelUserDump) << QString();
    // The same with every TP's programmes stored against the service order:
    // those lists are what a save writes, so none is put in order.
    QTest::newRow("large dump, TPs against the order") << QStringLiteral("reversed") << int(OstrelUserDump) << QString();
}

void TestCompactPath::bothFormsAgree()
{
    QFETCH(QString, file);
    QFETCH(int, kind);
    QFETCH(QString, prefix);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const bool generated = file.isEmpty() || file == QLatin1String("reversed");
    const QString suffix = QFileInfo(generated ? QStringLiteral("x.udf") : file).suffix();
    const QString input = dir.filePath(QStringLiteral("input.") + suffix);
    if (generated) {
        ostrel::ParserConfig config;
        QString error;
        QVERIFY2(ostrel::readConfigFile(QStringLiteral(TAVRIN_BIN_DIR "/conf/tavrin_ostrel_config.xml"), config, &error),
                 qPrintable(error));
        const QByteArray dump = generateUserDump(config, SampleSize::large(), &error);
        QVERIFY2(!dump.isNull(), qPrintable(error));
        QFile out(input);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(dump) == dump.size());
        out.close();
        QVERIFY(file.isEmpty() || reverseServiceOrder(input));
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
    // Every list follows the service order once loaded, unless a TP's list
    // does not: the generated dump's do, the reversed one's do not.
    QCOMPARE(compact.listsInOrder, compact.tpsFollow);
    if (generated)
        QCOMPARE(compact.tpsFollow, file.isEmpty());
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
