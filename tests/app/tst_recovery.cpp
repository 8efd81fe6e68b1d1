// Unsaved edits survive an editor that dies: the recovery file while they are
// unsaved, and the offer to restore them at the next start.
#include "jsonimport.h"
#include "recoveryedits.h"
#include "recoveryfile.h"
#include "recoverywriter.h"
#include "programmetableview.h"
#include "windowfixture.h"

#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>

class TestRecovery : public WindowFixture
{
    Q_OBJECT

public:
    TestRecovery()
    {
        // The recovery folder and the child's settings live in the run's own folder.
        qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("data")).toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toLocal8Bit());
        qputenv("TAVRIN_RECOVERY_DELAY_MS", "50");
        QCoreApplication::setApplicationName(QStringLiteral("Tavrin"));
    }

private slots:
    void killedEditorIsRestored();
    void offerAtStart_data();
    void offerAtStart();
    void fileGoesWithTheChanges_data();
    void fileGoesWithTheChanges();
    void writeFailureIsShown();

private:
    static QByteArray bytesOf(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static QStringList recoveryFiles(const QString &pattern = QStringLiteral("*.json"))
    {
        return QDir(Recovery::folder()).entryList({pattern}, QDir::Files);
    }
    static void clearRecoveryFolder()
    {
        QDir(Recovery::folder()).removeRecursively();
        QFile::remove(Recovery::folder());
        QDir().mkpath(QFileInfo(Recovery::folder()).path());
    }
    // Starts again on the shipped registry and offers the recovery files, answering with button.
    bool restartAndOffer(const QString &button, QString *question = nullptr);

    QTemporaryDir m_home;
};

bool TestRecovery::restartAndOffer(const QString &button, QString *question)
{
    m_window = std::make_unique<Tavrin>(file(QStringLiteral("shipped.ini")), &m_dialogs);
    ModalAnswer<QMessageBox> answer([&](QMessageBox *box) {
        if (question)
            *question = box->text();
        QAbstractButton *chosen = box->escapeButton(); // a box that should not be up must not hang the run
        for (QAbstractButton *b : box->buttons()) {
            if (b->text() == button)
                chosen = b;
        }
        chosen->click();
    });
    return m_window->offerRecovery();
}

void TestRecovery::killedEditorIsRestored()
{
    clearRecoveryFolder();
    if (!openRealSample(QStringLiteral("direct.udf")))
        QSKIP("the sample dump or the parser library is not built");
    // What the restored document must save: the same edits, saved directly.
    const QByteArray original = bytesOf(file(QStringLiteral("direct.udf")));
    QVERIFY(makeRecoveryEdits(*m_window->document()));
    const int rows = table()->table()->rowCount();
    action("actionSave")->trigger();
    const QByteArray expected = bytesOf(file(QStringLiteral("direct.udf")));
    QVERIFY(expected != original);
    m_window.reset();
    writeAll(file(QStringLiteral("a.udf")), original);

    QProcess editor;
    editor.start(QStringLiteral(RECOVERYPROBE_PATH), {file(QStringLiteral("shipped.ini")), file(QStringLiteral("a.udf"))});
    QVERIFY(editor.waitForReadyRead(20000));
    QCOMPARE(editor.readAllStandardOutput().trimmed(), QByteArray("edited"));
    QTRY_COMPARE_WITH_TIMEOUT(recoveryFiles().size(), 1, 10000);
    // Not offered while that editor runs.
    QVERIFY(!restartAndOffer(QStringLiteral("Restore")));
    QCOMPARE(recoveryFiles().size(), 1);
    editor.kill(); // SIGKILL: nothing of the editor's runs any more
    QVERIFY(editor.waitForFinished(5000));
    QCOMPARE(bytesOf(file(QStringLiteral("a.udf"))), original);

    QString question;
    QVERIFY(restartAndOffer(QStringLiteral("Restore"), &question));
    const QRegularExpression text(QStringLiteral("^Unsaved changes to %1 from \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d were "
                                                 "recovered\\. Restore them\\?$")
                                      .arg(QRegularExpression::escape(file(QStringLiteral("a.udf")))));
    QVERIFY2(text.match(question).hasMatch(), qPrintable(question));
    // The same file named on the command line is not opened over the restore.
    m_dialogs.calls.clear();
    m_window->openFromArguments({QStringLiteral("Tavrin"), file(QStringLiteral("a.udf"))});
    QCOMPARE(m_dialogs.messages(), QStringList());
    // One step over the file as loaded, shown as changed.
    QUndoStack *stack = m_window->document()->undoStack();
    QCOMPARE(stack->count(), 1);
    QVERIFY(m_window->isWindowModified());
    QCOMPARE(table()->table()->rowCount(), rows);
    stack->undo();
    QVERIFY(!m_window->document()->isModified());
    stack->redo();
    action("actionSave")->trigger();
    QCOMPARE(bytesOf(file(QStringLiteral("a.udf"))), expected);
    QVERIFY(recoveryFiles().isEmpty());
}

