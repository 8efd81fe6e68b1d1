// The tree's editing operations driven as the user drives them: clicks, the
// context menu, Ctrl+C / Ctrl+V and the modal dialogs answered from a timer.
// Each row checks the rows against the model, the current item and the
// signal the table hears, then that undoing every step gives back the
// document as it was and redoing gives the result again.

#include "dbtreewidget.h"
#include "documentedits.h"
#include "documentfixture.h"
#include "documentsnapshot.h"
#include "modalanswer.h"
#include "qdbprogramwidget.h"
#include "qpropertydialog.h"
#include "qselecttargetnodedialog.h"
#include "qtvariantproperty.h"
#include "tablemenu.h"
#include "treefixture.h"

#include <QAbstractItemModelTester>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include <memory>

namespace {

// "10[11778 11800] 20[10700]": each satellite row by id, each TP row by its FRQ.
QString rowsOf(DBTreeWidget &tree)
{
    QStringList sats;
    const QAbstractItemModel *model = tree.model();
    const QModelIndex root = itemAtPath(tree, QStringLiteral("S"));
    for (int s = 0; root.isValid() && s < model->rowCount(root); ++s) {
        const QModelIndex sat = model->index(s, 0, root);
        QStringList tps;
        for (int t = 0; t < model->rowCount(sat); ++t)
            tps << model->index(t, 0, sat).data().toString().section(QLatin1Char('_'), 1, 1);
        sats << QStringLiteral("%1[%2]").arg(DBTreeModel::idOf(sat)).arg(tps.join(QLatin1Char(' ')));
    }
    return sats.join(QLatin1Char(' '));
}

// The same read from the model: what the rows must show.
QString rowsOf(const Document &document)
{
    QStringList sats;
    for (const DB_NS::SatNode *sat : document.database()->sats()) {
        if (!sat->hasAttribute(QStringLiteral("NAME")))
            continue;
        QStringList tps;
        for (const DB_NS::TPNode *tp : sat->tps())
            tps << tp->value(QStringLiteral("FRQ"));
        sats << QStringLiteral("%1[%2]").arg(sat->id()).arg(tps.join(QLatin1Char(' ')));
    }
    return sats.join(QLatin1Char(' '));
}

} // namespace

class TestTreeEditing : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void operation_data();
    void operation();
    void targetDialog();
    void tableFollowsUndo();
    void newSatelliteView_data();
    void newSatelliteView();
    void rowSignals_data();
    void rowSignals();

private:
    QString pathOf(QModelIndex index);
    void step(const QString &step);
    void chooseFromMenu(const QString &text);

    std::unique_ptr<TreeFixture> m_fixture;
    std::unique_ptr<DBTreeWidget> m_tree;
    std::unique_ptr<QAbstractItemModelTester> m_modelTester;
    QStringList m_events;
    QStringList m_messages;
};

void TestTreeEditing::init()
{
    m_fixture = std::make_unique<TreeFixture>();
    m_tree = std::make_unique<DBTreeWidget>();
    m_tree->setHeaderHidden(true);
    m_tree->resize(300, 800);
    // Every operation, its undo and its redo keep the model's contract.
    m_modelTester = std::make_unique<QAbstractItemModelTester>(m_tree->model(),
                                                               QAbstractItemModelTester::FailureReportingMode::QtTest);
    m_events.clear();
    m_messages.clear();
    DBTreeWidget *tree = m_tree.get();
    connect(tree, &DBTreeWidget::signal_sat_selected, this,
            [this](unsigned int id) { m_events << QStringLiteral("sat(%1)").arg(id); });
    connect(tree, &DBTreeWidget::signal_allsat_selected, this, [this] { m_events << QStringLiteral("allsat"); });
    connect(tree, &DBTreeWidget::signal_tp_selected, this, [this](unsigned int sat, unsigned int tp) {
        m_events << QStringLiteral("tp(%1,%2)").arg(sat).arg(tp);
    });
    connect(tree, &DBTreeWidget::signal_fav_selected, this,
            [this](unsigned int id) { m_events << QStringLiteral("fav(%1)").arg(id); });
}

