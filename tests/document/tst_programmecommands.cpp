// Move, Switch, Delete, Insert, Paste, Copy To and Cut To on the document:
// the order and values each leaves, then undo gives the state before
// exactly and redo the state after.

#include "documentedits.h"
#include "documentfixture.h"
#include "documentsnapshot.h"
#include "modelcheck.h"

#include <QTest>

namespace {

constexpr quint32 NoId = DB_NS::NoId;

// The fixture with V_PID as the duplicate-checked field, so that copies
// keep their names and reset V_PID.
void loadFixture(Document &document)
{
    DocumentData data = documentFixtureData();
    data.pgFields[QStringLiteral("NAME")].duplicateCheck = false;
    data.pgFields[QStringLiteral("V_PID")].duplicateCheck = true;
    data.hotKeys << HotKey{QStringLiteral("Green"), 1, 10, 100};
    document.setFile(QStringLiteral("fixture.udf"), OstrelUserDump);
    document.reset(std::move(data));
}

QVector<int> numbers(const QStringList &parts, int from)
{
    QVector<int> values;
    for (int i = from; i < parts.size(); ++i)
        values << parts.at(i).toInt();
    return values;
}

} // namespace

class TestProgrammeCommands : public QObject
{
    Q_OBJECT

private slots:
    void command_data();
    void command();
    void newIdsSkipTheFilesIds();
    void heldMovesAreOneStep_data();
    void heldMovesAreOneStep();

private:
    QString run(Document &document, const QString &operation);
};

// Runs "name args..."; returns a refusal text, if any.
QString TestProgrammeCommands::run(Document &document, const QString &op)
{
    DocumentEdits &edits = document.edits();
    const QVector<quint32> rows = document.serviceOrder();
    const QStringList parts = op.split(QLatin1Char(' '));
    const QString name = parts.first();
    const QVector<int> args = numbers(parts, 1);
    QVector<quint32> ids;
    for (const int id : args)
        ids << quint32(id);
    if (name == QLatin1String("up") || name == QLatin1String("down"))
        return (name == QLatin1String("up") ? edits.moveUp(rows, args) : edits.moveDown(rows, args)).refusal;
    if (name == QLatin1String("move"))
        return edits.moveTo(rows, args.mid(1), args.first()).refusal;
    if (name == QLatin1String("switch"))
        return edits.switchTo(rows, args.mid(1), args.first()).refusal;
    if (name == QLatin1String("delete"))
        edits.deleteProgrammes(ids);
    else if (name == QLatin1String("insert"))
        edits.insertProgramme(quint32(args.at(0)), quint32(args.at(1)), args.size() > 2 ? ids.at(2) : NoId,
                              {{QStringLiteral("NAME"), QStringLiteral("New")}});
    else if (name == QLatin1String("paste")) {
        edits.copyProgrammes(ids.mid(2));
        edits.paste(ids.at(0), ids.at(1));
    } else if (name == QLatin1String("copyTo"))
        edits.copyTo(ids.at(0), ids.at(1));
    else if (name == QLatin1String("cutTo"))
        edits.cutTo(ids.at(0), ids.at(1));
    else
        return QStringLiteral("unknown operation");
    return QString();
}

