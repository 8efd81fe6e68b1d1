// The table's programme operations driven as a user would: the context menu,
// the keys and the dialogs (answered from a timer), checked on the rows, the
// document, and the rows again after an undo.

#include "documentedits.h"
#include "modalanswer.h"
#include "programmefixture.h"
#include "programmetableview.h"
#include "tablemenu.h"
#include "qdbprogramwidget.h"
#include "qmoveswitchdialog.h"
#include "qpropertydialog.h"
#include "qtpchoicedialog.h"
#include "qtvariantproperty.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

namespace {

constexpr quint32 NoId = DB_NS::NoId;

QStringList names(const ProgrammeTableView *table)
{
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row)
        texts << cellText(table->model(), row);
    return texts;
}

QVector<int> numbers(const QString &text)
{
    QVector<int> values;
    for (const QString &part : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        values << part.toInt();
    return values;
}

} // namespace

class TestProgrammeOperations : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void moveAndSwitch_data();
    void moveAndSwitch();
    void moveSurvivesViewChanges();
    void moveKeysInViews_data();
    void moveKeysInViews();
    void deleteAsksOnce_data();
    void deleteAsksOnce();
    void insertBeforeCurrentRow_data();
    void insertBeforeCurrentRow();
    void pasteNamesAndResets();
    void pasteShowsCopies_data();
    void pasteShowsCopies();
    void copyAndCutTo_data();
    void copyAndCutTo();

private:
    void load(int kind = 0);
    void selectRows(const QVector<int> &rows);
    // Opens the context menu over row and picks the entry.
    bool pick(int row, const QString &entry);

    ProgrammeFixture m_fx;
    QDBProgramWidget *m_widget = nullptr;
};

void TestProgrammeOperations::init()
{
    m_fx = ProgrammeFixture();
    m_fx.sats = {1, 2};
    m_fx.tps = {{1, 10}, {1, 11}, {1, 12}, {2, 20}};
    const char *names[] = {"P0", "P1", "P2", "P3", "P4", "P5", "P6", "P7", "P8", "P9"};
    const quint32 tps[] = {10, 10, 11, 11, 20, 20, 10, 11, 20, 10};
    for (int i = 0; i < 10; ++i)
        m_fx.pgs.push_back({tps[i], quint32(100 + i), QString::fromLatin1(names[i]), QString::number(200 + i),
                            QStringLiteral("0"), QString::number(i)});
    m_fx.build();
    m_widget = new QDBProgramWidget;
    m_widget->resize(900, 600);
    m_widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_widget));
}

void TestProgrammeOperations::cleanup()
{
    delete m_widget;
    m_widget = nullptr;
}

void TestProgrammeOperations::load(int kind)
{
    // A_PID is the duplicate-checked field here.
    for (TemplateField &field : m_fx.pgTemplate)
        field.duplicateCheck = field.name == QLatin1String("A_PID");
    m_fx.pgFields[QStringLiteral("A_PID")].duplicateCheck = true;
    m_fx.attach(*m_widget, kind);
}

