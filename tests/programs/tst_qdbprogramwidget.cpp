#include "documentedits.h"
#include "modalanswer.h"
#include "programmefixture.h"
#include "programmeitem.h"
#include "qdbprogramwidget.h"
#include "qpropertydialog.h"
#include "qtvariantproperty.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

constexpr quint32 NoId = DB_NS::NoId;

enum class View { AllServices,
                  Satellite,
                  Transponder,
                  Favourite,
                  HotKeys,
                  FavHotKeys };

struct ViewChoice
{
    View view;
    quint32 a = NoId;
    quint32 b = NoId;
};

void show(QDBProgramWidget &w, const ViewChoice &v)
{
    switch (v.view) {
    case View::AllServices: w.allSrvSelected(); break;
    case View::Satellite: w.satSelected(v.a); break;
    case View::Transponder: w.tpSelected(v.a, v.b); break;
    case View::Favourite: w.favSelected(v.a); break;
    case View::HotKeys: w.hotkeySelected(); break;
    case View::FavHotKeys: w.favhotkeySelected(); break;
    }
}

QStringList columnTexts(const QTableWidget *table, int column = 0)
{
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row) {
        const QTableWidgetItem *item = table->item(row, column);
        texts << (item ? item->text() : QStringLiteral("<none>"));
    }
    return texts;
}

QStringList headerLabels(const QTableWidget *table)
{
    QStringList labels;
    for (int column = 0; column < table->columnCount(); ++column)
        labels << table->horizontalHeaderItem(column)->text();
    return labels;
}

} // namespace

Q_DECLARE_METATYPE(ViewChoice)

class TestQDBProgramWidget : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

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
    void findBoxKeepsTheKeyboard();
    void viewSwitchStartsAtTop();
    void pgSelectedOnClick_data();
    void pgSelectedOnClick();
    void resetEmptiesTable();
    void clearAllForgetsDatabase();
    void keys_data();
    void keys();
    void doubleClick_data();
    void doubleClick();
    void contextMenu_data();
    void contextMenu();

private:
    void load(int fileKind = 0);
    void clickRow(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // What trigger did: the dialog it opened (answered with Cancel), the
    // rows it reordered, added or removed, and a copy to the clipboard.
    QString effectOf(const std::function<void()> &trigger);

    ProgrammeFixture m_fx;
    QDBProgramWidget *m_widget = nullptr;
};

void TestQDBProgramWidget::init()
{
    m_fx = ProgrammeFixture();
    m_fx.sats = {1, 2};
    m_fx.tps = {{1, 10}, {1, 11}, {2, 20}};
    // allPGs order is this order; beta is the one radio programme.
    m_fx.pgs = {
        {10, 100, QStringLiteral("Alpha"), QStringLiteral("101"), QStringLiteral("1"), QStringLiteral("3")},
        {10, 101, QStringLiteral("beta"), QStringLiteral("0"), QStringLiteral("4"), QStringLiteral("1")},
        {10, 102, QStringLiteral("Gamma"), QStringLiteral("102"), QStringLiteral("5"), QStringLiteral("1")},
        {11, 103, QStringLiteral("alpine"), QStringLiteral("103"), QStringLiteral("0"), QStringLiteral("x")},
        {20, 104, QStringLiteral("Delta"), QStringLiteral("104"), QString(), QStringLiteral("1")},
        {20, 105, QStringLiteral("ABC"), QStringLiteral("105"), QStringLiteral("4"), QStringLiteral("5")},
        {20, 106, QStringLiteral("xab"), QStringLiteral("106"), QStringLiteral("2"), QStringLiteral("4")},
    };
    m_fx.favouriteNames = QStringList{QStringLiteral("News"), QStringLiteral("Sport"), QStringLiteral("Kids")};
    m_fx.build();
    m_widget = new QDBProgramWidget;
    m_widget->resize(900, 600);
    m_widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_widget));
}

