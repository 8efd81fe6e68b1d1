// Opening, saving and closing files through the main window, on the stand-in
// parser library and on the real one.

#include "windowfixture.h"

#include "channeldatabase.h"
#include "documentedits.h"
#include "parserlibrary.h"
#include "qmoveswitchdialog.h"
#include "qselecttargetnodedialog.h"

#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include "programmetableview.h"

class TestTavrin : public WindowFixture
{
    Q_OBJECT

private slots:
    void open_data();
    void open();
    void openStartsInHomeThenLastFolder();
    void openNothing_data();
    void openNothing();
    void cancelledCustomerKeepsLoadedDocument();
    void unsupportedFileKeepsCurrent();
    void failedLoad_data();
    void failedLoad();
    void unsavedChanges_data();
    void unsavedChanges();
    void declinedOpenKeepsEverything();
    void nothingDoneNothingAsked_data();
    void nothingDoneNothingAsked();
    void save_data();
    void save();
    void saveWithoutDocumentDoesNothing();
    void saveAs_data();
    void saveAs();
    void laterSaveGoesToSavedCopy();
    void saveAsThenSaveLeavesOriginalUntouched();
    void loadErrorSaysWhy_data();
    void loadErrorSaysWhy();
    void commandLine_data();
    void commandLine();
    void realParserSavesTheSampleUnchanged();
    void realParserKeepsDocumentWhenOpenFails();
};

void TestTavrin::open_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("customerAnswer");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("title");

    QTest::newRow("user-dump") << "a.udf" << kNone << 2 << ""
                               << "a.udf[*] - Tavrin";
    QTest::newRow("flash-image-defaultdb") << "c.abs" << kOk << 1 << "defaultdb;"
                                           << "c.abs (defaultdb)[*] - Tavrin";
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
    QVERIFY(tree()->model()->rowCount() > 0);
    // All Services is shown at once: the TV programme of the two.
    QCOMPARE(tree()->currentIndex(), tree()->model()->index(0, 0));
    QCOMPARE(table()->table()->rowCount(), 1);
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
    QCOMPARE(m_window->windowTitle(), QStringLiteral("a.udf[*] - Tavrin"));
    QCOMPARE(m_window->document()->database(), loaded);
    QVERIFY(tree()->bIsChange());
    QCOMPARE(m_dialogs.messages(), QStringList());

    // The loaded dump still saves over itself, as a dump.
    action("actionSave")->trigger();
    QCOMPARE(m_state->saveCalls, 1);
    QCOMPARE(m_state->lastSaveKind, 2);
    QCOMPARE(QString::fromUtf16(m_state->lastSavePath), file(QStringLiteral("a.udf")));
}

void TestTavrin::unsupportedFileKeepsCurrent()
{
    openThroughMenu(file(QStringLiteral("c.abs")), kOk);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("c.abs (defaultdb)[*] - Tavrin"));
    m_window->findChild<QLineEdit *>(QStringLiteral("lineEdit_leftFilter"))->setText(QStringLiteral("Sat"));

    openThroughMenu(file(QStringLiteral("d.txt")));
    QCOMPARE(m_dialogs.messages(), QStringList{"critical|Load File|This file isn't supported yet"});
    QCOMPARE(m_dialogs.callsOf(QStringLiteral("critical")).first().parent, nullptr);
    QCOMPARE(m_state->cleanCalls, 0);
    QVERIFY(m_window->document()->data().database);
    QVERIFY(m_window->parserLibrary()->isLoaded());
    QVERIFY(tree()->model()->rowCount() > 0);
    QCOMPARE(m_window->findChild<QLineEdit *>(QStringLiteral("lineEdit_leftFilter"))->text(), QStringLiteral("Sat"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("c.abs (defaultdb)[*] - Tavrin"));

    // The open file is still the one saved.
    action("actionSave")->trigger();
    QCOMPARE(m_state->saveCalls, 1);
    QCOMPARE(QString::fromUtf16(m_state->lastSavePath), QStringLiteral("defaultdb;") + file(QStringLiteral("c.abs")));
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

    openThroughMenu(file(QStringLiteral("c.abs")), kOk);
    Document *document = m_window->document();
    const ChannelDatabase *loaded = document->database();
    QVERIFY(document->edits().renameGroup(0, QStringLiteral("Edited")));
    m_state->loadResult = loadResult;
    m_state->nullLists = nullLists;
    m_dialogs.warningAnswers << QMessageBox::Discard;
    openThroughMenu(file(QStringLiteral("a.udf")));

    // A file that does not load changes nothing, even after Discard.
    QCOMPARE(m_dialogs.messages().mid(1), messages);
    QCOMPARE(document->database(), loaded);
    QVERIFY(document->isModified());
    QCOMPARE(document->undoStack()->count(), 1);
    QCOMPARE(m_window->filePath(), QStringLiteral("defaultdb;") + file(QStringLiteral("c.abs")));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("c.abs (defaultdb)[*] - Tavrin"));
    QVERIFY(tree()->model()->rowCount() > 0);
    // The library reads the open file again, for what its save reuses.
    QCOMPARE(m_state->loadCalls, 3);
    QCOMPARE(QString::fromUtf16(m_state->lastLoadPath), QStringLiteral("defaultdb;") + file(QStringLiteral("c.abs")));
}