void TestProgrammeOperations::selectRows(const QVector<int> &rows)
{
    ProgrammeTableView *table = m_widget->table();
    table->clearSelection();
    for (const int row : rows)
        table->setCurrentCell(row, 0, QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

bool TestProgrammeOperations::pick(int row, const QString &entry)
{
    return pickTableMenuEntry(*m_widget, row, entry);
}

void TestProgrammeOperations::moveAndSwitch_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("order");    // NAME of every row afterwards, "" when unchanged
    QTest::addColumn<QString>("selected"); // rows selected afterwards
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<QString>("keys"); // typed into the dialog; "" sets the position and clicks OK

    QTest::newRow("rows 2 and 5 to 9") << "Move Channel"
                                       << "2 5" << 9 << "P0 P1 P3 P4 P6 P7 P8 P2 P5 P9"
                                       << "7 8"
                                       << ""
                                       << "";
    QTest::newRow("rows 2 and 5 to 5") << "Move Channel"
                                       << "2 5" << 5 << "P0 P1 P3 P2 P5 P4 P6 P7 P8 P9"
                                       << "3 4"
                                       << ""
                                       << "";
    QTest::newRow("one row down") << "Move Channel"
                                  << "1" << 4 << "P0 P2 P3 P1 P4 P5 P6 P7 P8 P9"
                                  << "3"
                                  << ""
                                  << "";
    QTest::newRow("onto a selected row") << "Move Channel"
                                         << "2 5" << 6 << ""
                                         << ""
                                         << "Can't move to 6"
                                         << "";
    QTest::newRow("switch one") << "Switch Channel"
                                << "1" << 8 << "P0 P7 P2 P3 P4 P5 P6 P1 P8 P9"
                                << "7"
                                << ""
                                << "";
    QTest::newRow("switch several") << "Switch Channel"
                                    << "1 3 4" << 8 << "P0 P7 P2 P5 P6 P1 P3 P4 P8 P9"
                                    << "5 6 7"
                                    << ""
                                    << "";
    QTest::newRow("switch onto a selected row") << "Switch Channel"
                                                << "1 3" << 4 << ""
                                                << ""
                                                << "Can't switch to 4"
                                                << "";
    QTest::newRow("keys: 9, Enter") << "Move Channel"
                                    << "1" << 0 << "P0 P2 P3 P4 P5 P6 P7 P8 P1 P9"
                                    << "8"
                                    << ""
                                    << "9\r";
    QTest::newRow("keys: 8, Enter (switch)") << "Switch Channel"
                                             << "1" << 0 << "P0 P7 P2 P3 P4 P5 P6 P1 P8 P9"
                                             << "7"
                                             << ""
                                             << "8\r";
    QTest::newRow("keys: Escape") << "Move Channel"
                                  << "1" << 0 << ""
                                  << ""
                                  << ""
                                  << "9\x1b";
}

void TestProgrammeOperations::moveAndSwitch()
{
    QFETCH(QString, entry);
    QFETCH(QString, rows);
    QFETCH(int, position);
    QFETCH(QString, order);
    QFETCH(QString, selected);
    QFETCH(QString, refusal);
    QFETCH(QString, keys);

    load();
    m_widget->allSrvSelected();
    const QStringList before = names(m_widget->table());
    selectRows(numbers(rows));
    const QString title = entry.section(QLatin1Char(' '), 0, 0);
    ModalAnswer<QMoveSwitchDialog> dialog([position, keys](QMoveSwitchDialog *d) {
        if (!keys.isEmpty())
            return QTest::keyClicks(d->focusWidget(), keys);
        d->spinBox()->setValue(position);
        d->findChild<QPushButton *>(QStringLiteral("pushButton_OK"))->click();
    });
    QString shown;
    ModalAnswer<QMessageBox> box([&shown](QMessageBox *b) {
        shown = b->text();
        b->button(QMessageBox::Yes)->click();
    });
    QVERIFY(pick(numbers(rows).first(), entry));
    QVERIFY(dialog.answered());
    QCOMPARE(dialog.title(), title);
    QCOMPARE(shown, refusal);
    // A refused target leaves nothing to save.
    QCOMPARE(m_fx.document->isModified(), !order.isEmpty());
    if (order.isEmpty()) {
        QCOMPARE(names(m_widget->table()), before);
        QCOMPARE(m_fx.document->undoStack()->count(), 0);
        return;
    }
    QCOMPARE(names(m_widget->table()).join(QLatin1Char(' ')), order);
    QCOMPARE(m_widget->selectedRows(), numbers(selected));
    m_fx.document->undoStack()->undo();
    QCOMPARE(names(m_widget->table()), before);
    // The rows go back selected; a switch moved its target row as well.
    const QVector<int> undone = m_widget->selectedRows();
    for (const int row : numbers(rows))
        QVERIFY(undone.contains(row));
    QCOMPARE(undone.size(), numbers(rows).size() + (title == QLatin1String("Switch") ? 1 : 0));
    m_fx.document->undoStack()->redo();
    QCOMPARE(m_widget->selectedRows().size(), undone.size());
}

void TestProgrammeOperations::moveSurvivesViewChanges()
{
    load(OstrelUserDump);
    m_widget->allSrvSelected();
    selectRows({2, 5});
    ModalAnswer<QMoveSwitchDialog> dialog([](QMoveSwitchDialog *d) {
        d->spinBox()->setValue(9);
        d->clickedOK();
    });
    QVERIFY(pick(2, QStringLiteral("Move Channel")));
    const QStringList moved = names(m_widget->table());
    m_widget->satSelected(1);
    // The satellite lists its programmes by TP, each TP's in the new service order.
    QCOMPARE(names(m_widget->table()).join(QLatin1Char(' ')), QStringLiteral("P0 P1 P6 P9 P3 P7 P2"));
    m_widget->allSrvSelected();
    QCOMPARE(names(m_widget->table()), moved);
    QCOMPARE(m_widget->storeRowOrder().size(), 10);
}

void TestProgrammeOperations::moveKeysInViews_data()
{
    // Satellite 1 lists TP 10 (P0 P1 P6 P9), then TP 11 (P2 P3 P7); the
    // service order is P0 ... P9.
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("view"); // "sat" or "tp" (TP 10)
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("rows");    // the view's rows afterwards, "" when unchanged
    QTest::addColumn<QString>("service"); // All Services afterwards
    QTest::addColumn<QString>("refusal");
    const int minus = Qt::Key_Minus, plus = Qt::Key_Plus, dump = OstrelUserDump, ddf = OstrelDefaultDatabase;
    QTest::newRow("satellite, minus") << dump << "sat" << minus << 2 << "P0 P6 P1 P9 P2 P3 P7"
                                      << "P0 P6 P2 P3 P4 P5 P1 P7 P8 P9"
                                      << "";
    QTest::newRow("transponder, minus") << dump << "tp" << minus << 2 << "P0 P6 P1 P9"
                                        << "P0 P6 P2 P3 P4 P5 P1 P7 P8 P9"
                                        << "";
    QTest::newRow("default database, across TPs")
        << ddf << "sat" << plus << 3 << ""
        << "P0 P1 P2 P3 P4 P5 P6 P7 P8 P9"
        << "Can't move to 5: a default database keeps each transponder's programmes together";
}

void TestProgrammeOperations::moveKeysInViews()
{
    QFETCH(int, kind);
    QFETCH(QString, view);
    QFETCH(int, key);
    QFETCH(int, row);
    QFETCH(QString, rows);
    QFETCH(QString, service);
    QFETCH(QString, refusal);

    load(kind);
    if (view == QLatin1String("sat"))
        m_widget->satSelected(1);
    else
        m_widget->tpSelected(1, 10);
    const QStringList before = names(m_widget->table());
    selectRows({row});
    QString shown;
    ModalAnswer<QMessageBox> box([&shown](QMessageBox *b) {
        shown = b->text();
        b->button(QMessageBox::Yes)->click();
    });
    QTest::keyClick(m_widget->table(), Qt::Key(key));
    QCOMPARE(shown, refusal);
    QCOMPARE(names(m_widget->table()).join(QLatin1Char(' ')), rows.isEmpty() ? before.join(QLatin1Char(' ')) : rows);
    QCOMPARE(m_fx.document->undoStack()->count(), refusal.isEmpty() ? 1 : 0);
    QVERIFY(refusal.isEmpty() || !m_fx.document->isModified());
    QStringList order;
    for (const quint32 id : m_fx.document->serviceOrder())
        order << QStringLiteral("P%1").arg(id - 100);
    QCOMPARE(order.join(QLatin1Char(' ')), service);
    if (refusal.isEmpty()) {
        // The moved programme stays selected where it went.
        QCOMPARE(m_widget->selectedRows(), QVector<int>{key == Qt::Key_Plus ? row + 1 : row - 1});
        m_fx.document->undoStack()->undo();
        QCOMPARE(names(m_widget->table()), before);
    }
}

void TestProgrammeOperations::deleteAsksOnce_data()
{
    QTest::addColumn<bool>("key");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QVector<int>>("rows");
    QTest::addColumn<QString>("detail"); // what the question says goes
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("next"); // selected afterwards, and again after undo and redo
    const QVector<int> apart{1, 4, 8};
    QTest::newRow("menu, OK") << false << true << apart << "3 programmes"
                              << "P0 P2 P3 P5 P6 P7 P9"
                              << "P9";
    QTest::newRow("Delete key, OK") << true << true << apart << "3 programmes"
                                    << "P0 P2 P3 P5 P6 P7 P9"
                                    << "P9";
    QTest::newRow("Delete key, Cancel") << true << false << apart << "3 programmes"
                                        << ""
                                        << "";
    QTest::newRow("neighbours") << true << true << QVector<int>{1, 2, 8} << "3 programmes"
                                << "P0 P3 P4 P5 P6 P7 P9"
                                << "P9";
    QTest::newRow("one, by its name") << true << true << QVector<int>{3} << "P3"
                                      << "P0 P1 P2 P4 P5 P6 P7 P8 P9"
                                      << "P4";
    QTest::newRow("the last rows") << true << true << QVector<int>{7, 9} << "2 programmes"
                                   << "P0 P1 P2 P3 P4 P5 P6 P8"
                                   << "P8";
}

void TestProgrammeOperations::deleteAsksOnce()
{
    QFETCH(bool, key);
    QFETCH(bool, confirm);
    QFETCH(QVector<int>, rows);
    QFETCH(QString, detail);
    QFETCH(QString, left);
    QFETCH(QString, next);

    load();
    m_widget->allSrvSelected();
    const QStringList before = names(m_widget->table());
    selectRows(rows);
    int asked = 0;
    QString question;
    QTimer timer;
    timer.setInterval(10);
    connect(&timer, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            ++asked;
            question = box->windowTitle() + QStringLiteral(": ") + box->text() + QLatin1Char(' ') + box->informativeText();
            box->button(confirm ? QMessageBox::Ok : QMessageBox::Cancel)->click();
        }
    });
    timer.start();
    if (key)
        QTest::keyClick(m_widget->table(), Qt::Key_Delete);
    else
        QVERIFY(pick(rows.first(), QStringLiteral("Delete Channel")));
    timer.stop();
    QCOMPARE(asked, 1);
    QCOMPARE(question, QStringLiteral("Warning: Delete PG? ") + detail);
    if (!confirm) {
        QCOMPARE(names(m_widget->table()), before);
        QVERIFY(!m_fx.document->isModified());
        return;
    }
    QCOMPARE(names(m_widget->table()).join(QLatin1Char(' ')), left);
    for (const int row : qAsConst(rows))
        QVERIFY(!m_fx.document->database()->findPG(quint32(100 + row)));
    QCOMPARE(m_fx.document->undoStack()->count(), 1);
    const auto selected = [this] {
        QStringList texts;
        for (const int row : m_widget->selectedRows())
            texts << cellText(m_widget->model(), row);
        return texts.join(QLatin1Char(' '));
    };
    QCOMPARE(selected(), next);
    // Undo brings the programmes back selected; redo selects the next row again.
    m_fx.document->undoStack()->undo();
    QCOMPARE(names(m_widget->table()), before);
    QCOMPARE(m_widget->selectedRows(), rows);
    m_fx.document->undoStack()->redo();
    QCOMPARE(selected(), next);
}

