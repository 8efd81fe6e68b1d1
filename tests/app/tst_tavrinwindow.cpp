// What the main window does around opening and saving: its form, the status
// bar, the menus besides File, the safety copy, where settings go, the limits
// the file puts on texts, its warnings, and an editing session.

#include "windowfixture.h"

#include "channeldatabase.h"
#include "documentedits.h"
#include "qfavgrouprenamedialog.h"
#include "qpropertydialog.h"
#include "qtvariantproperty.h"
#include "recentfiles.h"
#include "translations.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include "programmetableview.h"
#include <QToolBar>

class TestTavrinWindow : public WindowFixture
{
    Q_OBJECT

private slots:
    void formHasItsActionsAndIcons();
    void windowFollowsTheDocument_data();
    void windowFollowsTheDocument();
    void safetyCopyOncePerOpen_data();
    void safetyCopyOncePerOpen();
    void exportListWritesTheShownRows();
    void exportListFailureLeavesNoFile();
    void recentFiles();
    void statusSaysWhereYouAre_data();
    void statusSaysWhereYouAre();
    void statusFollowsARename_data();
    void statusFollowsARename();
    void busyWhileLoading_data();
    void busyWhileLoading();
    void about();
    void settingsLiveInUserConfigFolder();
    void favouriteNameLimitedAtEntry_data();
    void favouriteNameLimitedAtEntry();
    void cutTextsNamedInSaveMessage_data();
    void cutTextsNamedInSaveMessage();
    void saveSaysWhenGroupingWins();
    void favouriteHotKeysNeedTheOptionalEntry_data();
    void favouriteHotKeysNeedTheOptionalEntry();
    void standardWarningOffersSaveAsDefault_data();
    void standardWarningOffersSaveAsDefault();
    void destroyingWindowReleasesLibrary();
    void editMoveUndoRedoSaveReload();
    void orderLikeFromTheEditMenu_data();
    void orderLikeFromTheEditMenu();
    void languageMenuStoresTheChoice_data();
    void languageMenuStoresTheChoice();

private:
    QString openShippedSample();
};

// The shipped sample, copied, opened through the menu in a window with the
// shipped configuration and the built parser library; its path, or empty
// when either is missing.
QString TestTavrinWindow::openShippedSample()
{
    const QString sample = QStringLiteral(TAVRIN_SOURCE_DIR "/samples/small.udf");
    if (!QFile::exists(sample) || !QFile::exists(QStringLiteral(TAVRIN_BIN_DIR "/libostrel.so")))
        return QString();
    const QString ini = file(QStringLiteral("shipped.ini"));
    const QString opened = file(QStringLiteral("small.udf"));
    if (!QFile::copy(QStringLiteral(TAVRIN_SOURCE_DIR "/conf/Tavrin.ini"), ini) || !QFile::copy(sample, opened))
        return QString();
    m_window = std::make_unique<Tavrin>(ini, &m_dialogs);
    m_window->show();
    m_dialogs.openAnswers << opened;
    action("actionOpen")->trigger();
    return opened;
}

void TestTavrinWindow::formHasItsActionsAndIcons()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Tavrin"));
    QVERIFY(!m_window->windowIcon().isNull());
    auto *combo = m_window->findChild<QComboBox *>(QStringLiteral("comboBox"));
    QVERIFY(combo);
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->itemText(0), QStringLiteral("SAT"));
    QCOMPARE(combo->itemText(1), QStringLiteral("TP"));

    auto *toolBar = m_window->findChild<QToolBar *>(QStringLiteral("mainToolBar"));
    QVERIFY(toolBar);
    QList<QAction *> tools = toolBar->actions();
    QVERIFY(tools.size() == 6 && tools.at(3)->isSeparator());
    tools.removeAt(3);
    QCOMPARE(tools, (QList<QAction *>{action("actionOpen"), action("actionSave"), action("actionSave_As"), action("actionUndo"), action("actionRedo")}));
    // The icons come from the resources; a wrong path gives a null icon.
    for (const char *name : {"actionOpen", "actionSave", "actionSave_As", "actionUndo", "actionRedo"})
        QVERIFY2(!action(name)->icon().pixmap(16, 16).isNull(), name);
    QCOMPARE(action("actionSave_As")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+S")));

    auto *fileMenu = m_window->findChild<QMenu *>(QStringLiteral("menuFile"));
    QVERIFY(fileMenu);
    QStringList entries;
    for (QAction *a : fileMenu->actions())
        entries << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(entries, (QStringList{"Open", "Open &Recent", "Save", "Save as...", "Export List\u2026", "Close", "-", "Exit"}));
}

