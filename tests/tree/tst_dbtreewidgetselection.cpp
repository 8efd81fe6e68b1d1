// What selecting in the tree does: the signals it sends, which items may be
// selected together, following a programme chosen in the table, and the
// context menu each selection gets.

#include "dbtreewidgetfixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QtTest>

class TestDBTreeWidgetSelection : public DBTreeWidgetFixture
{
    Q_OBJECT

private slots:
    void selectionSignals_data();
    void selectionSignals();
    void selectionRestriction_data();
    void selectionRestriction();
    void dragDoesNotSelect();
    void pgSelected_data();
    void pgSelected();

    void contextMenu_data();
    void contextMenu();
};

// ---------------------------------------------------------------- selection

void TestDBTreeWidgetSelection::selectionSignals_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("signal");

    QTest::newRow("All Services") << "A"
                                  << "allsrv";
    QTest::newRow("Satellite Information") << "S"
                                           << "allsat";
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

void TestDBTreeWidgetSelection::selectionSignals()
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

void TestDBTreeWidgetSelection::selectionRestriction_data()
{
    QTest::addColumn<QStringList>("clicks"); // "c:" Ctrl+click, "s:" Shift+click, "key:Up" / "key:Down", "set:" setCurrentIndex
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

void TestDBTreeWidgetSelection::selectionRestriction()
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
            m_tree->setCurrentIndex(item(step.mid(4)));
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
    QCOMPARE(pathOf(m_tree->currentIndex()), current);
}

void TestDBTreeWidgetSelection::dragDoesNotSelect()
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

void TestDBTreeWidgetSelection::pgSelected_data()
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

void TestDBTreeWidgetSelection::pgSelected()
{
    QFETCH(uint, sat);
    QFETCH(uint, tp);
    QFETCH(QString, current);
    fill(false);
    click(QStringLiteral("F/1"));
    m_events.clear();

    m_tree->slotPGSelected(sat, tp, 1234);
    QCOMPARE(pathOf(m_tree->currentIndex()), current);
    QVERIFY2(m_events.isEmpty(), qPrintable(m_events.join(QLatin1Char(' '))));
    if (current != QLatin1String("F/1")) {
        QVERIFY(m_tree->isExpanded(m_tree->currentIndex().parent()));
        QCOMPARE(selectedPaths(), QStringList{current});
    }
}

// ---------------------------------------------------------------- context menu

void TestDBTreeWidgetSelection::contextMenu_data()
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

void TestDBTreeWidgetSelection::contextMenu()
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
    QVERIFY(menuAt.isEmpty() || m_tree->indexAt(pos) == item(menuAt));
    QVERIFY(!menuAt.isEmpty() || !m_tree->indexAt(pos).isValid());

    const MenuSnapshot menu = openMenu(pos, pressFirst);
    QCOMPARE(menu.shown, !entries.isEmpty());
    QCOMPARE(menu.entries, entries);
}

QTEST_MAIN(TestDBTreeWidgetSelection)
#include "tst_dbtreewidgetselection.moc"