void TestTreeEditing::cleanup()
{
    m_modelTester.reset();
    m_tree.reset();
    m_fixture.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

QString TestTreeEditing::pathOf(QModelIndex index)
{
    if (!index.isValid())
        return QStringLiteral("none");
    QStringList parts;
    while (index.isValid() && index != itemAtPath(*m_tree, QStringLiteral("S"))) {
        const QModelIndex parent = index.parent();
        if (!parent.isValid())
            return (QStringList{index.data().toString()} + parts).join(QLatin1Char('/'));
        parts.prepend(QString::number(index.row()));
        index = parent;
    }
    parts.prepend(QStringLiteral("S"));
    return parts.join(QLatin1Char('/'));
}

// Opens the context menu on the current item and picks the entry.
void TestTreeEditing::chooseFromMenu(const QString &text)
{
    const QPoint pos = m_tree->visualRect(m_tree->currentIndex()).center();
    bool found = false;
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, this, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        poll.stop();
        for (QAction *action : menu->actions()) {
            if (action->text() == text && action->isEnabled()) {
                found = true;
                menu->setActiveAction(action);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
        }
        menu->close();
    });
    poll.start();
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, m_tree->viewport()->mapToGlobal(pos));
    QApplication::sendEvent(m_tree->viewport(), &event);
    QVERIFY2(found, qPrintable(text));
}

// "click:S/0/1", "ctrl:S/0/2", "key:C", "undo", or "menu:ENTRY|ANSWER" (also
// "dblclick:PATH|ANSWER", and "return:PATH|ANSWER" on the current item) where ANSWER is
// box:ok / box:cancel (message box), prop:ok / prop:cancel / prop:FIELD=TEXT
// (property dialog), target:N / target:none / target:cancel / target:keys K1 K2… (target
// dialog; none finds OK disabled and cancels, keys go to the focused widget).
void TestTreeEditing::step(const QString &step)
{
    const QString kind = step.section(QLatin1Char(':'), 0, 0);
    const QString rest = step.section(QLatin1Char(':'), 1);
    if (kind == QLatin1String("click") || kind == QLatin1String("ctrl")) {
        const QModelIndex index = itemAtPath(*m_tree, rest);
        QVERIFY2(index.isValid(), qPrintable(rest));
        QTest::mouseClick(m_tree->viewport(), Qt::LeftButton,
                          kind == QLatin1String("ctrl") ? Qt::ControlModifier : Qt::NoModifier,
                          m_tree->visualRect(index).center());
        return;
    }
    if (kind == QLatin1String("key")) {
        QTest::keyClick(m_tree.get(), rest == QLatin1String("C") ? Qt::Key_C : Qt::Key_V, Qt::ControlModifier);
        return;
    }
    const QString entry = rest.section(QLatin1Char('|'), 0, 0);
    const QString answer = rest.section(QLatin1Char('|'), 1);
    const QString with = answer.section(QLatin1Char(':'), 1);
    std::unique_ptr<ModalAnswer<QMessageBox>> box;
    std::unique_ptr<ModalAnswer<QPropertyDialog>> property;
    std::unique_ptr<ModalAnswer<QSelectTargetNodeDialog>> target;
    if (answer.startsWith(QLatin1String("box:"))) {
        box = std::make_unique<ModalAnswer<QMessageBox>>([this, with](QMessageBox *b) {
            const QString informative = b->informativeText();
            m_messages << b->windowTitle() + QLatin1Char('/') + b->text()
                    + (informative.isEmpty() ? QString() : QLatin1Char('/') + informative);
            b->button(with == QLatin1String("ok") ? QMessageBox::Ok : QMessageBox::Cancel)->click();
        });
    } else if (answer.startsWith(QLatin1String("prop:"))) {
        property = std::make_unique<ModalAnswer<QPropertyDialog>>([this, with](QPropertyDialog *d) {
            m_messages << d->windowTitle();
            if (with.contains(QLatin1Char('=')))
                d->shownProperty(with.section(QLatin1Char('='), 0, 0))->setValue(with.section(QLatin1Char('='), 1));
            with == QLatin1String("cancel") ? d->clickedCancel() : d->clickedOK();
        });
    } else if (answer.startsWith(QLatin1String("target:"))) {
        target = std::make_unique<ModalAnswer<QSelectTargetNodeDialog>>([this, with](QSelectTargetNodeDialog *d) {
            m_messages << d->windowTitle();
            if (with.startsWith(QLatin1String("keys "))) {
                const QStringList keys = with.mid(5).split(QLatin1Char(' '));
                for (int i = 0; i < keys.size() && d->isVisible(); ++i)
                    QTest::keyClick(d->focusWidget(), Qt::Key(QKeySequence::fromString(keys.at(i))[0]));
                return;
            }
            auto *ok = d->findChild<QPushButton *>(QStringLiteral("pushButton_OK"));
            d->table()->setCurrentCell(with == QLatin1String("none") ? -1 : with.toInt(), 0);
            if (with == QLatin1String("none") && ok->isEnabled())
                m_messages << QStringLiteral("OK without a target");
            (with == QLatin1String("cancel") || with == QLatin1String("none")
                 ? d->findChild<QPushButton *>(QStringLiteral("pushButton_Cancel"))
                 : ok)
                ->click();
        });
    }
    if (kind == QLatin1String("dblclick") || kind == QLatin1String("return")) {
        const QPersistentModelIndex index = itemAtPath(*m_tree, entry);
        QVERIFY2(index.isValid(), qPrintable(entry));
        const bool expanded = m_tree->isExpanded(index);
        if (kind == QLatin1String("dblclick"))
            QTest::mouseDClick(m_tree->viewport(), Qt::LeftButton, Qt::NoModifier, m_tree->visualRect(index).center());
        else
            QTest::keyClick(m_tree.get(), Qt::Key_Return);
        QCOMPARE(m_tree->isExpanded(index), expanded); // opening the fields does not fold the row
    } else {
        chooseFromMenu(entry);
    }
    QVERIFY((box && box->answered()) || (property && property->answered()) || (target && target->answered())
            || answer.isEmpty());
}

