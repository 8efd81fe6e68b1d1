#include "channeldatabase.h"
#include "dbtreewidget.h"
#include "fakedialogs.h"
#include "fakeparser.h"
#include "flashcustomchosedialog.h"
#include "modalanswer.h"
#include "parserlibrary.h"
#include "qdbprogramwidget.h"
#include "qpropertydialog.h"
#include "qtvariantproperty.h"
#include "tavrin.h"

#include <QAction>
#include <QComboBox>
#include <QLibrary>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
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
    void declinedCloseStillReplacesDocument();
    void declinedCloseThenFailedLoadLeavesNothingBehind();
    void save_data();
    void save();
    void saveWithoutDocumentDoesNothing();
    void saveAs_data();
    void saveAs();
    void laterSaveGoesToOpenedFile();
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
    QString iniValue(const QString &key) const
    {
        return QSettings(m_iniPath, QSettings::IniFormat).value(key).toString();
    }
    // Opens through File, Open, answering the customer choice when asked.
    void openThroughMenu(const QString &path, const QString &customerAnswer = kNone);

    QLibrary m_fake{QStringLiteral(FAKEPARSER_PATH)};
    FakeParserState *m_state = nullptr;
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
}

void TestTavrin::init()
{
    *m_state = FakeParserState{};
    m_dialogs.reset();
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
    QCOMPARE(tools, (QList<QAction *>{action("actionOpen"), action("actionSave"), action("actionSave_As"),
                                      action("actionUndo"), action("actionRedo")}));
    // The icons come from the resources; a wrong path gives a null icon.
    for (const char *name : {"actionOpen", "actionSave", "actionSave_As", "actionUndo", "actionRedo"})
        QVERIFY2(!action(name)->icon().pixmap(16, 16).isNull(), name);
    QCOMPARE(action("actionSave_As")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+S")));

    auto *fileMenu = m_window->findChild<QMenu *>(QStringLiteral("menuFile"));
    QVERIFY(fileMenu);
    QStringList entries;
    for (QAction *a : fileMenu->actions())
        entries << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(entries, (QStringList{"Open", "Save", "Save as...", "Close", "-", "Exit"}));
}

void TestTavrin::open_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("customerAnswer");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("title");

    QTest::newRow("user-dump") << "a.udf" << kNone << 2 << "" << "Tavrin";
    QTest::newRow("flash-image-defaultdb") << "c.abs" << kOk << 1 << "defaultdb;" << "Tavrin - defaultdb";
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
    QCOMPARE(dialog.filter, QStringLiteral("Flash image (*.abs);; (*.mud);;User dump (*.udf)"));

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

void TestTavrin::declinedCloseStillReplacesDocument()
{
    openThroughMenu(file(QStringLiteral("a.udf")));
    const ParserLibrary *library = m_window->parserLibrary();
    markChanged();
    m_dialogs.warningAnswers << false;

    openThroughMenu(file(QStringLiteral("b.udf")));
    QCOMPARE(m_dialogs.callsOf(QStringLiteral("warning")).size(), 1);
    // The library was neither cleaned nor reloaded, and the new file loaded.
    QCOMPARE(m_state->cleanCalls, 0);
    QCOMPARE(m_window->parserLibrary(), library);
    QVERIFY(m_window->parserLibrary()->isLoaded());
    QCOMPARE(m_state->loadCalls, 2);
    QCOMPARE(QString::fromUtf16(m_state->lastLoadPath), file(QStringLiteral("b.udf")));
    QCOMPARE(m_window->filePath(), file(QStringLiteral("b.udf")));
    QVERIFY(m_window->document()->data().database);
    QCOMPARE(m_window->document()->data().database->sats().size(), 1);
    QVERIFY(tree()->topLevelItemCount() > 0);
}

void TestTavrin::declinedCloseThenFailedLoadLeavesNothingBehind()
{
    openThroughMenu(file(QStringLiteral("a.udf")));
    markChanged();
    m_dialogs.warningAnswers << false;
    m_state->loadResult = 3;

    openThroughMenu(file(QStringLiteral("b.udf")));
    QCOMPARE(m_dialogs.messages().last(), QStringLiteral("critical|Load File|Load Error!"));
    // The old document must not linger in the widgets once its library moved on.
    QVERIFY(!m_window->document()->data().database);
    QVERIFY(m_window->document()->data().hotKeys.isEmpty());
    QVERIFY(m_window->document()->data().favHotKeys.isEmpty());
    QCOMPARE(tree()->topLevelItemCount(), 0);
}

void TestTavrin::save_data()
{
    QTest::addColumn<int>("saveResult");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("changedAfter");

    QTest::newRow("saved") << 0 << "about|Save File|Save OK!" << false;
    QTest::newRow("write-failed") << 1 << "critical|Save File|This type isn't supported yet" << true;
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
    QTest::addColumn<QString>("customerAnswer");
    QTest::addColumn<int>("saveResult");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("savedKind");  // -1: Save not called
    QTest::addColumn<QString>("savedPrefix");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("changedAfter");

    const QString udf = QStringLiteral("UserDB file(*.udf)");
    const QString abs = QStringLiteral("Bin file(*.abs);;DefaultDB file(*.ddf)");
    const QStringList ok{"about|Save File|Save OK!"};

    QTest::newRow("dump-to-dump") << "a.udf" << "out/new.udf" << kNone << 0 << udf << 2 << "" << ok << "Tavrin" << false;
    QTest::newRow("dialog-cancelled") << "a.udf" << "" << kNone << 0 << udf << -1 << "" << QStringList() << "Tavrin" << true;
    QTest::newRow("blank-name") << "a.udf" << "   " << kNone << 0 << udf << -1 << "" << QStringList() << "Tavrin" << true;
    QTest::newRow("image-keeps-customer") << "c.abs" << "out/new.abs" << kNone << 0 << abs << 1 << "defaultdb;" << ok
                                          << "Tavrin - defaultdb" << false;
    QTest::newRow("kind-without-library") << "c.abs" << "out/new.ddf" << kNone << 0 << abs << -1 << ""
                                          << QStringList{"critical|Save File|Save Error!"} << "Tavrin - defaultdb" << true;
    QTest::newRow("save-fails") << "a.udf" << "out/new.udf" << kNone << 1 << udf << 2 << ""
                                << QStringList{"critical|Save File|This type isn't supported yet"} << "Tavrin" << true;
    QTest::newRow("dump-to-image-asks-customer") << "a.udf" << "out/new.abs" << kOk << 0 << udf << 1 << "defaultdb;"
                                                 << ok << "Tavrin - defaultdb" << false;
    QTest::newRow("customer-cancelled") << "a.udf" << "out/new.abs" << kCancel << 0 << udf << -1 << ""
                                        << QStringList() << "Tavrin" << true;
}

void TestTavrin::saveAs()
{
    QFETCH(QString, opened);
    QFETCH(QString, given);
    QFETCH(QString, customerAnswer);
    QFETCH(int, saveResult);
    QFETCH(QString, filter);
    QFETCH(int, savedKind);
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

    const QString givenPath = given.trimmed().isEmpty() ? given : file(given);
    m_dialogs.saveAnswers << givenPath;
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
    QCOMPARE(dialogs.first().text, QDir::homePath());

    QCOMPARE(m_state->saveCalls, savedKind < 0 ? 0 : 1);
    if (savedKind >= 0) {
        QCOMPARE(m_state->lastSaveKind, savedKind);
        QCOMPARE(QString::fromUtf16(m_state->lastSavePath), savedPrefix + givenPath);
    }
    QCOMPARE(m_dialogs.messages(), messages);
    QCOMPARE(m_window->windowTitle(), title);
    QCOMPARE(tree()->bIsChange(), changedAfter);
    QCOMPARE(iniValue(QStringLiteral("lastsavdir")),
             given.trimmed().isEmpty() ? QString() : file(QStringLiteral("out")));
    // The window goes on describing the opened document.
    QCOMPARE(m_window->filePath(), openedPath);
    QCOMPARE(m_window->fileKind(), openedKind);
}

void TestTavrin::laterSaveGoesToOpenedFile()
{
    openThroughMenu(file(QStringLiteral("a.udf")));
    m_dialogs.saveAnswers << file(QStringLiteral("out/copy.udf"));
    action("actionSave_As")->trigger();
    QCOMPARE(QString::fromUtf16(m_state->lastSavePath), file(QStringLiteral("out/copy.udf")));

    action("actionSave")->trigger();
    QCOMPARE(m_state->saveCalls, 2);
    QCOMPARE(QString::fromUtf16(m_state->lastSavePath), file(QStringLiteral("a.udf")));

    // The next Save As starts where the last one went.
    m_dialogs.reset();
    action("actionSave_As")->trigger();
    QCOMPARE(m_dialogs.callsOf(QStringLiteral("save")).value(0).text, file(QStringLiteral("out")));
}

void TestTavrin::commandLine_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("customerAnswer");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("title");

    QTest::newRow("dump") << "a.udf" << kNone << true << "" << "Tavrin";
    QTest::newRow("image") << "c.abs" << kOk << true << "defaultdb;" << "Tavrin - defaultdb";
    QTest::newRow("image-customer-cancelled") << "c.abs" << kCancel << false << "" << "Tavrin";
    QTest::newRow("no-argument") << "" << kNone << false << "" << "Tavrin";
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
    const QString sample = QStringLiteral(TAVRIN_SOURCE_DIR "/samples/small.udf");
    if (!QFile::exists(sample) || !QFile::exists(QStringLiteral(TAVRIN_BIN_DIR "/libostrel.so")))
        QSKIP("needs samples/small.udf and the built parser library");

    // The shipped registry, copied so the remembered folders land in the temporary folder.
    const QString ini = file(QStringLiteral("shipped.ini"));
    QVERIFY(QFile::copy(QStringLiteral(TAVRIN_SOURCE_DIR "/conf/Tavrin.ini"), ini));
    const QString opened = file(QStringLiteral("small.udf"));
    QVERIFY(QFile::copy(sample, opened));
    m_window = std::make_unique<Tavrin>(ini, &m_dialogs);

    m_dialogs.openAnswers << opened;
    action("actionOpen")->trigger();
    QCOMPARE(m_dialogs.messages(), QStringList());
    QVERIFY(m_window->document()->data().database);
    QVERIFY(m_window->document()->data().database->allPGs().size() > 0);
    QVERIFY(tree()->topLevelItemCount() > 0);

    const QString saved = file(QStringLiteral("out/saved.udf"));
    m_dialogs.saveAnswers << saved;
    action("actionSave_As")->trigger();
    QCOMPARE(m_dialogs.messages(), QStringList{"about|Save File|Save OK!"});
    QFile a(sample), b(saved);
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
