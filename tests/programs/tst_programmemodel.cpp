// The programme model kept in step with the document: Qt's model tester
// watches it through every programme operation with its undo and redo, its
// rows and cells must equal a model built afresh after each step, and each
// operation must take only the row notifications of the rows it concerns.

#include "documentedits.h"
#include "programmefixture.h"
#include "programmemodel.h"
#include "sortorder.h"

#include <QAbstractItemModelTester>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <iterator>
#include <map>
#include <memory>

namespace {

constexpr quint32 NoId = DB_NS::NoId;

struct ViewOf
{
    ProgrammeModel::View view;
    quint32 sat = NoId;
    quint32 tp = NoId;
    quint32 fav = NoId;
};

// Every cell and header of the model, a line per row.
QStringList contents(const ProgrammeModel &model)
{
    QStringList lines;
    QStringList header;
    for (int column = 0; column < model.columnCount(); ++column)
        header << model.headerData(column, Qt::Horizontal).toString();
    lines << header.join(QLatin1Char('|'));
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model.columnCount(); ++column)
            cells << cellText(&model, row, column);
        lines << cells.join(QLatin1Char('|'));
    }
    return lines;
}

// What the model said since the spies started, zero counts left out.
struct SignalCount
{
    explicit SignalCount(const ProgrammeModel &model)
        : spies{{"inserted", std::make_shared<QSignalSpy>(&model, &QAbstractItemModel::rowsInserted)},
                {"removed", std::make_shared<QSignalSpy>(&model, &QAbstractItemModel::rowsRemoved)},
                {"moved", std::make_shared<QSignalSpy>(&model, &QAbstractItemModel::rowsMoved)},
                {"layout", std::make_shared<QSignalSpy>(&model, &QAbstractItemModel::layoutChanged)},
                {"reset", std::make_shared<QSignalSpy>(&model, &QAbstractItemModel::modelReset)},
                {"changed", std::make_shared<QSignalSpy>(&model, &QAbstractItemModel::dataChanged)}}
    {
    }
    QString take()
    {
        QStringList said;
        for (const auto &spy : spies) {
            if (!spy.second->isEmpty())
                said << QStringLiteral("%1 %2").arg(QLatin1String(spy.first)).arg(spy.second->count());
            spy.second->clear();
        }
        return said.join(QLatin1Char(' '));
    }
    std::vector<std::pair<const char *, std::shared_ptr<QSignalSpy>>> spies;
};

} // namespace

Q_DECLARE_METATYPE(ViewOf)

class TestProgrammeModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void inStepThroughEveryOperation_data();
    void inStepThroughEveryOperation();
    void rowNotifications_data();
    void rowNotifications();
    void scatteredRowsReset();
    void dropsAndViewSort_data();
    void dropsAndViewSort();

private:
    // Runs the named operation through the document's edits on the model's rows.
    void run(const QString &operation, const ProgrammeModel &model);
    void compareWithFresh(const ProgrammeModel &model, const QString &when);

    ProgrammeFixture m_fx;
};

void TestProgrammeModel::initTestCase()
{
    // For the spies on layoutChanged.
    qRegisterMetaType<QList<QPersistentModelIndex>>();
    qRegisterMetaType<QAbstractItemModel::LayoutChangeHint>();
}

void TestProgrammeModel::init()
{
    m_fx = ProgrammeFixture();
    m_fx.sats = {1, 2};
    m_fx.tps = {{1, 10}, {1, 11}, {2, 20}};
    const QString names[] = {"Alpha", "beta", "Gamma", "alpine", "Delta", "ABC", "xab", "Amber"};
    const quint32 tps[] = {10, 10, 10, 11, 20, 20, 20, 11};
    const char *favs[] = {"1", "4", "5", "0", "", "4", "2", "1"};
    for (int i = 0; i < 8; ++i) {
        m_fx.pgs.push_back({tps[i], quint32(100 + i), names[i], i == 1 ? QStringLiteral("0") : QString::number(200 + i),
                            QString::fromLatin1(favs[i]), QString::number(7 - i)});
    }
    m_fx.favouriteNames = QStringList{QStringLiteral("News"), QStringLiteral("Sport"), QStringLiteral("Kids")};
    m_fx.addHotKey(QStringLiteral("Red"), 2, 20, 105);
    m_fx.addHotKey(QStringLiteral("Green"), NoId, NoId, NoId);
    m_fx.addFavHotKey(QStringLiteral("F1"), 1);
    m_fx.build();
    m_fx.attach(OstrelUserDump);
}

