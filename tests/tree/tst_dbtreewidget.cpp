#include "dbtreewidget.h"
#include "dbtreewidgetitem.h"
#include "treefixture.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// A spelled-out list of what a context menu showed: "+text" enabled, "-text" disabled.
struct MenuSnapshot
{
    bool shown = false;
    QStringList entries;
};

int countItems(QTreeWidgetItem *item)
{
    int n = 1;
    for (int i = 0; i < item->childCount(); ++i)
        n += countItems(item->child(i));
    return n;
}

} // namespace

class TestDBTreeWidget : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void structure_data();
    void structure();
    void favouriteGroupsBeyondTheMask();
    void noDatabase();
    void rebuildAndClear();

    void selectionSignals_data();
    void selectionSignals();
    void selectionRestriction_data();
    void selectionRestriction();
    void dragDoesNotSelect();
    void pgSelected_data();
    void pgSelected();

    void filter_data();
    void filter();
    void searchTypeSwitch();
    void filterSurvivesReload();

    void contextMenu_data();
    void contextMenu();

    void renameFavItem_data();
    void renameFavItem();
    void renameInPlace_data();
    void renameInPlace();

private:
    void fill(bool expand = true);
    QTreeWidgetItem *item(const QString &path);
    QPoint posOf(const QString &path);
    void click(const QString &path, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    MenuSnapshot openMenu(const QPoint &pos, bool pressFirst, const std::function<void(QMenu *)> &act = {});
    QStringList selectedPaths();
    QString pathOf(QTreeWidgetItem *item);

    std::unique_ptr<TreeFixture> m_fixture;
    std::unique_ptr<DBTreeWidget> m_tree;
    QStringList m_events;
};

void TestDBTreeWidget::init()
{
    m_fixture = std::make_unique<TreeFixture>();
    m_tree = std::make_unique<DBTreeWidget>();
    m_tree->setHeaderHidden(true);
    m_tree->resize(300, 800);
    m_events.clear();
    DBTreeWidget *tree = m_tree.get();
    connect(tree, &DBTreeWidget::signal_allsrv_selected, this, [this] { m_events << QStringLiteral("allsrv"); });
    connect(tree, &DBTreeWidget::signal_fav_selected, this,
            [this](unsigned int id) { m_events << QStringLiteral("fav(%1)").arg(id); });
    connect(tree, &DBTreeWidget::signal_sat_selected, this,
            [this](unsigned int id) { m_events << QStringLiteral("sat(%1)").arg(id); });
    connect(tree, &DBTreeWidget::signal_tp_selected, this, [this](unsigned int sat, unsigned int tp) {
        m_events << QStringLiteral("tp(%1,%2)").arg(sat).arg(tp);
    });
    connect(tree, &DBTreeWidget::signal_hotkey_selected, this, [this] { m_events << QStringLiteral("hotkey"); });
    connect(tree, &DBTreeWidget::signal_favhotkey_selected, this,
            [this] { m_events << QStringLiteral("favhotkey"); });
}

void TestDBTreeWidget::cleanup()
{
    m_tree.reset();
    m_fixture.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestDBTreeWidget::fill(bool expand)
{
    QVERIFY(m_fixture->attach(*m_tree));
    if (expand)
        m_tree->expandAll();
    m_tree->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_tree.get()));
    // Taking focus makes "All Services" current; tests start after that.
    m_events.clear();
}

QTreeWidgetItem *TestDBTreeWidget::item(const QString &path)
{
    return itemAtPath(*m_tree, path);
}

QPoint TestDBTreeWidget::posOf(const QString &path)
{
    QTreeWidgetItem *target = item(path);
    return target ? m_tree->visualItemRect(target).center() : QPoint();
}

void TestDBTreeWidget::click(const QString &path, Qt::KeyboardModifiers modifiers)
{
    QVERIFY2(item(path), qPrintable(path));
    QTest::mouseClick(m_tree->viewport(), Qt::LeftButton, modifiers, posOf(path));
}

