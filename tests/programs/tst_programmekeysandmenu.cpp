// What the user's hands do to the programme table: the keys of the find box
// and the table, clicks and double clicks on rows, and the context menu.

#include "programmewidgetfixture.h"

#include "documentedits.h"

#include <QApplication>
#include <QAbstractButton>
#include <QAction>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include "programmetableview.h"
#include <QTest>
#include <QTimer>

#include <memory>

using namespace ProgrammeViews;

class TestProgrammeKeysAndMenu : public ProgrammeWidgetFixture
{
    Q_OBJECT

private slots:
    void findBoxKeepsTheKeyboard();
    void pgSelectedOnClick_data();
    void pgSelectedOnClick();
    void keys_data();
    void keys();
    void doubleClick_data();
    void doubleClick();
    void contextMenu_data();
    void contextMenu();
    void orderingByHand_data();
    void orderingByHand();
};

void TestProgrammeKeysAndMenu::findBoxKeepsTheKeyboard()
{
    load();
    m_widget->allSrvSelected();
    m_widget->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_widget));
    auto *find = m_widget->findChild<QLineEdit *>(QStringLiteral("lineEdit_find"));
    find->setFocus();

    // Each letter extends the search: "a" finds Alpha, "ab" then ABC (row 4).
    QTest::keyClicks(find, QStringLiteral("ab"));
    QCOMPARE(find->text(), QStringLiteral("ab"));
    QCOMPARE(m_widget->table()->currentRow(), 4);
    QCOMPARE(QApplication::focusWidget(), find);
    // The table's move and delete keys stay out of reach.
    const QString effect = effectOf([find] {
        QTest::keyClicks(find, QStringLiteral("+-"));
        QTest::keyClick(find, Qt::Key_Delete);
    });
    QCOMPARE(effect, QString());
    QCOMPARE(find->text(), QStringLiteral("ab+-"));
    // Enter hands the keyboard to the table.
    QTest::keyClick(find, Qt::Key_Return);
    QTRY_COMPARE(QApplication::focusWidget(), m_widget->table());
}

void TestProgrammeKeysAndMenu::pgSelectedOnClick_data()
{
    QTest::addColumn<ViewChoice>("choice");
    QTest::addColumn<int>("row");
    QTest::addColumn<QList<uint>>("ids");
    QTest::newRow("transponder") << ViewChoice{View::Transponder, 2, 20} << 1 << QList<uint>{2, 20, 105};
    QTest::newRow("all services") << ViewChoice{View::AllServices} << 2 << QList<uint>{1, 11, 103};
    QTest::newRow("satellite") << ViewChoice{View::Satellite, 1} << 1 << QList<uint>{1, 10, 102};
    QTest::newRow("favourite view stays silent") << ViewChoice{View::Favourite, 4} << 0 << QList<uint>();
}

void TestProgrammeKeysAndMenu::pgSelectedOnClick()
{
    QFETCH(ViewChoice, choice);
    QFETCH(int, row);
    QFETCH(QList<uint>, ids);
    load();
    show(*m_widget, choice);
    QSignalSpy spy(m_widget, &QDBProgramWidget::pgSelected);
    clickRow(row);
    if (ids.isEmpty()) {
        QCOMPARE(spy.count(), 0);
        return;
    }
    QCOMPARE(spy.count(), 1);
    const QList<QVariant> args = spy.takeFirst();
    QCOMPARE((QList<uint>{args.at(0).toUInt(), args.at(1).toUInt(), args.at(2).toUInt()}), ids);
    // A second row joining the selection emits nothing.
    clickRow(row == 0 ? 1 : 0, Qt::ControlModifier);
    QCOMPARE(m_widget->table()->selectionModel()->selectedRows().size(), 2);
    QCOMPARE(spy.count(), 0);
}