void TestProgrammeModel::run(const QString &operation, const ProgrammeModel &model)
{
    DocumentEdits &edits = m_fx.document->edits();
    const QVector<quint32> rows = model.rowIds();
    const bool exchange = model.view() == ProgrammeModel::Satellite || model.view() == ProgrammeModel::Transponder;
    // The second row's programme, or in a view without one the service order's second.
    const ChannelDatabase &database = *m_fx.document->database();
    const quint32 second = rows.value(1, NoId) != NoId ? rows.at(1) : (*std::next(database.allPGs().begin()))->id();
    QVector<NodeAttribute> values = database.findPG(second)->attributes();
    for (NodeAttribute &value : values) {
        // The row still passes the filter: an edit refreshes a row, it does not hide one.
        if (value.name == QLatin1String("NAME"))
            value.value += QStringLiteral(" HD");
        if (value.name == QLatin1String("FAV"))
            value.value = QStringLiteral("7");
    }
    const std::map<QString, std::function<void()>> operations{
        {"move up", [&] { edits.moveUp(rows, {2}, exchange); }},
        {"move down", [&] { edits.moveDown(rows, {1}, exchange); }},
        {"move two down", [&] { edits.moveDown(rows, {0, 1}, exchange); }},
        {"move to", [&] { edits.moveTo(rows, {1}, 5); }},
        {"switch", [&] { edits.switchTo(rows, {0}, 4); }},
        {"insert", [&] { edits.insertProgramme(1, 10, 101, {{"NAME", "New"}, {"V_PID", "300"}, {"FAV", "1"}}); }},
        {"delete", [&] { edits.deleteProgrammes({second}); }},
        {"paste", [&] {
             edits.copyProgrammes({100, 102});
             edits.paste(1, 10);
         }},
        {"copy to", [&] { edits.copyTo(100, 11); }},
        {"cut to", [&] { edits.cutTo(100, 11); }},
        {"edit", [&] { edits.editNode(NodeKind::Programme, second, NoId, values); }},
        {"group", [&] { edits.editGroup(1, {{103, true}, {100, false}}); }},
        {"leave group", [&] { edits.removeFromGroup(1, 107); }},
        {"hot key", [&] { edits.assignHotKey(1, 104); }},
        {"fav hot key", [&] { edits.assignFavHotKey(0, 2); }},
        {"rename group", [&] { edits.renameGroup(1, QStringLiteral("Games")); }},
        {"drop", [&] { edits.moveBefore({rows.value(0), rows.value(2)}, rows.value(4, NoId)); }},
        {"use order", [&] { edits.useOrder(QVector<quint32>(rows.crbegin(), rows.crend())); }},
        // Move Up in satellite 1's view, whatever this one shows: 107 and
        // 103 trade places across three others, a step that names only 107.
        {"trade places", [&] { edits.moveUp({100, 101, 102, 103, 107}, {4}, true); }},
        // A whole new order at once.
        {"sort", [&] {
             SortRequest byName;
             byName.keys = QStringList{QStringLiteral("NAME")};
             edits.sortProgrammes(byName);
         }},
    };
    const auto found = operations.find(operation);
    QVERIFY2(found != operations.end(), qPrintable(operation));
    found->second();
}

void TestProgrammeModel::compareWithFresh(const ProgrammeModel &model, const QString &when)
{
    ProgrammeModel fresh;
    fresh.setDocument(m_fx.document.get());
    fresh.setService(model.service());
    fresh.setNameFilter(model.nameFilter());
    fresh.showView(model.view(), model.satId(), model.tpId(), model.favId());
    QVERIFY2(contents(model) == contents(fresh),
             qPrintable(when + QLatin1Char('\n') + contents(model).join(QLatin1Char('\n')) + QStringLiteral("\nfresh:\n")
                        + contents(fresh).join(QLatin1Char('\n'))));
    for (int row = 0; row < model.rowCount(); ++row)
        QCOMPARE(model.rowOf(model.rowIds().at(row)), model.isHotKeyView() ? -1 : row);
}