QString TestDBTreeWidget::pathOf(QTreeWidgetItem *target)
{
    for (const QString &root : {QStringLiteral("S"), QStringLiteral("A"), QStringLiteral("F"), QStringLiteral("H"),
                                QStringLiteral("K")}) {
        QTreeWidgetItem *base = item(root);
        if (target == base)
            return root;
        if (!base)
            continue;
        for (int i = 0; i < base->childCount(); ++i) {
            if (base->child(i) == target)
                return root + QStringLiteral("/%1").arg(i);
            for (int j = 0; j < base->child(i)->childCount(); ++j) {
                if (base->child(i)->child(j) == target)
                    return root + QStringLiteral("/%1/%2").arg(i).arg(j);
            }
        }
    }
    return QStringLiteral("?");
}

QStringList TestDBTreeWidget::selectedPaths()
{
    QStringList paths;
    for (QTreeWidgetItem *selected : m_tree->selectedItems())
        paths << pathOf(selected);
    paths.sort();
    return paths;
}

MenuSnapshot TestDBTreeWidget::openMenu(const QPoint &pos, bool pressFirst, const std::function<void(QMenu *)> &act)
{
    if (pressFirst)
        QTest::mouseClick(m_tree->viewport(), Qt::RightButton, Qt::NoModifier, pos);

    MenuSnapshot snapshot;
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, this, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        poll.stop();
        snapshot.shown = true;
        for (QAction *action : menu->actions())
            snapshot.entries << (action->isEnabled() ? QLatin1Char('+') : QLatin1Char('-')) + action->text();
        if (act)
            act(menu);
        else
            menu->close();
    });
    poll.start();
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, m_tree->viewport()->mapToGlobal(pos));
    QApplication::sendEvent(m_tree->viewport(), &event);
    poll.stop();
    return snapshot;
}

// ---------------------------------------------------------------- building

void TestDBTreeWidget::structure_data()
{
    QTest::addColumn<bool>("favourites");
    QTest::addColumn<bool>("hotKeys");
    QTest::addColumn<bool>("favHotKeys");
    QTest::addColumn<QStringList>("roots");

    const QString all = QStringLiteral("All Services"), favs = QStringLiteral("All Favourites"),
                  hot = QStringLiteral("HotKey"), favHot = QStringLiteral("Fav HotKey");
    QTest::newRow("everything") << true << true << true << QStringList{all, favs, hot, favHot};
    QTest::newRow("only services") << false << false << false << QStringList{all};
    QTest::newRow("no favourites") << false << true << true << QStringList{all, hot, favHot};
    QTest::newRow("no hot keys") << true << false << true << QStringList{all, favs, favHot};
    QTest::newRow("only favourite hot keys") << false << false << true << QStringList{all, favHot};
}

void TestDBTreeWidget::structure()
{
    QFETCH(bool, favourites);
    QFETCH(bool, hotKeys);
    QFETCH(bool, favHotKeys);
    QFETCH(QStringList, roots);

    if (!favourites)
        m_fixture->doc.favouriteNames.clear();
    if (!hotKeys)
        m_fixture->doc.hotKeys.clear();
    if (!favHotKeys)
        m_fixture->doc.favHotKeys.clear();
    fill(false);

    QCOMPARE(childTexts(*m_tree, nullptr), roots);
    QCOMPARE(childTexts(*m_tree, item(QStringLiteral("A"))), QStringList{QStringLiteral("Satellite Infomation")});
    // The satellite without NAME has no item, and neither have its TPs.
    QCOMPARE(childTexts(*m_tree, item(QStringLiteral("S"))),
             (QStringList{QStringLiteral("Alpha 1"), QStringLiteral("Beta"), QStringLiteral("Gamma Alpha")}));
    QCOMPARE(childTexts(*m_tree, item(QStringLiteral("S/0"))),
             (QStringList{QStringLiteral("TP_11778_H_27500"), QStringLiteral("TP_11800_V_22000"),
                          QStringLiteral("TP_12000_H_27500")}));
    QCOMPARE(childTexts(*m_tree, item(QStringLiteral("S/2"))),
             (QStringList{QStringLiteral("TP_12100_H_27500"), QStringLiteral("TP_12200_V_27500")}));
    if (favourites)
        QCOMPARE(childTexts(*m_tree, item(QStringLiteral("F"))), m_fixture->document.favouriteNames());

    const auto *sat = DBTreeWidgetItem::from(item(QStringLiteral("S/2")));
    QVERIFY(sat);
    QCOMPARE(sat->kind(), SatItem);
    QCOMPARE(sat->id(), 30u);
    const auto *tp = DBTreeWidgetItem::from(item(QStringLiteral("S/2/1")));
    QCOMPARE(tp->kind(), TPItem);
    QCOMPARE(tp->id(), 301u);

    // Roots open, satellites closed; building is not an edit.
    QVERIFY(item(QStringLiteral("A"))->isExpanded());
    QVERIFY(item(QStringLiteral("S"))->isExpanded());
    QVERIFY(!item(QStringLiteral("S/0"))->isExpanded());
    QVERIFY(!m_tree->bIsChange());
    QVERIFY(m_events.isEmpty());
}