void TestTavrinWindow::windowFollowsTheDocument_data()
{
    QTest::addColumn<QStringList>("steps"); // open:FILE, edit, undo, save, close
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("fileActions"); // Save, Save As, Close, Export List enabled
    const QString opened = QStringLiteral("a.udf[*] - Tavrin");
    QTest::newRow("at start") << QStringList() << "Tavrin" << false << false;
    QTest::newRow("opened") << QStringList{"open:a.udf"} << opened << false << true;
    QTest::newRow("edited") << QStringList{"open:a.udf", "edit"} << opened << true << true;
    QTest::newRow("edit undone") << QStringList{"open:a.udf", "edit", "undo"} << opened << false << true;
    QTest::newRow("edited, saved") << QStringList{"open:a.udf", "edit", "save"} << opened << false << true;
    QTest::newRow("closed") << QStringList{"open:a.udf", "close"} << "Tavrin" << false << false;
    QTest::newRow("unsupported file") << QStringList{"open:d.txt"} << "Tavrin" << false << false;
}

void TestTavrinWindow::windowFollowsTheDocument()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, title);
    QFETCH(bool, modified);
    QFETCH(bool, fileActions);
    Document *document = m_window->document();
    for (const QString &step : steps) {
        if (step.startsWith(QLatin1String("open:")))
            openThroughMenu(file(step.mid(5)));
        else if (step == QLatin1String("edit"))
            QVERIFY(document->edits().renameGroup(0, QStringLiteral("Edited")));
        else if (step == QLatin1String("undo"))
            document->undoStack()->undo();
        else
            action(step == QLatin1String("save") ? "actionSave" : "actionClose")->trigger();
    }
    QCOMPARE(m_window->windowTitle(), title);
    QCOMPARE(m_window->isWindowModified(), modified);
    QCoreApplication::processEvents(); // the status bar's update comes after
    for (const char *name : {"actionSave", "actionSave_As", "actionClose", "actionExportList"})
        QVERIFY2(action(name)->isEnabled() == fileActions, name);
}

void TestTavrinWindow::safetyCopyOncePerOpen_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::addColumn<QString>("status");
    QTest::newRow("written") << ""
                             << "Safety copy written: ";
    QTest::newRow("read-only-file") << "read-only"
                                    << "No safety copy: ";
    QTest::newRow("copy-not-writable") << "folder"
                                       << "could not be written";
    QTest::newRow("folder-deleted") << "deleted"
                                    << "could not be written: No such file or directory";
}

void TestTavrinWindow::safetyCopyOncePerOpen()
{
    QFETCH(QString, obstacle);
    QFETCH(QString, status);
    const bool deleted = obstacle == QLatin1String("deleted");
    const QString opened = file(deleted ? QStringLiteral("gone/a.udf") : QStringLiteral("a.udf"));
    const QString copy = opened + QStringLiteral(".bak");
    if (obstacle == QLatin1String("read-only"))
        QVERIFY(QFile::setPermissions(opened, QFile::ReadOwner | QFile::ReadGroup));
    if (obstacle == QLatin1String("folder"))
        QVERIFY(QDir().mkdir(copy));
    if (deleted)
        QVERIFY(QDir().mkpath(file(QStringLiteral("gone"))) && QFile::copy(file(QStringLiteral("a.udf")), opened));
    openThroughMenu(opened);
    if (deleted)
        QVERIFY(QDir(file(QStringLiteral("gone"))).removeRecursively());

    action("actionSave")->trigger();
    // A copy that cannot be made never stops the save.
    QCOMPARE(m_state->saveCalls, 1);
    const QString message = m_window->statusBar()->currentMessage();
    QVERIFY2(message.contains(status), qPrintable(message));
    if (!obstacle.isEmpty()) {
        QVERIFY(!QFileInfo(copy).isFile());
        return;
    }
    QCOMPARE(readAll(copy), QStringLiteral("data"));

    // The second save keeps the copy of the file as it was opened.
    writeAll(opened, "saved once");
    action("actionSave")->trigger();
    QCOMPARE(readAll(copy), QStringLiteral("data"));

    // Opening again keeps the copy: it holds the receiver's original, and the
    // status bar names it.
    openThroughMenu(opened);
    action("actionSave")->trigger();
    QCOMPARE(readAll(copy), QStringLiteral("data"));
    QCOMPARE(m_window->statusBar()->currentMessage(),
             QStringLiteral("Safety copy kept: %1 already exists and was not replaced").arg(copy));
}