void TestQDBProgramWidget::cleanup()
{
    delete m_widget;
    m_widget = nullptr;
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestQDBProgramWidget::load(int fileKind)
{
    m_fx.attach(*m_widget, fileKind);
}

void TestQDBProgramWidget::clickRow(int row, Qt::KeyboardModifiers modifiers)
{
    QTableWidget *table = m_widget->table();
    const QRect rect = table->visualItemRect(table->item(row, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, modifiers, rect.center());
}

QString TestQDBProgramWidget::effectOf(const std::function<void()> &trigger)
{
    const QStringList before = columnTexts(m_widget->table());
    const bool hadClipboard = m_fx.document->edits().hasClipboard();
    QString asked;
    ModalAnswer<QDialog> answer([&asked](QDialog *dialog) {
        if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
            asked = box->text();
            QAbstractButton *cancel = box->button(QMessageBox::Cancel);
            (cancel ? cancel : box->buttons().constFirst())->click();
            return;
        }
        // Edit and insert share the dialog; the name it shows tells them apart.
        const auto *properties = qobject_cast<QPropertyDialog *>(dialog);
        const QtVariantProperty *name = properties ? properties->shownProperty(QStringLiteral("NAME")) : nullptr;
        asked = dialog->windowTitle() + QStringLiteral(": ") + (name ? name->value().toString() : QString());
        dialog->reject();
    });
    trigger();
    QStringList effects;
    if (!asked.isEmpty())
        effects << asked;
    const QStringList after = columnTexts(m_widget->table());
    if (after != before)
        effects << QStringLiteral("rows ") + after.join(QLatin1Char(' '));
    if (!hadClipboard && m_fx.document->edits().hasClipboard())
        effects << QStringLiteral("copied");
    return effects.join(QStringLiteral(", "));
}

void TestQDBProgramWidget::construction()
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

void TestQDBProgramWidget::views_data()
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
    QTest::newRow("satellite") << ViewChoice{View::Satellite, 1} << 2 << QDBProgramWidget::Satellite
                               << names("Alpha,Gamma,alpine");
    QTest::newRow("unknown satellite") << ViewChoice{View::Satellite, 99} << 0 << QDBProgramWidget::Satellite
                                       << QStringList();
    QTest::newRow("no satellite") << ViewChoice{View::Satellite, NoId} << 0 << QDBProgramWidget::NoSatellite
                                  << QStringList();
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

void TestQDBProgramWidget::views()
{
    QFETCH(ViewChoice, choice);
    QFETCH(int, fileKind);
    QFETCH(QDBProgramWidget::ViewMode, mode);
    QFETCH(QStringList, names);

    load(fileKind);
    show(*m_widget, choice);
    QCOMPARE(m_widget->viewMode(), mode);
    QTableWidget *table = m_widget->table();
    QCOMPARE(headerLabels(table),
             (QStringList{QStringLiteral("NAME"), QStringLiteral("V_PID"), QStringLiteral("FAV"),
                          QStringLiteral("default_order")}));
    QCOMPARE(columnTexts(table), names);
    for (int row = 0; row < table->rowCount(); ++row) {
        DB_NS::PGNode *programme = m_widget->programmeAt(row);
        QVERIFY(programme);
        QCOMPARE(programme->value(QStringLiteral("NAME")), names.at(row));
        QCOMPARE(m_widget->rowOf(programme->id()), row);
    }
}

void TestQDBProgramWidget::serviceChoice_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("TV hides V_PID 0") << QStringLiteral("radioButton_TV")
                                      << QStringList{"Alpha", "Gamma", "alpine", "Delta", "ABC", "xab"};
    QTest::newRow("RADIO shows only V_PID 0") << QStringLiteral("radioButton_RADIO") << QStringList{"beta"};
    QTest::newRow("TV/RADIO shows all") << QStringLiteral("radioButton_TVRADIO")
                                        << QStringList{"Alpha", "beta", "Gamma", "alpine", "Delta", "ABC", "xab"};
}

void TestQDBProgramWidget::serviceChoice()
{
    QFETCH(QString, button);
    QFETCH(QStringList, names);
    load();
    m_widget->allSrvSelected();
    m_widget->findChild<QRadioButton *>(button)->click();
    QCOMPARE(columnTexts(m_widget->table()), names);
    QVERIFY(!m_widget->findChild<QRadioButton *>(QStringLiteral("radioButton_TVRADIO"))->isVisible());
}

void TestQDBProgramWidget::radioIsVpidZeroOnly_data()
{
    QTest::addColumn<QString>("vpid");
    QTest::addColumn<bool>("radio");
    QTest::newRow("0 is radio") << QStringLiteral("0") << true;
    QTest::newRow("no V_PID is TV") << QString() << false;
    QTest::newRow("empty V_PID is TV") << QStringLiteral("") << false;
    QTest::newRow("space before 0 is TV") << QStringLiteral(" 0") << false;
    QTest::newRow("00 is TV") << QStringLiteral("00") << false;
}

void TestQDBProgramWidget::radioIsVpidZeroOnly()
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