void TestProgrammeModel::inStepThroughEveryOperation_data()
{
    QTest::addColumn<ViewOf>("view");
    QTest::addColumn<int>("service");
    QTest::addColumn<QString>("filter");
    QTest::newRow("all services") << ViewOf{ProgrammeModel::AllServices} << int(ProgrammeModel::TvAndRadio)
                                  << QString();
    QTest::newRow("all services, TV, filter a") << ViewOf{ProgrammeModel::AllServices} << int(ProgrammeModel::Tv)
                                                << QStringLiteral("a");
    QTest::newRow("satellite") << ViewOf{ProgrammeModel::Satellite, 1} << int(ProgrammeModel::Tv) << QString();
    QTest::newRow("transponder") << ViewOf{ProgrammeModel::Transponder, 1, 10} << int(ProgrammeModel::TvAndRadio)
                                 << QString();
    QTest::newRow("radio") << ViewOf{ProgrammeModel::AllServices} << int(ProgrammeModel::Radio) << QString();
    QTest::newRow("all favourites") << ViewOf{ProgrammeModel::AllFavourites, NoId, NoId, 0}
                                    << int(ProgrammeModel::TvAndRadio) << QString();
    QTest::newRow("favourite group") << ViewOf{ProgrammeModel::FavouriteGroup, NoId, NoId, 1}
                                     << int(ProgrammeModel::Tv) << QString();
    QTest::newRow("hot keys") << ViewOf{ProgrammeModel::HotKeys} << int(ProgrammeModel::Tv) << QString();
    QTest::newRow("favourite hot keys") << ViewOf{ProgrammeModel::FavHotKeys} << int(ProgrammeModel::Tv)
                                        << QString();
}

void TestProgrammeModel::inStepThroughEveryOperation()
{
    QFETCH(ViewOf, view);
    QFETCH(int, service);
    QFETCH(QString, filter);
    ProgrammeModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setDocument(m_fx.document.get());
    model.showView(view.view, view.sat, view.tp, view.fav);
    model.setService(service);
    model.setNameFilter(filter);
    compareWithFresh(model, QStringLiteral("shown"));

    QUndoStack *history = m_fx.document->undoStack();
    const QStringList operations{"sort", "trade places", "move up", "move down", "move two down", "move to", "switch", "insert",
                                 "delete", "paste", "copy to", "cut to", "edit", "group",
                                 "leave group", "hot key", "fav hot key", "rename group", "drop", "use order"};
    for (const QString &operation : operations) {
        run(operation, model);
        compareWithFresh(model, operation);
        history->undo();
        compareWithFresh(model, QStringLiteral("undo ") + operation);
        history->redo();
        compareWithFresh(model, QStringLiteral("redo ") + operation);
    }
    while (history->canUndo()) {
        history->undo();
        compareWithFresh(model, QStringLiteral("undo all"));
    }
    // The bar and the tree change the view itself.
    model.setNameFilter(QStringLiteral("A"));
    model.setService(ProgrammeModel::Radio);
    model.showView(ProgrammeModel::Transponder, 2, 20);
    compareWithFresh(model, QStringLiteral("another view"));
    m_fx.document->clear();
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.view(), ProgrammeModel::None);
}

void TestProgrammeModel::rowNotifications_data()
{
    QTest::addColumn<ViewOf>("view");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("done");   // what the operation and its redo tell the view
    QTest::addColumn<QString>("undone"); // what its undo tells the view
    const ViewOf all{ProgrammeModel::AllServices};
    QTest::newRow("move up") << all << "move up"
                             << "moved 1"
                             << "moved 1";
    QTest::newRow("move down") << all << "move down"
                               << "moved 1"
                               << "moved 1";
    QTest::newRow("two rows down") << all << "move two down"
                                   << "moved 1"
                                   << "moved 1";
    QTest::newRow("move to") << all << "move to"
                             << "moved 1"
                             << "moved 1";
    QTest::newRow("satellite, move up") << ViewOf{ProgrammeModel::Satellite, 1} << "move up"
                                        << "moved 1"
                                        << "moved 1";
    QTest::newRow("transponder, move down") << ViewOf{ProgrammeModel::Transponder, 1, 10} << "move down"
                                            << "moved 1"
                                            << "moved 1";
    QTest::newRow("edit") << all << "edit"
                          << "changed 1"
                          << "changed 1";
    QTest::newRow("delete") << all << "delete"
                            << "removed 1"
                            << "inserted 1";
    QTest::newRow("insert") << ViewOf{ProgrammeModel::Transponder, 1, 10} << "insert"
                            << "inserted 1"
                            << "removed 1";
    QTest::newRow("leave group") << ViewOf{ProgrammeModel::FavouriteGroup, NoId, NoId, 1} << "leave group"
                                 << "removed 1"
                                 << "inserted 1";
    QTest::newRow("hot key") << ViewOf{ProgrammeModel::HotKeys} << "hot key"
                             << "changed 1"
                             << "changed 1";
}

