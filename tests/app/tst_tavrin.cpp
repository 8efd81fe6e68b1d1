#include "channeldatabase.h"
#include "dbtreewidget.h"
#include "dbtreewidgetitem.h"
#include "documentedits.h"
#include "fakedialogs.h"
#include "fakeparser.h"
#include "flashcustomchosedialog.h"
#include "modalanswer.h"
#include "parserlibrary.h"
#include "qdbprogramwidget.h"
#include "qpropertydialog.h"
#include "qtvariantproperty.h"
#include "qfavgrouprenamedialog.h"
#include "tavrin.h"
#include "recentfiles.h"
#include "usersettings.h"

#include <QAction>
#include <QComboBox>
#include <QLibrary>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QLabel>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include <memory>

namespace {

const QString kOk = QStringLiteral("ok");
const QString kCancel = QStringLiteral("cancel");
const QString kNone = QString();

// Clicks OK or Cancel on the customer dialog once it is up.
std::unique_ptr<ModalAnswer<FlashCustomChoseDialog>> answerCustomer(const QString &answer)
{
    const QString button = answer == kOk ? QStringLiteral("pushButton_ok") : QStringLiteral("pushButton_cancel");
    return std::make_unique<ModalAnswer<FlashCustomChoseDialog>>([button](FlashCustomChoseDialog *dialog) {
        if (QPushButton *b = dialog->findChild<QPushButton *>(button))
            b->click();
        else
            dialog->reject();
    });
}

} // namespace

class TestTavrin : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void formHasItsActionsAndIcons();
    void open_data();
    void open();
    void openStartsInHomeThenLastFolder();
    void openNothing_data();
    void openNothing();
    void cancelledCustomerKeepsLoadedDocument();
    void unsupportedFileClosesCurrentFirst();
    void failedLoad_data();
    void failedLoad();
    void unsavedChanges_data();
    void unsavedChanges();
    void declinedOpenKeepsEverything();
    void save_data();
    void save();
    void saveWithoutDocumentDoesNothing();
    void saveSaysWhenGroupingWins();
    void saveAs_data();
    void saveAs();
    void laterSaveGoesToSavedCopy();
    void saveAsThenSaveLeavesOriginalUntouched();
    void loadErrorSaysWhy_data();
    void loadErrorSaysWhy();
    void favouriteNameLimitedAtEntry_data();
    void favouriteNameLimitedAtEntry();
    void cutTextsNamedInSaveMessage_data();
    void cutTextsNamedInSaveMessage();
    void settingsLiveInUserConfigFolder();
    void safetyCopyOncePerOpen_data();
    void safetyCopyOncePerOpen();
    void exportListWritesTheShownRows();
    void exportListFailureLeavesNoFile();
    void recentFiles();
    void statusSaysWhereYouAre_data();
    void statusSaysWhereYouAre();
    void statusFollowsARename_data();
    void statusFollowsARename();
    void commandLine_data();
    void commandLine();
    void busyWhileLoading_data();
    void busyWhileLoading();
    void favouriteHotKeysNeedTheOptionalEntry_data();
    void favouriteHotKeysNeedTheOptionalEntry();
    void about();
    void destroyingWindowReleasesLibrary();
    void realParserSavesTheSampleUnchanged();
    void editMoveUndoRedoSaveReload();
    void standardWarningHasOkCancelAndNoDefault_data();
    void standardWarningHasOkCancelAndNoDefault();

private:
    QString file(const QString &name) const { return m_dir->filePath(name); }
    DBTreeWidget *tree() const { return m_window->findChild<DBTreeWidget *>(QStringLiteral("dbTreeWidget")); }
    QDBProgramWidget *table() const
    {
        return m_window->findChild<QDBProgramWidget *>(QStringLiteral("programWidget"));
    }
    QAction *action(const char *name) const { return m_window->findChild<QAction *>(QLatin1String(name)); }
    void markChanged() { emit table()->signalbIsChange(true); }
    QString iniValue(const QString &key) const { return UserSettings().value(key).toString(); }
    // Opens a copy of the sample dump with the real parser library; false when either is missing.
    bool openRealSample(const QString &copyName, const QByteArray &bytes = QByteArray());
    QString readAll(const QString &path) const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QStringLiteral("<none>");
    }
    void writeAll(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
    QStringList recentMenu() const
    {
        auto *menu = m_window->findChild<QMenu *>(QStringLiteral("menuRecent"));
        emit menu->aboutToShow();
        QStringList entries;
        for (QAction *a : menu->actions())
            entries << (a->isEnabled() ? a->text() : QLatin1Char('-') + a->text());
        return entries;
    }
    // Opens through File, Open, answering the customer choice when asked.
    void openThroughMenu(const QString &path, const QString &customerAnswer = kNone);

    QLibrary m_fake{QStringLiteral(FAKEPARSER_PATH)};
    FakeParserState *m_state = nullptr;
    QTemporaryDir m_configDir;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_iniPath;
    FakeDialogs m_dialogs;
    std::unique_ptr<Tavrin> m_window;
};

void TestTavrin::initTestCase()
{
    // Held loaded for the whole run so its record survives the window unloading it.
    QVERIFY2(m_fake.load(), qPrintable(m_fake.errorString()));
    auto stateFn = reinterpret_cast<FakeParserStateFn>(m_fake.resolve("FakeParser"));
    QVERIFY(stateFn);
    m_state = stateFn();
    // Per-user settings go to a folder of the test's own.
    QVERIFY(m_configDir.isValid());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_configDir.path());
}