void TestProgrammeCommands::command_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("order");   // the service order afterwards
    QTest::addColumn<QString>("changed"); // text the snapshot must hold afterwards
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<bool>("step"); // false: no step, and nothing to save

    // Rows of All Services: 101 102 100 104 103 105; new ids count down from 4294967294.
    QTest::newRow("move one down") << "move 5 1"
                                   << "101 100 104 103 102 105"
                                   << "sat 1 order 101 100 102 105"
                                   << "" << true;
    QTest::newRow("move one up") << "move 1 4"
                                 << "103 101 102 100 104 105"
                                 << ""
                                 << "" << true;
    QTest::newRow("move two below") << "move 6 1 3"
                                    << "101 100 103 105 102 104"
                                    << "sat 2 order 103 104"
                                    << "" << true;
    QTest::newRow("move two above") << "move 1 2 4"
                                    << "100 103 101 102 104 105"
                                    << ""
                                    << "" << true;
    QTest::newRow("move between") << "move 4 1 5"
                                  << "101 100 102 105 104 103"
                                  << ""
                                  << "" << true;
    QTest::newRow("move onto itself") << "move 2 1"
                                      << "101 102 100 104 103 105"
                                      << ""
                                      << "Can't move to 2" << false;
    QTest::newRow("move out of range") << "move 7 1"
                                       << "101 102 100 104 103 105"
                                       << ""
                                       << "Can't move to 7" << false;
    QTest::newRow("move without a row") << "move 3"
                                        << "101 102 100 104 103 105"
                                        << ""
                                        << "" << false;
    QTest::newRow("switch one") << "switch 6 0"
                                << "105 102 100 104 103 101"
                                << ""
                                << "" << true;
    QTest::newRow("switch several") << "switch 5 0 2"
                                    << "103 102 104 101 100 105"
                                    << "sat 2 order 103 104"
                                    << ""
                                    << true;
    QTest::newRow("switch upwards") << "switch 1 3 5"
                                    << "104 105 102 100 101 103"
                                    << ""
                                    << "" << true;
    QTest::newRow("switch onto itself") << "switch 3 0 2"
                                        << "101 102 100 104 103 105"
                                        << ""
                                        << "Can't switch to 3" << false;
    QTest::newRow("delete three") << "delete 100 104 105"
                                  << "101 102 103"
                                  << "sat 2 order 103"
                                  << "" << true;
    QTest::newRow("delete unassigns its hot key") << "delete 104"
                                                  << "101 102 100 103 105"
                                                  << "hot key Red 4294967295/4294967295/4294967295"
                                                  << "" << true;
    QTest::newRow("delete nothing there") << "delete 7"
                                          << "101 102 100 104 103 105"
                                          << ""
                                          << "" << false;
    QTest::newRow("insert before") << "insert 1 11 105"
                                   << "101 102 100 104 103 4294967294 105"
                                   << "pg 4294967294<11 NAME=New"
                                   << "" << true;
    QTest::newRow("insert appended") << "insert 2 20"
                                     << "101 102 100 104 103 105 4294967294"
                                     << "sat 2 order 103 104 4294967294"
                                     << "" << true;
    QTest::newRow("insert into a lost TP") << "insert 2 11"
                                           << "101 102 100 104 103 105"
                                           << ""
                                           << "" << false;
    QTest::newRow("paste two") << "paste 1 10 100 101"
                               << "101 102 100 104 103 105 4294967294 4294967293"
                               << "pg 4294967293<10 NAME=Beta_1,V_PID=0,FAV=1"
                               << "" << true;
    // Programme 105 without NAME: its copy is named from "" and made unique next to it.
    QTest::newRow("paste without NAME") << "paste 1 11 105 unnamed"
                                        << "101 102 100 104 103 105 4294967294"
                                        << "pg 4294967294<11 V_PID=0,FAV=1,default_order=5,NAME=_1"
                                        << "" << true;
    QTest::newRow("paste with an empty clipboard") << "paste 1 10 7"
                                                   << "101 102 100 104 103 105"
                                                   << ""
                                                   << ""
                                                   << false;
    QTest::newRow("copy to") << "copyTo 102 10"
                             << "101 102 100 104 103 105 4294967294"
                             << "pg 4294967294<10 NAME=Gamma,V_PID=0"
                             << "" << true;
    QTest::newRow("copy to its own TP") << "copyTo 102 11"
                                        << "101 102 100 104 103 105"
                                        << ""
                                        << "" << false;
    QTest::newRow("copy to another satellite") << "copyTo 102 20"
                                               << "101 102 100 104 103 105"
                                               << ""
                                               << "" << false;
    // A cut moves the programme itself: id, checked V_PID, place and hot key stay.
    QTest::newRow("cut to") << "cutTo 100 11"
                            << "101 102 100 104 103 105"
                            << "pg 100<11 NAME=Alpha,V_PID=100,FAV=1"
                            << "" << true;
    QTest::newRow("cut to takes the hot key along") << "cutTo 100 11"
                                                    << "101 102 100 104 103 105"
                                                    << "hot key Green 1/11/100"
                                                    << "" << true;
    QTest::newRow("cut to a TP with its name") << "cutTo 102 10 clash"
                                               << "101 102 100 104 103 105"
                                               << "pg 102<10 NAME=Gamma_1,V_PID=102"
                                               << "" << true;
    // A default database stores TP 10, 11, 20 in turn: 100 101 | 102 105 | 103 104.
    const QString grouped = QStringLiteral(": a default database keeps each transponder's programmes together");
    QTest::newRow("default database, cut to") << "cutTo 100 11 ddf"
                                              << "101 102 105 100 103 104"
                                              << "pg 100<11 NAME=Alpha"
                                              << "" << true;
    QTest::newRow("default database, move within a TP") << "move 2 0 ddf"
                                                        << "101 100 102 105 103 104"
                                                        << ""
                                                        << "" << true;
    QTest::newRow("default database, move across") << "move 3 0 ddf"
                                                   << "100 101 102 105 103 104"
                                                   << ""
                                                   << "Can't move to 3" + grouped << false;
    QTest::newRow("default database, TP after a later one") << "move 6 2 3 ddf"
                                                            << "100 101 102 105 103 104"
                                                            << ""
                                                            << "Can't move to 6" + grouped << false;
    QTest::newRow("default database, switch across") << "switch 4 1 ddf"
                                                     << "100 101 102 105 103 104"
                                                     << ""
                                                     << "Can't switch to 4" + grouped << false;
    QTest::newRow("default database, up across") << "up 2 ddf"
                                                 << "100 101 102 105 103 104"
                                                 << ""
                                                 << "Can't move to 2" + grouped << false;
    QTest::newRow("default database, down within") << "down 0 ddf"
                                                   << "101 100 102 105 103 104"
                                                   << ""
                                                   << "" << true;
    // A new programme goes where the save puts it: last in its TP.
    QTest::newRow("default database, insert") << "insert 1 10 ddf"
                                              << "100 101 4294967294 102 105 103 104"
                                              << ""
                                              << "" << true;
    QTest::newRow("default database, paste") << "paste 1 11 100 101 ddf"
                                             << "100 101 102 105 4294967294 4294967293 103 104"
                                             << ""
                                             << "" << true;
    QTest::newRow("default database, copy to") << "copyTo 102 10 ddf"
                                               << "100 101 4294967294 102 105 103 104"
                                               << ""
                                               << "" << true;
}