void TestProgrammeModel::rowNotifications()
{
    QFETCH(ViewOf, view);
    QFETCH(QString, operation);
    QFETCH(QString, done);
    QFETCH(QString, undone);
    ProgrammeModel model;
    model.setDocument(m_fx.document.get());
    model.setService(ProgrammeModel::TvAndRadio);
    model.showView(view.view, view.sat, view.tp, view.fav);
    SignalCount said(model);
    run(operation, model);
    QCOMPARE(said.take(), done);
    m_fx.document->undoStack()->undo();
    QCOMPARE(said.take(), undone);
    m_fx.document->undoStack()->redo();
    QCOMPARE(said.take(), done);
}

void TestProgrammeModel::scatteredRowsReset()
{
    // Every other one of 200 programmes goes: one reset, not a hundred removals.
    m_fx = ProgrammeFixture();
    m_fx.sats = {1};
    m_fx.tps = {{1, 10}};
    QVector<quint32> everyOther;
    for (quint32 id = 0; id < 200; ++id) {
        m_fx.pgs.push_back({10, id, QStringLiteral("P%1").arg(id), QStringLiteral("1"), QStringLiteral("0"), {}});
        if (id % 2 == 0)
            everyOther.append(id);
    }
    m_fx.build();
    m_fx.attach(0);
    ProgrammeModel model;
    model.setDocument(m_fx.document.get());
    model.showView(ProgrammeModel::AllServices);
    SignalCount said(model);
    m_fx.document->edits().deleteProgrammes(everyOther);
    QCOMPARE(said.take(), QStringLiteral("reset 1"));
    compareWithFresh(model, QStringLiteral("deleted"));
    m_fx.document->undoStack()->undo();
    QCOMPARE(said.take(), QStringLiteral("reset 1"));
    compareWithFresh(model, QStringLiteral("undone"));
}

void TestProgrammeModel::dropsAndViewSort_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<ViewOf>("view");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("sortColumn"); // -1: the view's own order; the sort is ascending unless descending
    QTest::addColumn<bool>("descending");
    QTest::addColumn<QVector<int>>("dragged"); // none: Use This Order of the shown rows
    QTest::addColumn<int>("dropRow");          // -1: below the last row
    QTest::addColumn<QString>("shown");        // the rows' names, top to bottom
    QTest::addColumn<QString>("after");        // the service order afterwards; "" when nothing changes
    QTest::addColumn<QString>("refusal");
    const ViewOf all{ProgrammeModel::AllServices};
    const int dump = OstrelUserDump;
    const int image = OstrelFlashImage;
    const QString refusal = QStringLiteral("Can't move to 1: a default database keeps each transponder's programmes together");
    const QString sorted = QStringLiteral("Arte|news|sport 2|Sport 2|Sport 10");
    // Service order: Sport 10, sport 2, Arte, news, Sport 2 on TPs 10 10 11 11 10.
    const QString order = QStringLiteral("Sport 10|sport 2|Arte|news|Sport 2");
    QTest::newRow("drop on a row") << dump << all << "" << -1 << false << QVector<int>{0} << 3 << order
                                   << "sport 2|Arte|Sport 10|news|Sport 2"
                                   << "";
    QTest::newRow("drop at the end") << dump << all << "" << -1 << false << QVector<int>{1, 2} << -1 << order
                                     << "Sport 10|news|Sport 2|sport 2|Arte"
                                     << "";
    QTest::newRow("scattered rows keep their order") << dump << all << "" << -1 << false << QVector<int>{4, 0} << 2
                                                     << order << "sport 2|Sport 10|Sport 2|Arte|news"
                                                     << "";
    QTest::newRow("drop on a dragged row") << dump << all << "" << -1 << false << QVector<int>{1, 2} << 2 << order
                                           << ""
                                           << "";
    QTest::newRow("no drop under a filter") << dump << all << "s" << -1 << false << QVector<int>{0} << 1
                                            << "Sport 10|sport 2|Sport 2"
                                            << ""
                                            << "";
    QTest::newRow("no drop under a view sort") << dump << all << "" << 0 << false << QVector<int>{0} << 3 << sorted
                                               << ""
                                               << "";
    QTest::newRow("no drop outside All Services")
        << dump << ViewOf{ProgrammeModel::Satellite, 1} << "" << -1 << false << QVector<int>{0} << 2
        << "Sport 10|sport 2|Sport 2|Arte|news"
        << ""
        << "";
    QTest::newRow("image: drop across TPs") << image << all << "" << -1 << false << QVector<int>{2} << 0 << order
                                            << "" << refusal;
    QTest::newRow("image: drop within a TP") << image << all << "" << -1 << false << QVector<int>{1} << 0 << order
                                             << "sport 2|Sport 10|Arte|news|Sport 2"
                                             << "";
    // Names compare without case and with numbers as numbers; ties keep the service order.
    QTest::newRow("use a name sort") << dump << all << "" << 0 << false << QVector<int>() << 0 << sorted
                                     << "Arte|news|sport 2|Sport 2|Sport 10"
                                     << "";
    QTest::newRow("use a descending number sort")
        << dump << all << "" << 1 << true << QVector<int>() << 0 << "Arte|Sport 10|Sport 2|sport 2|news"
        << "Arte|Sport 10|Sport 2|sport 2|news"
        << "";
    QTest::newRow("image: use a sort across TPs") << image << all << "" << 0 << false << QVector<int>() << 0 << sorted
                                                  << "" << refusal;
}

