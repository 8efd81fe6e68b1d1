// The tree's commands on the document: each row runs one operation through
// the facade, checks the satellites and TPs it leaves, then that undo gives
// back the snapshot taken before it and redo the state after it.

#include "documentedits.h"
#include "documentfixture.h"
#include "documentsnapshot.h"
#include "modelcheck.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// "1[10 11] 2[20]": every satellite with its TPs, in list order.
QString treeOrder(const Document &document)
{
    QStringList sats;
    for (const DB_NS::SatNode *sat : document.database()->sats()) {
        QStringList tps;
        for (const DB_NS::TPNode *tp : sat->tps())
            tps << QString::number(tp->id());
        sats << QStringLiteral("%1[%2]").arg(sat->id()).arg(tps.join(QLatin1Char(' ')));
    }
    return sats.join(QLatin1Char(' '));
}

QVector<quint32> idList(const QString &text)
{
    QVector<quint32> ids;
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts))
        ids << part.toUInt();
    return ids;
}

} // namespace

class TestTreeCommands : public QObject
{
    Q_OBJECT

private slots:
    void command_data();
    void command();
    void tempIdsCountDownAndResetOnLoad();

private:
    void run(Document &document, const QString &operation);
};

// "verb kind sat ids [other]": kind s(atellite) or t(ransponder), ids comma-separated.
void TestTreeCommands::run(Document &document, const QString &op)
{
    DocumentEdits &edits = document.edits();
    const QStringList p = op.split(QLatin1Char(' '));
    const NodeKind kind = p.value(1) == QLatin1String("s") ? NodeKind::Satellite : NodeKind::Transponder;
    const quint32 sat = p.value(2).toUInt();
    const QVector<quint32> ids = idList(p.value(3));
    const QString verb = p.first();
    if (verb == QLatin1String("add")) {
        std::unique_ptr<DB_NS::Node> node = edits.newNode(kind, sat);
        node->addAttribute(QStringLiteral("NAME"), QStringLiteral("New"));
        edits.addNode(kind, sat, std::move(node));
    } else if (verb == QLatin1String("delete")) {
        edits.removeNodes(kind, sat, ids);
    } else if (verb == QLatin1String("up") || verb == QLatin1String("down")) {
        edits.moveNode(kind, sat, ids.first(), verb == QLatin1String("up"));
    } else if (verb == QLatin1String("exchange")) {
        edits.exchangeNodes(kind, sat, ids.first(), p.value(4).toUInt());
    } else if (verb == QLatin1String("moveTo")) {
        edits.moveNodesBefore(kind, sat, ids, p.value(4).toUInt());
    } else if (verb == QLatin1String("paste")) {
        edits.copyTransponders(sat, ids);
        edits.pasteTransponders(p.value(4).toUInt());
    } else {
        QFAIL(qPrintable(op));
    }
}