void TestTreeEditing::operation_data()
{
    QTest::addColumn<int>("satLimit"); // -1: none
    QTest::addColumn<bool>("sixTPs");  // Alpha 1 holds FRQs 11778 11800 11779 12000 13000 13100, and 3 programmes
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<QString>("event");  // the last selection signal of the last step
    QTest::addColumn<QString>("dialog"); // the last dialog's title (and a message box's text)
    QTest::addColumn<int>("state");      // undo steps, which alone set the change flag

    const QString alpha = QStringLiteral("10[11778 11800 12000]"), beta = QStringLiteral("20[10700]"),
                  gamma = QStringLiteral("30[12100 12200]");
    const QString all = QStringList{alpha, beta, gamma}.join(QLatin1Char(' '));
    const auto rows = [](std::initializer_list<QString> parts) { return QStringList(parts).join(QLatin1Char(' ')); };
    const QString sat = QStringLiteral("Satellite Information"), tp = QStringLiteral("TP Information"),
                  del = QStringLiteral("Warning/Delete?"), target = QStringLiteral("Select target node");
    const QString group = QStringLiteral("All Favourites/0");

    QTest::newRow("add satellite, select it")
        << -1 << false << QStringList{"click:S", "menu:&Add Satellite|prop:NAME=Delta", "click:S/3"}
        << rows({all, "4294967295[]"}) << "S/3" << QStringList{"S/3"} << "sat(4294967295)" << sat << 1;
    QTest::newRow("add satellite cancelled") << -1 << false << QStringList{"click:S", "menu:&Add Satellite|prop:cancel"}
                                             << all << "S" << QStringList{"S"} << "" << sat << 0;
    QTest::newRow("one id counter for both kinds")
        << -1 << false
        << QStringList{"click:S", "menu:&Add Satellite|prop:ok", "click:S/1", "menu:&Add TP|prop:FRQ=9000"}
        << rows({alpha, "20[10700 9000]", gamma, "4294967295[]"}) << "S/1" << QStringList{"S/1"} << "" << tp << 2;
    QTest::newRow("limit of shown satellites") << 3 << false << QStringList{"click:S", "menu:&Add Satellite|box:ok"}
                                               << all << "S" << QStringList{"S"} << ""
                                               << "Warning/Can't add satellite anymore!/This file holds at most 3 satellites." << 0;
    QTest::newRow("unnamed satellite is not counted")
        << 4 << false << QStringList{"click:S", "menu:&Add Satellite|prop:NAME=Delta"} << rows({all, "4294967295[]"})
        << "S" << QStringList{"S"} << "" << sat << 1;

    QTest::newRow("delete middle TP") << -1 << false << QStringList{"click:S/0/1", "menu:&Delete|box:ok"}
                                      << rows({"10[11778 12000]", beta, gamma}) << "S/0/1" << QStringList{"S/0/1"}
                                      << "tp(10,102)" << del + "/TP_11800_V_22000" << 1;
    QTest::newRow("delete last TP") << -1 << false << QStringList{"click:S/0/2", "menu:&Delete|box:ok"}
                                    << rows({"10[11778 11800]", beta, gamma}) << "S/0" << QStringList{"S/0"}
                                    << "sat(10)" << del + "/TP_12000_H_27500" << 1;
    QTest::newRow("delete only TP") << -1 << false << QStringList{"click:S/1/0", "menu:&Delete|box:ok"}
                                    << rows({alpha, "20[]", gamma}) << "S/1" << QStringList{"S/1"} << "sat(20)"
                                    << del + "/TP_10700_V_22000" << 1;
    QTest::newRow("delete two TPs") << -1 << true << QStringList{"click:S/0/0", "ctrl:S/0/1", "menu:&Delete|box:ok"}
                                    << rows({"10[11779 12000 13000 13100]", beta, gamma}) << "S/0/0"
                                    << QStringList{"S/0/0"} << "tp(10,103)" << del + "/2 transponders and their 3 programmes" << 1;
    QTest::newRow("delete a TP and its programme")
        << -1 << true << QStringList{"click:S/0/1", "menu:&Delete|box:ok"}
        << rows({"10[11778 11779 12000 13000 13100]", beta, gamma}) << "S/0/1" << QStringList{"S/0/1"}
        << "tp(10,103)" << del + "/TP_11800_V_22000 and its programme" << 1;
    QTest::newRow("delete cancelled") << -1 << false << QStringList{"click:S/0/1", "menu:&Delete|box:cancel"} << all
                                      << "S/0/1" << QStringList{"S/0/1"} << "" << del + "/TP_11800_V_22000" << 0;
    QTest::newRow("delete satellite") << -1 << true << QStringList{"click:S/0", "menu:&Delete|box:ok"}
                                      << rows({beta, gamma}) << "S/0" << QStringList{"S/0"} << "sat(20)"
                                      << del + "/Alpha 1 and its 3 programmes" << 1;
    QTest::newRow("delete last satellite") << -1 << false << QStringList{"click:S/2", "menu:&Delete|box:ok"}
                                           << rows({alpha, beta}) << "S" << QStringList{"S"} << "allsat"
                                           << del + "/Gamma Alpha" << 1;

    QTest::newRow("move TP up") << -1 << false << QStringList{"click:S/0/1", "menu:&Move Up"}
                                << rows({"10[11800 11778 12000]", beta, gamma}) << "S/0/0" << QStringList{"S/0/0"}
                                << ""
                                << "" << 1;
    QTest::newRow("move satellite up past the unnamed one")
        << -1 << false << QStringList{"click:S/2", "menu:&Move Up"} << rows({alpha, gamma, beta}) << "S/1"
        << QStringList{"S/1"} << ""
        << "" << 1;
    QTest::newRow("move satellite down") << -1 << false << QStringList{"click:S/0", "menu:&Move Down"}
                                         << rows({beta, alpha, gamma}) << "S/1" << QStringList{"S/1"} << ""
                                         << "" << 1;

    QTest::newRow("switch first and third satellite")
        << -1 << false << QStringList{"click:S/0", "menu:&Switch To|target:2"} << rows({gamma, beta, alpha}) << "S/2"
        << QStringList{"S/2"} << "" << target << 1;
    QTest::newRow("switch with the unnamed satellite")
        << -1 << false << QStringList{"click:S/0", "menu:&Switch To|target:1"} << rows({beta, alpha, gamma}) << "S/1"
        << QStringList{"S/1"} << "" << target << 1;
    QTest::newRow("switch TPs") << -1 << false << QStringList{"click:S/0/0", "menu:&Switch To|target:1"}
                                << rows({"10[12000 11800 11778]", beta, gamma}) << "S/0/2" << QStringList{"S/0/2"}
                                << "" << target << 1;
    QTest::newRow("switch without a row") << -1 << false << QStringList{"click:S/0", "menu:&Switch To|target:none"}
                                          << all << "S/0" << QStringList{"S/0"} << "" << target << 0;
    QTest::newRow("switch cancelled") << -1 << false << QStringList{"click:S/0", "menu:&Switch To|target:cancel"}
                                      << all << "S/0" << QStringList{"S/0"} << "" << target << 0;

    QTest::newRow("move 2 and 4 before 6")
        << -1 << true << QStringList{"click:S/0/1", "ctrl:S/0/3", "menu:&Move To|target:3"}
        << rows({"10[11778 11779 13000 11800 12000 13100]", beta, gamma}) << "S/0/4" << QStringList{"S/0/3", "S/0/4"}
        << "" << target << 1;
    QTest::newRow("move satellite before the unnamed one")
        << -1 << false << QStringList{"click:S/0", "menu:&Move To|target:1"} << rows({beta, alpha, gamma}) << "S/1"
        << QStringList{"S/1"} << "" << target << 1;
    QTest::newRow("Move To by keys") << -1 << false
                                     << QStringList{"click:S/0", "menu:&Move To|target:keys Down Down Return"}
                                     << rows({beta, alpha, gamma}) << "S/1" << QStringList{"S/1"} << "" << target << 1;
    QTest::newRow("Move To: Enter needs a pick")
        << -1 << false << QStringList{"click:S/0/1", "menu:&Move To|target:keys Return Escape"} << all << "S/0/1"
        << QStringList{"S/0/1"} << "" << target << 0;
    QTest::newRow("Move To cancelled") << -1 << false << QStringList{"click:S/0/1", "menu:&Move To|target:cancel"}
                                       << all << "S/0/1" << QStringList{"S/0/1"} << "" << target << 0;

    QTest::newRow("paste reverses the copied block")
        << -1 << false << QStringList{"click:S/0/0", "ctrl:S/0/1", "ctrl:S/0/2", "key:C", "click:S/1", "key:V"}
        << rows({alpha, "20[10700 12000 11800 11778]", gamma}) << "S/1" << QStringList{} << ""
        << "" << 1;
    QTest::newRow("paste skips taken FRQs") << -1 << true << QStringList{"click:S/0/0", "key:C", "key:V"}
                                            << rows({"10[11778 11800 11779 12000 13000 13100 11780]", beta, gamma})
                                            << "S/0/0" << QStringList{} << ""
                                            << "" << 1;
    QTest::newRow("paste twice")
        << -1 << false
        << QStringList{"click:S/0/0", "menu:Copy TP\tCtrl+C", "click:S/1", "menu:Paste TP\tCtrl+V", "key:V"}
        << rows({alpha, "20[10700 11778 11779]", gamma}) << "S/1" << QStringList{} << ""
        << "" << 2;
    QTest::newRow("paste on a favourite group")
        << -1 << false << QStringList{"click:S/0/0", "key:C", "click:F/0", "key:V"} << all << group
        << QStringList{group} << ""
        << "" << 0;
    QTest::newRow("copying satellites empties the buffer")
        << -1 << false << QStringList{"click:S/0/0", "key:C", "click:S/2", "key:C", "click:S/1", "key:V"} << all
        << "S/1" << QStringList{} << ""
        << "" << 0;

    QTest::newRow("edit TP") << -1 << false << QStringList{"click:S/0/0", "menu:&Edit|prop:FRQ=11900"}
                             << rows({"10[11900 11800 12000]", beta, gamma}) << "S/0/0" << QStringList{"S/0/0"} << ""
                             << tp << 1;
    QTest::newRow("double-click edits a satellite")
        << -1 << false << QStringList{"click:S/0", "dblclick:S/0|prop:NAME=Delta"} << all << "S/0"
        << QStringList{"S/0"} << "" << sat << 1;
    QTest::newRow("Return edits a TP") << -1 << false << QStringList{"click:S/0/0", "return:S/0/0|prop:FRQ=11900"}
                                       << rows({"10[11900 11800 12000]", beta, gamma}) << "S/0/0"
                                       << QStringList{"S/0/0"} << "" << tp << 1;
    QTest::newRow("edit satellite cancelled") << -1 << false << QStringList{"click:S/1", "menu:&Edit|prop:cancel"}
                                              << all << "S/1" << QStringList{"S/1"} << "" << sat << 0;
}

