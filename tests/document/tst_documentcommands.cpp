#include "documentedits.h"
#include "documentfixture.h"
#include "documentsnapshot.h"
#include "modelcheck.h"

#include <QSignalSpy>
#include <QTest>

namespace {

QVector<NodeAttribute> withValue(const DB_NS::Node &node, const QString &name, const QString &value)
{
    QVector<NodeAttribute> values = node.attributes();
    for (NodeAttribute &attribute : values) {
        if (attribute.name == name)
            attribute.value = value;
    }
    return values;
}

} // namespace

class TestDocumentCommands : public QObject
{
    Q_OBJECT

private slots:
    void command_data();
    void command();
    void loadAndClearEmptyTheHistory();

private:
    EditOutcome run(Document &document, const QString &operation);
};

EditOutcome TestDocumentCommands::run(Document &document, const QString &op)
{
    DocumentEdits &edits = document.edits();
    const QVector<quint32> rows = document.serviceOrder();
    const QStringList parts = op.split(QLatin1Char(' '));
    const QString name = parts.first();
    QVector<int> selected;
    for (int i = 1; i < parts.size(); ++i)
        selected << parts.at(i).toInt();
    if (name == QLatin1String("up"))
        return edits.moveUp(rows, selected);
    if (name == QLatin1String("down"))
        return edits.moveDown(rows, selected);
    if (name == QLatin1String("editName") || name == QLatin1String("editToDuplicate"))
        return edits.editNode(NodeKind::Programme, 104, DB_NS::NoId,
                              withValue(*document.database()->findPG(104), QStringLiteral("NAME"),
                                        name == QLatin1String("editName") ? QStringLiteral("Epsilon HD") : QStringLiteral("Alpha")));
    if (name == QLatin1String("editSame"))
        return edits.editNode(NodeKind::Programme, 104, DB_NS::NoId, document.database()->findPG(104)->attributes());
    if (name == QLatin1String("editSatellite"))
        return edits.editNode(NodeKind::Satellite, 2, DB_NS::NoId,
                              withValue(*document.database()->findSat(2), QStringLiteral("NAME"), QStringLiteral("Hot Bird 13E")));
    if (name == QLatin1String("rename"))
        return edits.renameGroup(1, parts.value(1, QStringLiteral("Films")));
    return EditOutcome::refusedWith(QStringLiteral("unknown operation"));
}

void TestDocumentCommands::command_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("order");   // the service order afterwards
    QTest::addColumn<QString>("changed"); // a line of the snapshot that must appear
    QTest::addColumn<QByteArray>("signal");
    QTest::addColumn<bool>("step");       // false: nothing changes, so nothing is left to save
    QTest::addColumn<QString>("outcome"); // pushed, unchanged, or the refusal

    const QByteArray moved = SIGNAL(programmesMoved(QVector<quint32>));
    QTest::newRow("move up one") << "up 2"
                                 << "101 100 102 104 103 105"
                                 << "sat 1 order 101 100 102 105" << moved << true << "pushed";
    QTest::newRow("move up a block") << "up 2 3"
                                     << "101 100 104 102 103 105"
                                     << "sat 2 order 104 103" << moved << true << "pushed";
    QTest::newRow("move up with row 0") << "up 0 3"
                                        << "101 102 100 104 103 105"
                                        << "" << QByteArray() << false << "unchanged";
    QTest::newRow("move down two") << "down 0 1"
                                   << "100 101 102 104 103 105"
                                   << "sat 1 order 100 101 102 105"
                                   << moved << true << "pushed";
    QTest::newRow("move down the last row") << "down 5"
                                            << "101 102 100 104 103 105"
                                            << "" << QByteArray() << false << "unchanged";
    QTest::newRow("edit a programme") << "editName"
                                      << "101 102 100 104 103 105"
                                      << "pg 104<20 NAME=Epsilon HD,V_PID=104,FAV=1,default_order=3"
                                      << QByteArray(SIGNAL(nodeChanged(NodeKind, quint32, quint32))) << true << "pushed";
    QTest::newRow("edit to another programme's name") << "editToDuplicate"
                                                      << "101 102 100 104 103 105"
                                                      << "" << QByteArray() << false
                                                      << "Duplicate PG Index = 3, NAME = Alpha";
    QTest::newRow("edit with the same values") << "editSame"
                                               << "101 102 100 104 103 105"
                                               << "" << QByteArray() << false << "unchanged";
    QTest::newRow("edit a satellite") << "editSatellite"
                                      << "101 102 100 104 103 105"
                                      << "sat 2<0 NAME=Hot Bird 13E"
                                      << QByteArray(SIGNAL(nodeChanged(NodeKind, quint32, quint32))) << true << "pushed";
    QTest::newRow("rename a group") << "rename"
                                    << "101 102 100 104 103 105"
                                    << "favourites News|Films"
                                    << QByteArray(SIGNAL(favouriteGroupRenamed(int, QString))) << true << "pushed";
    QTest::newRow("rename a group to nothing") << "rename  "
                                               << "101 102 100 104 103 105"
                                               << "" << QByteArray() << false
                                               << "Can't rename group 1: a group needs a name";
}

void TestDocumentCommands::command()
{
    QFETCH(QString, operation);
    QFETCH(QString, order);
    QFETCH(QString, changed);
    QFETCH(QByteArray, signal);
    QFETCH(bool, step);
    QFETCH(QString, outcome);

    Document document;
    loadDocumentFixture(document);
    const QStringList before = documentSnapshot(document);
    std::unique_ptr<QSignalSpy> spy(signal.isEmpty() ? nullptr : new QSignalSpy(&document, signal.constData()));

    const EditOutcome done = run(document, operation);
    QCOMPARE(done.isPushed() ? QStringLiteral("pushed") : done ? QStringLiteral("unchanged")
                                                               : done.refusal,
             outcome);
    const QStringList after = documentSnapshot(document);
    QCOMPARE(checkModel(*document.database()), QString());
    QCOMPARE(document.isModified(), step);
    QCOMPARE(document.undoStack()->count(), step ? 1 : 0);
    QVERIFY(after.contains(QStringLiteral("service order ") + order));
    if (!changed.isEmpty())
        QVERIFY2(after.contains(changed), qPrintable(after.join(QLatin1Char('\n'))));
    if (spy)
        QVERIFY(!spy->isEmpty());
    if (!step) {
        QCOMPARE(after, before);
        return;
    }

    document.undoStack()->undo();
    QCOMPARE(checkModel(*document.database()), QString());
    QCOMPARE(documentSnapshot(document), before);
    QVERIFY(!document.isModified());
    document.undoStack()->redo();
    QCOMPARE(documentSnapshot(document), after);
}

void TestDocumentCommands::loadAndClearEmptyTheHistory()
{
    Document document;
    loadDocumentFixture(document);
    document.edits().renameGroup(0, QStringLiteral("Headlines"));
    document.edits().moveUp(document.serviceOrder(), {0}); // row 0 cannot move: no step
    QCOMPARE(document.undoStack()->count(), 1);
    document.markClean();
    QVERIFY(!document.isModified());
    loadDocumentFixture(document);
    QCOMPARE(document.undoStack()->count(), 0);
    QCOMPARE(document.favouriteNames().first(), QStringLiteral("News"));
    document.edits().moveUp(document.serviceOrder(), {1});
    QVERIFY(document.isModified());
    document.clear();
    QVERIFY(!document.isModified());
    QVERIFY(!document.hasDatabase());
}

QTEST_GUILESS_MAIN(TestDocumentCommands)
#include "tst_documentcommands.moc"
