// Favourite groups, hot keys and favourite hot keys driven through the
// table's context menu and dialogs (answered from a timer): the data and
// the rows each leaves, and the state before after an undo.

#include "dbtreewidget.h"
#include "modalanswer.h"
#include "programmefixture.h"
#include "tablemenu.h"
#include "qdbprogramwidget.h"
#include "qfavgroupeditdialog.h"
#include "qfavgrouprenamedialog.h"
#include "qhotkeyeditdialog.h"
#include "qhotkeygroupeditdialog.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include "programmetableview.h"
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

namespace {

QString fav(const ChannelDatabase &db, quint32 id)
{
    const NodeAttribute *attribute = db.findPG(id)->findAttribute(QStringLiteral("FAV"));
    return attribute ? attribute->value : QStringLiteral("-");
}

QString keyTarget(quint32 pgId)
{
    return pgId == DB_NS::NoId ? QStringLiteral("-") : QString::number(pgId);
}

// What the operations can change, in one line, and the rows shown.
QString state(const Document &document)
{
    const ChannelDatabase &db = *document.database();
    QStringList keys;
    for (const HotKey &key : document.hotKeys())
        keys << keyTarget(key.pgId);
    QStringList favKeys;
    for (const FavHotKey &key : document.favHotKeys())
        favKeys << QString::number(key.favIndex);
    return QStringLiteral("fav %1 %2 %3 %4 | keys %5 | favkeys %6 | names %7")
        .arg(fav(db, 100), fav(db, 101), fav(db, 102), fav(db, 103), keys.join(QLatin1Char(' ')),
             favKeys.join(QLatin1Char(' ')), document.favouriteNames().join(QLatin1Char(',')));
}

// The names shown; in the hot-key views with what each key points at.
QString rows(const QDBProgramWidget *widget)
{
    const ProgrammeTableView *table = widget->table();
    const bool keys = widget->viewMode() == QDBProgramWidget::HotKeys
        || widget->viewMode() == QDBProgramWidget::FavHotKeys;
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row) {
        const QAbstractItemModel *cells = table->model();
        QString text = cells->data(cells->index(row, 0)).toString();
        const QString second = cells->data(cells->index(row, 1)).toString();
        if (keys && !second.isEmpty())
            text += QLatin1Char(':') + second;
        texts << text;
    }
    return texts.join(QLatin1Char(' '));
}

} // namespace

class TestFavouriteOperations : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void operation_data();
    void operation();
    void emptyHotKeyViews();

private:
    void show(const QString &view);
    bool pick(int row, const QString &entry);

    ProgrammeFixture m_fx;
    QDBProgramWidget *m_widget = nullptr;
    DBTreeWidget *m_tree = nullptr;
};

void TestFavouriteOperations::init()
{
    m_fx = ProgrammeFixture();
    m_fx.sats = {1};
    m_fx.tps = {{1, 10}};
    m_fx.pgs = {{10, 100, QStringLiteral("Alpha"), QStringLiteral("1"), QStringLiteral("5"), QStringLiteral("0")},
                {10, 101, QStringLiteral("Beta"), QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("1")},
                {10, 102, QStringLiteral("Gamma"), QStringLiteral("3"), QString(), QStringLiteral("2")},
                {10, 103, QStringLiteral("Delta"), QStringLiteral("4"), QStringLiteral("4"), QStringLiteral("3")}};
    m_fx.favouriteNames = QStringList{"News", "Sport", "Films", "Kids"};
    m_fx.addHotKey(QStringLiteral("Red"), 1, 10, 103);
    m_fx.addHotKey(QStringLiteral("Green"), DB_NS::NoId, DB_NS::NoId, DB_NS::NoId);
    m_fx.addHotKey(QStringLiteral("Blue"), 1, 10, 103);
    m_fx.addFavHotKey(QStringLiteral("F1"), 1);
    m_fx.build();
    m_widget = new QDBProgramWidget;
    m_widget->resize(800, 500);
    m_widget->show();
    m_fx.attach(*m_widget, OstrelUserDump);
    m_tree = new DBTreeWidget;
    m_tree->setDocument(m_fx.document.get());
}

void TestFavouriteOperations::cleanup()
{
    delete m_tree;
    m_tree = nullptr;
    delete m_widget;
    m_widget = nullptr;
}

void TestFavouriteOperations::show(const QString &view)
{
    if (view == QLatin1String("all"))
        m_widget->allSrvSelected();
    else if (view == QLatin1String("keys"))
        m_widget->hotkeySelected();
    else if (view == QLatin1String("favkeys"))
        m_widget->favhotkeySelected();
    else
        m_widget->favSelected(view.mid(3).toUInt());
}

// Opens the context menu over row (or below the rows) and chooses the entry; false when it is not there or disabled.
bool TestFavouriteOperations::pick(int row, const QString &entry)
{
    m_widget->table()->setCurrentCell(row, 0);
    // Row -1: below the rows, as on an empty group.
    return pickTableMenuEntry(*m_widget, row, entry);
}