void TestDBTreeWidget::favouriteGroupsBeyondTheMask()
{
    QStringList names;
    for (int i = 0; i < 34; ++i)
        names << QStringLiteral("G%1").arg(i);
    m_fixture->doc.favouriteNames = names;
    fill();

    QCOMPARE(item(QStringLiteral("F"))->childCount(), 32);
    const auto *last = DBTreeWidgetItem::from(item(QStringLiteral("F/31")));
    QCOMPARE(last->id(), 0x80000000u);
    QCOMPARE(last->text(0), QStringLiteral("G31"));
}

void TestDBTreeWidget::noDatabase()
{
    fill(); // a filled tree must come out empty
    Document empty;
    QVERIFY(!m_tree->setDocument(&empty));
    QCOMPARE(m_tree->topLevelItemCount(), 0);
    // Nothing built, so there is no item for a menu or a rename to act on.
    m_tree->slotRenameFavItem(1, QStringLiteral("X"));
    QCOMPARE(m_fixture->document.favouriteNames().first(), QStringLiteral("News"));
    QVERIFY(!m_tree->bIsChange());
    m_tree->setDocument(nullptr);
}

void TestDBTreeWidget::rebuildAndClear()
{
    fill();
    const int once = countItems(m_tree->invisibleRootItem());
    QCOMPARE(once, 1 + 4 + 1 + 3 + 6 + 4); // invisible root, roots, sat root, sats, TPs, groups

    m_tree->setbIsChange(true);
    click(QStringLiteral("S/0/1"));
    m_events.clear();
    QVERIFY(m_fixture->attach(*m_tree));
    QCOMPARE(countItems(m_tree->invisibleRootItem()), once);
    QVERIFY(m_tree->bIsChange());

    m_tree->clearTree();
    QCOMPARE(m_tree->topLevelItemCount(), 0);
    QCOMPARE(m_tree->currentItem(), nullptr);
    QVERIFY(m_tree->bIsChange());
    m_tree->clearTree();
    QCOMPARE(m_tree->topLevelItemCount(), 0);
    // Rebuilding and clearing tell the programme table nothing.
    QVERIFY2(m_events.isEmpty(), qPrintable(m_events.join(QLatin1Char(' '))));

    // After a clear the tree no longer reaches the old lists.
    m_tree->slotRenameFavItem(1, QStringLiteral("Gone"));
    m_tree->slotPGSelected(10, 100, 0);
    QCOMPARE(m_fixture->document.favouriteNames().first(), QStringLiteral("News"));
    QCOMPARE(m_tree->currentItem(), nullptr);

    m_tree->setDocument(nullptr);
    m_fixture = std::make_unique<TreeFixture>();
    m_fixture->doc.satMaxNum = 3;
    QVERIFY(m_fixture->attach(*m_tree));
    QCOMPARE(countItems(m_tree->invisibleRootItem()), once);
    QCOMPARE(m_tree->maxSatNum(), 3u);
}