void TestTavrin::init()
{
    *m_state = FakeParserState{};
    m_dialogs.reset();
    UserSettings().clear();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_iniPath = file(QStringLiteral("Tavrin.ini"));
    // "ddf" has a kind but no library; "txt" has neither; "mud" uses the
    // library without the optional entries.
    QFile ini(m_iniPath);
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[type]\nflash=1\nuserdb=2\ndefaultdb=3\n"
              "[dll]\nabs=" FAKEPARSER_PATH "\nudf=" FAKEPARSER_PATH "\nmud=" FAKEPARSER_MINIMAL_PATH "\n"
              "[ext]\nabs=flash\nudf=userdb\nddf=defaultdb\nmud=userdb\n"
              "[desc]\nabs=Flash image\nudf=User dump\n");
    ini.close();
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("out")));
    for (const char *name : {"a.udf", "b.udf", "c.abs", "d.txt", "e.ddf", "f.mud"}) {
        QFile f(file(QLatin1String(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("data");
    }
    m_window = std::make_unique<Tavrin>(m_iniPath, &m_dialogs);
    m_window->show();
}

void TestTavrin::cleanup()
{
    if (m_window)
        tree()->setbIsChange(false);
    m_window.reset();
    m_dir.reset();
}

void TestTavrin::openThroughMenu(const QString &path, const QString &customerAnswer)
{
    m_dialogs.openAnswers << path;
    std::unique_ptr<ModalAnswer<FlashCustomChoseDialog>> customer;
    if (!customerAnswer.isEmpty())
        customer = answerCustomer(customerAnswer);
    action("actionOpen")->trigger();
    if (customer)
        QVERIFY2(customer->answered(), "the customer choice was not shown");
}

void TestTavrin::formHasItsActionsAndIcons()
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

void TestTavrin::open_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("customerAnswer");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("title");

    QTest::newRow("user-dump") << "a.udf" << kNone << 2 << ""
                               << "Tavrin";
    QTest::newRow("flash-image-defaultdb") << "c.abs" << kOk << 1 << "defaultdb;"
                                           << "Tavrin - defaultdb";
}

void TestTavrin::open()
{
    QFETCH(QString, name);
    QFETCH(QString, customerAnswer);
    QFETCH(int, kind);
    QFETCH(QString, prefix);
    QFETCH(QString, title);

    openThroughMenu(file(name), customerAnswer);

    QCOMPARE(m_dialogs.messages(), QStringList());
    const FakeDialogs::Call dialog = m_dialogs.callsOf(QStringLiteral("open")).value(0);
    QCOMPARE(dialog.title, QStringLiteral("Open File"));
    QCOMPARE(dialog.parent, m_window.get());
    QCOMPARE(dialog.filter, QStringLiteral("All supported files (*.abs *.mud *.udf);;"
                                           "Flash image (*.abs);; (*.mud);;User dump (*.udf)"));

    QCOMPARE(m_window->windowTitle(), title);
    QCOMPARE(m_window->filePath(), prefix + file(name));
    QCOMPARE(m_window->fileKind(), kind);
    QCOMPARE(m_state->lastLoadKind, kind);
    QCOMPARE(QString::fromUtf16(m_state->lastLoadPath), prefix + file(name));
    QCOMPARE(iniValue(QStringLiteral("lastopendir")), m_dir->path());

    const DocumentData &doc = m_window->document()->data();
    QVERIFY(doc.database);
    QCOMPARE(doc.database->sats().size(), 1);
    QCOMPARE(doc.database->allPGs().size(), 2);
    QCOMPARE(doc.favouriteNames, (QStringList{"News", "Sport"}));
    QCOMPARE(doc.hotKeys.size(), 1);
    QCOMPARE(doc.satMaxNum, 64);
    QVERIFY(tree()->topLevelItemCount() > 0);
    // All Services is shown at once: the TV programme of the two.
    QCOMPARE(tree()->currentItem(), tree()->topLevelItem(0));
    QCOMPARE(table()->findChild<QTableWidget *>()->rowCount(), 1);
}

void TestTavrin::openStartsInHomeThenLastFolder()
{
    const QString sub = file(QStringLiteral("out/g.udf"));
    QFile f(sub);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();

    openThroughMenu(sub);
    openThroughMenu(file(QStringLiteral("a.udf")));
    const QList<FakeDialogs::Call> dialogs = m_dialogs.callsOf(QStringLiteral("open"));
    QCOMPARE(dialogs.size(), 2);
    QCOMPARE(dialogs.at(0).text, QDir::homePath());
    QCOMPARE(dialogs.at(1).text, file(QStringLiteral("out")));
}

void TestTavrin::openNothing_data()
{
    QTest::addColumn<QString>("picked");
    QTest::newRow("dialog-cancelled") << QString();
    QTest::newRow("file-missing") << QStringLiteral("absent.udf");
    QTest::newRow("folder") << QStringLiteral("out");
}

void TestTavrin::openNothing()
{
    QFETCH(QString, picked);
    openThroughMenu(file(QStringLiteral("a.udf")));
    const ChannelDatabase *loaded = m_window->document()->database();
    markChanged();

    openThroughMenu(picked.isEmpty() ? picked : file(picked));
    QCOMPARE(m_state->loadCalls, 1);
    QCOMPARE(m_window->document()->database(), loaded);
    QCOMPARE(m_window->filePath(), file(QStringLiteral("a.udf")));
    QVERIFY(tree()->bIsChange());
    QCOMPARE(m_dialogs.messages(), QStringList());
}

void TestTavrin::cancelledCustomerKeepsLoadedDocument()
{
    openThroughMenu(file(QStringLiteral("a.udf")));
    const ChannelDatabase *loaded = m_window->document()->database();
    markChanged();

    openThroughMenu(file(QStringLiteral("c.abs")), kCancel);
    QCOMPARE(m_window->filePath(), file(QStringLiteral("a.udf")));
    QCOMPARE(m_window->fileKind(), 2);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Tavrin"));
    QCOMPARE(m_window->document()->database(), loaded);
    QVERIFY(tree()->bIsChange());
    QCOMPARE(m_dialogs.messages(), QStringList());

    // The loaded dump still saves over itself, as a dump.
    action("actionSave")->trigger();
    QCOMPARE(m_state->saveCalls, 1);
    QCOMPARE(m_state->lastSaveKind, 2);
    QCOMPARE(QString::fromUtf16(m_state->lastSavePath), file(QStringLiteral("a.udf")));
}

void TestTavrin::unsupportedFileClosesCurrentFirst()
{
    openThroughMenu(file(QStringLiteral("c.abs")), kOk);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Tavrin - defaultdb"));
    m_window->findChild<QLineEdit *>(QStringLiteral("lineEdit_leftFilter"))->setText(QStringLiteral("Sat"));

    openThroughMenu(file(QStringLiteral("d.txt")));
    QCOMPARE(m_dialogs.messages(), QStringList{"critical|Load File|This file isn't supported yet"});
    QCOMPARE(m_dialogs.callsOf(QStringLiteral("critical")).first().parent, nullptr);
    QCOMPARE(m_state->cleanCalls, 1);
    QVERIFY(!m_window->document()->data().database);
    QVERIFY(!m_window->parserLibrary()->isLoaded());
    QCOMPARE(tree()->topLevelItemCount(), 0);
    QVERIFY(m_window->findChild<QLineEdit *>(QStringLiteral("lineEdit_leftFilter"))->text().isEmpty());
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Tavrin"));

    // Nothing is left to save.
    action("actionSave")->trigger();
    action("actionSave_As")->trigger();
    QCOMPARE(m_state->saveCalls, 0);
    QCOMPARE(m_dialogs.callsOf(QStringLiteral("save")).size(), 0);
}

void TestTavrin::failedLoad_data()
{
    QTest::addColumn<int>("loadResult");
    QTest::addColumn<bool>("nullLists");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("load-error") << 3 << false << QStringList{"critical|Load File|Load Error!"};
    QTest::newRow("no-lists") << 0 << true << QStringList();
}

void TestTavrin::failedLoad()
{
    QFETCH(int, loadResult);
    QFETCH(bool, nullLists);
    QFETCH(QStringList, messages);

    openThroughMenu(file(QStringLiteral("a.udf")));
    m_state->loadResult = loadResult;
    m_state->nullLists = nullLists;
    openThroughMenu(file(QStringLiteral("c.abs")), kOk);

    QCOMPARE(m_dialogs.messages(), messages);
    QVERIFY(!m_window->document()->data().database);
    QCOMPARE(tree()->topLevelItemCount(), 0);
    if (!messages.isEmpty())
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Tavrin"));
}

void TestTavrin::unsavedChanges_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("answer");

    for (const char *how : {"close", "exit", "window-close"}) {
        QTest::addRow("%s-ok", how) << QString::fromLatin1(how) << true;
        QTest::addRow("%s-cancel", how) << QString::fromLatin1(how) << false;
    }
}