void TestFavouriteOperations::operation_data()
{
    QTest::addColumn<QString>("view");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("answer"); // the dialog's answer: "add 1", "remove 0", "choose 2", "none", a name
    QTest::addColumn<QString>("after");  // state() afterwards; "" when nothing changes
    QTest::addColumn<QString>("shown");  // rows() afterwards

    // Before: fav 5 0 - 4 | keys 103 - 103 | favkeys 1 | names News,Sport,Films,Kids
    QTest::newRow("remove from group 4") << "fav4" << 0 << "Remove channel"
                                         << ""
                                         << "fav 1 0 - 4 | keys 103 - 103 | favkeys 1 | names News,Sport,Films,Kids"
                                         << "Delta";
    QTest::newRow("group editor adds") << "fav4" << 0 << "Edit Group"
                                       << "add 1"
                                       << "fav 5 4 - 4 | keys 103 - 103 | favkeys 1 | names News,Sport,Films,Kids"
                                       << "Alpha Beta Delta";
    QTest::newRow("group editor removes") << "fav4" << 0 << "Edit Group"
                                          << "remove 3"
                                          << "fav 5 0 - 0 | keys 103 - 103 | favkeys 1 | names News,Sport,Films,Kids"
                                          << "Alpha";
    QTest::newRow("group editor removes several") << "fav4" << 0 << "Edit Group"
                                                  << "remove 0,3"
                                                  << "fav 1 0 - 0 | keys 103 - 103 | favkeys 1 | names News,Sport,Films,Kids"
                                                  << "";
    QTest::newRow("group editor adds what the filter leaves")
        << "fav4" << 0 << "Edit Group"
        << "add 0 ET"
        << "fav 5 4 - 4 | keys 103 - 103 | favkeys 1 | names News,Sport,Films,Kids"
        << "Alpha Beta Delta";
    QTest::newRow("add without FAV does nothing") << "fav4" << 0 << "Edit Group"
                                                  << "add 2"
                                                  << ""
                                                  << "Alpha Delta";
    QTest::newRow("group editor cancelled") << "fav4" << 0 << "Edit Group"
                                            << "cancel"
                                            << ""
                                            << "Alpha Delta";
    QTest::newRow("edit hotkey clears the last entry")
        << "all" << 3 << "Edit HotKey"
        << "choose 0"
        << "fav 5 0 - 4 | keys 103 - - | favkeys 1 | names News,Sport,Films,Kids"
        << "Alpha Beta Gamma Delta";
    QTest::newRow("edit hotkey onto a free key")
        << "all" << 3 << "Edit HotKey"
        << "choose 1"
        << "fav 5 0 - 4 | keys - 103 - | favkeys 1 | names News,Sport,Films,Kids"
        << "Alpha Beta Gamma Delta";
    QTest::newRow("hotkey group editor clears the last entry")
        << "keys" << 1 << "Edit Group"
        << "choose 3"
        << "fav 5 0 - 4 | keys - 103 - | favkeys 1 | names News,Sport,Films,Kids"
        << "Red Green:Delta Blue";
    QTest::newRow("hotkey group editor without a choice")
        << "keys" << 0 << "Edit Group"
        << "none"
        << "fav 5 0 - 4 | keys 103 - - | favkeys 1 | names News,Sport,Films,Kids"
        << "Red:Delta Green Blue";
    QTest::newRow("remove hot key keeps its name")
        << "keys" << 0 << "Remove channel"
        << ""
        << "fav 5 0 - 4 | keys - - 103 | favkeys 1 | names News,Sport,Films,Kids"
        << "Red Green Blue:Delta";
    QTest::newRow("fav hotkey editor") << "favkeys" << 0 << "Edit Group"
                                       << "choose 3"
                                       << "fav 5 0 - 4 | keys 103 - 103 | favkeys 3 | names News,Sport,Films,Kids"
                                       << "F1:Kids";
    QTest::newRow("remove fav hot key") << "favkeys" << 0 << "Remove channel"
                                        << ""
                                        << "fav 5 0 - 4 | keys 103 - 103 | favkeys -1 | names News,Sport,Films,Kids"
                                        << "F1";
    QTest::newRow("rename group 8") << "fav8" << -1 << "Rename Group"
                                    << "Cartoons"
                                    << "fav 5 0 - 4 | keys 103 - 103 | favkeys 1 | names News,Sport,Films,Cartoons"
                                    << "";
    QTest::newRow("rename group 8 to spaces") << "fav8" << -1 << "Rename Group"
                                              << "  "
                                              << ""
                                              << "";
}