void TestTreeEditing::operation()
{
    QFETCH(int, satLimit);
    QFETCH(bool, sixTPs);
    QFETCH(QStringList, steps);
    QFETCH(QString, rows);
    QFETCH(QString, current);
    QFETCH(QStringList, selected);
    QFETCH(QString, event);
    QFETCH(QString, dialog);
    QFETCH(int, state);

    m_fixture->doc.satMaxNum = satLimit;
    if (sixTPs) {
        // TPs 100, 101, 103, 102, 104, 105 in this order.
        DB_NS::SatNode *alpha = m_fixture->doc.database->findSat(10);
        for (const auto &tp : {std::make_pair(103u, "11779"), std::make_pair(104u, "13000"), std::make_pair(105u, "13100")}) {
            auto *node = new DB_NS::TPNode(tp.first);
            node->setParentId(10);
            node->addAttribute(QStringLiteral("FRQ"), QString::fromLatin1(tp.second));
            alpha->addTP(node);
        }
        alpha->insertTPBefore(102, alpha->detachTP(103));
        // Programmes 7 and 8 on TP 100 and 9 on TP 101, for what a delete takes with it.
        for (const auto &pg : {std::make_pair(7u, 100u), std::make_pair(8u, 100u), std::make_pair(9u, 101u)}) {
            auto *node = new DB_NS::PGNode(pg.first);
            node->setParentId(pg.second);
            QVERIFY(alpha->findTP(pg.second)->addPG(node));
        }
    }
    QVERIFY(m_fixture->attach(*m_tree));
    m_tree->expandAll();
    m_tree->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_tree.get()));
    Document &document = m_fixture->document;
    const QStringList before = documentSnapshot(document);
    const QString rowsBefore = rowsOf(*m_tree);

    for (const QString &s : qAsConst(steps)) {
        m_events.clear();
        step(s);
        QCOMPARE(rowsOf(*m_tree), rowsOf(document));
    }
    QCOMPARE(rowsOf(*m_tree), rows);
    QCOMPARE(pathOf(m_tree->currentIndex()), current);
    QStringList selectedNow;
    for (const QModelIndex &index : m_tree->selectionModel()->selectedIndexes())
        selectedNow << pathOf(index);
    selectedNow.sort();
    QCOMPARE(selectedNow, selected);
    QCOMPARE(m_events.value(m_events.size() - 1), event);
    QCOMPARE(document.undoStack()->count(), state);
    QCOMPARE(m_tree->bIsChange(), state != 0);
    QCOMPARE(m_messages.value(m_messages.size() - 1), dialog);

    const QStringList after = documentSnapshot(document);
    while (document.undoStack()->canUndo()) {
        document.undoStack()->undo();
        QCOMPARE(rowsOf(*m_tree), rowsOf(document));
    }
    QCOMPARE(documentSnapshot(document), before);
    QCOMPARE(rowsOf(*m_tree), rowsBefore);
    while (document.undoStack()->canRedo())
        document.undoStack()->redo();
    QCOMPARE(documentSnapshot(document), after);
    QCOMPARE(rowsOf(*m_tree), rows);
}