void TestProgrammeKeysAndMenu::keys_data()
{
    // Rows as shown: All Services Alpha Gamma alpine Delta ABC xab; satellite 1
    // Alpha Gamma alpine; TP 10 Alpha Gamma; group 4 Gamma ABC.
    QTest::addColumn<ViewChoice>("choice");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("current"); // -1: no current row
    QTest::addColumn<bool>("copied"); // ABC is on the clipboard first
    QTest::addColumn<QString>("effect");

    const ViewChoice all{View::AllServices};
    const ViewChoice sat{View::Satellite, 1};
    const ViewChoice tp{View::Transponder, 1, 10};
    const ViewChoice group{View::Favourite, 4};
    const int none = Qt::NoModifier;
    const int ctrl = Qt::ControlModifier;
    const QString edit = QStringLiteral("Program Information: Alpha");
    QTest::newRow("return edits") << all << int(Qt::Key_Return) << none << 0 << false << edit;
    QTest::newRow("return without current row") << sat << int(Qt::Key_Return) << none << -1 << false << "";
    QTest::newRow("keypad enter is not handled") << all << int(Qt::Key_Enter) << none << 0 << false << "";
    QTest::newRow("plus moves down") << tp << int(Qt::Key_Plus) << none << 0 << false << "rows Gamma Alpha";
    QTest::newRow("shift equal moves down") << all << int(Qt::Key_Equal) << int(Qt::ShiftModifier) << 0 << false
                                            << "rows Gamma Alpha alpine Delta ABC xab";
    QTest::newRow("plain equal passes") << all << int(Qt::Key_Equal) << none << 0 << false << "";
    QTest::newRow("minus moves up") << sat << int(Qt::Key_Minus) << none << 1 << false << "rows Gamma Alpha alpine";
    QTest::newRow("insert in transponder") << tp << int(Qt::Key_Insert) << none << 0 << false
                                           << "Program Information: ";
    QTest::newRow("insert without current row") << tp << int(Qt::Key_Insert) << none << -1 << false << "";
    QTest::newRow("insert elsewhere passes") << all << int(Qt::Key_Insert) << none << 0 << false << "";
    QTest::newRow("delete asks") << sat << int(Qt::Key_Delete) << none << 0 << false << "Delete PG?";
    QTest::newRow("delete without current row") << all << int(Qt::Key_Delete) << none << -1 << false << "";
    QTest::newRow("ctrl+c in transponder copies") << tp << int(Qt::Key_C) << ctrl << 0 << false << "copied";
    QTest::newRow("ctrl+c elsewhere passes") << all << int(Qt::Key_C) << ctrl << 0 << false << "";
    QTest::newRow("ctrl+v in transponder pastes") << tp << int(Qt::Key_V) << ctrl << 0 << true
                                                  << "rows Alpha Gamma ABC";
    QTest::newRow("ctrl+v outside a transponder") << sat << int(Qt::Key_V) << ctrl << 0 << true << "";
    // A group's Return and Delete are its own, never the programme's edit or delete.
    QTest::newRow("group return") << group << int(Qt::Key_Return) << none << 0 << false << "Favourite Group Edit: ";
    QTest::newRow("group delete") << group << int(Qt::Key_Delete) << none << 0 << false << "rows ABC";
    QTest::newRow("group minus passes") << group << int(Qt::Key_Minus) << none << 1 << false << "";
    QTest::newRow("all favourites delete passes")
        << ViewChoice{View::Favourite, 0} << int(Qt::Key_Delete) << none << 0 << false << "";
}

void TestProgrammeKeysAndMenu::keys()
{
    QFETCH(ViewChoice, choice);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, current);
    QFETCH(bool, copied);
    QFETCH(QString, effect);
    load();
    show(*m_widget, choice);
    QVERIFY(m_widget->table()->rowCount() > current);
    if (copied)
        m_fx.document->edits().copyProgrammes({105});
    m_widget->table()->setCurrentCell(current, current < 0 ? -1 : 0);
    ProgrammeTableView *table = m_widget->table();
    QCOMPARE(effectOf([=] { QTest::keyClick(table, Qt::Key(key), Qt::KeyboardModifiers(modifiers)); }), effect);
}

void TestProgrammeKeysAndMenu::doubleClick_data()
{
    QTest::addColumn<ViewChoice>("choice");
    QTest::addColumn<QString>("effect");
    QTest::newRow("all services") << ViewChoice{View::AllServices} << "Program Information: Alpha";
    QTest::newRow("favourite group") << ViewChoice{View::Favourite, 1} << "Program Information: Alpha";
    QTest::newRow("all favourites") << ViewChoice{View::Favourite, 0} << "";
}

void TestProgrammeKeysAndMenu::doubleClick()
{
    QFETCH(ViewChoice, choice);
    QFETCH(QString, effect);
    load();
    show(*m_widget, choice);
    ProgrammeTableView *table = m_widget->table();
    const QPoint at = table->visualRect(table->model()->index(0, 0)).center();
    // The view takes a double click only on the item its last press hit.
    QCOMPARE(effectOf([table, at] {
                 QTest::mousePress(table->viewport(), Qt::LeftButton, Qt::NoModifier, at);
                 QTest::mouseDClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, at);
             }),
             effect);
}