void TestTavrinWindow::exportListWritesTheShownRows()
{
    openThroughMenu(file(QStringLiteral("a.udf")));
    table()->findChild<QLineEdit *>(QStringLiteral("lineEdit_filter"))->setText(QStringLiteral("F"));
    m_dialogs.saveAnswers << file(QStringLiteral("out/list"));
    QTRY_VERIFY(action("actionExportList")->isEnabled());
    action("actionExportList")->trigger();

    const FakeDialogs::Call dialog = m_dialogs.callsOf(QStringLiteral("save")).value(0);
    QCOMPARE(dialog.title, QStringLiteral("Export List"));
    QCOMPARE(dialog.filter, QStringLiteral("CSV file (*.csv)"));
    // As the table shows it: the stand-in's records start with id and tp_id,
    // which take the first two columns without a cell.
    QCOMPARE(readAll(file(QStringLiteral("out/list.csv"))), QStringLiteral("NAME,V_PID,FAV\r\n,,First\r\n"));
    QCOMPARE(m_dialogs.messages(), QStringList());
}

void TestTavrinWindow::exportListFailureLeavesNoFile()
{
    openThroughMenu(file(QStringLiteral("a.udf")));
    const QString target = file(QStringLiteral("missing/list.csv"));
    m_dialogs.saveAnswers << target;
    QTRY_VERIFY(action("actionExportList")->isEnabled());
    action("actionExportList")->trigger();
    QCOMPARE(m_dialogs.messages(), QStringList{"critical|Export List|Export Error!"});
    QVERIFY(m_dialogs.calls.last().informative.startsWith(target));
    QVERIFY(!QFileInfo::exists(target));
}

void TestTavrinWindow::recentFiles()
{
    QCOMPARE(recentMenu(), QStringList{"-(none)"});
    // Ten distinct opens: the newest eight stay, newest first.
    QStringList opened;
    for (int i = 0; i < 10; ++i) {
        const QString path = file(QStringLiteral("r%1.udf").arg(i));
        writeAll(path, "data");
        openThroughMenu(path);
        opened.prepend(path);
    }
    QCOMPARE(RecentFiles::list(), opened.mid(0, 8));
    // Opening one again moves it to the top, once.
    openThroughMenu(opened.at(5));
    QCOMPARE(RecentFiles::list().first(), opened.at(5));
    QCOMPARE(RecentFiles::list().count(opened.at(5)), 1);
    QCOMPARE(recentMenu().size(), 8);

    // A file that went away is taken off the list, with a message.
    QVERIFY(QFile::remove(opened.at(0)));
    m_dialogs.reset();
    m_window->findChild<QMenu *>(QStringLiteral("menuRecent"))->actions().at(1)->trigger();
    QCOMPARE(m_dialogs.messages(),
             QStringList{"critical|Open Recent|The file is no longer there and was taken off the list."});
    QVERIFY(!RecentFiles::list().contains(opened.at(0)));
    QCOMPARE(RecentFiles::list().size(), 7);
    // An entry that is there opens.
    QCOMPARE(recentMenu().size(), 7);
    m_window->findChild<QMenu *>(QStringLiteral("menuRecent"))->actions().at(1)->trigger();
    QCOMPARE(m_window->filePath(), RecentFiles::list().first());
}

void TestTavrinWindow::statusSaysWhereYouAre_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<bool>("radio"); // the RADIO choice instead of TV
    QTest::addColumn<QString>("view");
    QTest::newRow("no-filter") << "" << false << "All Services \u2014 1 programme, 1 radio programme not shown";
    QTest::newRow("filter-hides-all")
        << "S" << false << "All Services \u2014 0 programmes, 1 hidden by the filter, 1 radio programme not shown";
    QTest::newRow("filter-keeps-one") << "fi" << false
                                      << "All Services \u2014 1 programme, 1 radio programme not shown";
    QTest::newRow("radio") << "" << true << "All Services \u2014 1 programme, 1 TV programme not shown";
    QTest::newRow("radio, filter-hides-all")
        << "fi" << true << "All Services \u2014 0 programmes, 1 hidden by the filter, 1 TV programme not shown";
}