void TestTreeEditing::targetDialog()
{
    QVERIFY(m_fixture->attach(*m_tree));
    const ChannelDatabase *db = m_fixture->document.database();
    QVector<const DB_NS::Node *> candidates{db->findSat(20), db->findSat(40), db->findSat(10)->findTP(101)};
    QSelectTargetNodeDialog dialog(m_tree.get(), candidates, QStringLiteral("Pick one."));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Select target node"));
    QCOMPARE(dialog.size(), QSize(360, 400));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QVERIFY(!(dialog.windowFlags() & Qt::WindowContextHelpButtonHint));
    QTableWidget *table = dialog.table();
    QCOMPARE(table->horizontalHeaderItem(0)->text(), QStringLiteral("name"));
    QVERIFY(!table->horizontalHeader()->sectionsClickable());
    QVERIFY(table->verticalHeader()->isHidden());
    QCOMPARE(table->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(table->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(table->editTriggers(), QAbstractItemView::NoEditTriggers);
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row)
        texts << table->item(row, 0)->text();
    QCOMPARE(texts, (QStringList{QStringLiteral("Beta"), QStringLiteral("[40]"), QStringLiteral("TP_11800_V_22000")}));
    auto *cancel = dialog.findChild<QPushButton *>(QStringLiteral("pushButton_Cancel"));
    auto *ok = dialog.findChild<QPushButton *>(QStringLiteral("pushButton_OK"));
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
    QVERIFY(ok->isDefault());
    QVERIFY(!ok->isEnabled());

    table->setCurrentCell(1, 0);
    QVERIFY(ok->isEnabled());
    ok->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.selectedNode(), candidates.at(1));
}