void TestTreeCommands::command_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("satLimit");    // -1: none
    QTest::addColumn<QString>("tree");    // treeOrder() afterwards
    QTest::addColumn<QString>("changed"); // a line of the snapshot that must appear
    QTest::addColumn<bool>("step");       // one undo step, or nothing at all

    const QString unassigned = QStringLiteral("hot key Red 4294967295/4294967295/4294967295");
    QTest::newRow("add satellite") << "add s 0" << -1 << "1[10 11] 2[20] 4294967295[]"
                                   << "sat 4294967295<0 NAME=New" << true;
    QTest::newRow("add TP") << "add t 2" << -1 << "1[10 11] 2[20 4294967295]"
                            << "tp 4294967295<2 NAME=New" << true;
    QTest::newRow("limit reached") << "add s 0" << 2 << "1[10 11] 2[20]"
                                   << "" << false;
    QTest::newRow("delete satellite") << "delete s 0 1" << -1 << "2[20]"
                                      << "service order 104 103" << true;
    QTest::newRow("delete satellite with hot key") << "delete s 0 2" << -1 << "1[10 11]" << unassigned << true;
    QTest::newRow("delete TP") << "delete t 1 10" << -1 << "1[11] 2[20]"
                               << "service order 102 104 103 105" << true;
    QTest::newRow("delete two TPs") << "delete t 1 11,10" << -1 << "1[] 2[20]"
                                    << "service order 104 103" << true;
    QTest::newRow("delete TP with hot key") << "delete t 2 20" << -1 << "1[10 11] 2[]" << unassigned << true;
    QTest::newRow("delete missing TP") << "delete t 1 20" << -1 << "1[10 11] 2[20]"
                                       << "" << false;
    QTest::newRow("move TP up") << "up t 1 11" << -1 << "1[11 10] 2[20]"
                                << "" << true;
    QTest::newRow("move first TP up") << "up t 1 10" << -1 << "1[10 11] 2[20]"
                                      << "" << false;
    QTest::newRow("move satellite down") << "down s 0 1" << -1 << "2[20] 1[10 11]"
                                         << "" << true;
    QTest::newRow("switch satellites") << "exchange s 0 2 1" << -1 << "2[20] 1[10 11]"
                                       << "" << true;
    QTest::newRow("switch TP with itself") << "exchange t 1 10 10" << -1 << "1[10 11] 2[20]"
                                           << "" << false;
    QTest::newRow("move TP to the front") << "moveTo t 1 11 10" << -1 << "1[11 10] 2[20]"
                                          << "" << true;
    QTest::newRow("move to where it is") << "moveTo t 1 10 11" << -1 << "1[10 11] 2[20]"
                                         << "" << false;
    QTest::newRow("paste reversed") << "paste t 1 10,11 2" << -1 << "1[10 11] 2[20 4294967295 4294967294]"
                                    << "tp 4294967294<2 FRQ=11010" << true;
    QTest::newRow("paste onto the source bumps FRQ") << "paste t 1 10,11 1" << -1
                                                     << "1[10 11 4294967295 4294967294] 2[20]"
                                                     << "tp 4294967294<1 FRQ=11013" << true;
    QTest::newRow("paste nothing") << "paste t 1  2" << -1 << "1[10 11] 2[20]"
                                   << "" << false;
}

void TestTreeCommands::command()
{
    QFETCH(QString, operation);
    QFETCH(int, satLimit);
    QFETCH(QString, tree);
    QFETCH(QString, changed);
    QFETCH(bool, step);

    Document document;
    DocumentData data = documentFixtureData();
    data.satMaxNum = satLimit;
    document.setFile(QStringLiteral("fixture.udf"), OstrelUserDump);
    document.reset(std::move(data));
    const QStringList before = documentSnapshot(document);
    QSignalSpy changes(&document, &Document::nodesChanged);

    run(document, operation);
    const QStringList after = documentSnapshot(document);
    QCOMPARE(checkModel(*document.database()), QString());
    QCOMPARE(treeOrder(document), tree);
    QCOMPARE(document.isModified(), step);
    QCOMPARE(document.undoStack()->count(), step ? 1 : 0);
    QCOMPARE(changes.isEmpty(), !step);
    if (!changed.isEmpty())
        QVERIFY2(after.contains(changed), qPrintable(after.join(QLatin1Char('\n'))));
    if (!step) {
        QCOMPARE(after, before);
        return;
    }

    document.undoStack()->undo();
    QCOMPARE(checkModel(*document.database()), QString());
    QCOMPARE(documentSnapshot(document), before);
    QVERIFY(!document.isModified());
    document.undoStack()->redo();
    QCOMPARE(checkModel(*document.database()), QString());
    QCOMPARE(documentSnapshot(document), after);
}

void TestTreeCommands::tempIdsCountDownAndResetOnLoad()
{
    Document document;
    loadDocumentFixture(document);
    DocumentEdits &edits = document.edits();
    QCOMPARE(edits.newNode(NodeKind::Satellite)->id(), 4294967295u);
    // One counter for both kinds; a refused or cancelled addition used its id up.
    QCOMPARE(edits.newNode(NodeKind::Transponder, 1)->id(), 4294967294u);
    QVERIFY(!edits.newNode(NodeKind::Programme));
    QCOMPARE(edits.copyTransponders(1, {10}), 1);
    loadDocumentFixture(document);
    QVERIFY(!edits.hasCopiedTransponders());
    QCOMPARE(edits.newNode(NodeKind::Satellite)->id(), 4294967295u);
}

QTEST_GUILESS_MAIN(TestTreeCommands)
#include "tst_treecommands.moc"