void TestTavrin::unsavedChanges()
{
    QFETCH(QString, how);
    QFETCH(bool, answer);

    openThroughMenu(file(QStringLiteral("a.udf")));
    markChanged();
    m_dialogs.warningAnswers << answer;
    if (how == QLatin1String("close"))
        action("actionClose")->trigger();
    else if (how == QLatin1String("exit"))
        action("actionExit")->trigger();
    else
        m_window->close();

    const QList<FakeDialogs::Call> warnings = m_dialogs.callsOf(QStringLiteral("warning"));
    QCOMPARE(warnings.size(), 1);
    QCOMPARE(warnings.first().parent, m_window.get());
    QCOMPARE(warnings.first().title, QStringLiteral("Warning"));
    QCOMPARE(warnings.first().text, QStringLiteral("The changed data was not saved. Do you want to close it?"));

    QCOMPARE(tree()->bIsChange(), !answer);
    const bool closesDocument = answer && how == QLatin1String("close");
    const bool closesWindow = answer && how != QLatin1String("close");
    QCOMPARE(bool(m_window->document()->data().database), !closesDocument);
    QCOMPARE(m_window->isVisible(), !closesWindow);
    QCOMPARE(m_state->cleanCalls, closesDocument ? 1 : 0);

    // With nothing changed, none of them asks.
    if (answer) {
        m_dialogs.reset();
        m_window->show();
        action("actionClose")->trigger();
        QCOMPARE(m_dialogs.callsOf(QStringLiteral("warning")).size(), 0);
    }
}