// An undo from the Edit menu changes no selection, yet the programmes of a
// TP that comes back must appear in the satellite's view.
void TestTreeEditing::tableFollowsUndo()
{
    Document document;
    loadDocumentFixture(document);
    QDBProgramWidget table;
    table.setDocument(&document);
    table.satSelected(1);
    const QVector<quint32> shown = table.rowIds();
    QCOMPARE(shown.size(), 4);
    QVERIFY(document.edits().removeNodes(NodeKind::Transponder, 1, {11}));
    // TP 10's programmes, in the service order.
    QCOMPARE(table.rowIds(), (QVector<quint32>{101, 100}));
    document.undoStack()->undo();
    QCOMPARE(table.rowIds(), shown);
}

// The first satellite added takes 4294967295, the highest id: its view
// lists what was added under it and offers the table's menu, while
// "Satellite Information" still shows no rows.
void TestTreeEditing::newSatelliteView_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("view");
    QTest::addColumn<int>("rows");
    QTest::newRow("the new satellite") << "S/2" << int(QDBProgramWidget::Satellite) << 1;
    QTest::newRow("Satellite Information") << "S" << int(QDBProgramWidget::NoSatellite) << 0;
}

void TestTreeEditing::newSatelliteView()
{
    QFETCH(QString, path);
    QFETCH(int, view);
    QFETCH(int, rows);
    Document document;
    loadDocumentFixture(document);
    QVERIFY(m_tree->setDocument(&document));
    DocumentEdits &edits = document.edits();
    std::unique_ptr<DB_NS::Node> sat = edits.newNode(NodeKind::Satellite);
    const quint32 satId = sat->id();
    sat->addAttribute(QStringLiteral("NAME"), QStringLiteral("Delta"));
    QVERIFY(edits.addNode(NodeKind::Satellite, satId, std::move(sat)));
    std::unique_ptr<DB_NS::Node> tp = edits.newNode(NodeKind::Transponder, satId);
    const quint32 tpId = tp->id();
    QVERIFY(edits.addNode(NodeKind::Transponder, satId, std::move(tp)));
    QVERIFY(edits.insertProgramme(satId, tpId, DB_NS::NoId, {{QStringLiteral("NAME"), QStringLiteral("New")}}) != DB_NS::NoId);

    QDBProgramWidget table;
    table.setDocument(&document);
    connect(m_tree.get(), &DBTreeWidget::signal_sat_selected, &table, &QDBProgramWidget::satSelected);
    connect(m_tree.get(), &DBTreeWidget::signal_allsat_selected, &table, &QDBProgramWidget::allSatSelected);
    m_tree->show();
    table.resize(900, 600);
    table.show();
    QVERIFY(QTest::qWaitForWindowExposed(&table));
    step(QStringLiteral("click:") + path);
    QCOMPARE(int(table.viewMode()), view);
    QCOMPARE(table.rowIds().size(), rows);
    if (rows > 0) {
        table.table()->selectRow(0);
        ModalAnswer<QPropertyDialog> edit([](QPropertyDialog *dialog) { dialog->clickedCancel(); });
        QVERIFY(pickTableMenuEntry(table, 0, QStringLiteral("Edit Channel")));
        QVERIFY(edit.answered());
    }
}