// ---------------------------------------------------------------- selection

void TestDBTreeWidget::selectionSignals_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("signal");

    QTest::newRow("All Services") << "A"
                                  << "allsrv";
    QTest::newRow("Satellite Infomation") << "S"
                                          << "sat(4294967295)";
    QTest::newRow("satellite") << "S/1"
                               << "sat(20)";
    QTest::newRow("TP") << "S/2/1"
                        << "tp(30,301)";
    QTest::newRow("All Favourites") << "F"
                                    << "fav(0)";
    QTest::newRow("first group") << "F/0"
                                 << "fav(1)";
    QTest::newRow("third group") << "F/2"
                                 << "fav(4)";
    QTest::newRow("HotKey") << "H"
                            << "hotkey";
    QTest::newRow("Fav HotKey") << "K"
                                << "favhotkey";
}

void TestDBTreeWidget::selectionSignals()
{
    QFETCH(QString, path);
    QFETCH(QString, signal);
    fill();
    click(QStringLiteral("S/0/0"));
    m_events.clear();
    click(path);
    QCOMPARE(m_events, QStringList{signal});
    // Clicking the current item again is no change.
    click(path);
    QCOMPARE(m_events, QStringList{signal});
}

void TestDBTreeWidget::selectionRestriction_data()
{
    QTest::addColumn<QStringList>("clicks"); // "c:" Ctrl+click, "s:" Shift+click, "key:Up" / "key:Down", "set:" setCurrentItem
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<QString>("current");

    QTest::newRow("TPs of one satellite") << QStringList{"S/0/0", "c:S/0/2"} << QStringList{"S/0/0", "S/0/2"}
                                          << "S/0/2";
    QTest::newRow("TP of another satellite") << QStringList{"S/0/0", "c:S/0/1", "c:S/2/0"}
                                             << QStringList{"S/2/0"} << "S/2/0";
    QTest::newRow("satellites together") << QStringList{"S/0", "c:S/2", "c:S/1"}
                                         << QStringList{"S/0", "S/1", "S/2"} << "S/1";
    QTest::newRow("satellite after TPs") << QStringList{"S/0/0", "c:S/0/1", "c:S/1"} << QStringList{"S/1"}
                                         << "S/1";
    QTest::newRow("TP after satellites") << QStringList{"S/0", "c:S/1", "c:S/1/0"} << QStringList{"S/1/0"}
                                         << "S/1/0";
    QTest::newRow("root after satellites") << QStringList{"S/0", "c:S/1", "c:A"} << QStringList{"A"} << "A";
    QTest::newRow("groups stay alone") << QStringList{"F/0", "c:F/1"} << QStringList{"F/1"} << "F/1";
    QTest::newRow("satellite after a group") << QStringList{"F/0", "c:S/2"} << QStringList{"S/2"} << "S/2";
    QTest::newRow("Ctrl+click deselects") << QStringList{"S/0", "c:S/1", "c:S/1"} << QStringList{"S/0"} << "S/1";
    QTest::newRow("Shift+click does not extend") << QStringList{"S/0/0", "s:S/0/2"} << QStringList{"S/0/0"}
                                                 << "S/0/0";
    QTest::newRow("Shift+Ctrl+click is ignored too") << QStringList{"S/0", "c:S/1", "sc:S/2"}
                                                     << QStringList{"S/0", "S/1"} << "S/1";
    QTest::newRow("arrow key onto a root keeps it selected") << QStringList{"S/0", "key:Up"} << QStringList{"S"}
                                                             << "S";
    QTest::newRow("root made current from code stays selected") << QStringList{"S/0", "c:S/1", "set:S"}
                                                                << QStringList{"S"} << "S";
    QTest::newRow("arrow key between TPs") << QStringList{"S/0/1", "key:Down"} << QStringList{"S/0/2"} << "S/0/2";
}