void TestProgrammeModel::dropsAndViewSort()
{
    QFETCH(int, kind);
    QFETCH(ViewOf, view);
    QFETCH(QString, filter);
    QFETCH(int, sortColumn);
    QFETCH(bool, descending);
    QFETCH(QVector<int>, dragged);
    QFETCH(int, dropRow);
    QFETCH(QString, shown);
    QFETCH(QString, after);
    QFETCH(QString, refusal);
    m_fx = ProgrammeFixture();
    m_fx.sats = {1};
    m_fx.tps = {{1, 10}, {1, 11}};
    const QString names[] = {"Sport 10", "sport 2", "Arte", "news", "Sport 2"};
    const quint32 tps[] = {10, 10, 11, 11, 10};
    const QString vpids[] = {"300", "45", "1000", "5", "120"};
    for (int i = 0; i < 5; ++i)
        m_fx.pgs.push_back({tps[i], quint32(100 + i), names[i], vpids[i], "0", QString::number(i)});
    m_fx.build();
    m_fx.attach(kind);
    const auto serviceOrder = [this] {
        QStringList order;
        for (const DB_NS::PGNode *programme : m_fx.document->database()->allPGs())
            order << programme->value(QStringLiteral("NAME"));
        return order.join(QLatin1Char('|'));
    };
    const QString before = serviceOrder();

    ProgrammeModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QString refused;
    model.setDropHandler([this, &refused](const QVector<quint32> &ids, quint32 beforeId) {
        const EditOutcome outcome = m_fx.document->edits().moveBefore(ids, beforeId);
        refused = outcome.refusal;
        return outcome.isPushed();
    });
    model.setDocument(m_fx.document.get());
    model.setService(ProgrammeModel::TvAndRadio);
    model.showView(view.view, view.sat, view.tp, view.fav);
    model.setNameFilter(filter);
    model.sort(sortColumn, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row)
        rows << cellText(&model, row);
    QCOMPARE(rows.join(QLatin1Char('|')), shown);
    QCOMPARE(model.showsMoves(), filter.isEmpty() && sortColumn < 0);

    if (dragged.isEmpty()) {
        refused = m_fx.document->edits().useOrder(model.rowIds()).refusal;
    } else {
        QModelIndexList indexes;
        for (const int row : dragged)
            indexes << model.index(row, 0) << model.index(row, 1);
        const std::unique_ptr<QMimeData> data(model.mimeData(indexes));
        QCOMPARE(model.dropMimeData(data.get(), Qt::MoveAction, dropRow, 0, QModelIndex()), !after.isEmpty());
        // Another model's rows never land here.
        ProgrammeModel other;
        other.setDocument(m_fx.document.get());
        other.showView(ProgrammeModel::AllServices);
        const std::unique_ptr<QMimeData> foreign(other.mimeData(indexes));
        QVERIFY(!model.dropMimeData(foreign.get(), Qt::MoveAction, dropRow, 0, QModelIndex()));
    }
    QCOMPARE(serviceOrder(), after.isEmpty() ? before : after);
    QCOMPARE(refused, refusal);
    QCOMPARE(m_fx.document->undoStack()->count(), after.isEmpty() ? 0 : 1);
    if (!after.isEmpty()) {
        m_fx.document->undoStack()->undo();
        QCOMPARE(serviceOrder(), before);
    }
}

QTEST_MAIN(TestProgrammeModel)
#include "tst_programmemodel.moc"