// What the model tells its views about one edit and about its undo: the
// rows it touched, never a reset or a new layout.
void TestTreeEditing::rowSignals_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QStringList>("done");
    QTest::addColumn<QStringList>("undone");

    QTest::newRow("move TP up") << "up" << QStringList{"moved S/0 0-0 to 2"} << QStringList{"moved S/0 0-0 to 2"};
    QTest::newRow("switch satellites") << "switch" << QStringList{"moved S 1-1 to 3", "moved S 0-0 to 3"}
                                       << QStringList{"moved S 1-1 to 3", "moved S 0-0 to 3"};
    QTest::newRow("move two TPs to the front") << "moveTo" << QStringList{"moved S/0 0-0 to 3"}
                                               << QStringList{"moved S/0 2-2 to 0"};
    QTest::newRow("delete TP") << "delete" << QStringList{"removed S/0 1-1"} << QStringList{"inserted S/0 1-1"};
    QTest::newRow("delete two satellites")
        << "deleteSats" << QStringList{"removed S 2-2", "removed S 0-0"} << QStringList{"inserted S 0-0", "inserted S 2-2"};
    QTest::newRow("paste TP") << "paste" << QStringList{"inserted S/1 1-1"} << QStringList{"removed S/1 1-1"};
    QTest::newRow("edit TP") << "edit" << QStringList{"changed S/0/0"} << QStringList{"changed S/0/0"};
    QTest::newRow("rename group") << "rename" << QStringList{"changed All Favourites/2"}
                                  << QStringList{"changed All Favourites/2"};
}