void TestDBTreeWidget::selectionRestriction()
{
    QFETCH(QStringList, clicks);
    QFETCH(QStringList, selected);
    QFETCH(QString, current);
    fill();

    for (const QString &step : clicks) {
        if (step.startsWith(QLatin1String("key:"))) {
            QTest::keyClick(m_tree.get(), step == QLatin1String("key:Up") ? Qt::Key_Up : Qt::Key_Down);
            continue;
        }
        if (step.startsWith(QLatin1String("set:"))) {
            m_tree->setCurrentItem(item(step.mid(4)));
            continue;
        }
        const int colon = step.indexOf(QLatin1Char(':'));
        const QString flags = colon < 0 ? QString() : step.left(colon);
        Qt::KeyboardModifiers modifiers;
        if (flags.contains(QLatin1Char('c')))
            modifiers |= Qt::ControlModifier;
        if (flags.contains(QLatin1Char('s')))
            modifiers |= Qt::ShiftModifier;
        click(step.mid(colon + 1), modifiers);
    }
    QCOMPARE(selectedPaths(), selected);
    QCOMPARE(pathOf(m_tree->currentItem()), current);
}

void TestDBTreeWidget::dragDoesNotSelect()
{
    fill();
    QWidget *viewport = m_tree->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, posOf(QStringLiteral("S/0/0")));
    QMouseEvent move(QEvent::MouseMove, posOf(QStringLiteral("S/0/2")), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, posOf(QStringLiteral("S/0/2")));
    QCOMPARE(selectedPaths(), QStringList{QStringLiteral("S/0/0")});
}

void TestDBTreeWidget::pgSelected_data()
{
    QTest::addColumn<uint>("sat");
    QTest::addColumn<uint>("tp");
    QTest::addColumn<QString>("current"); // expected current item afterwards

    QTest::newRow("TP of a collapsed satellite") << 30u << 301u << "S/2/1";
    QTest::newRow("first TP") << 10u << 100u << "S/0/0";
    QTest::newRow("unknown satellite") << 99u << 100u << "F/1";
    QTest::newRow("TP of another satellite") << 20u << 100u << "F/1";
    QTest::newRow("satellite without an item") << 40u << 400u << "F/1";
    QTest::newRow("all satellites id") << 4294967295u << 100u << "F/1";
}

void TestDBTreeWidget::pgSelected()
{
    QFETCH(uint, sat);
    QFETCH(uint, tp);
    QFETCH(QString, current);
    fill(false);
    click(QStringLiteral("F/1"));
    m_events.clear();

    m_tree->slotPGSelected(sat, tp, 1234);
    QCOMPARE(pathOf(m_tree->currentItem()), current);
    QVERIFY2(m_events.isEmpty(), qPrintable(m_events.join(QLatin1Char(' '))));
    if (current != QLatin1String("F/1")) {
        QVERIFY(m_tree->currentItem()->parent()->isExpanded());
        QCOMPARE(selectedPaths(), QStringList{current});
    }
}

// ---------------------------------------------------------------- filter