void TestTavrin::unsavedChanges_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("answer"); // a button clicked, or a key pressed
    QTest::addColumn<int>("saveResult");

    for (const char *how : {"open", "close", "exit", "window-close"}) {
        for (const char *answer : {"save", "discard", "cancel", "enter", "escape"})
            QTest::addRow("%s-%s", how, answer) << QString::fromLatin1(how) << QString::fromLatin1(answer) << 0;
        QTest::addRow("%s-save-fails", how) << QString::fromLatin1(how) << QStringLiteral("enter") << 1;
    }
}

void TestTavrin::unsavedChanges()
{
    QFETCH(QString, how);
    QFETCH(QString, answer);
    QFETCH(int, saveResult);

    openThroughMenu(file(QStringLiteral("a.udf")));
    QVERIFY(m_window->document()->edits().renameGroup(0, QStringLiteral("Edited")));
    m_state->saveResult = saveResult;
    m_dialogs.realWarnings = true;
    QMessageBox::StandardButtons buttons;
    bool saveIsDefault = false;
    ModalAnswer<QMessageBox> reply([&](QMessageBox *box) {
        buttons = box->standardButtons();
        saveIsDefault = box->defaultButton() == box->button(QMessageBox::Save);
        if (answer == QLatin1String("enter") || answer == QLatin1String("escape"))
            QTest::keyClick(box, answer == QLatin1String("enter") ? Qt::Key_Return : Qt::Key_Escape);
        else
            box->button(answer == QLatin1String("save")          ? QMessageBox::Save
                            : answer == QLatin1String("discard") ? QMessageBox::Discard
                                                                 : QMessageBox::Cancel)
                ->click();
    });
    if (how == QLatin1String("open"))
        openThroughMenu(file(QStringLiteral("b.udf")));
    else if (how == QLatin1String("close"))
        action("actionClose")->trigger();
    else if (how == QLatin1String("exit"))
        action("actionExit")->trigger();
    else
        m_window->close();

    QVERIFY(reply.answered());
    const QList<FakeDialogs::Call> warnings = m_dialogs.callsOf(QStringLiteral("warning"));
    QCOMPARE(warnings.size(), 1);
    QCOMPARE(warnings.first().parent, m_window.get());
    QCOMPARE(warnings.first().title, QStringLiteral("Warning"));
    QCOMPARE(warnings.first().text, QStringLiteral("The changed data was not saved. Do you want to close it?"));
    QCOMPARE(buttons, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    QVERIFY(saveIsDefault);

    // Enter saves; a save that fails stops whatever asked, as Cancel does.
    const bool saves = answer == QLatin1String("save") || answer == QLatin1String("enter");
    const bool proceeds = (saves && saveResult == 0) || answer == QLatin1String("discard");
    QCOMPARE(m_state->saveCalls, saves ? 1 : 0);
    QCOMPARE(QString::fromUtf16(m_state->lastSavePath), saves ? file(QStringLiteral("a.udf")) : QString());
    QCOMPARE(m_window->hasUnsavedChanges(), !proceeds);
    const QString shown = !proceeds     ? file(QStringLiteral("a.udf"))
        : how == QLatin1String("open")  ? file(QStringLiteral("b.udf"))
        : how == QLatin1String("close") ? QString()
                                        : file(QStringLiteral("a.udf"));
    QCOMPARE(m_window->filePath(), shown);
    QCOMPARE(m_window->isVisible(), !(proceeds && (how == QLatin1String("exit") || how == QLatin1String("window-close"))));
    QCOMPARE(m_state->cleanCalls, proceeds && how == QLatin1String("close") ? 1 : 0);

    // With nothing changed, none of them asks.
    if (proceeds) {
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
    m_dialogs.warningAnswers << QMessageBox::Cancel;

    openThroughMenu(file(QStringLiteral("b.udf")));
    QCOMPARE(m_dialogs.callsOf(QStringLiteral("warning")).size(), 1);
    QCOMPARE(m_state->loadCalls, 1);
    QCOMPARE(m_state->cleanCalls, 0);
    QCOMPARE(document->database(), loaded);
    QCOMPARE(document->favouriteNames().value(0), QStringLiteral("Edited"));
    QVERIFY(document->isModified());
    QCOMPARE(m_window->filePath(), QStringLiteral("defaultdb;") + file(QStringLiteral("c.abs")));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("c.abs (defaultdb)[*] - Tavrin"));
    QVERIFY(tree()->model()->rowCount() > 0);

    // Undoing the edit leaves nothing unsaved: the next open does not warn.
    document->undoStack()->undo();
    m_dialogs.reset();
    openThroughMenu(file(QStringLiteral("b.udf")));
    QCOMPARE(m_dialogs.callsOf(QStringLiteral("warning")).size(), 0);
    QCOMPARE(m_window->filePath(), file(QStringLiteral("b.udf")));
}

void TestTavrin::nothingDoneNothingAsked_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("answer"); // the button the dialog gets
    QTest::newRow("Move To cancelled") << "actionMove"
                                       << "pushButton_Cancel";
    QTest::newRow("Switch To cancelled") << "actionSwitch"
                                         << "pushButton_Cancel";
    QTest::newRow("Move Channel refused") << "actMoveChannel"
                                          << "pushButton_OK";
    QTest::newRow("Paste Channel with nothing copied") << "actPasteChannel"
                                                       << "";
}