void TestTavrinWindow::statusSaysWhereYouAre()
{
    QFETCH(QString, filter);
    QFETCH(bool, radio);
    QFETCH(QString, view);
    openThroughMenu(file(QStringLiteral("a.udf")));
    table()->findChild<QLineEdit *>(QStringLiteral("lineEdit_filter"))->setText(filter);
    if (radio)
        QTest::mouseClick(table()->findChild<QRadioButton *>(QStringLiteral("radioButton_RADIO")), Qt::LeftButton);
    auto *viewStatus = m_window->findChild<QLabel *>(QStringLiteral("labelViewStatus"));
    auto *fileStatus = m_window->findChild<QLabel *>(QStringLiteral("labelFileStatus"));
    QTRY_COMPARE(viewStatus->text(), view);
    QCOMPARE(fileStatus->text(), QStringLiteral("User dump, unchanged"));
    // Picking a programme moves the tree to its TP, but the table still shows All Services.
    emit table()->pgSelected(1, 10, 100);
    QCOMPARE(DBTreeModel::kindOf(tree()->currentIndex()), TPItem);
    QVERIFY(m_window->document()->edits().renameGroup(0, QStringLiteral("Edited")));
    QTRY_COMPARE(fileStatus->text(), QStringLiteral("User dump, changed"));
    QCOMPARE(viewStatus->text(), view);
}

void TestTavrinWindow::statusFollowsARename_data()
{
    QTest::addColumn<int>("topLevel"); // the view's row: this top-level row's first child...
    QTest::addColumn<int>("depth");    // ...and its first child as often again
    QTest::addColumn<QString>("renamed");
    QTest::newRow("satellite") << 0 << 1 << "Sat Two \u2014 1 programme, 1 radio programme not shown";
    QTest::newRow("favourite group") << 1 << 0 << "Edited \u2014 1 programme";
}

void TestTavrinWindow::statusFollowsARename()
{
    QFETCH(int, topLevel);
    QFETCH(int, depth);
    QFETCH(QString, renamed);
    openThroughMenu(file(QStringLiteral("a.udf")));
    const QAbstractItemModel *rows = tree()->model();
    QModelIndex view = rows->index(0, 0, rows->index(topLevel, 0));
    for (int i = 0; i < depth; ++i)
        view = rows->index(0, 0, view);
    tree()->setCurrentIndex(view);
    // Picking a programme moves the tree's current row, not the view.
    emit table()->pgSelected(1, 10, 100);
    QVERIFY(tree()->currentIndex() != view);

    DocumentEdits &edits = m_window->document()->edits();
    if (topLevel == 1) {
        QVERIFY(edits.renameGroup(0, QStringLiteral("Edited")));
    } else {
        QVector<NodeAttribute> values = m_window->document()->database()->findSat(1)->attributes();
        for (NodeAttribute &attribute : values) {
            if (attribute.name == QLatin1String("NAME"))
                attribute.value = QStringLiteral("Sat Two");
        }
        QVERIFY(edits.editNode(NodeKind::Satellite, 1, DB_NS::NoId, values));
    }
    auto *viewStatus = m_window->findChild<QLabel *>(QStringLiteral("labelViewStatus"));
    QTRY_COMPARE(viewStatus->text(), renamed);
}

namespace {

// What the window showed while the library's Load ran.
struct DuringLoad
{
    static inline QMainWindow *window = nullptr;
    static inline bool visible = false;
    static inline int cursor = -1;
    static inline QString message;

    static void look()
    {
        visible = window->isVisible();
        const QCursor *c = QApplication::overrideCursor();
        cursor = c ? int(c->shape()) : -1;
        message = window->statusBar()->currentMessage();
    }
};

} // namespace

void TestTavrinWindow::busyWhileLoading_data()
{
    QTest::addColumn<bool>("fromMenu");
    QTest::newRow("menu") << true;
    QTest::newRow("command-line") << false;
}