void TestFavouriteOperations::operation()
{
    QFETCH(QString, view);
    QFETCH(int, row);
    QFETCH(QString, entry);
    QFETCH(QString, answer);
    QFETCH(QString, after);
    QFETCH(QString, shown);

    Document &document = *m_fx.document;
    const QString before = state(document);
    show(view);
    const QString rowsBefore = rows(m_widget);
    QSignalSpy renamed(&document, &Document::favouriteGroupRenamed);

    const QStringList words = answer.split(QLatin1Char(' '));
    const int choice = words.value(1).toInt();
    const auto pickRow = [choice, &words](QTableWidget *table) {
        table->setCurrentCell(words.first() == QLatin1String("none") ? -1 : choice, 0);
    };
    ModalAnswer<QFavGroupEditDialog> group([&](QFavGroupEditDialog *dialog) {
        if (words.first() == QLatin1String("cancel"))
            return dialog->clickedCancel();
        // "add 0,2 text": the rows are counted among those the filter text leaves.
        dialog->filterEdit()->setText(words.value(2));
        QTableWidget *table = dialog->table();
        QVector<int> left;
        for (int r = 0; r < table->rowCount(); ++r) {
            if (!table->isRowHidden(r))
                left.append(r);
        }
        table->clearSelection();
        for (const QString &pick : words.value(1).split(QLatin1Char(','))) {
            table->selectionModel()->select(table->model()->index(left.value(pick.toInt(), -1), 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        words.first() == QLatin1String("add") ? dialog->clickedAdd() : dialog->clickedRemove();
        dialog->clickedOK();
    });
    ModalAnswer<QHotKeyEditDialog> hotKey([&](QHotKeyEditDialog *dialog) {
        dialog->comboBox()->setCurrentIndex(choice);
        dialog->clickedOK();
    });
    ModalAnswer<QHotKeyGroupEditDialog> hotKeyGroup([&](QHotKeyGroupEditDialog *dialog) {
        pickRow(dialog->table());
        dialog->clickedOK();
    });
    ModalAnswer<QFavHotKeyGroupEditDialog> favHotKey([&](QFavHotKeyGroupEditDialog *dialog) {
        pickRow(dialog->table());
        dialog->clickedOK();
    });
    bool okOffered = false;
    ModalAnswer<QFavGroupRenameDialog> rename([&](QFavGroupRenameDialog *dialog) {
        dialog->lineEdit()->setText(answer);
        okOffered = dialog->findChild<QPushButton *>(QStringLiteral("pushButton_OK"))->isEnabled();
        dialog->clickedOK();
        // A name the group cannot keep leaves the dialog open.
        if (dialog->isVisible())
            dialog->clickedCancel();
    });
    QVERIFY(pick(row, entry));

    QCOMPARE(state(document), after.isEmpty() ? before : after);
    QCOMPARE(rows(m_widget), shown);
    QCOMPARE(document.undoStack()->count(), after.isEmpty() ? 0 : 1);
    QCOMPARE(document.isModified(), !after.isEmpty());
    // The tree's item of the group shows the document's name.
    const auto groupItem = [this] { return m_tree->model()->index(3, 0, m_tree->model()->index(1, 0)).data().toString(); };
    QCOMPARE(groupItem(), document.favouriteNames().at(3));
    if (entry == QLatin1String("Rename Group")) {
        QCOMPARE(okOffered, !after.isEmpty());
        QCOMPARE(renamed.count(), after.isEmpty() ? 0 : 1);
    }
    if (!renamed.isEmpty()) {
        QCOMPARE(renamed.first().value(0).toInt(), 3); // group 8's name
        QCOMPARE(renamed.first().value(1).toString(), answer);
    }
    if (view == QLatin1String("fav4")) {
        // Taken out of a group, never out of the database.
        m_widget->allSrvSelected();
        QCOMPARE(rows(m_widget), QStringLiteral("Alpha Beta Gamma Delta"));
        show(view);
    }
    if (after.isEmpty())
        return;

    document.undoStack()->undo();
    QCOMPARE(state(document), before);
    QCOMPARE(rows(m_widget), rowsBefore);
    QCOMPARE(groupItem(), QStringLiteral("Kids"));
    document.undoStack()->redo();
    QCOMPARE(state(document), after);
    QCOMPARE(rows(m_widget), shown);
}

void TestFavouriteOperations::emptyHotKeyViews()
{
    delete m_tree;
    m_tree = nullptr;
    m_fx = ProgrammeFixture();
    m_fx.sats = {1};
    m_fx.tps = {{1, 10}};
    m_fx.pgs = {{10, 100, QStringLiteral("Alpha"), QStringLiteral("1"), QStringLiteral("5"), QStringLiteral("0")}};
    m_fx.build();
    m_fx.attach(*m_widget, OstrelUserDump);
    for (const QString &view : {QStringLiteral("keys"), QStringLiteral("favkeys")}) {
        show(view);
        QCOMPARE(m_widget->table()->rowCount(), 0);
        m_widget->table()->setCurrentCell(-1, -1);
        QMetaObject::invokeMethod(m_widget, "actEditGroupTriggered");
        QMetaObject::invokeMethod(m_widget, "actRemoveItemTriggered");
        QCOMPARE(m_fx.document->undoStack()->count(), 0);
    }
    m_widget->allSrvSelected();
    // No hot keys: the programme views offer no Edit HotKey.
    QVERIFY(!pick(0, QStringLiteral("Edit HotKey")));
}

QTEST_MAIN(TestFavouriteOperations)
#include "tst_favouriteoperations.moc"