void TestDBTreeWidget::filter_data()
{
    QTest::addColumn<int>("searchType");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("sats");     // visible satellites
    QTest::addColumn<QStringList>("alphaTPs"); // visible TPs of "Alpha 1"
    QTest::addColumn<QStringList>("gammaTPs"); // visible TPs of "Gamma Alpha"

    const QString a0 = QStringLiteral("TP_11778_H_27500"), a1 = QStringLiteral("TP_11800_V_22000"),
                  a2 = QStringLiteral("TP_12000_H_27500"), g0 = QStringLiteral("TP_12100_H_27500"),
                  g1 = QStringLiteral("TP_12200_V_27500");
    const QString alpha = QStringLiteral("Alpha 1"), beta = QStringLiteral("Beta"),
                  gamma = QStringLiteral("Gamma Alpha");
    const QStringList allSats{alpha, beta, gamma}, alphaAll{a0, a1, a2}, gammaAll{g0, g1};

    QTest::newRow("empty shows all") << 0 << ""
                                     << "" << allSats << alphaAll << gammaAll;
    QTest::newRow("satellite prefix") << 0 << ""
                                      << "al" << QStringList{alpha} << alphaAll << gammaAll;
    QTest::newRow("satellite prefix in capitals") << 0 << ""
                                                  << "ALPHA" << QStringList{alpha} << alphaAll
                                                  << gammaAll;
    QTest::newRow("inner match does not count") << 0 << ""
                                                << "Alpha 1 " << QStringList{} << alphaAll
                                                << gammaAll;
    QTest::newRow("satellite mode ignores TPs") << 0 << ""
                                                << "TP_12" << QStringList{} << alphaAll << gammaAll;
    QTest::newRow("TP prefix, nothing current") << 1 << ""
                                                << "tp_12" << allSats << QStringList{a2}
                                                << gammaAll;
    QTest::newRow("TP prefix, TP current") << 1 << "S/0/0"
                                           << "TP_118" << allSats << QStringList{a1}
                                           << QStringList{};
    QTest::newRow("TP prefix, satellite current") << 1 << "S/2"
                                                  << "TP_121" << QStringList{gamma} << alphaAll
                                                  << QStringList{g0};
    QTest::newRow("TP frequency without the prefix") << 1 << ""
                                                     << "121" << allSats << QStringList{}
                                                     << QStringList{g0};
    QTest::newRow("TP frequency, satellite mode ignores it") << 0 << ""
                                                             << "121" << QStringList{} << alphaAll
                                                             << gammaAll;
    QTest::newRow("TP mode ignores satellite names") << 1 << ""
                                                     << "Beta" << allSats << QStringList{}
                                                     << QStringList{};
    QTest::newRow("TP mode, empty text, satellite current") << 1 << "S/2"
                                                            << "" << allSats << alphaAll
                                                            << gammaAll;
}

void TestDBTreeWidget::filter()
{
    QFETCH(int, searchType);
    QFETCH(QString, current);
    QFETCH(QString, text);
    QFETCH(QStringList, sats);
    QFETCH(QStringList, alphaTPs);
    QFETCH(QStringList, gammaTPs);
    fill();
    if (!current.isEmpty())
        click(current);

    m_tree->slotSearchTypeChanged(searchType);
    // A previous, narrower filter must not leave anything hidden behind.
    m_tree->slotFilterChanged(QStringLiteral("Gamma"));
    m_tree->slotFilterChanged(text);

    QCOMPARE(childTexts(*m_tree, item(QStringLiteral("S")), true), sats);
    QCOMPARE(childTexts(*m_tree, item(QStringLiteral("S/0")), true), alphaTPs);
    QCOMPARE(childTexts(*m_tree, item(QStringLiteral("S/2")), true), gammaTPs);
    // Hiding removes nothing.
    QCOMPARE(item(QStringLiteral("S"))->childCount(), 3);
    QCOMPARE(item(QStringLiteral("S/0"))->childCount(), 3);
    QVERIFY(!m_tree->bIsChange());
}

void TestDBTreeWidget::searchTypeSwitch()
{
    fill();
    click(QStringLiteral("S/0"));
    m_tree->slotFilterChanged(QStringLiteral("tp_12"));
    QCOMPARE(childTexts(*m_tree, item(QStringLiteral("S")), true), QStringList{});

    m_tree->slotSearchTypeChanged(1);
    QCOMPARE(childTexts(*m_tree, item(QStringLiteral("S")), true), QStringList{QStringLiteral("Alpha 1")});
    QCOMPARE(childTexts(*m_tree, item(QStringLiteral("S/0")), true), QStringList{QStringLiteral("TP_12000_H_27500")});

    m_tree->slotSearchTypeChanged(0);
    QCOMPARE(childTexts(*m_tree, item(QStringLiteral("S")), true), QStringList{});
    QCOMPARE(childTexts(*m_tree, item(QStringLiteral("S/0")), true).size(), 3);

    m_tree->slotFilterChanged(QString());
    QCOMPARE(childTexts(*m_tree, item(QStringLiteral("S")), true).size(), 3);
}