void TestTavrinWindow::busyWhileLoading()
{
    QFETCH(bool, fromMenu);
    DuringLoad::window = m_window.get();
    m_state->onLoad = &DuringLoad::look;
    if (fromMenu)
        openThroughMenu(file(QStringLiteral("a.udf")));
    else
        m_window->openFromArguments({QStringLiteral("Tavrin"), file(QStringLiteral("a.udf"))});
    m_state->onLoad = nullptr;

    QCOMPARE(m_state->loadCalls, 1);
    QVERIFY(DuringLoad::visible);
    QCOMPARE(DuringLoad::cursor, int(Qt::WaitCursor));
    QCOMPARE(DuringLoad::message, QStringLiteral("Loading a.udf..."));
    // Afterwards the cursor and the status bar are as before.
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(m_window->statusBar()->currentMessage(), QString());
    QVERIFY(m_window->document()->hasDatabase());
}

void TestTavrinWindow::about()
{
    action("actionAbout")->trigger();
    // The version of project() in CMake, 0.1 today.
    QCOMPARE(m_dialogs.messages(), QStringList{"about|About|Tavrin " TAVRIN_VERSION});
    QCOMPARE(m_dialogs.calls.first().parent, m_window.get());
}

void TestTavrinWindow::settingsLiveInUserConfigFolder()
{
    QFile registry(m_iniPath);
    QVERIFY(registry.open(QIODevice::ReadOnly));
    const QByteArray registryBytes = registry.readAll();
    registry.close();

    openThroughMenu(file(QStringLiteral("a.udf")));
    m_dialogs.saveAnswers << file(QStringLiteral("out/copy.udf"));
    action("actionSave_As")->trigger();

    const QString settingsFile = UserSettings().fileName();
    QVERIFY2(settingsFile.startsWith(m_configDir.path() + QLatin1Char('/')), qPrintable(settingsFile));
    QSettings written(settingsFile, QSettings::IniFormat);
    QCOMPARE(written.value(QStringLiteral("lastopendir")).toString(), m_dir->path());
    QCOMPARE(written.value(QStringLiteral("lastsavdir")).toString(), file(QStringLiteral("out")));
    // The registry next to the program is only read.
    QVERIFY(registry.open(QIODevice::ReadOnly));
    QCOMPARE(registry.readAll(), registryBytes);
}

void TestTavrinWindow::favouriteNameLimitedAtEntry_data()
{
    QTest::addColumn<QString>("editor");
    QTest::newRow("tree-in-place") << "tree";
    QTest::newRow("group-rename-dialog") << "dialog";
}

void TestTavrinWindow::favouriteNameLimitedAtEntry()
{
    QFETCH(QString, editor);
    m_state->favouriteNameUnits = 16;
    openThroughMenu(file(QStringLiteral("a.udf")));
    const QString typed = QStringLiteral("A favourite name of 36 characters..");
    QCOMPARE(typed.size() + 1, 36);
    const QString longName = typed + QLatin1Char('!');

    if (editor == QLatin1String("tree")) {
        const QModelIndex group = tree()->model()->index(0, 0, tree()->model()->index(1, 0));
        tree()->setCurrentIndex(group);
        tree()->edit(group);
        auto *line = tree()->viewport()->findChild<QLineEdit *>();
        QVERIFY(line);
        line->selectAll();
        QTest::keyClicks(line, longName);
        QTest::keyClick(line, Qt::Key_Return);
    } else {
        table()->favSelected(1);
        ModalAnswer<QFavGroupRenameDialog> answer([&longName](QFavGroupRenameDialog *dialog) {
            dialog->lineEdit()->clear();
            QTest::keyClicks(dialog->lineEdit(), longName);
            dialog->clickedOK();
        });
        QMetaObject::invokeMethod(table(), "actRenameGroupTriggered");
        QVERIFY(answer.answered());
    }
    // The view commits an in-place edit from a queued call.
    QTRY_COMPARE(m_window->document()->favouriteNames().value(0), longName.left(16));
}

void TestTavrinWindow::cutTextsNamedInSaveMessage_data()
{
    QTest::addColumn<int>("nameUnits");
    QTest::addColumn<QString>("informative");
    QTest::newRow("everything-fits") << 0 << "";
    QTest::newRow("one-cut") << 5 << "These texts did not fit the file and were cut:\n"
                                     "programme 101 \"Second\" NAME: 6 characters, 5 kept";
    QTest::newRow("two-cut") << 4 << "These texts did not fit the file and were cut:\n"
                                     "programme 100 \"First\" NAME: 5 characters, 4 kept\n"
                                     "programme 101 \"Second\" NAME: 6 characters, 4 kept";
}