// Operations that end without a change leave nothing to save, so closing asks nothing.
void TestTavrin::nothingDoneNothingAsked()
{
    QFETCH(QString, operation);
    QFETCH(QString, answer);
    openThroughMenu(file(QStringLiteral("a.udf")));
    const QAbstractItemModel *rows = tree()->model();
    const QModelIndex satellite = rows->index(0, 0, rows->index(0, 0, rows->index(0, 0)));
    tree()->setCurrentIndex(operation.startsWith(QLatin1String("action")) ? satellite : rows->index(0, 0, satellite));
    table()->table()->selectRow(0);
    ModalAnswer<QSelectTargetNodeDialog> target(
        [&answer](QSelectTargetNodeDialog *d) { d->findChild<QPushButton *>(answer)->click(); });
    ModalAnswer<QMoveSwitchDialog> position([](QMoveSwitchDialog *d) {
        d->spinBox()->setValue(1); // the selected row itself
        d->findChild<QPushButton *>(QStringLiteral("pushButton_OK"))->click();
    });
    ModalAnswer<QMessageBox> refusal([](QMessageBox *box) { box->button(QMessageBox::Yes)->click(); });
    QObject *owner = operation.startsWith(QLatin1String("action")) ? static_cast<QObject *>(tree()) : table();
    owner->findChild<QAction *>(operation)->trigger();
    QCOMPARE(target.answered() || position.answered(), !answer.isEmpty());

    QVERIFY(!m_window->document()->isModified());
    action("actionClose")->trigger();
    QCOMPARE(m_dialogs.callsOf(QStringLiteral("warning")).size(), 0);
    QVERIFY(!m_window->document()->hasDatabase());
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
    m_dialogs.warningAnswers << QMessageBox::Cancel;
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
                                  << ok << "new.udf[*] - Tavrin" << false;
    QTest::newRow("dialog-cancelled") << "a.udf"
                                      << ""
                                      << "" << kNone << 0 << udf << -1 << ""
                                      << "" << QStringList()
                                      << "a.udf[*] - Tavrin" << true;
    QTest::newRow("blank-name") << "a.udf"
                                << "   "
                                << "" << kNone << 0 << udf << -1 << ""
                                << "" << QStringList()
                                << "a.udf[*] - Tavrin" << true;
    QTest::newRow("image-keeps-customer") << "c.abs"
                                          << "out/new.abs"
                                          << "" << kNone << 0 << abs << 1 << "out/new.abs"
                                          << "defaultdb;" << ok << "new.abs (defaultdb)[*] - Tavrin" << false;
    QTest::newRow("kind-without-library") << "c.abs"
                                          << "out/new.ddf"
                                          << "" << kNone << 0 << abs << -1 << ""
                                          << ""
                                          << QStringList{"critical|Save File|Save Error!"} << "c.abs (defaultdb)[*] - Tavrin" << true;
    QTest::newRow("save-fails") << "a.udf"
                                << "out/new.udf"
                                << "" << kNone << 1 << udf << 2 << "out/new.udf"
                                << ""
                                << QStringList{"critical|Save File|Save Error!"} << "a.udf[*] - Tavrin" << true;
    QTest::newRow("dump-to-image-asks-customer") << "a.udf"
                                                 << "out/new.abs"
                                                 << "" << kOk << 0 << udf << 1 << "out/new.abs"
                                                 << "defaultdb;" << ok << "new.abs (defaultdb)[*] - Tavrin" << false;
    QTest::newRow("customer-cancelled") << "a.udf"
                                        << "out/new.abs"
                                        << "" << kCancel << 0 << udf << -1 << ""
                                        << ""
                                        << QStringList() << "a.udf[*] - Tavrin" << true;
    QTest::newRow("no-extension-first-filter") << "a.udf"
                                               << "out/new"
                                               << "" << kNone << 0 << udf << 2 << "out/new.udf"
                                               << "" << ok << "new.udf[*] - Tavrin" << false;
    QTest::newRow("no-extension-chosen-filter") << "c.abs"
                                                << "out/new"
                                                << "Bin file(*.abs)" << kNone << 0 << abs << 1
                                                << "out/new.abs"
                                                << "defaultdb;" << ok << "new.abs (defaultdb)[*] - Tavrin" << false;
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
    // The current file is proposed, in its own folder.
    QCOMPARE(dialogs.first().text, file(opened));

    QCOMPARE(m_state->saveCalls, savedKind < 0 ? 0 : 1);
    if (savedKind >= 0) {
        QCOMPARE(m_state->lastSaveKind, savedKind);
        QCOMPARE(QString::fromUtf16(m_state->lastSavePath), savedPrefix + file(saved));
    }
    QCOMPARE(m_dialogs.messages(), messages);
    QCOMPARE(m_window->windowTitle(), title);
    QCOMPARE(m_window->isWindowModified(), changedAfter);
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

    // Another file opened elsewhere starts in its own folder, not the last save's.
    openThroughMenu(file(QStringLiteral("b.udf")));
    m_dialogs.reset();
    action("actionSave_As")->trigger();
    QCOMPARE(m_dialogs.callsOf(QStringLiteral("save")).value(0).text, file(QStringLiteral("b.udf")));
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

void TestTavrin::commandLine_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("customerAnswer");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("title");

    QTest::newRow("dump") << "a.udf" << kNone << true << ""
                          << "a.udf[*] - Tavrin";
    QTest::newRow("image") << "c.abs" << kOk << true << "defaultdb;"
                           << "c.abs (defaultdb)[*] - Tavrin";
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
    if (customer) {
        QVERIFY(customer->answered());
        QCOMPARE(customer->title(), QStringLiteral("Choose customer"));
    }

    QCOMPARE(bool(m_window->document()->data().database), loaded);
    QCOMPARE(m_state->loadCalls, loaded ? 1 : 0);
    QCOMPARE(m_window->filePath(), loaded ? prefix + file(argument) : QString());
    QCOMPARE(m_window->windowTitle(), title);
    QVERIFY(m_dialogs.calls.isEmpty());
}