void TestTreeEditing::rowSignals()
{
    QFETCH(QString, edit);
    QFETCH(QStringList, done);
    QFETCH(QStringList, undone);
    QVERIFY(m_fixture->attach(*m_tree));
    Document &document = m_fixture->document;
    DocumentEdits &edits = document.edits();
    const QAbstractItemModel *model = m_tree->model();
    QStringList heard;
    const auto range = [this, &heard](const char *what, const QModelIndex &parent, int first, int last) {
        const QString where = pathOf(parent);
        heard << QStringLiteral("%1 %2 %3-%4").arg(QLatin1String(what), where).arg(first).arg(last);
    };
    connect(model, &QAbstractItemModel::rowsInserted, this,
            [&](const QModelIndex &parent, int first, int last) { range("inserted", parent, first, last); });
    connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [&](const QModelIndex &parent, int first, int last) { range("removed", parent, first, last); });
    connect(model, &QAbstractItemModel::rowsAboutToBeMoved, this,
            [&](const QModelIndex &parent, int first, int last, const QModelIndex &, int to) {
                range("moved", parent, first, last);
                heard.last() += QStringLiteral(" to %1").arg(to);
            });
    connect(model, &QAbstractItemModel::dataChanged, this,
            [&](const QModelIndex &index) { heard << QStringLiteral("changed ") + pathOf(index); });
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this, [&] { heard << QStringLiteral("reset"); });
    connect(model, &QAbstractItemModel::layoutAboutToBeChanged, this, [&] { heard << QStringLiteral("layout"); });

    using DB_NS::NoId;
    if (edit == QLatin1String("up"))
        QVERIFY(edits.moveNode(NodeKind::Transponder, 10, 101, true));
    else if (edit == QLatin1String("switch"))
        QVERIFY(edits.exchangeNodes(NodeKind::Satellite, NoId, 10, 30));
    else if (edit == QLatin1String("moveTo"))
        QVERIFY(edits.moveNodesBefore(NodeKind::Transponder, 10, {101, 102}, 100));
    else if (edit == QLatin1String("delete"))
        QVERIFY(edits.removeNodes(NodeKind::Transponder, 10, {101}));
    else if (edit == QLatin1String("deleteSats"))
        QVERIFY(edits.removeNodes(NodeKind::Satellite, NoId, {10, 30}));
    else if (edit == QLatin1String("paste"))
        QVERIFY(edits.copyTransponders(10, {100}) == 1 && !edits.pasteTransponders(20).value.isEmpty());
    else if (edit == QLatin1String("edit"))
        QVERIFY(edits.editNode(NodeKind::Transponder, 100, 10, {{QStringLiteral("FRQ"), QStringLiteral("11900")}}));
    else if (edit == QLatin1String("rename"))
        QVERIFY(edits.renameGroup(2, QStringLiteral("Films")));
    QCOMPARE(heard, done);
    QCOMPARE(rowsOf(*m_tree), rowsOf(document));
    heard.clear();
    document.undoStack()->undo();
    QCOMPARE(heard, undone);
    QCOMPARE(rowsOf(*m_tree), rowsOf(document));
}

QTEST_MAIN(TestTreeEditing)
#include "tst_treeediting.moc"