void TestTavrinWindow::cutTextsNamedInSaveMessage()
{
    QFETCH(int, nameUnits);
    QFETCH(QString, informative);
    m_state->programmeNameUnits = nameUnits;
    openThroughMenu(file(QStringLiteral("a.udf")));
    action("actionSave")->trigger();
    QCOMPARE(m_dialogs.messages(), QStringList{"about|Save File|Save OK!"});
    QCOMPARE(m_dialogs.calls.last().informative, informative);
}

// A flash image keeps programmes under their TP, and so does its service
// order: a move across TPs is refused, and a programme added to a TP goes
// last among that TP's, so the save keeps what the window shows.
void TestTavrinWindow::saveSaysWhenGroupingWins()
{
    openThroughMenu(file(QStringLiteral("c.abs")), kOk);
    Document *document = m_window->document();
    QVERIFY(document->database()->findSat(1)->addTP(new DB_NS::TPNode(11)));
    const quint32 added = document->edits().insertProgramme(1, 11, DB_NS::NoId, {{QStringLiteral("NAME"), QStringLiteral("Third")}});
    QVERIFY(!document->edits().moveTo(document->serviceOrder(), {2}, 1).refusal.isEmpty());
    QCOMPARE(document->serviceOrder().last(), added);
    const quint32 late = document->edits().insertProgramme(1, 10, DB_NS::NoId, {{QStringLiteral("NAME"), QStringLiteral("Fourth")}});
    const QVector<quint32> order = document->serviceOrder();
    QCOMPARE(order.mid(order.size() - 2), (QVector<quint32>{late, added}));
    m_dialogs.reset();
    action("actionSave")->trigger();
    QCOMPARE(m_dialogs.messages(), QStringList{QStringLiteral("about|Save File|Save OK!")});
    QVERIFY(!m_dialogs.calls.last().informative.contains(QLatin1String("cannot store")));
}

void TestTavrinWindow::favouriteHotKeysNeedTheOptionalEntry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("favHotKeys");
    QTest::newRow("with-entry") << "a.udf" << 1;
    QTest::newRow("without-entry") << "f.mud" << 0;
}

void TestTavrinWindow::favouriteHotKeysNeedTheOptionalEntry()
{
    QFETCH(QString, name);
    QFETCH(int, favHotKeys);
    openThroughMenu(file(name));
    QVERIFY(m_window->document()->data().database);
    QCOMPARE(m_window->document()->data().favHotKeys.size(), favHotKeys);
}

void TestTavrinWindow::standardWarningOffersSaveAsDefault_data()
{
    QTest::addColumn<int>("button"); // clicked; none: the box is closed
    QTest::addColumn<int>("result");
    QTest::newRow("save") << int(QMessageBox::Save) << int(QMessageBox::Save);
    QTest::newRow("discard") << int(QMessageBox::Discard) << int(QMessageBox::Discard);
    QTest::newRow("cancel") << int(QMessageBox::Cancel) << int(QMessageBox::Cancel);
    QTest::newRow("closed") << int(QMessageBox::NoButton) << int(QMessageBox::Cancel);
}