void TestProgrammeKeysAndMenu::contextMenu_data()
{
    // Entries are listed as "text" or "!text" when disabled; "-" is a separator.
    QTest::addColumn<ViewChoice>("choice");
    QTest::addColumn<int>("row"); // -1: below the last row
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("pick"); // entry to trigger, and what it does
    QTest::addColumn<QString>("effect");

    QTest::newRow("all services, first row")
        << ViewChoice{View::AllServices} << 0 << QString()
        << QStringList{"Edit Channel \t Enter", "Edit HotKey", "-", "!Move Up \t -", "Move Down \t +", "Move Channel",
                       "Switch Channel", "Copy Channel To", "Cut Channel To", "!Insert Channel \t Insert",
                       "Delete Channel \t Delete"}
        << QStringLiteral("Move Down \t +") << QStringLiteral("rows Gamma Alpha alpine Delta ABC xab");
    QTest::newRow("all services, filter disables moves")
        << ViewChoice{View::AllServices} << 1 << QStringLiteral("a")
        << QStringList{"Edit Channel \t Enter", "Edit HotKey", "-", "!Move Up \t -", "!Move Down \t +", "!Move Channel",
                       "!Switch Channel", "!Copy Channel To", "!Cut Channel To", "!Insert Channel \t Insert",
                       "Delete Channel \t Delete"}
        << QStringLiteral("Edit Channel \t Enter") << QStringLiteral("Program Information: alpine");
    QTest::newRow("transponder, below the rows")
        << ViewChoice{View::Transponder, 1, 10} << -1 << QString()
        << QStringList{"!Edit Channel \t Enter", "!Edit HotKey", "!Copy Channel \t Ctrl+C", "!Paste Channel \t Ctrl+V", "-",
                       "Insert Channel \t Insert", "!Delete Channel \t Delete"}
        << QStringLiteral("Insert Channel \t Insert") << QStringLiteral("Program Information: ");
    QTest::newRow("favourite group")
        << ViewChoice{View::Favourite, 4} << 0 << QString() << QStringList{"Edit Group", "Remove channel", "Rename Group"}
        << QStringLiteral("Remove channel") << QStringLiteral("rows ABC");
    QTest::newRow("favourite group, below the rows")
        << ViewChoice{View::Favourite, 4} << -1 << QString()
        << QStringList{"Edit Group", "!Remove channel", "Rename Group"}
        << QString() << QString();
    QTest::newRow("hot keys, unassigned key")
        << ViewChoice{View::HotKeys} << 1 << QString() << QStringList{"Edit Group", "!Remove channel"}
        << QStringLiteral("Edit Group") << QStringLiteral("HotKey Group Edit: ");
    QTest::newRow("all favourites has no menu") << ViewChoice{View::Favourite, 0} << 0 << QString()
                                                << QStringList() << QString() << QString();
}