void TestProgrammeCommands::command()
{
    QFETCH(QString, operation);
    QFETCH(QString, order);
    QFETCH(QString, changed);
    QFETCH(QString, refusal);
    QFETCH(bool, step);

    Document document;
    loadFixture(document);
    if (operation.endsWith(QLatin1String(" unnamed"))) {
        operation.chop(8);
        document.database()->findPG(105)->removeAttribute(QStringLiteral("NAME"));
    }
    if (operation.endsWith(QLatin1String(" clash"))) {
        operation.chop(6);
        arrangedData(document).findPG(100)->setValue(QStringLiteral("NAME"), QStringLiteral("Gamma"));
    }
    const bool grouped = operation.endsWith(QLatin1String(" ddf"));
    if (grouped) {
        // As a default database loads: the service order is the file's, TP by TP.
        operation.chop(4);
        document.setFile(QStringLiteral("fixture.ddf"), OstrelDefaultDatabase);
        std::vector<DB_NS::PGNode *> order;
        for (const DB_NS::SatNode *sat : document.database()->sats()) {
            for (const DB_NS::TPNode *tp : sat->tps())
                order.insert(order.end(), tp->pgs().begin(), tp->pgs().end());
        }
        QVERIFY(arrangedData(document).setAllPGsOrder(order));
    }
    const QStringList before = documentSnapshot(document);

    QCOMPARE(run(document, operation), refusal);
    const QStringList after = documentSnapshot(document);
    QCOMPARE(checkModel(*document.database()), QString());
    QCOMPARE(document.undoStack()->count(), step ? 1 : 0);
    // The flag is the undo stack's: a refusal or an empty paste leaves none.
    QCOMPARE(document.isModified(), step);
    QVERIFY2(after.contains(QStringLiteral("service order ") + order), qPrintable(after.join(QLatin1Char('\n'))));
    if (!changed.isEmpty())
        QVERIFY2(after.join(QLatin1Char('\n')).contains(changed), qPrintable(after.join(QLatin1Char('\n'))));
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

void TestProgrammeCommands::newIdsSkipTheFilesIds()
{
    DocumentData data = documentFixtureData();
    // A file that already uses the first id new programmes would take.
    auto extra = std::make_unique<DB_NS::PGNode>(4294967294u);
    extra->addAttribute(QStringLiteral("NAME"), QStringLiteral("Far"));
    DB_NS::TPNode *tp = data.database->findSat(2)->findTP(20);
    QVERIFY(tp->addPG(extra.release()));
    Document document;
    document.setFile(QStringLiteral("fixture.udf"), OstrelUserDump);
    document.reset(std::move(data));
    document.edits().deleteProgrammes({4294967294u});
    QCOMPARE(document.edits().insertProgramme(2, 20, NoId, {}), 4294967293u);
    // A load starts counting again.
    loadFixture(document);
    QCOMPARE(document.edits().insertProgramme(2, 20, NoId, {}), 4294967294u);
}

void TestProgrammeCommands::heldMovesAreOneStep_data()
{
    QTest::addColumn<QString>("keys"); // u, d: Move Up / Move Down; n: the row below is selected instead
    QTest::addColumn<QVector<int>>("selected");
    QTest::addColumn<int>("steps");
    QTest::addColumn<QString>("undoText");

    QTest::newRow("down held twenty times") << QString(20, QLatin1Char('d')) << QVector<int>{0} << 1 << "Move Down";
    QTest::newRow("up held") << "uuuuuuu" << QVector<int>{12} << 1 << "Move Up";
    QTest::newRow("a block held down") << "dddddddddd" << QVector<int>{2, 3, 5} << 1 << "Move Down";
    QTest::newRow("held past the end") << "dddddd" << QVector<int>{23} << 1 << "Move Down";
    QTest::newRow("down then up") << "ddu" << QVector<int>{4} << 2 << "Move Up";
    QTest::newRow("another row") << "ddnd" << QVector<int>{4} << 2 << "Move Down";
}

void TestProgrammeCommands::heldMovesAreOneStep()
{
    QFETCH(QString, keys);
    QFETCH(QVector<int>, selected);
    QFETCH(int, steps);
    QFETCH(QString, undoText);

    // 26 rows, the new ones taking turns between a TP of each satellite.
    Document document;
    loadFixture(document);
    for (int i = 0; i < 20; ++i)
        document.edits().insertProgramme(i % 2 ? 1 : 2, i % 2 ? 11 : 20, NoId, {{QStringLiteral("NAME"), QString::number(i)}});
    document.undoStack()->clear();
    const QStringList before = documentSnapshot(document);

    for (const QChar key : keys) {
        if (key == QLatin1Char('n')) {
            selected = {selected.last() + 1};
            continue;
        }
        const DocumentEdits::MoveOutcome outcome = key == QLatin1Char('u')
            ? document.edits().moveUp(document.serviceOrder(), selected)
            : document.edits().moveDown(document.serviceOrder(), selected);
        if (outcome.isPushed())
            selected = outcome.rows; // the table selects the moved rows again
    }
    const QStringList after = documentSnapshot(document);
    QVERIFY(after != before);
    QCOMPARE(document.undoStack()->count(), steps);
    QCOMPARE(document.undoStack()->undoText(), undoText);

    for (int i = 0; i < steps; ++i)
        document.undoStack()->undo();
    QCOMPARE(checkModel(*document.database()), QString());
    QCOMPARE(documentSnapshot(document), before);
    QVERIFY(!document.isModified());
    for (int i = 0; i < steps; ++i)
        document.undoStack()->redo();
    QCOMPARE(documentSnapshot(document), after);
    document.undoStack()->undo();
    document.undoStack()->redo();
    QCOMPARE(checkModel(*document.database()), QString());
    QCOMPARE(documentSnapshot(document), after);
}

QTEST_GUILESS_MAIN(TestProgrammeCommands)
#include "tst_programmecommands.moc"