void TestQDBProgramWidget::sameRadioKeepsTable()
{
    load();
    m_widget->satSelected(1);
    m_widget->table()->item(0, 0)->setText(QStringLiteral("marker"));
    QTest::mouseClick(m_widget->findChild<QRadioButton *>(QStringLiteral("radioButton_TV")), Qt::LeftButton);
    QCOMPARE(m_widget->table()->item(0, 0)->text(), QStringLiteral("marker"));
    QTest::mouseClick(m_widget->findChild<QRadioButton *>(QStringLiteral("radioButton_RADIO")), Qt::LeftButton);
    QCOMPARE(columnTexts(m_widget->table()), QStringList{"beta"});
}

void TestQDBProgramWidget::filter_data()
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

void TestQDBProgramWidget::filter()
{
    QFETCH(ViewChoice, choice);
    QFETCH(QString, filter);
    QFETCH(QStringList, names);
    load();
    show(*m_widget, choice);
    const int all = m_widget->table()->rowCount();
    auto *edit = m_widget->findChild<QLineEdit *>(QStringLiteral("lineEdit_filter"));
    QTest::keyClicks(edit, filter);
    QCOMPARE(columnTexts(m_widget->table()), names);
    edit->clear();
    QCOMPARE(m_widget->table()->rowCount(), all);
}

void TestQDBProgramWidget::filterClearsFind()
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

void TestQDBProgramWidget::hotKeyView_data()
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

void TestQDBProgramWidget::hotKeyView()
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
    QTableWidget *table = m_widget->table();
    QCOMPARE(m_widget->viewMode(), QDBProgramWidget::HotKeys);
    QCOMPARE(headerLabels(table), labels);
    QCOMPARE(columnTexts(table, 0), names);
    if (withKeys)
        QCOMPARE(columnTexts(table, 1), programmes);
    for (int row = 0; row < table->rowCount(); ++row) {
        QCOMPARE(keyIndexOf(table->item(row, 0)), row);
        QVERIFY(!m_widget->programmeAt(row));
        for (int column = 1; column < table->columnCount() && programmes.at(row).isEmpty(); ++column)
            QVERIFY(table->item(row, column) && table->item(row, column)->text().isEmpty());
    }
    QVERIFY(!m_widget->findChild<QRadioButton *>(QStringLiteral("radioButton_TV"))->isEnabled());
}

void TestQDBProgramWidget::favHotKeyView_data()
{
    QTest::addColumn<int>("favIndex");
    QTest::addColumn<QString>("shown");
    QTest::newRow("assigned") << 1 << QStringLiteral("Sport");
    QTest::newRow("unassigned") << -1 << QString();
    QTest::newRow("beyond the names") << 3 << QString();
}

void TestQDBProgramWidget::favHotKeyView()
{
    QFETCH(int, favIndex);
    QFETCH(QString, shown);
    m_fx.addFavHotKey(QStringLiteral("F1"), favIndex);
    load();
    m_widget->favhotkeySelected();
    QTableWidget *table = m_widget->table();
    QCOMPARE(headerLabels(table), (QStringList{"HotKey", "Fav"}));
    QCOMPARE(columnTexts(table, 0), QStringList{"F1"});
    QCOMPARE(table->item(0, 1)->text(), shown);
    QCOMPARE(keyIndexOf(table->item(0, 0)), 0);
}

void TestQDBProgramWidget::find_data()
{
    // All Services rows: 0 Alpha, 1 Gamma, 2 alpine, 3 Delta, 4 ABC, 5 xab.
    // A step is "next", "up" or a row number that becomes current.
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("firstRow");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QList<int>>("rows");
    QTest::newRow("next walks the hits and stays on the last")
        << QStringLiteral("a") << 0 << QStringList{"next", "next", "next"} << QList<int>{2, 4, 4};
    QTest::newRow("up on the first hit stays") << QStringLiteral("A") << 0 << QStringList{"up"} << QList<int>{0};
    QTest::newRow("up goes back") << QStringLiteral("a") << 0 << QStringList{"next", "next", "up"}
                                  << QList<int>{2, 4, 2};
    QTest::newRow("outside the hits both jump to row 0")
        << QStringLiteral("a") << 0 << QStringList{"3", "next", "5", "up"} << QList<int>{3, 0, 5, 0};
    QTest::newRow("row 0 is not a hit") << QStringLiteral("g") << 1 << QStringList{"4", "next"}
                                        << QList<int>{4, 0};
    QTest::newRow("no hits, nothing moves") << QStringLiteral("zz") << 3 << QStringList{"3", "next", "up"}
                                            << QList<int>{3, 3, 3};
}