void TestRecovery::offerAtStart_data()
{
    QTest::addColumn<QByteArray>("from"); // text replaced in the written file; empty: none
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<bool>("changeOnDisk");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("outcome"); // "kept", "removed", "exported", "set aside: " and the reason given

    const QByteArray none;
    QTest::newRow("later keeps it") << none << none << false << "Later"
                                    << "kept";
    QTest::newRow("discard removes it") << none << none << false << "Discard"
                                        << "removed";
    QTest::newRow("changed on disk: exported beside it") << none << none << true << "Restore"
                                                         << "exported";
    QTest::newRow("changed on disk: later") << none << none << true << "Later"
                                            << "kept";
    QTest::newRow("not JSON") << QByteArray("{") << QByteArray("[") << false << ""
                              << "set aside: offset ";
    QTest::newRow("cut short") << QByteArray("half") << none << false << ""
                               << "set aside: offset ";
    QTest::newRow("no identity") << QByteArray("\"recovery\"") << QByteArray("\"recover\"") << false << ""
                                 << "set aside: recovery: must be an object";
    QTest::newRow("bad hash") << QByteArray("\"sha256\":\"") << QByteArray("\"sha256\":\"x") << false << ""
                              << "set aside: recovery.sha256";
    QTest::newRow("relative path") << QByteArray("\"path\":\"/") << QByteArray("\"path\":\"") << false << ""
                                   << "set aside: recovery.path";
    QTest::newRow("unknown kind") << QByteArray("\"kind\":2") << QByteArray("\"kind\":9") << false << ""
                                  << "set aside: recovery.kind";
    QTest::newRow("order names no programme") << QByteArray("\"serviceOrder\": [") << QByteArray("\"serviceOrder\": [77777,")
                                              << false << ""
                                              << "set aside: serviceOrder[0]";
    QTest::newRow("order short") << QByteArray("\"serviceOrder\": [") << QByteArray("\"serviceOrder\": [], \"x\": [")
                                 << false << ""
                                 << "set aside: serviceOrder: must list every programme once";
    QTest::newRow("counts too large") << QByteArray("\"transponderSizes\": [") << QByteArray("\"transponderSizes\": [9999")
                                      << false << ""
                                      << "set aside: transponderSizes[0]";
    QTest::newRow("counts negative") << QByteArray("\"transponderSizes\": [") << QByteArray("\"transponderSizes\": [-")
                                     << false << ""
                                     << "set aside: transponderSizes[0]";
    QTest::newRow("id out of range") << QByteArray("\"id\": ") << QByteArray("\"id\": 99999999999") << false << ""
                                     << "set aside: programmes[0].id";
    QTest::newRow("value not a pair") << QByteArray("\"values\": [\n                [\n")
                                      << QByteArray("\"values\": [\n                [7,\n") << false << ""
                                      << "set aside: programmes[0].values[0]";
    QTest::newRow("favourite not text") << QByteArray("\"favourites\": [") << QByteArray("\"favourites\": [7,") << false << ""
                                        << "set aside: favourites[0]";
    QTest::newRow("parent missing") << QByteArray("\"parentId\": ") << QByteArray("\"parentId\": 9") << false << ""
                                    << "set aside: programmes[0]: parentId";
}