void TestProgrammeKeysAndMenu::contextMenu()
{
    QFETCH(ViewChoice, choice);
    QFETCH(int, row);
    QFETCH(QString, filter);
    QFETCH(QStringList, entries);
    QFETCH(QString, pick);
    QFETCH(QString, effect);

    m_fx.addHotKey(QStringLiteral("Red"), 1, 10, 100);
    m_fx.addHotKey(QStringLiteral("Green"), NoId, NoId, NoId);
    load();
    show(*m_widget, choice);
    if (!filter.isEmpty())
        m_widget->findChild<QLineEdit *>(QStringLiteral("lineEdit_filter"))->setText(filter);
    ProgrammeTableView *table = m_widget->table();
    QPoint at(20, table->viewport()->height() - 5);
    if (row >= 0) {
        at = table->visualRect(table->model()->index(row, 0)).center();
        table->setCurrentCell(row, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    QStringList seen;
    bool menuSeen = false;
    bool picked = false;
    QTimer timer;
    timer.setInterval(10);
    connect(&timer, &QTimer::timeout, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        timer.stop();
        menuSeen = true;
        QAction *chosen = nullptr;
        for (QAction *action : menu->actions()) {
            if (action->isSeparator()) {
                seen << QStringLiteral("-");
                continue;
            }
            seen << (action->isEnabled() ? QString() : QStringLiteral("!")) + action->text();
            if (action->text() == pick)
                chosen = action;
        }
        picked = chosen != nullptr;
        if (chosen)
            menu->setActiveAction(chosen);
        QTest::keyClick(menu, chosen ? Qt::Key_Return : Qt::Key_Escape);
    });
    timer.start();
    const QPoint global = table->viewport()->mapToGlobal(at);
    QContextMenuEvent event(QContextMenuEvent::Mouse, m_widget->mapFromGlobal(global), global);
    QCOMPARE(effectOf([&] { QApplication::sendEvent(m_widget, &event); }), effect);
    timer.stop();

    QVERIFY(event.isAccepted());
    QCOMPARE(menuSeen, !entries.isEmpty());
    QCOMPARE(seen, entries);
    QCOMPARE(picked, !pick.isEmpty());
}

void TestProgrammeKeysAndMenu::orderingByHand_data()
{
    // Gestures, one after the other: "header N" clicks a column header, "Index"
    // the corner, "-" the key on row 1, "use" Use This Order, "drop R,R on R"
    // drags rows onto the upper edge of a row ("end": below the rows).
    QTest::addColumn<QStringList>("gestures");
    QTest::addColumn<QString>("shown");   // the rows' names; TV only, so beta is left out
    QTest::addColumn<QString>("service"); // every name in the service order
    QTest::addColumn<int>("indicator");   // the sorted column, -1 for none

    const QString unchanged = QStringLiteral("Alpha beta Gamma alpine Delta ABC xab");
    QTest::newRow("header sorts the view") << QStringList{"header 0"} << "ABC Alpha alpine Delta Gamma xab"
                                           << unchanged << 0;
    QTest::newRow("Index gives the service order back")
        << QStringList{"header 0", "Index"} << "Alpha Gamma alpine Delta ABC xab" << unchanged << -1;
    QTest::newRow("no key moves under a sort") << QStringList{"header 0", "-"} << "ABC Alpha alpine Delta Gamma xab"
                                               << unchanged << 0;
    QTest::newRow("Use This Order") << QStringList{"header 0", "use"} << "ABC Alpha alpine Delta Gamma xab"
                                    << "ABC beta Alpha alpine Delta Gamma xab" << -1;
    QTest::newRow("drop in front of a row") << QStringList{"drop 4,5 on 1"} << "Alpha ABC xab Gamma alpine Delta"
                                            << "Alpha beta ABC xab Gamma alpine Delta" << -1;
    QTest::newRow("drop below the rows") << QStringList{"drop 0,2 on end"} << "Gamma Delta ABC xab Alpha alpine"
                                         << "beta Gamma Delta ABC xab Alpha alpine" << -1;
}

void TestProgrammeKeysAndMenu::orderingByHand()
{
    QFETCH(QStringList, gestures);
    QFETCH(QString, shown);
    QFETCH(QString, service);
    QFETCH(int, indicator);
    load();
    show(*m_widget, ViewChoice{View::AllServices});
    ProgrammeTableView *table = m_widget->table();
    QHeaderView *header = table->horizontalHeader();
    for (const QString &gesture : gestures) {
        const QStringList words = gesture.split(QLatin1Char(' '));
        if (words.first() == QLatin1String("header")) {
            const int section = words.at(1).toInt();
            const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                            header->height() / 2);
            QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        } else if (gesture == QLatin1String("Index")) {
            table->findChild<QAbstractButton *>()->click();
        } else if (gesture == QLatin1String("-")) {
            table->setCurrentCell(1, 0);
            QTest::keyClick(table, Qt::Key_Minus);
        } else if (gesture == QLatin1String("use")) {
            m_widget->findChild<QAction *>(QStringLiteral("actUseThisOrder"))->trigger();
        } else {
            table->clearSelection();
            for (const QString &row : words.at(1).split(QLatin1Char(',')))
                table->setCurrentCell(row.toInt(), 0, QItemSelectionModel::Select | QItemSelectionModel::Rows);
            const std::unique_ptr<QMimeData> data(
                table->model()->mimeData(table->selectionModel()->selectedIndexes()));
            const QPoint at = words.at(3) == QLatin1String("end")
                ? QPoint(5, table->viewport()->height() - 2)
                : table->visualRect(table->model()->index(words.at(3).toInt(), 0)).topLeft() + QPoint(5, 1);
            QDragEnterEvent enter(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(table->viewport(), &enter);
            QDragMoveEvent move(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(table->viewport(), &move);
            QDropEvent drop(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(table->viewport(), &drop);
        }
    }
    QCOMPARE(columnTexts(table).join(QLatin1Char(' ')), shown);
    QStringList names;
    for (const DB_NS::PGNode *programme : m_fx.document->database()->allPGs())
        names << programme->value(QStringLiteral("NAME"));
    QCOMPARE(names.join(QLatin1Char(' ')), service);
    QCOMPARE(header->sortIndicatorSection(), indicator);
}

QTEST_MAIN(TestProgrammeKeysAndMenu)
#include "tst_programmekeysandmenu.moc"