void TestQDBProgramWidget::find()
{
    QFETCH(QString, text);
    QFETCH(int, firstRow);
    QFETCH(QStringList, steps);
    QFETCH(QList<int>, rows);
    load();
    m_widget->allSrvSelected();
    QTableWidget *table = m_widget->table();
    table->setCurrentCell(3, 0);
    m_widget->findChild<QLineEdit *>(QStringLiteral("lineEdit_find"))->setText(text);
    QCOMPARE(table->currentRow(), firstRow);
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
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.first().row(), rows.at(i));
    }
}

void TestQDBProgramWidget::findInHotKeyView()
{
    m_fx.addHotKey(QStringLiteral("Alpha key"), 1, 10, 100);
    load();
    m_widget->hotkeySelected();
    m_widget->table()->setCurrentCell(-1, -1);
    m_widget->findChild<QLineEdit *>(QStringLiteral("lineEdit_find"))->setText(QStringLiteral("a"));
    QCOMPARE(m_widget->table()->currentRow(), -1);
}

void TestQDBProgramWidget::findBoxKeepsTheKeyboard()
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

void TestQDBProgramWidget::viewSwitchStartsAtTop()
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

void TestQDBProgramWidget::pgSelectedOnClick_data()
{
    QTest::addColumn<ViewChoice>("choice");
    QTest::addColumn<int>("row");
    QTest::addColumn<QList<uint>>("ids");
    QTest::newRow("transponder") << ViewChoice{View::Transponder, 2, 20} << 1 << QList<uint>{2, 20, 105};
    QTest::newRow("all services") << ViewChoice{View::AllServices} << 2 << QList<uint>{1, 11, 103};
    QTest::newRow("satellite") << ViewChoice{View::Satellite, 1} << 1 << QList<uint>{1, 10, 102};
    QTest::newRow("favourite view stays silent") << ViewChoice{View::Favourite, 4} << 0 << QList<uint>();
}

void TestQDBProgramWidget::pgSelectedOnClick()
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

void TestQDBProgramWidget::resetEmptiesTable()
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

void TestQDBProgramWidget::clearAllForgetsDatabase()
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

void TestQDBProgramWidget::keys_data()
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
    QTest::newRow("group return") << group << int(Qt::Key_Return) << none << 0 << false << "Favorite Group Edit: ";
    QTest::newRow("group delete") << group << int(Qt::Key_Delete) << none << 0 << false << "rows ABC";
    QTest::newRow("group minus passes") << group << int(Qt::Key_Minus) << none << 1 << false << "";
    QTest::newRow("all favourites delete passes")
        << ViewChoice{View::Favourite, 0} << int(Qt::Key_Delete) << none << 0 << false << "";
}

void TestQDBProgramWidget::keys()
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
    QTableWidget *table = m_widget->table();
    QCOMPARE(effectOf([=] { QTest::keyClick(table, Qt::Key(key), Qt::KeyboardModifiers(modifiers)); }), effect);
}

void TestQDBProgramWidget::doubleClick_data()
{
    QTest::addColumn<ViewChoice>("choice");
    QTest::addColumn<QString>("effect");
    QTest::newRow("all services") << ViewChoice{View::AllServices} << "Program Information: Alpha";
    QTest::newRow("favourite group") << ViewChoice{View::Favourite, 1} << "Program Information: Alpha";
    QTest::newRow("all favourites") << ViewChoice{View::Favourite, 0} << "";
}

void TestQDBProgramWidget::doubleClick()
{
    QFETCH(ViewChoice, choice);
    QFETCH(QString, effect);
    load();
    show(*m_widget, choice);
    QTableWidget *table = m_widget->table();
    const QPoint at = table->visualItemRect(table->item(0, 0)).center();
    // The view takes a double click only on the item its last press hit.
    QCOMPARE(effectOf([table, at] {
                 QTest::mousePress(table->viewport(), Qt::LeftButton, Qt::NoModifier, at);
                 QTest::mouseDClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, at);
             }),
             effect);
}

void TestQDBProgramWidget::contextMenu_data()
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

void TestQDBProgramWidget::contextMenu()
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
    QTableWidget *table = m_widget->table();
    QPoint at(20, table->viewport()->height() - 5);
    if (row >= 0) {
        at = table->visualItemRect(table->item(row, 0)).center();
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

QTEST_MAIN(TestQDBProgramWidget)
#include "tst_qdbprogramwidget.moc"