void TestTavrin::declinedOpenKeepsEverything()
{
    openThroughMenu(file(QStringLiteral("c.abs")), kOk);
    Document *document = m_window->document();
    const ChannelDatabase *loaded = document->database();
    QVERIFY(document->edits().renameGroup(0, QStringLiteral("Edited")));
    m_dialogs.warningAnswers << false;

    openThroughMenu(file(QStringLiteral("b.udf")));
    QCOMPARE(m_dialogs.callsOf(QStringLiteral("warning")).size(), 1);
    QCOMPARE(m_state->loadCalls, 1);
    QCOMPARE(m_state->cleanCalls, 0);
    QCOMPARE(document->database(), loaded);
    QCOMPARE(document->favouriteNames().value(0), QStringLiteral("Edited"));
    QVERIFY(document->isModified());
    QCOMPARE(m_window->filePath(), QStringLiteral("defaultdb;") + file(QStringLiteral("c.abs")));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Tavrin - defaultdb"));
    QVERIFY(tree()->topLevelItemCount() > 0);

    // Undoing the edit leaves nothing unsaved: the next open does not warn.
    document->undoStack()->undo();
    m_dialogs.reset();
    openThroughMenu(file(QStringLiteral("b.udf")));
    QCOMPARE(m_dialogs.callsOf(QStringLiteral("warning")).size(), 0);
    QCOMPARE(m_window->filePath(), file(QStringLiteral("b.udf")));
}

void TestTavrin::save_data()
{
    QTest::addColumn<int>("saveResult");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("changedAfter");

    QTest::newRow("saved") << 0 << "about|Save File|Save OK!" << false;
    QTest::newRow("write-failed") << 1 << "critical|Save File|Save Error!" << true;
    QTest::newRow("bad-argument") << 2 << "critical|Save File|This type isn't supported yet" << true;
}

void TestTavrin::save()
{
    QFETCH(int, saveResult);
    QFETCH(QString, message);
    QFETCH(bool, changedAfter);

    openThroughMenu(file(QStringLiteral("c.abs")), kOk);
    markChanged();
    m_state->saveResult = saveResult;
    action("actionSave")->trigger();

    QCOMPARE(m_dialogs.messages(), QStringList{message});
    QCOMPARE(m_dialogs.calls.last().parent, nullptr);
    QCOMPARE(m_state->lastSaveKind, 1);
    QCOMPARE(QString::fromUtf16(m_state->lastSavePath), QStringLiteral("defaultdb;") + file(QStringLiteral("c.abs")));
    QCOMPARE(m_state->lastSaveSatellites, 1u);
    QCOMPARE(m_state->lastSaveProgrammes, 2u);
    // The loaded state of the library must survive: same library, no reload.
    QCOMPARE(m_state->cleanCalls, 0);
    QCOMPARE(tree()->bIsChange(), changedAfter);

    // A failed save still warns on exit.
    m_dialogs.reset();
    m_dialogs.warningAnswers << false;
    action("actionExit")->trigger();
    QCOMPARE(m_dialogs.callsOf(QStringLiteral("warning")).size(), changedAfter ? 1 : 0);
    QCOMPARE(m_window->isVisible(), changedAfter);
}

// A flash image keeps programmes under their TP: a service order across TPs
// is saved grouped, and the save message says so.
void TestTavrin::saveSaysWhenGroupingWins()
{
    openThroughMenu(file(QStringLiteral("c.abs")), kOk);
    Document *document = m_window->document();
    QVERIFY(document->database()->findSat(1)->addTP(new DB_NS::TPNode(11)));
    const quint32 added = document->edits().insertProgramme(1, 11, DB_NS::NoId, {{QStringLiteral("NAME"), QStringLiteral("Third")}});
    m_dialogs.reset();
    action("actionSave")->trigger();
    QCOMPARE(m_dialogs.messages(), QStringList{QStringLiteral("about|Save File|Save OK!")});

    document->edits().moveTo(document->serviceOrder(), {2}, 1);
    QCOMPARE(document->serviceOrder().first(), added);
    m_dialogs.reset();
    action("actionSave")->trigger();
    QCOMPARE(m_dialogs.messages(), QStringList{QStringLiteral("about|Save File|Save OK!")});
    QVERIFY(m_dialogs.calls.last().informative.contains(QLatin1String("cannot store")));
}

void TestTavrin::saveWithoutDocumentDoesNothing()
{
    action("actionSave")->trigger();
    action("actionSave_As")->trigger();
    action("actionClose")->trigger();
    QVERIFY(m_dialogs.calls.isEmpty());
    QCOMPARE(m_state->saveCalls, 0);
}

void TestTavrin::saveAs_data()
{
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("chosenFilter");
    QTest::addColumn<QString>("customerAnswer");
    QTest::addColumn<int>("saveResult");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("savedKind"); // -1: Save not called
    QTest::addColumn<QString>("saved"); // the file Save was called for
    QTest::addColumn<QString>("savedPrefix");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("changedAfter");

    const QString udf = QStringLiteral("UserDB file(*.udf)");
    const QString abs = QStringLiteral("Bin file(*.abs);;DefaultDB file(*.ddf)");
    const QStringList ok{"about|Save File|Save OK!"};

    QTest::newRow("dump-to-dump") << "a.udf"
                                  << "out/new.udf"
                                  << "" << kNone << 0 << udf << 2 << "out/new.udf"
                                  << ""
                                  << ok << "Tavrin" << false;
    QTest::newRow("dialog-cancelled") << "a.udf"
                                      << ""
                                      << "" << kNone << 0 << udf << -1 << ""
                                      << "" << QStringList()
                                      << "Tavrin" << true;
    QTest::newRow("blank-name") << "a.udf"
                                << "   "
                                << "" << kNone << 0 << udf << -1 << ""
                                << "" << QStringList()
                                << "Tavrin" << true;
    QTest::newRow("image-keeps-customer") << "c.abs"
                                          << "out/new.abs"
                                          << "" << kNone << 0 << abs << 1 << "out/new.abs"
                                          << "defaultdb;" << ok << "Tavrin - defaultdb" << false;
    QTest::newRow("kind-without-library") << "c.abs"
                                          << "out/new.ddf"
                                          << "" << kNone << 0 << abs << -1 << ""
                                          << ""
                                          << QStringList{"critical|Save File|Save Error!"} << "Tavrin - defaultdb" << true;
    QTest::newRow("save-fails") << "a.udf"
                                << "out/new.udf"
                                << "" << kNone << 1 << udf << 2 << "out/new.udf"
                                << ""
                                << QStringList{"critical|Save File|Save Error!"} << "Tavrin" << true;
    QTest::newRow("dump-to-image-asks-customer") << "a.udf"
                                                 << "out/new.abs"
                                                 << "" << kOk << 0 << udf << 1 << "out/new.abs"
                                                 << "defaultdb;" << ok << "Tavrin - defaultdb" << false;
    QTest::newRow("customer-cancelled") << "a.udf"
                                        << "out/new.abs"
                                        << "" << kCancel << 0 << udf << -1 << ""
                                        << ""
                                        << QStringList() << "Tavrin" << true;
    QTest::newRow("no-extension-first-filter") << "a.udf"
                                               << "out/new"
                                               << "" << kNone << 0 << udf << 2 << "out/new.udf"
                                               << "" << ok << "Tavrin" << false;
    QTest::newRow("no-extension-chosen-filter") << "c.abs"
                                                << "out/new"
                                                << "Bin file(*.abs)" << kNone << 0 << abs << 1
                                                << "out/new.abs"
                                                << "defaultdb;" << ok << "Tavrin - defaultdb" << false;
}

