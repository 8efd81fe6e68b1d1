// What the programme table shows: each view of the tree, the TV and radio
// choice, the filter and find boxes, the hot key views, and what a reset or
// a cleared database leaves.

#include "programmewidgetfixture.h"

#include "documentedits.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace ProgrammeViews;

class TestProgrammeViews : public ProgrammeWidgetFixture
{
    Q_OBJECT

private slots:
    void construction();
    void views_data();
    void views();
    void serviceChoice_data();
    void serviceChoice();
    void radioIsVpidZeroOnly_data();
    void radioIsVpidZeroOnly();
    void sameRadioKeepsTable();
    void filter_data();
    void filter();
    void filterClearsFind();
    void hotKeyView_data();
    void hotKeyView();
    void favHotKeyView_data();
    void favHotKeyView();
    void find_data();
    void find();
    void findInHotKeyView();
    void viewSwitchStartsAtTop();
    void columnsFollowValues_data();
    void columnsFollowValues();
    void resetEmptiesTable();
    void clearAllForgetsDatabase();
};

void TestProgrammeViews::construction()
{
    QDBProgramWidget w;
    QCOMPARE(w.viewMode(), QDBProgramWidget::None);
    QCOMPARE(w.table()->columnCount(), 0);
    QCOMPARE(w.table()->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(w.table()->selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(w.table()->editTriggers(), QAbstractItemView::NoEditTriggers);
    QVERIFY(w.findChild<QRadioButton *>(QStringLiteral("radioButton_TV"))->isChecked());
    auto *corner = w.table()->findChild<QAbstractButton *>();
    QVERIFY(corner);
    QCOMPARE(corner->text(), QStringLiteral("Index"));
    QVERIFY(w.table()->verticalHeader()->minimumWidth() > 0);

    // The public slots wait for a database.
    w.allSrvSelected();
    w.satSelected(1);
    w.hotkeySelected();
    QCOMPARE(w.viewMode(), QDBProgramWidget::None);
}

void TestProgrammeViews::views_data()
{
    QTest::addColumn<ViewChoice>("choice");
    QTest::addColumn<int>("fileKind");
    QTest::addColumn<QDBProgramWidget::ViewMode>("mode");
    QTest::addColumn<QStringList>("names");

    const auto names = [](const char *list) { return QString::fromLatin1(list).split(QLatin1Char(','), Qt::SkipEmptyParts); };
    QTest::newRow("all services, database order") << ViewChoice{View::AllServices} << 0
                                                  << QDBProgramWidget::AllServices
                                                  << names("Alpha,Gamma,alpine,Delta,ABC,xab");
    // Equal keys keep database order (Gamma before Delta); "x" counts as 0.
    QTest::newRow("all services, dump sorted by default_order")
        << ViewChoice{View::AllServices} << 2 << QDBProgramWidget::AllServices
        << names("alpine,Gamma,Delta,Alpha,xab,ABC");
    // By TP, each TP's programmes in the service order.
    QTest::newRow("satellite") << ViewChoice{View::Satellite, 1} << 2 << QDBProgramWidget::Satellite
                               << names("Gamma,Alpha,alpine");
    QTest::newRow("unknown satellite") << ViewChoice{View::Satellite, 99} << 0 << QDBProgramWidget::Satellite
                                       << QStringList();
    QTest::newRow("no satellite") << ViewChoice{View::AllSatellites} << 0 << QDBProgramWidget::NoSatellite
                                  << QStringList();
    // A new satellite may have the highest id; it is a satellite like any other.
    QTest::newRow("satellite with the highest id") << ViewChoice{View::Satellite, NoId} << 0
                                                   << QDBProgramWidget::Satellite << QStringList();
    QTest::newRow("transponder") << ViewChoice{View::Transponder, 2, 20} << 0 << QDBProgramWidget::Transponder
                                 << names("Delta,ABC,xab");
    QTest::newRow("transponder of another satellite")
        << ViewChoice{View::Transponder, 1, 20} << 0 << QDBProgramWidget::Transponder << QStringList();
    QTest::newRow("all favourites") << ViewChoice{View::Favourite, 0} << 0 << QDBProgramWidget::AllFavourites
                                    << names("Alpha,Gamma,ABC,xab");
    QTest::newRow("favourite group 4") << ViewChoice{View::Favourite, 4} << 0 << QDBProgramWidget::FavouriteGroup
                                       << names("Gamma,ABC");
    QTest::newRow("favourite group 1") << ViewChoice{View::Favourite, 1} << 0 << QDBProgramWidget::FavouriteGroup
                                       << names("Alpha,Gamma");
    QTest::newRow("favourite group 8 is empty")
        << ViewChoice{View::Favourite, 8} << 0 << QDBProgramWidget::FavouriteGroup << QStringList();
}

void TestProgrammeViews::views()
{
    QFETCH(ViewChoice, choice);
    QFETCH(int, fileKind);
    QFETCH(QDBProgramWidget::ViewMode, mode);
    QFETCH(QStringList, names);

    load(fileKind);
    show(*m_widget, choice);
    QCOMPARE(m_widget->viewMode(), mode);
    ProgrammeTableView *table = m_widget->table();
    QCOMPARE(headerLabels(table),
             (QStringList{QStringLiteral("NAME"), QStringLiteral("V_PID"), QStringLiteral("FAV"),
                          QStringLiteral("default_order")}));
    QCOMPARE(columnTexts(table), names);
    for (int row = 0; row < table->rowCount(); ++row) {
        const DB_NS::PGNode *programme = m_widget->programmeAt(row);
        QVERIFY(programme);
        QCOMPARE(programme->value(QStringLiteral("NAME")), names.at(row));
        QCOMPARE(m_widget->rowOf(programme->id()), row);
    }
}

void TestProgrammeViews::serviceChoice_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("TV hides V_PID 0") << QStringLiteral("radioButton_TV")
                                      << QStringList{"Alpha", "Gamma", "alpine", "Delta", "ABC", "xab"};
    QTest::newRow("RADIO shows only V_PID 0") << QStringLiteral("radioButton_RADIO") << QStringList{"beta"};
    QTest::newRow("TV/RADIO shows all") << QStringLiteral("radioButton_TVRADIO")
                                        << QStringList{"Alpha", "beta", "Gamma", "alpine", "Delta", "ABC", "xab"};
}

void TestProgrammeViews::serviceChoice()
{
    QFETCH(QString, button);
    QFETCH(QStringList, names);
    load();
    m_widget->allSrvSelected();
    m_widget->findChild<QRadioButton *>(button)->click();
    QCOMPARE(columnTexts(m_widget->table()), names);
    QVERIFY(!m_widget->findChild<QRadioButton *>(QStringLiteral("radioButton_TVRADIO"))->isVisible());
}

void TestProgrammeViews::radioIsVpidZeroOnly_data()
{
    QTest::addColumn<QString>("vpid");
    QTest::addColumn<bool>("radio");
    QTest::newRow("0 is radio") << QStringLiteral("0") << true;
    QTest::newRow("no V_PID is TV") << QString() << false;
    QTest::newRow("empty V_PID is TV") << QStringLiteral("") << false;
    QTest::newRow("space before 0 is TV") << QStringLiteral(" 0") << false;
    QTest::newRow("00 is TV") << QStringLiteral("00") << false;
}

void TestProgrammeViews::radioIsVpidZeroOnly()
{
    QFETCH(QString, vpid);
    QFETCH(bool, radio);
    m_fx.pgs.push_back({20, 107, QStringLiteral("odd"), vpid, QStringLiteral("1"), QStringLiteral("6")});
    m_fx.build();
    load();
    m_widget->allSrvSelected();
    m_widget->findChild<QRadioButton *>(QStringLiteral("radioButton_RADIO"))->click();
    QCOMPARE(columnTexts(m_widget->table()).contains(QStringLiteral("odd")), radio);
    m_widget->findChild<QRadioButton *>(QStringLiteral("radioButton_TV"))->click();
    QCOMPARE(columnTexts(m_widget->table()).contains(QStringLiteral("odd")), !radio);
}

void TestProgrammeViews::sameRadioKeepsTable()
{
    load();
    m_widget->satSelected(1);
    QSignalSpy rebuilt(m_widget->model(), &QAbstractItemModel::modelReset);
    QTest::mouseClick(m_widget->findChild<QRadioButton *>(QStringLiteral("radioButton_TV")), Qt::LeftButton);
    QCOMPARE(rebuilt.count(), 0);
    QTest::mouseClick(m_widget->findChild<QRadioButton *>(QStringLiteral("radioButton_RADIO")), Qt::LeftButton);
    QCOMPARE(columnTexts(m_widget->table()), QStringList{"beta"});
}

void TestProgrammeViews::filter_data()
{
    QTest::addColumn<ViewChoice>("choice");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("prefix ignores case, not infix")
        << ViewChoice{View::AllServices} << QStringLiteral("ab") << QStringList{"ABC"};
    QTest::newRow("two matches") << ViewChoice{View::AllServices} << QStringLiteral("AL")
                                 << QStringList{"Alpha", "alpine"};
    QTest::newRow("no match") << ViewChoice{View::AllServices} << QStringLiteral("q") << QStringList();
    QTest::newRow("satellite view") << ViewChoice{View::Satellite, 2} << QStringLiteral("x") << QStringList{"xab"};
    QTest::newRow("favourite view") << ViewChoice{View::Favourite, 0} << QStringLiteral("g")
                                    << QStringList{"Gamma"};
}

void TestProgrammeViews::filter()
{
    QFETCH(ViewChoice, choice);
    QFETCH(QString, filter);
    QFETCH(QStringList, names);
    load();
    show(*m_widget, choice);
    const int all = m_widget->table()->rowCount();
    auto *edit = m_widget->findChild<QLineEdit *>(QStringLiteral("lineEdit_filter"));
    QStringList labels;
    for (const QLabel *label : m_widget->findChildren<QLabel *>())
        labels << label->text();
    QVERIFY2(labels.contains(QStringLiteral("filter:")), qPrintable(labels.join(QLatin1Char(' '))));
    QTest::keyClicks(edit, filter);
    QCOMPARE(columnTexts(m_widget->table()), names);
    edit->clear();
    QCOMPARE(m_widget->table()->rowCount(), all);
}

void TestProgrammeViews::filterClearsFind()
{
    load();
    m_widget->allSrvSelected();
    auto *find = m_widget->findChild<QLineEdit *>(QStringLiteral("lineEdit_find"));
    find->setText(QStringLiteral("a"));
    m_widget->findChild<QLineEdit *>(QStringLiteral("lineEdit_filter"))->setText(QStringLiteral("a"));
    QVERIFY(find->text().isEmpty());
    // The hits are gone too: find next does not move off the current row.
    m_widget->table()->setCurrentCell(1, 0);
    QTest::mouseClick(m_widget->findChild<QPushButton *>(QStringLiteral("pushButton_findNext")), Qt::LeftButton);
    QCOMPARE(m_widget->table()->currentRow(), 1);
}

void TestProgrammeViews::hotKeyView_data()
{
    QTest::addColumn<bool>("withKeys");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("programmes");
    QTest::newRow("no hot keys, no columns") << false << QStringList() << QStringList() << QStringList();
    QTest::newRow("assigned, unassigned, missing programme")
        << true << QStringList{"HotKey", "NAME", "V_PID", "FAV", "default_order"}
        << QStringList{"Red", "Green", "Blue"} << QStringList{"ABC", "", ""};
}

void TestProgrammeViews::hotKeyView()
{
    QFETCH(bool, withKeys);
    QFETCH(QStringList, labels);
    QFETCH(QStringList, names);
    QFETCH(QStringList, programmes);
    if (withKeys) {
        m_fx.addHotKey(QStringLiteral("Red"), 2, 20, 105);
        m_fx.addHotKey(QStringLiteral("Green"), NoId, NoId, NoId);
        m_fx.addHotKey(QStringLiteral("Blue"), 1, 10, 999);
    }
    load();
    m_widget->allSrvSelected();
    m_widget->hotkeySelected();
    ProgrammeTableView *table = m_widget->table();
    QCOMPARE(m_widget->viewMode(), QDBProgramWidget::HotKeys);
    QCOMPARE(headerLabels(table), labels);
    QCOMPARE(columnTexts(table, 0), names);
    if (withKeys)
        QCOMPARE(columnTexts(table, 1), programmes);
    for (int row = 0; row < table->rowCount(); ++row) {
        QCOMPARE(table->model()->index(row, 0).data(Qt::UserRole), QVariant(row));
        QVERIFY(!m_widget->programmeAt(row));
        for (int column = 1; column < table->columnCount() && programmes.at(row).isEmpty(); ++column)
            QCOMPARE(cellText(table->model(), row, column), QString());
    }
    QVERIFY(!m_widget->findChild<QRadioButton *>(QStringLiteral("radioButton_TV"))->isEnabled());
}

void TestProgrammeViews::favHotKeyView_data()
{
    QTest::addColumn<int>("favIndex");
    QTest::addColumn<QString>("shown");
    QTest::newRow("assigned") << 1 << QStringLiteral("Sport");
    QTest::newRow("unassigned") << -1 << QString();
    QTest::newRow("beyond the names") << 3 << QString();
}

void TestProgrammeViews::favHotKeyView()
{
    QFETCH(int, favIndex);
    QFETCH(QString, shown);
    m_fx.addFavHotKey(QStringLiteral("F1"), favIndex);
    load();
    m_widget->favhotkeySelected();
    ProgrammeTableView *table = m_widget->table();
    QCOMPARE(headerLabels(table), (QStringList{"HotKey", "Fav"}));
    QCOMPARE(columnTexts(table, 0), QStringList{"F1"});
    QCOMPARE(cellText(table->model(), 0, 1), shown);
    QCOMPARE(table->model()->index(0, 0).data(Qt::UserRole), QVariant(0));
}

void TestProgrammeViews::find_data()
{
    // All Services rows: 0 Alpha, 1 Gamma, 2 alpine, 3 Delta, 4 ABC, 5 xab.
    // A step is "next", "up" or a row number that becomes current; -1 is no selected row.
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("firstRow");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<QStringList>("messages"); // what the status bar is told, in order
    const QStringList none;
    QTest::newRow("next walks the hits and wraps to the top")
        << QStringLiteral("a") << 0 << QStringList{"next", "next", "next"} << QList<int>{2, 4, 0}
        << QStringList{"Wrapped to the top"};
    QTest::newRow("up on the first hit wraps to the bottom")
        << QStringLiteral("A") << 0 << QStringList{"up"} << QList<int>{4} << QStringList{"Wrapped to the bottom"};
    QTest::newRow("up goes back") << QStringLiteral("a") << 0 << QStringList{"next", "next", "up"}
                                  << QList<int>{2, 4, 2} << none;
    QTest::newRow("outside the hits: the next hit below, the next above")
        << QStringLiteral("a") << 0 << QStringList{"3", "next", "5", "up"} << QList<int>{3, 4, 5, 4} << none;
    QTest::newRow("past the last hit wraps") << QStringLiteral("g") << 1 << QStringList{"4", "next"}
                                             << QList<int>{4, 1} << QStringList{"Wrapped to the top"};
    QTest::newRow("no hits: nothing highlighted, not found")
        << QStringLiteral("zz") << -1 << QStringList{"3", "next", "up"} << QList<int>{3, 3, 3}
        << QStringList{"Not found", "Not found", "Not found"};
}

void TestProgrammeViews::find()
{
    QFETCH(QString, text);
    QFETCH(int, firstRow);
    QFETCH(QStringList, steps);
    QFETCH(QList<int>, rows);
    QFETCH(QStringList, messages);
    load();
    m_widget->allSrvSelected();
    ProgrammeTableView *table = m_widget->table();
    table->setCurrentCell(3, 0);
    QSignalSpy told(m_widget, &QDBProgramWidget::statusMessage);
    auto *edit = m_widget->findChild<QLineEdit *>(QStringLiteral("lineEdit_find"));
    const QColor plain = edit->palette().color(QPalette::Base);
    edit->setText(text);
    const QModelIndexList highlighted = table->selectionModel()->selectedRows();
    QCOMPARE(highlighted.isEmpty() ? -1 : highlighted.first().row(), firstRow);
    QCOMPARE(edit->palette().color(QPalette::Base) != plain, firstRow < 0); // tinted when nothing matches
    for (int i = 0; i < steps.size(); ++i) {
        const QString &step = steps.at(i);
        if (step == QLatin1String("next"))
            QTest::mouseClick(m_widget->findChild<QPushButton *>(QStringLiteral("pushButton_findNext")), Qt::LeftButton);
        else if (step == QLatin1String("up"))
            QTest::mouseClick(m_widget->findChild<QPushButton *>(QStringLiteral("pushButton_findUp")), Qt::LeftButton);
        else
            table->setCurrentCell(step.toInt(), 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QCOMPARE(table->currentRow(), rows.at(i));
        // The found row is the whole selection.
        const QModelIndexList selected = table->selectionModel()->selectedRows();
        QCOMPARE(selected.size(), firstRow < 0 && step.at(0).isLetter() ? 0 : 1);
        if (!selected.isEmpty())
            QCOMPARE(selected.first().row(), rows.at(i));
    }
    QStringList said;
    for (const QList<QVariant> &signal : told)
        said << signal.at(0).toString();
    QCOMPARE(said, messages);
    edit->clear();
    QCOMPARE(edit->palette().color(QPalette::Base), plain);
}

void TestProgrammeViews::findInHotKeyView()
{
    m_fx.addHotKey(QStringLiteral("Alpha key"), 1, 10, 100);
    load();
    m_widget->hotkeySelected();
    m_widget->table()->setCurrentCell(-1, -1);
    m_widget->findChild<QLineEdit *>(QStringLiteral("lineEdit_find"))->setText(QStringLiteral("a"));
    QCOMPARE(m_widget->table()->currentRow(), -1);
}

void TestProgrammeViews::viewSwitchStartsAtTop()
{
    load();
    m_widget->resize(400, 90);
    m_widget->allSrvSelected();
    QScrollBar *bar = m_widget->table()->verticalScrollBar();
    QTRY_VERIFY(bar->maximum() > 0);
    bar->setValue(bar->maximum());
    m_widget->favSelected(0);
    QTRY_VERIFY(bar->maximum() > 0);
    QCOMPARE(bar->value(), 0);
}

void TestProgrammeViews::columnsFollowValues_data()
{
    QTest::addColumn<int>("row");     // the programme, of 300, whose name is long
    QTest::addColumn<QString>("how"); // "load", "edit" or "scroll": how the long name comes
    QTest::newRow("the last row, at load") << 299 << "load";
    QTest::newRow("an edited name") << 0 << "edit";
    QTest::newRow("a row scrolled to") << 150 << "scroll";
}

void TestProgrammeViews::columnsFollowValues()
{
    QFETCH(int, row);
    QFETCH(QString, how);

    const QString wide = QStringLiteral("Walpurgisnacht Fernsehen International");
    m_fx.pgs.clear();
    for (int i = 0; i < 300; ++i) {
        m_fx.pgs.push_back({10, quint32(1000 + i), i == row && how != QLatin1String("edit") ? wide : QStringLiteral("P%1").arg(i),
                            QString::number(i + 1), QStringLiteral("1"), QString::number(i)});
    }
    m_fx.build();
    load();
    m_widget->allSrvSelected();
    QTableView *table = m_widget->table();
    const QModelIndex cell = table->model()->index(row, 0);
    const auto rename = [this, row](const QString &name) {
        QVector<NodeAttribute> values = m_fx.document->database()->findPG(quint32(1000 + row))->attributes();
        for (NodeAttribute &value : values) {
            if (value.name == QLatin1String("NAME"))
                value.value = name;
        }
        QVERIFY(m_fx.document->edits().editNode(NodeKind::Programme, quint32(1000 + row), NoId, values).isPushed());
    };
    if (how == QLatin1String("edit"))
        rename(wide);
    else if (how == QLatin1String("scroll"))
        table->scrollTo(cell);
    QCOMPARE(cellText(table->model(), row), wide);
    const int widened = table->columnWidth(0);
    QVERIFY(widened >= table->sizeHintForIndex(cell).width());
    // A shorter name leaves the column as the user saw it.
    rename(QStringLiteral("P"));
    QCOMPARE(table->columnWidth(0), widened);
}

void TestProgrammeViews::resetEmptiesTable()
{
    load();
    m_widget->allSrvSelected();
    m_widget->findChild<QLineEdit *>(QStringLiteral("lineEdit_filter"))->setText(QStringLiteral("A"));
    m_widget->findChild<QLineEdit *>(QStringLiteral("lineEdit_find"))->setText(QStringLiteral("A"));

    m_fx.document->clear();
    QCOMPARE(m_widget->viewMode(), QDBProgramWidget::None);
    QCOMPARE(m_widget->table()->rowCount(), 0);
    QCOMPARE(m_widget->table()->columnCount(), 0);
    QVERIFY(m_widget->findChild<QLineEdit *>(QStringLiteral("lineEdit_filter"))->text().isEmpty());
    QVERIFY(m_widget->findChild<QLineEdit *>(QStringLiteral("lineEdit_find"))->text().isEmpty());
    m_widget->satSelected(2);
    QCOMPARE(m_widget->table()->rowCount(), 0);
}

void TestProgrammeViews::clearAllForgetsDatabase()
{
    load();
    m_widget->allSrvSelected();
    m_widget->clearAll();
    QCOMPARE(m_widget->viewMode(), QDBProgramWidget::None);
    QCOMPARE(m_widget->table()->rowCount(), 0);
    m_widget->allSrvSelected();
    QCOMPARE(m_widget->viewMode(), QDBProgramWidget::None);
    QCOMPARE(m_widget->table()->columnCount(), 0);
}

QTEST_MAIN(TestProgrammeViews)
#include "tst_programmeviews.moc"