void TestDBTreeWidget::filterSurvivesReload()
{
    fill();
    m_tree->slotFilterChanged(QStringLiteral("be"));
    m_tree->clearTree();
    QVERIFY(m_fixture->attach(*m_tree));
    QCOMPARE(childTexts(*m_tree, item(QStringLiteral("S")), true), QStringList{QStringLiteral("Beta")});
}

// ---------------------------------------------------------------- context menu

void TestDBTreeWidget::contextMenu_data()
{
    QTest::addColumn<QStringList>("clicks"); // left clicks first, "c:" with Ctrl, "none" clears current
    QTest::addColumn<QString>("menuAt");     // where the right click lands; "" empty space
    QTest::addColumn<bool>("pressFirst");    // false: only the context-menu event, no press
    QTest::addColumn<QStringList>("entries");

    const QString paste = QStringLiteral("-Paste TP\tCtrl+V");
    QTest::newRow("satellite root") << QStringList{} << "S" << true << QStringList{"+&Add Satellite"};
    QTest::newRow("favourite group") << QStringList{} << "F/3" << true << QStringList{"+&Rename"};
    QTest::newRow("first satellite")
        << QStringList{} << "S/0" << true
        << QStringList{"+&Edit", "+&Add TP", "+&Delete", paste, "-&Move Up", "+&Move Down", "+&Switch To",
                       "+&Move To"};
    QTest::newRow("last satellite")
        << QStringList{} << "S/2" << true
        << QStringList{"+&Edit", "+&Add TP", "+&Delete", paste, "+&Move Up", "-&Move Down", "+&Switch To",
                       "+&Move To"};
    QTest::newRow("two satellites")
        << QStringList{"S/0", "c:S/1"} << "S/1" << true
        << QStringList{"-&Edit", "-&Add TP", "+&Delete", paste, "-&Move Up", "-&Move Down", "-&Switch To",
                       "+&Move To"};
    QTest::newRow("middle TP")
        << QStringList{} << "S/0/1" << true
        << QStringList{"+&Edit", "+&Delete", "+Copy TP\tCtrl+C", paste, "+&Move Up", "+&Move Down",
                       "+&Switch To", "+&Move To"};
    QTest::newRow("two TPs")
        << QStringList{"S/0/0", "c:S/0/1"} << "S/0/1" << true
        << QStringList{"-&Edit", "+&Delete", "+Copy TP\tCtrl+C", paste, "-&Move Up", "-&Move Down",
                       "-&Switch To", "+&Move To"};
    QTest::newRow("all TPs of a satellite")
        << QStringList{"S/0/0", "c:S/0/1", "c:S/0/2"} << "S/0/2" << true
        << QStringList{"-&Edit", "+&Delete", "+Copy TP\tCtrl+C", paste, "-&Move Up", "-&Move Down",
                       "-&Switch To", "-&Move To"};
    QTest::newRow("only TP")
        << QStringList{} << "S/1/0" << true
        << QStringList{"+&Edit", "+&Delete", "+Copy TP\tCtrl+C", paste, "-&Move Up", "-&Move Down",
                       "-&Switch To", "-&Move To"};
    QTest::newRow("menu follows the current item, not the cursor")
        << QStringList{"S/1/0"} << "F/0" << false
        << QStringList{"+&Edit", "+&Delete", "+Copy TP\tCtrl+C", paste, "-&Move Up", "-&Move Down",
                       "-&Switch To", "-&Move To"};
    QTest::newRow("All Services") << QStringList{} << "A" << true << QStringList{};
    QTest::newRow("HotKey root") << QStringList{} << "H" << true << QStringList{};
    QTest::newRow("empty space") << QStringList{"S/0"} << "" << true << QStringList{};
    QTest::newRow("no current item") << QStringList{"none"} << "S/0" << false << QStringList{};
}