void TestTavrin::saveAs()
{
    QFETCH(QString, opened);
    QFETCH(QString, given);
    QFETCH(QString, chosenFilter);
    QFETCH(QString, customerAnswer);
    QFETCH(int, saveResult);
    QFETCH(QString, filter);
    QFETCH(int, savedKind);
    QFETCH(QString, saved);
    QFETCH(QString, savedPrefix);
    QFETCH(QStringList, messages);
    QFETCH(QString, title);
    QFETCH(bool, changedAfter);

    openThroughMenu(file(opened), opened.endsWith(QLatin1String(".abs")) ? kOk : kNone);
    const QString openedPath = m_window->filePath();
    const int openedKind = m_window->fileKind();
    markChanged();
    m_dialogs.reset();
    m_state->saveResult = saveResult;

    m_dialogs.saveAnswers << (given.trimmed().isEmpty() ? given : file(given));
    if (!chosenFilter.isEmpty())
        m_dialogs.saveFilterAnswers << chosenFilter;
    std::unique_ptr<ModalAnswer<FlashCustomChoseDialog>> customer;
    if (!customerAnswer.isEmpty())
        customer = answerCustomer(customerAnswer);
    action("actionSave_As")->trigger();
    if (customer)
        QVERIFY2(customer->answered(), "the customer choice was not shown");

    const QList<FakeDialogs::Call> dialogs = m_dialogs.callsOf(QStringLiteral("save"));
    QCOMPARE(dialogs.size(), 1);
    QCOMPARE(dialogs.first().title, QStringLiteral("Save File"));
    QCOMPARE(dialogs.first().filter, filter);
    // The current file's name is proposed.
    QCOMPARE(dialogs.first().text, QDir::homePath() + QLatin1Char('/') + opened);

    QCOMPARE(m_state->saveCalls, savedKind < 0 ? 0 : 1);
    if (savedKind >= 0) {
        QCOMPARE(m_state->lastSaveKind, savedKind);
        QCOMPARE(QString::fromUtf16(m_state->lastSavePath), savedPrefix + file(saved));
    }
    QCOMPARE(m_dialogs.messages(), messages);
    QCOMPARE(m_window->windowTitle(), title);
    QCOMPARE(tree()->bIsChange(), changedAfter);
    // Only a save that happened moves the folder, and the document to the copy.
    const bool succeeded = messages == QStringList{"about|Save File|Save OK!"};
    QCOMPARE(iniValue(QStringLiteral("lastsavdir")), succeeded ? file(QStringLiteral("out")) : QString());
    QCOMPARE(m_window->filePath(), succeeded ? savedPrefix + file(saved) : openedPath);
    QCOMPARE(m_window->fileKind(), succeeded ? savedKind : openedKind);
}

void TestTavrin::laterSaveGoesToSavedCopy()
{
    openThroughMenu(file(QStringLiteral("a.udf")));
    m_dialogs.saveAnswers << file(QStringLiteral("out/copy.udf"));
    action("actionSave_As")->trigger();
    QCOMPARE(QString::fromUtf16(m_state->lastSavePath), file(QStringLiteral("out/copy.udf")));

    action("actionSave")->trigger();
    QCOMPARE(m_state->saveCalls, 2);
    QCOMPARE(QString::fromUtf16(m_state->lastSavePath), file(QStringLiteral("out/copy.udf")));

    // The next Save As starts where the last one went, with the copy's name.
    m_dialogs.reset();
    action("actionSave_As")->trigger();
    QCOMPARE(m_dialogs.callsOf(QStringLiteral("save")).value(0).text, file(QStringLiteral("out/copy.udf")));
}

void TestTavrin::safetyCopyOncePerOpen_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::addColumn<QString>("status");
    QTest::newRow("written") << ""
                             << "Safety copy written: ";
    QTest::newRow("read-only-file") << "read-only"
                                    << "No safety copy: ";
    QTest::newRow("copy-not-writable") << "folder"
                                       << "could not be written";
}

