// What the tree builds from a document, how its filter hides satellites and
// TPs, and renaming favourite groups.

#include "dbtreewidgetfixture.h"

#include "documentedits.h"

#include <QLineEdit>
#include <QMenu>
#include <QtTest>

namespace {

int countRows(const QAbstractItemModel &model, const QModelIndex &parent = QModelIndex())
{
    int n = 1;
    for (int i = 0; i < model.rowCount(parent); ++i)
        n += countRows(model, model.index(i, 0, parent));
    return n;
}

} // namespace

class TestDBTreeWidget : public DBTreeWidgetFixture
{
    Q_OBJECT

private slots:
    void structure_data();
    void structure();
    void favouriteGroupsBeyondTheMask();
    void noDatabase();
    void rebuildAndClear();

    void filter_data();
    void filter();
    void searchTypeSwitch();
    void filterSurvivesReload();

    void renameFavItem_data();
    void renameFavItem();
    void renameInPlace_data();
    void renameInPlace();
};

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

    QCOMPARE(childTexts(*m_tree, QModelIndex()), roots);
    QCOMPARE(childTexts(*m_tree, item(QStringLiteral("A"))), QStringList{QStringLiteral("Satellite Information")});
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

    const QModelIndex sat = item(QStringLiteral("S/2"));
    QCOMPARE(DBTreeModel::kindOf(sat), SatItem);
    QCOMPARE(DBTreeModel::idOf(sat), 30u);
    const QModelIndex tp = item(QStringLiteral("S/2/1"));
    QCOMPARE(DBTreeModel::kindOf(tp), TPItem);
    QCOMPARE(DBTreeModel::idOf(tp), 301u);
    QCOMPARE(DBTreeModel::satIdOf(tp), 30u);

    // Roots open, satellites closed; building is not an edit.
    QVERIFY(m_tree->isExpanded(item(QStringLiteral("A"))));
    QVERIFY(m_tree->isExpanded(item(QStringLiteral("S"))));
    QVERIFY(!m_tree->isExpanded(item(QStringLiteral("S/0"))));
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

    QCOMPARE(m_tree->model()->rowCount(item(QStringLiteral("F"))), 32);
    const QModelIndex last = item(QStringLiteral("F/31"));
    QCOMPARE(DBTreeModel::idOf(last), 0x80000000u);
    QCOMPARE(last.data().toString(), QStringLiteral("G31"));
}

void TestDBTreeWidget::noDatabase()
{
    fill(); // a filled tree must come out empty
    Document empty;
    QVERIFY(!m_tree->setDocument(&empty));
    QCOMPARE(m_tree->model()->rowCount(), 0);
    // Nothing built, so there is no item for a menu or a rename to act on.
    m_tree->slotRenameFavItem(1, QStringLiteral("X"));
    QCOMPARE(m_fixture->document.favouriteNames().first(), QStringLiteral("News"));
    QVERIFY(!m_tree->bIsChange());
    m_tree->setDocument(nullptr);
}

void TestDBTreeWidget::rebuildAndClear()
{
    fill();
    const int once = countRows(*m_tree->model());
    QCOMPARE(once, 1 + 4 + 1 + 3 + 6 + 4); // invisible root, roots, sat root, sats, TPs, groups

    QVERIFY(m_fixture->document.edits().renameGroup(3, QStringLiteral("Changed")));
    click(QStringLiteral("S/0/1"));
    m_events.clear();
    QVERIFY(m_fixture->attach(*m_tree));
    QCOMPARE(countRows(*m_tree->model()), once);
    QVERIFY(m_tree->bIsChange());

    m_tree->clearTree();
    QCOMPARE(m_tree->model()->rowCount(), 0);
    QVERIFY(!m_tree->currentIndex().isValid());
    QVERIFY(m_tree->bIsChange());
    m_tree->clearTree();
    QCOMPARE(m_tree->model()->rowCount(), 0);
    // Rebuilding and clearing tell the programme table nothing.
    QVERIFY2(m_events.isEmpty(), qPrintable(m_events.join(QLatin1Char(' '))));

    // After a clear the tree no longer reaches the old lists.
    m_tree->slotRenameFavItem(1, QStringLiteral("Gone"));
    m_tree->slotPGSelected(10, 100, 0);
    QCOMPARE(m_fixture->document.favouriteNames().first(), QStringLiteral("News"));
    QVERIFY(!m_tree->currentIndex().isValid());

    m_tree->setDocument(nullptr);
    m_fixture = std::make_unique<TreeFixture>();
    m_fixture->doc.satMaxNum = 3;
    QVERIFY(m_fixture->attach(*m_tree));
    QCOMPARE(countRows(*m_tree->model()), once);
    QCOMPARE(m_tree->maxSatNum(), 3u);
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
    QCOMPARE(m_tree->model()->rowCount(item(QStringLiteral("S"))), 3);
    QCOMPARE(m_tree->model()->rowCount(item(QStringLiteral("S/0"))), 3);
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

// ---------------------------------------------------------------- renaming groups

void TestDBTreeWidget::renameFavItem_data()
{
    QTest::addColumn<uint>("id");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QString>("name");

    const QStringList unchanged{"News", "Sport", "Movies", "Music"};
    QTest::newRow("first group") << 1u << QStringList{"Renamed", "Sport", "Movies", "Music"} << true << "Renamed";
    QTest::newRow("third group") << 4u << QStringList{"News", "Sport", "Renamed", "Music"} << true << "Renamed";
    QTest::newRow("highest bit counts") << 6u << QStringList{"News", "Sport", "Renamed", "Music"} << true
                                        << "Renamed";
    QTest::newRow("no such group") << 32u << unchanged << false << "Renamed";
    QTest::newRow("top bit") << 0x80000000u << unchanged << false << "Renamed";
    QTest::newRow("all groups id") << 0u << unchanged << false << "Renamed";
    // A group needs a name; the item keeps showing the one it has.
    QTest::newRow("empty name") << 2u << unchanged << false << "";
    QTest::newRow("only spaces") << 2u << unchanged << false << "  ";
}

void TestDBTreeWidget::renameFavItem()
{
    QFETCH(uint, id);
    QFETCH(QStringList, names);
    QFETCH(bool, changed);
    QFETCH(QString, name);
    fill();

    m_tree->slotRenameFavItem(id, name);
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
    QCOMPARE(item(QStringLiteral("F/1")).data().toString(), QStringLiteral("Football"));
    QVERIFY(m_tree->bIsChange());

    // One undo step gives back the name, in the list and in the tree, and the clean state.
    m_fixture->document.undoStack()->undo();
    QCOMPARE(m_fixture->document.favouriteNames().at(1), QStringLiteral("Sport"));
    QCOMPARE(item(QStringLiteral("F/1")).data().toString(), QStringLiteral("Sport"));
    QVERIFY(!m_tree->bIsChange());
}

QTEST_MAIN(TestDBTreeWidget)
#include "tst_dbtreewidget.moc"