void TestDBTreeWidget::contextMenu()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, menuAt);
    QFETCH(bool, pressFirst);
    QFETCH(QStringList, entries);
    fill();

    for (const QString &step : clicks) {
        if (step == QLatin1String("none"))
            m_tree->selectionModel()->clearCurrentIndex();
        else if (step.startsWith(QLatin1String("c:")))
            click(step.mid(2), Qt::ControlModifier);
        else
            click(step);
    }
    const QPoint pos = menuAt.isEmpty() ? QPoint(10, m_tree->viewport()->height() - 5) : posOf(menuAt);
    QVERIFY(menuAt.isEmpty() || m_tree->itemAt(pos) == item(menuAt));
    QVERIFY(!menuAt.isEmpty() || !m_tree->itemAt(pos));

    const MenuSnapshot menu = openMenu(pos, pressFirst);
    QCOMPARE(menu.shown, !entries.isEmpty());
    QCOMPARE(menu.entries, entries);
}

// ---------------------------------------------------------------- renaming groups

void TestDBTreeWidget::renameFavItem_data()
{
    QTest::addColumn<uint>("id");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("changed");

    QTest::newRow("first group") << 1u << QStringList{"Renamed", "Sport", "Movies", "Music"} << true;
    QTest::newRow("third group") << 4u << QStringList{"News", "Sport", "Renamed", "Music"} << true;
    QTest::newRow("highest bit counts") << 6u << QStringList{"News", "Sport", "Renamed", "Music"} << true;
    QTest::newRow("no such group") << 32u << QStringList{"News", "Sport", "Movies", "Music"} << false;
    QTest::newRow("top bit") << 0x80000000u << QStringList{"News", "Sport", "Movies", "Music"} << false;
    QTest::newRow("all groups id") << 0u << QStringList{"News", "Sport", "Movies", "Music"} << false;
}

void TestDBTreeWidget::renameFavItem()
{
    QFETCH(uint, id);
    QFETCH(QStringList, names);
    QFETCH(bool, changed);
    fill();

    m_tree->slotRenameFavItem(id, QStringLiteral("Renamed"));
    QCOMPARE(m_fixture->document.favouriteNames(), names);
    QCOMPARE(childTexts(*m_tree, item(QStringLiteral("F"))), names);
    QCOMPARE(m_tree->bIsChange(), changed);
    QVERIFY(m_events.isEmpty());
}

void TestDBTreeWidget::renameInPlace_data()
{
    QTest::addColumn<bool>("viaMenu");
    QTest::newRow("menu Rename") << true;
    QTest::newRow("edit key") << false;
}

void TestDBTreeWidget::renameInPlace()
{
    QFETCH(bool, viaMenu);
    fill();
    click(QStringLiteral("F/1"));

    if (viaMenu) {
        const MenuSnapshot menu = openMenu(posOf(QStringLiteral("F/1")), true, [](QMenu *menu) {
            menu->setActiveAction(menu->actions().value(0));
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QVERIFY(menu.shown);
    } else {
        QTest::keyClick(m_tree.get(), Qt::Key_F2);
    }
    QLineEdit *editor = nullptr;
    QTRY_VERIFY((editor = m_tree->viewport()->findChild<QLineEdit *>()) != nullptr);
    QTRY_VERIFY(editor->hasFocus());
    QVERIFY(!m_tree->bIsChange());
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Football"));
    QTest::keyClick(editor, Qt::Key_Return);

    // The view commits the editor's text from a queued call.
    QTRY_COMPARE(m_fixture->document.favouriteNames(),
                 (QStringList{QStringLiteral("News"), QStringLiteral("Football"), QStringLiteral("Movies"),
                              QStringLiteral("Music")}));
    QCOMPARE(item(QStringLiteral("F/1"))->text(0), QStringLiteral("Football"));
    QVERIFY(m_tree->bIsChange());

    // One undo step gives back the name, in the list and in the tree, and the clean state.
    m_fixture->document.undoStack()->undo();
    QCOMPARE(m_fixture->document.favouriteNames().at(1), QStringLiteral("Sport"));
    QCOMPARE(item(QStringLiteral("F/1"))->text(0), QStringLiteral("Sport"));
    QVERIFY(!m_tree->bIsChange());
}

QTEST_MAIN(TestDBTreeWidget)
#include "tst_dbtreewidget.moc"