void TestTavrin::safetyCopyOncePerOpen()
{
    QFETCH(QString, obstacle);
    QFETCH(QString, status);
    const QString opened = file(QStringLiteral("a.udf"));
    const QString copy = opened + QStringLiteral(".bak");
    if (obstacle == QLatin1String("read-only"))
        QVERIFY(QFile::setPermissions(opened, QFile::ReadOwner | QFile::ReadGroup));
    if (obstacle == QLatin1String("folder"))
        QVERIFY(QDir().mkdir(copy));
    openThroughMenu(opened);

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

    // Opening again takes a new copy, replacing the old one.
    openThroughMenu(opened);
    action("actionSave")->trigger();
    QCOMPARE(readAll(copy), QStringLiteral("saved once"));
}

void TestTavrin::exportListWritesTheShownRows()
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

void TestTavrin::exportListFailureLeavesNoFile()
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

void TestTavrin::recentFiles()
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

void TestTavrin::statusSaysWhereYouAre_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("view");
    QTest::newRow("no-filter") << ""
                               << "All Services \u2014 1 programme, 1 hidden by the filter";
    QTest::newRow("filter-hides-all") << "S"
                                      << "All Services \u2014 0 programmes, 2 hidden by the filter";
    QTest::newRow("filter-keeps-one") << "fi"
                                      << "All Services \u2014 1 programme, 1 hidden by the filter";
}

void TestTavrin::statusSaysWhereYouAre()
{
    QFETCH(QString, filter);
    QFETCH(QString, view);
    openThroughMenu(file(QStringLiteral("a.udf")));
    table()->findChild<QLineEdit *>(QStringLiteral("lineEdit_filter"))->setText(filter);
    auto *viewStatus = m_window->findChild<QLabel *>(QStringLiteral("labelViewStatus"));
    auto *fileStatus = m_window->findChild<QLabel *>(QStringLiteral("labelFileStatus"));
    QTRY_COMPARE(viewStatus->text(), view);
    QCOMPARE(fileStatus->text(), QStringLiteral("User dump, unchanged"));
    // Picking a programme moves the tree to its TP, but the table still shows All Services.
    emit table()->pgSelected(1, 10, 100);
    QCOMPARE(DBTreeWidgetItem::from(tree()->currentItem())->kind(), TPItem);
    QVERIFY(m_window->document()->edits().renameGroup(0, QStringLiteral("Edited")));
    QTRY_COMPARE(fileStatus->text(), QStringLiteral("User dump, changed"));
    QCOMPARE(viewStatus->text(), view);
}

void TestTavrin::statusFollowsARename_data()
{
    QTest::addColumn<int>("topLevel"); // the view's item: this top-level item's first child...
    QTest::addColumn<int>("depth");    // ...and its first child as often again
    QTest::addColumn<QString>("renamed");
    QTest::newRow("satellite") << 0 << 1 << "Sat Two \u2014 1 programme, 1 hidden by the filter";
    QTest::newRow("favourite group") << 1 << 0 << "Edited \u2014 1 programme";
}

void TestTavrin::statusFollowsARename()
{
    QFETCH(int, topLevel);
    QFETCH(int, depth);
    QFETCH(QString, renamed);
    openThroughMenu(file(QStringLiteral("a.udf")));
    QTreeWidgetItem *view = tree()->topLevelItem(topLevel)->child(0);
    for (int i = 0; i < depth; ++i)
        view = view->child(0);
    tree()->setCurrentItem(view);
    // Picking a programme moves the tree's current item, not the view.
    emit table()->pgSelected(1, 10, 100);
    QVERIFY(tree()->currentItem() != view);

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

bool TestTavrin::openRealSample(const QString &copyName, const QByteArray &bytes)
{
    const QString sample = QStringLiteral(TAVRIN_SOURCE_DIR "/samples/small.udf");
    if (!QFile::exists(sample) || !QFile::exists(QStringLiteral(TAVRIN_BIN_DIR "/libostrel.so")))
        return false;
    // The shipped registry names the library; the window reads it from a copy.
    const QString ini = file(QStringLiteral("shipped.ini"));
    QFile::remove(ini);
    if (!QFile::copy(QStringLiteral(TAVRIN_SOURCE_DIR "/conf/Tavrin.ini"), ini))
        return false;
    QFile original(sample), copy(file(copyName));
    if (!original.open(QIODevice::ReadOnly) || !copy.open(QIODevice::WriteOnly))
        return false;
    copy.write(bytes.isNull() ? original.readAll() : bytes);
    copy.close();
    m_window = std::make_unique<Tavrin>(ini, &m_dialogs);
    m_dialogs.openAnswers << file(copyName);
    action("actionOpen")->trigger();
    return true;
}

void TestTavrin::saveAsThenSaveLeavesOriginalUntouched()
{
    if (!openRealSample(QStringLiteral("small.udf")))
        QSKIP("needs samples/small.udf and the built parser library");
    QVERIFY(m_window->document()->database());
    QFile sample(QStringLiteral(TAVRIN_SOURCE_DIR "/samples/small.udf"));
    QVERIFY(sample.open(QIODevice::ReadOnly));
    const QByteArray originalBytes = sample.readAll();

    m_dialogs.saveAnswers << file(QStringLiteral("out/copy.udf"));
    action("actionSave_As")->trigger();
    QVERIFY(m_window->document()->edits().renameGroup(0, QStringLiteral("Meant for the copy")));
    action("actionSave")->trigger();
    QCOMPARE(m_dialogs.messages(), (QStringList{"about|Save File|Save OK!", "about|Save File|Save OK!"}));

    QFile original(file(QStringLiteral("small.udf"))), copy(file(QStringLiteral("out/copy.udf")));
    QVERIFY(original.open(QIODevice::ReadOnly) && copy.open(QIODevice::ReadOnly));
    QVERIFY2(original.readAll() == originalBytes, "Save wrote over the original");
    QVERIFY2(copy.readAll() != originalBytes, "the edit did not reach the copy");
}

void TestTavrin::loadErrorSaysWhy_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("reason");
    QTest::newRow("truncated") << "truncated"
                               << "runs past the end of the file";
    QTest::newRow("bad-crc") << "bad-crc"
                             << "crc is 0x";
    QTest::newRow("wrong-magic") << "wrong-magic"
                                 << "db_head does not hold the dump magic";
}

