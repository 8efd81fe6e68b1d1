// Group edits, group removals and hot-key assignments on the document: what
// each leaves, then undo gives the state before exactly and redo the state after.

#include "documentedits.h"
#include "documentfixture.h"
#include "documentsnapshot.h"

#include <QTest>

class TestFavouriteCommands : public QObject
{
    Q_OBJECT

private slots:
    void command_data();
    void command();
};

void TestFavouriteCommands::command_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QStringList>("expected"); // lines the snapshot must hold afterwards
    QTest::addColumn<bool>("step");

    // Every programme starts with FAV=1; hot key Red -> 2/20/104, fav hot key F1 -> 1.
    QTest::newRow("join group 2") << "group 2 1 100 102"
                                  << QStringList{"pg 100<10 NAME=Alpha,V_PID=100,FAV=3",
                                                 "pg 102<11 NAME=Gamma,V_PID=102,FAV=3"}
                                  << true;
    QTest::newRow("leave group 1") << "group 1 0 101"
                                   << QStringList{"pg 101<10 NAME=Beta,V_PID=101,FAV=0"} << true;
    QTest::newRow("already a member") << "group 1 1 100 101" << QStringList{} << false;
    QTest::newRow("not one bit") << "group 3 1 100" << QStringList{} << false;
    QTest::newRow("remove from group 1") << "remove 1 104"
                                         << QStringList{"pg 104<20 NAME=Epsilon,V_PID=104,FAV=0"}
                                         << true;
    QTest::newRow("remove from a group it is not in") << "remove 2 104" << QStringList{} << false;
    QTest::newRow("hot key to another programme") << "hotkey 0 100" << QStringList{"hot key Red 1/10/100"} << true;
    QTest::newRow("hot key to its own programme") << "hotkey 0 104" << QStringList{"hot key Red 2/20/104"} << false;
    QTest::newRow("hot key unassigned") << "unassign 0"
                                        << QStringList{"hot key Red 4294967295/4294967295/4294967295"} << true;
    QTest::newRow("fav hot key to group 0") << "favkey 0 0" << QStringList{"fav hot key F1 0"} << true;
    QTest::newRow("fav hot key unassigned") << "favkey 0 -1" << QStringList{"fav hot key F1 -1"} << true;
    QTest::newRow("fav hot key past the names") << "favkey 0 2" << QStringList{"fav hot key F1 1"} << false;
}

void TestFavouriteCommands::command()
{
    QFETCH(QString, operation);
    QFETCH(QStringList, expected);
    QFETCH(bool, step);

    Document document;
    loadDocumentFixture(document);
    const QStringList before = documentSnapshot(document);
    const QStringList parts = operation.split(QLatin1Char(' '));
    const QString name = parts.first();
    const int a = parts.value(1).toInt();
    const int b = parts.value(2).toInt();
    DocumentEdits &edits = document.edits();
    if (name == QLatin1String("group")) {
        QVector<DocumentEdits::Membership> memberships;
        for (int i = 3; i < parts.size(); ++i)
            memberships.append({parts.at(i).toUInt(), b != 0});
        edits.editGroup(quint32(a), memberships);
    } else if (name == QLatin1String("remove")) {
        edits.removeFromGroup(quint32(a), quint32(b));
    } else if (name == QLatin1String("hotkey")) {
        edits.assignHotKey(a, quint32(b));
    } else if (name == QLatin1String("unassign")) {
        edits.unassignHotKey(a);
    } else {
        edits.assignFavHotKey(a, b);
    }

    const QStringList after = documentSnapshot(document);
    for (const QString &line : expected)
        QVERIFY2(after.join(QLatin1Char('\n')).contains(line), qPrintable(after.join(QLatin1Char('\n'))));
    QCOMPARE(document.undoStack()->count(), step ? 1 : 0);
    QCOMPARE(document.isModified(), step);
    if (!step) {
        QCOMPARE(after, before);
        return;
    }
    document.undoStack()->undo();
    QCOMPARE(documentSnapshot(document), before);
    QVERIFY(!document.isModified());
    document.undoStack()->redo();
    QCOMPARE(documentSnapshot(document), after);
}

QTEST_GUILESS_MAIN(TestFavouriteCommands)
#include "tst_favouritecommands.moc"