void TestProgrammeOperations::insertBeforeCurrentRow_data()
{
    QTest::addColumn<int>("current");  // -1: no current row
    QTest::addColumn<QString>("vpid"); // "" keeps the field's default
    QTest::addColumn<QString>("order");
    QTest::addColumn<QString>("said"); // in the status bar
    QTest::newRow("before the current row") << 1 << ""
                                            << "P0 New Channel P1 P6 P9"
                                            << "Inserted New Channel";
    QTest::newRow("without a current row") << -1 << ""
                                           << "P0 P1 P6 P9 New Channel"
                                           << "Inserted New Channel";
    QTest::newRow("radio, from the TV view") << 1 << "0"
                                             << "New Channel"
                                             << "Inserted New Channel, RADIO shown";
}

void TestProgrammeOperations::insertBeforeCurrentRow()
{
    QFETCH(int, current);
    QFETCH(QString, vpid);
    QFETCH(QString, order);
    QFETCH(QString, said);

    load();
    m_widget->tpSelected(1, 10);
    QSignalSpy told(m_widget, &QDBProgramWidget::statusMessage);
    ModalAnswer<QPropertyDialog> dialog([vpid](QPropertyDialog *d) {
        d->shownProperty(QStringLiteral("NAME"))->setValue(QStringLiteral("New Channel"));
        if (!vpid.isEmpty())
            d->shownProperty(QStringLiteral("V_PID"))->setValue(vpid);
        d->clickedOK();
    });
    if (current >= 0) {
        m_widget->table()->setCurrentCell(current, 0);
        QTest::keyClick(m_widget->table(), Qt::Key_Insert);
    } else {
        QVERIFY(pick(-1, QStringLiteral("Insert Channel")));
    }
    QVERIFY(dialog.answered());
    QCOMPARE(dialog.title(), QStringLiteral("Program Information"));
    QCOMPARE(names(m_widget->table()).join(QLatin1Char(' ')), order);
    const DB_NS::PGNode *added = m_fx.document->database()->findPG(4294967294u);
    QVERIFY(added);
    QCOMPARE(m_widget->selectedRows(), QVector<int>{m_widget->rowOf(added->id())});
    QCOMPARE(m_widget->table()->currentRow(), m_widget->rowOf(added->id()));
    QCOMPARE(told.count(), 1);
    QCOMPARE(told.first().first().toString(), said);
    // The TP, the satellite and the service order agree.
    QCOMPARE(int(added->parent()->pgs().size()), 5);
    QVERIFY(m_fx.document->isModified());
    const int rows = m_widget->table()->rowCount();
    m_fx.document->undoStack()->undo();
    QVERIFY(!m_fx.document->database()->findPG(4294967294u));
    QCOMPARE(m_widget->table()->rowCount(), rows - 1);
}