void TestTavrin::loadErrorSaysWhy()
{
    QFETCH(QString, damage);
    QFETCH(QString, reason);
    QFile sample(QStringLiteral(TAVRIN_SOURCE_DIR "/samples/small.udf"));
    if (!sample.open(QIODevice::ReadOnly))
        QSKIP("needs samples/small.udf");
    QByteArray bytes = sample.readAll();
    if (damage == QLatin1String("truncated"))
        bytes.truncate(bytes.size() / 2);
    else if (damage == QLatin1String("bad-crc"))
        bytes[bytes.size() / 2] = char(bytes.at(bytes.size() / 2) ^ 0x10);
    else
        bytes[0] = char(bytes.at(0) ^ 0x55);
    if (!openRealSample(QStringLiteral("damaged.udf"), bytes))
        QSKIP("needs the built parser library");

    QCOMPARE(m_dialogs.messages(), QStringList{"critical|Load File|Load Error!"});
    const QString informative = m_dialogs.callsOf(QStringLiteral("critical")).first().informative;
    QVERIFY2(informative.contains(reason), qPrintable(informative));
}

void TestTavrin::favouriteNameLimitedAtEntry_data()
{
    QTest::addColumn<QString>("editor");
    QTest::newRow("tree-in-place") << "tree";
    QTest::newRow("group-rename-dialog") << "dialog";
}