void TestTavrinWindow::standardWarningOffersSaveAsDefault()
{
    QFETCH(int, button);
    QFETCH(int, result);
    StandardDialogs dialogs;
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString text;
    bool saveIsDefault = false;
    ModalAnswer<QMessageBox> answer([&](QMessageBox *box) {
        buttons = box->standardButtons();
        icon = box->icon();
        text = box->text();
        saveIsDefault = box->defaultButton() == box->button(QMessageBox::Save);
        if (button == QMessageBox::NoButton)
            box->close();
        else
            box->button(QMessageBox::StandardButton(button))->click();
    });
    const QMessageBox::StandardButton chosen
        = dialogs.warningSaveDiscardCancel(m_window.get(), QStringLiteral("Warning"), QStringLiteral("Close?"));
    QVERIFY(answer.answered());
    QCOMPARE(int(chosen), result);
    QCOMPARE(answer.title(), QStringLiteral("Warning"));
    QCOMPARE(text, QStringLiteral("Close?"));
    QCOMPARE(buttons, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    QCOMPARE(icon, QMessageBox::Warning);
    QVERIFY(saveIsDefault);
}

void TestTavrinWindow::destroyingWindowReleasesLibrary()
{
    openThroughMenu(file(QStringLiteral("a.udf")));
    QCOMPARE(m_state->cleanCalls, 0);
    m_window.reset();
    QCOMPARE(m_state->cleanCalls, 1);
}

// What a user does first: rename a programme, move it, look elsewhere and
// back, change their mind twice, then again, save, and open the file again.
void TestTavrinWindow::editMoveUndoRedoSaveReload()
{
    const QString opened = openShippedSample();
    if (opened.isEmpty())
        QSKIP("needs samples/small.udf and the built parser library");
    const QPersistentModelIndex allServices = tree()->model()->index(0, 0);
    tree()->setCurrentIndex(allServices);
    ProgrammeTableView *rows = table()->table();
    QVERIFY(rows->rowCount() > 5);

    rows->setFocus();
    rows->selectRow(3);
    const quint32 id = table()->programmeAt(3)->id();
    const QString name = rows->model()->index(3, 0).data().toString();
    ModalAnswer<QPropertyDialog> rename([](QPropertyDialog *dialog) {
        dialog->shownProperty(QStringLiteral("NAME"))->setValue(QStringLiteral("Renamed"));
        dialog->clickedOK();
    });
    QTest::keyClick(rows, Qt::Key_Return);
    QVERIFY(rename.answered());
    QCOMPARE(rows->model()->index(3, 0).data().toString(), QStringLiteral("Renamed"));
    QTest::keyClick(rows, Qt::Key_Plus);
    QCOMPARE(table()->programmeAt(4)->id(), id);
    QCOMPARE(rows->currentRow(), 4);

    tree()->setCurrentIndex(tree()->model()->index(0, 0, tree()->model()->index(0, 0, allServices)));
    QCOMPARE(table()->viewMode(), QDBProgramWidget::Satellite);
    tree()->setCurrentIndex(allServices);
    QCOMPARE(table()->programmeAt(4)->id(), id);
    QCOMPARE(action("actionUndo")->text(), QStringLiteral("Undo Move Down"));

    action("actionUndo")->trigger();
    action("actionUndo")->trigger();
    QCOMPARE(table()->programmeAt(3)->id(), id);
    QCOMPARE(rows->model()->index(3, 0).data().toString(), name);
    QVERIFY(!action("actionUndo")->isEnabled());
    QVERIFY(!m_window->hasUnsavedChanges());

    action("actionRedo")->trigger();
    action("actionRedo")->trigger();
    QCOMPARE(table()->programmeAt(4)->id(), id);
    QVERIFY(m_window->hasUnsavedChanges());
    action("actionSave")->trigger();
    QCOMPARE(m_dialogs.messages(), QStringList{QStringLiteral("about|Save File|Save OK!")});
    QVERIFY(!m_window->hasUnsavedChanges());

    m_dialogs.openAnswers << opened;
    action("actionOpen")->trigger();
    QVERIFY(!action("actionUndo")->isEnabled());
    tree()->setCurrentIndex(tree()->model()->index(0, 0));
    QCOMPARE(table()->programmeAt(4)->id(), id);
    QCOMPARE(rows->model()->index(4, 0).data().toString(), QStringLiteral("Renamed"));
}

void TestTavrinWindow::orderLikeFromTheEditMenu_data()
{
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QByteArray>("content"); // empty: a copy of the opened sample
    QTest::addColumn<QString>("firstTwo");
    QTest::addColumn<QString>("said"); // the status bar, or the message box
    QTest::addColumn<bool>("step");
    QTest::newRow("names") << "names.txt" << QByteArray("  cnn \nArte\nNobody\n") << "CNN|Arte"
                           << "2 programmes ordered like names.txt, 58 not found in it" << true;
    QTest::newRow("no match") << "none.txt" << QByteArray("Nobody\n") << "Das Erste|Россия 24"
                              << "No programme found in none.txt" << false;
    QTest::newRow("an export that does not load") << "bad.json" << QByteArray("{\"programmes\": 3")
                                                  << "Das Erste|Россия 24"
                                                  << "critical|Order Like|Load Error!" << false;
    QTest::newRow("a file we open") << "reference.udf" << QByteArray() << "Das Erste|Россия 24"
                                    << "60 programmes ordered like reference.udf, 0 not found in it" << false;
    QTest::newRow("a file of another kind") << "sample.ddf" << QByteArray() << "Das Erste|Россия 24"
                                            << "No programme found in sample.ddf" << false;
}

// Order Like… through the menu and the file dialog; a reference of a kind we
// open goes through the binding, and the opened file still saves after it.
void TestTavrinWindow::orderLikeFromTheEditMenu()
{
    QFETCH(QString, reference);
    QFETCH(QByteArray, content);
    QFETCH(QString, firstTwo);
    QFETCH(QString, said);
    QFETCH(bool, step);
    const QString opened = openShippedSample();
    if (opened.isEmpty())
        QSKIP("needs samples/small.udf and the built parser library");
    const QString sample = QStringLiteral(TAVRIN_SOURCE_DIR "/samples/small.udf");
    const QString path = file(reference);
    QFile out(path);
    const QString copied = reference.endsWith(QLatin1String(".ddf")) ? QStringLiteral(TAVRIN_SOURCE_DIR "/samples/sample.ddf") : sample;
    QVERIFY(content.isEmpty() ? QFile::copy(copied, path) : out.open(QIODevice::WriteOnly) && out.write(content) == content.size());
    out.close();
    m_dialogs.openAnswers << path;
    action("actionOrderLike")->trigger();

    const QStringList shown = m_dialogs.messages();
    QCOMPARE(shown.isEmpty() ? m_window->statusBar()->currentMessage() : shown.join(QLatin1Char('\n')), said);
    QCOMPARE(table()->table()->model()->index(0, 0).data().toString() + QLatin1Char('|')
                 + table()->table()->model()->index(1, 0).data().toString(),
             firstTwo);
    QCOMPARE(action("actionUndo")->isEnabled(), step);
    m_dialogs.calls.clear();
    action("actionSave")->trigger();
    QCOMPARE(m_dialogs.messages(), QStringList{QStringLiteral("about|Save File|Save OK!")});
    // The library read the opened file again after the reference: it saves as it was.
    QFile saved(opened), original(sample);
    QVERIFY(saved.open(QIODevice::ReadOnly) && original.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll() == original.readAll(), !step);
}

void TestTavrinWindow::languageMenuStoresTheChoice_data()
{
    QTest::addColumn<QString>("stored"); // before the window is built
    QTest::addColumn<QString>("checkedAtStart");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("language"); // of the locale the translators are then loaded for
    QTest::newRow("system to German") << QString() << "system"
                                      << "de"
                                      << "de";
    QTest::newRow("German to Russian") << "de"
                                       << "de"
                                       << "ru"
                                       << "ru";
    QTest::newRow("Russian to English") << "ru"
                                        << "ru"
                                        << "en"
                                        << "en";
    QTest::newRow("English to system") << "en"
                                       << "en"
                                       << "system" << QLocale::system().name().section(QLatin1Char('_'), 0, 0);
    QTest::newRow("unknown shows system") << "xx"
                                          << "system"
                                          << "de"
                                          << "de";
}

void TestTavrinWindow::languageMenuStoresTheChoice()
{
    QFETCH(QString, stored);
    QFETCH(QString, checkedAtStart);
    QFETCH(QString, chosen);
    QFETCH(QString, language);
    Translations::setChosenLanguage(stored);
    m_window = std::make_unique<Tavrin>(m_iniPath, &m_dialogs);
    auto *menu = m_window->findChild<QMenu *>(QStringLiteral("menuLanguage"));
    QVERIFY(menu);
    QStringList texts, checked;
    for (QAction *a : menu->actions()) {
        texts << (a->isSeparator() ? QStringLiteral("-") : a->isEnabled() ? a->text()
                                                                          : QLatin1Char('-') + a->text());
        if (a->isChecked())
            checked << a->objectName();
    }
    QCOMPARE(texts, QStringList({QStringLiteral("System"), QStringLiteral("English"), QStringLiteral("Deutsch"), QString::fromUtf8("\u0420\u0443\u0441\u0441\u043a\u0438\u0439"), QStringLiteral("-"), QStringLiteral("-Takes effect after a restart")}));
    QCOMPARE(checked, QStringList{QStringLiteral("actionLanguage_") + checkedAtStart});

    action(qPrintable(QStringLiteral("actionLanguage_") + chosen))->trigger();
    QCOMPARE(iniValue(QStringLiteral("language")), chosen == QLatin1String("system") ? QString() : chosen);
    QCOMPARE(Translations::chosenLocale().name().section(QLatin1Char('_'), 0, 0), language);
    QCOMPARE(m_window->statusBar()->currentMessage(), QStringLiteral("The language changes when Tavrin is started again."));
}

QTEST_MAIN(TestTavrinWindow)
#include "tst_tavrinwindow.moc"