void TestRecovery::offerAtStart()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(bool, changeOnDisk);
    QFETCH(QString, answer);
    QFETCH(QString, outcome);

    clearRecoveryFolder();
    if (!openRealSample(QStringLiteral("a.udf")))
        QSKIP("the sample dump or the parser library is not built");
    QVERIFY(makeRecoveryEdits(*m_window->document()));
    QVERIFY(m_window->recoveryWriter()->writeNow());
    const QString recovery = m_window->recoveryWriter()->currentPath();
    QByteArray text = bytesOf(recovery);
    // The window takes its file along when it goes; the test puts it back, as a crash leaves it.
    m_window.reset();
    QVERIFY(!QFile::exists(recovery));
    if (from == "half") {
        text.truncate(text.size() / 2);
    } else if (!from.isEmpty()) {
        QVERIFY2(text.contains(from), from.constData());
        text.replace(text.indexOf(from), from.size(), to);
    }
    writeAll(recovery, text);
    QByteArray onDisk = bytesOf(file(QStringLiteral("a.udf")));
    if (changeOnDisk)
        writeAll(file(QStringLiteral("a.udf")), onDisk += "changed");

    QVERIFY(!restartAndOffer(answer));
    QCOMPARE(bytesOf(file(QStringLiteral("a.udf"))), onDisk);
    QVERIFY(!m_window->document()->hasDatabase());
    QCOMPARE(QFile::exists(recovery), outcome == QLatin1String("kept"));
    const QStringList aside = recoveryFiles(QStringLiteral("*.unreadable"));
    const QString reason = outcome.section(QStringLiteral("set aside: "), 1);
    QCOMPARE(aside.size(), reason.isEmpty() ? 0 : 1);
    const QList<FakeDialogs::Call> reports = m_dialogs.callsOf(QStringLiteral("critical"));
    QCOMPARE(reports.size(), aside.size());
    if (!reports.isEmpty())
        QVERIFY2(reports.first().informative.contains(reason), qPrintable(reports.first().informative));
    if (outcome == QLatin1String("kept") && !changeOnDisk) {
        // The same file edited meanwhile keeps its own recovery file: the waiting one is left as it is.
        m_window->openFile(file(QStringLiteral("a.udf")));
        QVERIFY(m_window->document()->edits().renameGroup(1, QStringLiteral("Other")));
        QVERIFY(m_window->recoveryWriter()->writeNow());
        QCOMPARE(recoveryFiles().size(), 2);
        QCOMPARE(bytesOf(recovery), text);
    }
    const QStringList exported = QDir(m_dir->path()).entryList({QStringLiteral("a.udf.recovered-*.json")});
    QCOMPARE(exported.size(), outcome == QLatin1String("exported") ? 1 : 0);
    if (!exported.isEmpty()) {
        // What `tavrin-cli import` reads back.
        ImportedDocument imported;
        QString error;
        QVERIFY2(documentFromJson(bytesOf(file(exported.first())), imported, &error), qPrintable(error));
        QCOMPARE(imported.favourites.value_or(QStringList()).value(0), QStringLiteral("Kept"));
    }
}

void TestRecovery::fileGoesWithTheChanges_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("saved") << "save";
    QTest::newRow("undone") << "undo";
    QTest::newRow("closed, discarding them") << "close";
    QTest::newRow("editor gone") << "exit";
}

void TestRecovery::fileGoesWithTheChanges()
{
    QFETCH(QString, how);
    clearRecoveryFolder();
    if (!openRealSample(QStringLiteral("a.udf")))
        QSKIP("the sample dump or the parser library is not built");
    QVERIFY(makeRecoveryEdits(*m_window->document()));
    // Written by the timer, without being asked.
    QTRY_COMPARE(recoveryFiles().size(), 1);
    if (how == QLatin1String("save")) {
        action("actionSave")->trigger();
    } else if (how == QLatin1String("undo")) {
        while (m_window->document()->isModified())
            m_window->document()->undoStack()->undo();
    } else if (how == QLatin1String("close")) {
        m_dialogs.warningAnswers << QMessageBox::Discard;
        action("actionClose")->trigger();
    } else {
        m_window.reset();
    }
    QVERIFY(recoveryFiles().isEmpty());
    // Nothing comes back while the document stays as it is.
    QTest::qWait(200);
    QVERIFY(recoveryFiles().isEmpty());
}

void TestRecovery::writeFailureIsShown()
{
    clearRecoveryFolder();
    // A file where the folder should be: nothing can be written there.
    writeAll(Recovery::folder(), "in the way");
    if (!openRealSample(QStringLiteral("a.udf")))
        QSKIP("the sample dump or the parser library is not built");
    QVERIFY(makeRecoveryEdits(*m_window->document()));
    QTRY_VERIFY(m_window->statusBar()->currentMessage().startsWith(
        QStringLiteral("The recovery file could not be written: ")));
}

QTEST_MAIN(TestRecovery)
#include "tst_recovery.moc"