void TestTavrin::favouriteNameLimitedAtEntry()
{
    QFETCH(QString, editor);
    m_state->favouriteNameUnits = 16;
    openThroughMenu(file(QStringLiteral("a.udf")));
    const QString typed = QStringLiteral("A favourite name of 36 characters..");
    QCOMPARE(typed.size() + 1, 36);
    const QString longName = typed + QLatin1Char('!');

    if (editor == QLatin1String("tree")) {
        QTreeWidgetItem *group = tree()->topLevelItem(1)->child(0);
        tree()->setCurrentItem(group);
        tree()->editItem(group, 0);
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

void TestTavrin::cutTextsNamedInSaveMessage_data()
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

void TestTavrin::cutTextsNamedInSaveMessage()
{
    QFETCH(int, nameUnits);
    QFETCH(QString, informative);
    m_state->programmeNameUnits = nameUnits;
    openThroughMenu(file(QStringLiteral("a.udf")));
    action("actionSave")->trigger();
    QCOMPARE(m_dialogs.messages(), QStringList{"about|Save File|Save OK!"});
    QCOMPARE(m_dialogs.calls.last().informative, informative);
}

void TestTavrin::settingsLiveInUserConfigFolder()
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

void TestTavrin::commandLine_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("customerAnswer");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("title");

    QTest::newRow("dump") << "a.udf" << kNone << true << ""
                          << "Tavrin";
    QTest::newRow("image") << "c.abs" << kOk << true << "defaultdb;"
                           << "Tavrin - defaultdb";
    QTest::newRow("image-customer-cancelled") << "c.abs" << kCancel << false << ""
                                              << "Tavrin";
    QTest::newRow("no-argument") << "" << kNone << false << ""
                                 << "Tavrin";
}

void TestTavrin::commandLine()
{
    QFETCH(QString, argument);
    QFETCH(QString, customerAnswer);
    QFETCH(bool, loaded);
    QFETCH(QString, prefix);
    QFETCH(QString, title);

    QStringList arguments{QStringLiteral("Tavrin")};
    if (!argument.isEmpty())
        arguments << file(argument);
    std::unique_ptr<ModalAnswer<FlashCustomChoseDialog>> customer;
    if (!customerAnswer.isEmpty())
        customer = answerCustomer(customerAnswer);
    m_window->openFromArguments(arguments);
    if (customer)
        QVERIFY(customer->answered());

    QCOMPARE(bool(m_window->document()->data().database), loaded);
    QCOMPARE(m_state->loadCalls, loaded ? 1 : 0);
    QCOMPARE(m_window->filePath(), loaded ? prefix + file(argument) : QString());
    QCOMPARE(m_window->windowTitle(), title);
    QVERIFY(m_dialogs.calls.isEmpty());
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

void TestTavrin::busyWhileLoading_data()
{
    QTest::addColumn<bool>("fromMenu");
    QTest::newRow("menu") << true;
    QTest::newRow("command-line") << false;
}

void TestTavrin::busyWhileLoading()
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

void TestTavrin::favouriteHotKeysNeedTheOptionalEntry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("favHotKeys");
    QTest::newRow("with-entry") << "a.udf" << 1;
    QTest::newRow("without-entry") << "f.mud" << 0;
}

void TestTavrin::favouriteHotKeysNeedTheOptionalEntry()
{
    QFETCH(QString, name);
    QFETCH(int, favHotKeys);
    openThroughMenu(file(name));
    QVERIFY(m_window->document()->data().database);
    QCOMPARE(m_window->document()->data().favHotKeys.size(), favHotKeys);
}

void TestTavrin::about()
{
    action("actionAbout")->trigger();
    QCOMPARE(m_dialogs.messages(), QStringList{"about|About|Tavrin 2.20.2.0"});
    QCOMPARE(m_dialogs.calls.first().parent, m_window.get());
}

void TestTavrin::destroyingWindowReleasesLibrary()
{
    openThroughMenu(file(QStringLiteral("a.udf")));
    QCOMPARE(m_state->cleanCalls, 0);
    m_window.reset();
    QCOMPARE(m_state->cleanCalls, 1);
}

// What a user does first: rename a programme, move it, look elsewhere and
// back, change their mind twice, then again, save, and open the file again.
void TestTavrin::editMoveUndoRedoSaveReload()
{
    const QString sample = QStringLiteral(TAVRIN_SOURCE_DIR "/samples/small.udf");
    if (!QFile::exists(sample) || !QFile::exists(QStringLiteral(TAVRIN_BIN_DIR "/libostrel.so")))
        QSKIP("needs samples/small.udf and the built parser library");
    const QString ini = file(QStringLiteral("shipped.ini"));
    QVERIFY(QFile::copy(QStringLiteral(TAVRIN_SOURCE_DIR "/conf/Tavrin.ini"), ini));
    const QString opened = file(QStringLiteral("small.udf"));
    QVERIFY(QFile::copy(sample, opened));
    m_window = std::make_unique<Tavrin>(ini, &m_dialogs);
    m_window->show();
    m_dialogs.openAnswers << opened;
    action("actionOpen")->trigger();
    QTreeWidgetItem *allServices = tree()->topLevelItem(0);
    tree()->setCurrentItem(allServices);
    QTableWidget *rows = table()->table();
    QVERIFY(rows->rowCount() > 5);

    rows->setFocus();
    rows->selectRow(3);
    const quint32 id = table()->programmeAt(3)->id();
    const QString name = rows->item(3, 0)->text();
    ModalAnswer<QPropertyDialog> rename([](QPropertyDialog *dialog) {
        dialog->shownProperty(QStringLiteral("NAME"))->setValue(QStringLiteral("Renamed"));
        dialog->clickedOK();
    });
    QTest::keyClick(rows, Qt::Key_Return);
    QVERIFY(rename.answered());
    QCOMPARE(rows->item(3, 0)->text(), QStringLiteral("Renamed"));
    QTest::keyClick(rows, Qt::Key_Plus);
    QCOMPARE(table()->programmeAt(4)->id(), id);
    QCOMPARE(rows->currentRow(), 4);

    tree()->setCurrentItem(allServices->child(0)->child(0));
    QCOMPARE(table()->viewMode(), QDBProgramWidget::Satellite);
    tree()->setCurrentItem(allServices);
    QCOMPARE(table()->programmeAt(4)->id(), id);
    QCOMPARE(action("actionUndo")->text(), QStringLiteral("Undo Move Down"));

    action("actionUndo")->trigger();
    action("actionUndo")->trigger();
    QCOMPARE(table()->programmeAt(3)->id(), id);
    QCOMPARE(rows->item(3, 0)->text(), name);
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
    tree()->setCurrentItem(tree()->topLevelItem(0));
    QCOMPARE(table()->programmeAt(4)->id(), id);
    QCOMPARE(rows->item(4, 0)->text(), QStringLiteral("Renamed"));
}

void TestTavrin::realParserSavesTheSampleUnchanged()
{
    if (!openRealSample(QStringLiteral("small.udf")))
        QSKIP("needs samples/small.udf and the built parser library");
    QCOMPARE(m_dialogs.messages(), QStringList());
    QVERIFY(m_window->document()->data().database);
    QVERIFY(m_window->document()->data().database->allPGs().size() > 0);
    QVERIFY(tree()->topLevelItemCount() > 0);

    const QString saved = file(QStringLiteral("out/saved.udf"));
    m_dialogs.saveAnswers << saved;
    action("actionSave_As")->trigger();
    QCOMPARE(m_dialogs.messages(), QStringList{"about|Save File|Save OK!"});
    QCOMPARE(m_dialogs.calls.last().informative, QString());
    QFile a(QStringLiteral(TAVRIN_SOURCE_DIR "/samples/small.udf")), b(saved);
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QVERIFY2(a.readAll() == b.readAll(), "the saved dump differs from the one opened");
}

void TestTavrin::standardWarningHasOkCancelAndNoDefault_data()
{
    QTest::addColumn<bool>("clickOk");
    QTest::newRow("ok") << true;
    QTest::newRow("cancel") << false;
}

void TestTavrin::standardWarningHasOkCancelAndNoDefault()
{
    QFETCH(bool, clickOk);
    StandardDialogs dialogs;
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString text;
    bool hadDefault = true;
    ModalAnswer<QMessageBox> answer([&](QMessageBox *box) {
        buttons = box->standardButtons();
        icon = box->icon();
        text = box->text();
        hadDefault = box->defaultButton() != nullptr;
        box->button(clickOk ? QMessageBox::Ok : QMessageBox::Cancel)->click();
    });
    const bool result = dialogs.warningOkCancel(m_window.get(), QStringLiteral("Warning"), QStringLiteral("Close?"));
    QVERIFY(answer.answered());
    QCOMPARE(result, clickOk);
    QCOMPARE(answer.title(), QStringLiteral("Warning"));
    QCOMPARE(text, QStringLiteral("Close?"));
    QCOMPARE(buttons, QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(icon, QMessageBox::Warning);
    QVERIFY(!hadDefault);
}

QTEST_MAIN(TestTavrin)
#include "tst_tavrin.moc"