void TestProgrammeOperations::pasteNamesAndResets()
{
    m_fx.pgs[0].name = QStringLiteral("Sport");
    m_fx.pgs[1].name = QStringLiteral("Sport_1");
    m_fx.build();
    load();
    m_widget->tpSelected(1, 10);
    selectRows({0});
    QTest::keyClick(m_widget->table(), Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(m_widget, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(names(m_widget->table()).join(QLatin1Char(' ')), QStringLiteral("Sport Sport_1 P6 P9 Sport_2"));
    const DB_NS::PGNode *copy = m_fx.document->database()->findPG(4294967294u);
    QCOMPARE(copy->value(QStringLiteral("A_PID")), QStringLiteral("0"));
    QCOMPARE(copy->value(QStringLiteral("V_PID")), QStringLiteral("200"));

    // Twice into an empty TP: Sport, then Sport_1.
    m_widget->tpSelected(1, 12);
    QVERIFY(pick(-1, QStringLiteral("Paste Channel")));
    QVERIFY(pick(-1, QStringLiteral("Paste Channel")));
    QCOMPARE(names(m_widget->table()).join(QLatin1Char(' ')), QStringLiteral("Sport Sport_1"));
    QCOMPARE(m_fx.document->undoStack()->count(), 3);
    m_fx.document->undoStack()->undo();
    QCOMPARE(names(m_widget->table()), QStringList{QStringLiteral("Sport")});
}

void TestProgrammeOperations::pasteShowsCopies_data()
{
    QTest::addColumn<bool>("radio"); // P1 is a radio programme, copied alone from the RADIO view
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("order"); // TP 10 afterwards
    QTest::addColumn<QString>("said");
    QTest::addColumn<QString>("selected");
    QTest::newRow("shown") << false << ""
                           << "P0 P1 P6 P9 P0_1 P1_1"
                           << "Pasted 2 programmes"
                           << "P0_1 P1_1";
    // Both copies are in the database; the filter leaves them without a row.
    QTest::newRow("hidden by the filter") << false << "P6"
                                          << "P6"
                                          << "Pasted 2 programmes, 2 hidden by the filter"
                                          << "";
    QTest::newRow("radio, into the TV view") << true << ""
                                             << "P1 P1_1"
                                             << "Pasted 1 programme, RADIO shown"
                                             << "P1_1";
}

void TestProgrammeOperations::pasteShowsCopies()
{
    QFETCH(bool, radio);
    QFETCH(QString, filter);
    QFETCH(QString, order);
    QFETCH(QString, said);
    QFETCH(QString, selected);

    if (radio) {
        m_fx.pgs[1].vpid = QStringLiteral("0");
        m_fx.build();
    }
    load();
    m_widget->tpSelected(1, 10);
    const auto clickChoice = [this](const char *name) {
        QTest::mouseClick(m_widget->findChild<QRadioButton *>(QLatin1String(name)), Qt::LeftButton);
    };
    if (radio)
        clickChoice("radioButton_RADIO");
    selectRows(radio ? QVector<int>{0} : QVector<int>{0, 1});
    QVERIFY(pick(0, QStringLiteral("Copy Channel")));
    if (radio)
        clickChoice("radioButton_TV");
    m_widget->findChild<QLineEdit *>(QStringLiteral("lineEdit_filter"))->setText(filter);
    QSignalSpy told(m_widget, &QDBProgramWidget::statusMessage);
    QVERIFY(pick(0, QStringLiteral("Paste Channel")));
    QCOMPARE(names(m_widget->table()).join(QLatin1Char(' ')), order);
    QVERIFY(m_fx.document->database()->findPG(4294967294u));
    QCOMPARE(told.count(), 1);
    QCOMPARE(told.first().first().toString(), said);
    QStringList picked;
    for (const int row : m_widget->selectedRows())
        picked << cellText(m_widget->model(), row);
    QCOMPARE(picked.join(QLatin1Char(' ')), selected);
}

void TestProgrammeOperations::copyAndCutTo_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("order"); // All Services afterwards
    QTest::addColumn<uint>("id");       // the programme in TP 11 afterwards
    QTest::addColumn<QString>("aPid");  // its duplicate-checked A_PID
    QTest::newRow("copy to") << "Copy Channel To"
                             << "P0 P1 P2 P3 P4 P5 P6 P7 P8 P9 P1" << 4294967294u << "0";
    // The cut programme itself changes TP, in its place, with its values.
    QTest::newRow("cut to") << "Cut Channel To"
                            << "P0 P1 P2 P3 P4 P5 P6 P7 P8 P9" << 101u << "7";
}

void TestProgrammeOperations::copyAndCutTo()
{
    QFETCH(QString, entry);
    QFETCH(QString, order);
    QFETCH(uint, id);
    QFETCH(QString, aPid);

    load();
    m_widget->allSrvSelected();
    const QStringList before = names(m_widget->table());
    selectRows({1});
    bool offeredSource = true;
    ModalAnswer<QTPChoiceDialog> dialog([&offeredSource](QTPChoiceDialog *d) {
        // The TPs of the programme's satellite, its own current and not to be chosen.
        offeredSource = d->table()->rowCount() != 3 || d->table()->currentRow() != 0 || d->okButton()->isEnabled();
        d->table()->setCurrentCell(1, 0); // TP 11
        d->okButton()->click();
    });
    QVERIFY(pick(1, entry));
    QVERIFY(dialog.answered());
    QCOMPARE(dialog.title(), QStringLiteral("TP Choice"));
    QVERIFY(!offeredSource);
    QCOMPARE(names(m_widget->table()).join(QLatin1Char(' ')), order);
    const DB_NS::PGNode *copy = m_fx.document->database()->findPG(id);
    QCOMPARE(copy->parent()->id(), 11u);
    QCOMPARE(copy->value(QStringLiteral("A_PID")), aPid);
    QVERIFY(m_fx.document->isModified());
    m_fx.document->undoStack()->undo();
    QCOMPARE(names(m_widget->table()), before);
}

QTEST_MAIN(TestProgrammeOperations)
#include "tst_programmeoperations.moc"