void TestTavrin::realParserSavesTheSampleUnchanged()
{
    if (!openRealSample(QStringLiteral("small.udf")))
        QSKIP("needs samples/small.udf and the built parser library");
    QCOMPARE(m_dialogs.messages(), QStringList());
    QVERIFY(m_window->document()->data().database);
    QVERIFY(m_window->document()->data().database->allPGs().size() > 0);
    QVERIFY(tree()->model()->rowCount() > 0);

    const QString saved = file(QStringLiteral("out/saved.udf"));
    m_dialogs.saveAnswers << saved;
    action("actionSave_As")->trigger();
    QCOMPARE(m_dialogs.messages(), QStringList{"about|Save File|Save OK!"});
    QCOMPARE(m_dialogs.calls.last().informative, QString());
    QFile a(QStringLiteral(TAVRIN_SOURCE_DIR "/samples/small.udf")), b(saved);
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QVERIFY2(a.readAll() == b.readAll(), "the saved dump differs from the one opened");
}

// Trying another file makes the library forget the open one: after a failed
// open the window shows the edited rows, and a save still writes all of the file.
void TestTavrin::realParserKeepsDocumentWhenOpenFails()
{
    if (!openRealSample(QStringLiteral("small.udf")))
        QSKIP("needs samples/small.udf and the built parser library");
    ProgrammeTableView *rows = table()->table();
    QVERIFY(rows->rowCount() > 5);
    rows->setFocus();
    rows->selectRow(3);
    QTest::keyClick(rows, Qt::Key_Plus);
    QStringList names;
    for (int row = 0; row < rows->rowCount(); ++row)
        names << rows->model()->index(row, 0).data().toString();

    QFile sample(QStringLiteral(TAVRIN_SOURCE_DIR "/samples/small.udf"));
    QVERIFY(sample.open(QIODevice::ReadOnly));
    QByteArray damaged = sample.readAll();
    damaged[damaged.size() / 2] = char(damaged.at(damaged.size() / 2) ^ 0x5a);
    writeAll(file(QStringLiteral("damaged.udf")), damaged);
    m_dialogs.warningAnswers << QMessageBox::Discard;
    m_dialogs.openAnswers << file(QStringLiteral("damaged.udf"));
    action("actionOpen")->trigger();

    QCOMPARE(m_dialogs.messages().value(1), QStringLiteral("critical|Load File|Load Error!"));
    QCOMPARE(m_window->filePath(), file(QStringLiteral("small.udf")));
    QVERIFY(m_window->hasUnsavedChanges());
    QStringList shown;
    for (int row = 0; row < rows->rowCount(); ++row)
        shown << rows->model()->index(row, 0).data().toString();
    QCOMPARE(shown, names);

    action("actionUndo")->trigger();
    QVERIFY(!m_window->hasUnsavedChanges());
    m_dialogs.reset();
    const QString saved = file(QStringLiteral("out/saved.udf"));
    m_dialogs.saveAnswers << saved;
    action("actionSave_As")->trigger();
    QCOMPARE(m_dialogs.messages(), QStringList{"about|Save File|Save OK!"});
    QFile b(saved);
    QVERIFY(sample.seek(0) && b.open(QIODevice::ReadOnly));
    QVERIFY2(sample.readAll() == b.readAll(), "the saved dump differs from the one opened");
}

QTEST_MAIN(TestTavrin)
#include "tst_tavrin.moc"
