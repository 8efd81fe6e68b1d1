// The tool runner with the real lzma tool and with stand-in scripts that
// fail, stay silent or hang.

#include "externaltool.h"

#include <QtTest>

#include <csignal>
#include <cerrno>

using ostrel::ExternalTool;

namespace {

const QString Tool = QStringLiteral(TAVRIN_BIN_DIR "/tavrin-lzma");

QString writeScript(const QTemporaryDir &dir, const QString &name, const QByteArray &body)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write("#!/bin/sh\n" + body + "\n");
    file.close();
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return path;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList workingFolders(const QTemporaryDir &dir)
{
    return QDir(dir.path()).entryList({QStringLiteral("tavrin-work-*")}, QDir::Dirs);
}

} // namespace

class TestExternalTool : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void packAndUnpackAreInverse_data();
    void packAndUnpackAreInverse();
    void eachRunWorksInItsOwnFolder();
    void keptWorkingFolderHoldsTheFiles();
    void failures_data();
    void failures();
    void oversizedOutputIsRefused();
    void hangingToolIsKilled();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestExternalTool::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestExternalTool::packAndUnpackAreInverse_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("preset-like") << QByteArray("presetdata\0\x12\0\x07", 14).repeated(100);
    QTest::newRow("one byte") << QByteArray("\x80");
}

void TestExternalTool::packAndUnpackAreInverse()
{
    QFETCH(QByteArray, data);
    ExternalTool tool(Tool, m_dir->path());
    QByteArray packed;
    QVERIFY(tool.pack(data, packed));
    QCOMPARE(tool.lastStatus(), ExternalTool::Ok);
    QVERIFY(packed != data);

    QByteArray unpacked;
    QVERIFY(tool.unpack(packed, unpacked));
    QCOMPARE(unpacked, data);
    QVERIFY(workingFolders(*m_dir).isEmpty());
}

// Two runs, as two programs running at once would make them, never share a
// working file, and nothing is left behind.
void TestExternalTool::eachRunWorksInItsOwnFolder()
{
    const QString log = m_dir->filePath("log");
    const QString script = writeScript(*m_dir, "tool", "dirname \"$2\" >> '" + log.toUtf8() + "'; cp \"$2\" \"$3\"");
    ExternalTool first(script, m_dir->path());
    ExternalTool second(script, m_dir->path());
    QByteArray out;
    QVERIFY(first.pack("one", out));
    QVERIFY(second.unpack("two", out));
    QCOMPARE(out, QByteArray("two"));

    const QStringList folders = QString::fromLocal8Bit(readAll(log)).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(folders.size(), 2);
    QVERIFY(folders[0] != folders[1]);
    for (const QString &folder : folders) {
        QCOMPARE(QFileInfo(folder).absolutePath(), m_dir->path());
        QVERIFY2(!QFileInfo::exists(folder), qPrintable(folder));
    }
}

// The program's own tool, working under TMPDIR; TAVRIN_KEEP_WORK=1 keeps the
// folder with both working files and names it on stderr.
void TestExternalTool::keptWorkingFolderHoldsTheFiles()
{
    qputenv("TMPDIR", QFile::encodeName(m_dir->path()));
    qputenv("TAVRIN_KEEP_WORK", "1");
    ExternalTool tool;
    QByteArray packed;
    const bool packedOk = tool.pack("kept image", packed);
    qunsetenv("TAVRIN_KEEP_WORK");
    qunsetenv("TMPDIR");
    QVERIFY2(packedOk, qPrintable(tool.errorString()));
    QCOMPARE(tool.toolPath(), QCoreApplication::applicationDirPath() + "/tavrin-lzma");

    const QStringList folders = workingFolders(*m_dir);
    QCOMPARE(folders.size(), 1);
    const QDir kept(m_dir->filePath(folders[0]));
    QCOMPARE(readAll(kept.filePath(ExternalTool::unpackedName())), QByteArray("kept image"));
    QCOMPARE(readAll(kept.filePath(ExternalTool::packedName())), packed);
}

void TestExternalTool::failures_data()
{
    QTest::addColumn<QString>("script"); // empty: no tool at all
    QTest::addColumn<bool>("workDirExists");
    QTest::addColumn<int>("status");

    QTest::newRow("missing tool") << QString() << true << int(ExternalTool::ToolNotStarted);
    QTest::newRow("failing tool") << "echo broken >&2; exit 3" << true << int(ExternalTool::ToolFailed);
    QTest::newRow("crashing tool") << "kill -SEGV $$" << true << int(ExternalTool::ToolFailed);
    QTest::newRow("failing tool with output") << "echo half > \"$3\"; exit 1" << true
                                              << int(ExternalTool::ToolFailed);
    QTest::newRow("silent tool") << "exit 0" << true << int(ExternalTool::OutputMissing);
    QTest::newRow("working folder missing") << "cp \"$2\" \"$3\"" << false
                                            << int(ExternalTool::InputNotWritten);
}

void TestExternalTool::failures()
{
    QFETCH(QString, script);
    QFETCH(bool, workDirExists);
    QFETCH(int, status);

    const QString toolPath = script.isEmpty() ? m_dir->filePath("no-such-tool")
                                              : writeScript(*m_dir, "tool", script.toUtf8());
    const QString workDir = workDirExists ? m_dir->path() : m_dir->filePath("missing");
    ExternalTool tool(toolPath, workDir, 5000);

    QByteArray out("untouched");
    QVERIFY(!tool.unpack("packed", out));
    QCOMPARE(int(tool.lastStatus()), status);
    QVERIFY(out.isEmpty());

    out = "untouched";
    QVERIFY(!tool.pack("image", out));
    QCOMPARE(int(tool.lastStatus()), status);
    QVERIFY(out.isEmpty());
    QVERIFY(!tool.errorString().isEmpty());
    // Not even the output of a tool that failed after writing it is kept.
    QVERIFY(workingFolders(*m_dir).isEmpty());
}

void TestExternalTool::oversizedOutputIsRefused()
{
    // 4 KiB of zeros packs into a few bytes; with a 1 KiB limit it must not be read.
    ExternalTool packer(Tool, m_dir->path());
    QByteArray packed;
    QVERIFY(packer.pack(QByteArray(4096, '\0'), packed));

    ExternalTool tool(Tool, m_dir->path(), 5000, 1024);
    QByteArray image("untouched");
    QVERIFY(!tool.unpack(packed, image));
    QCOMPARE(tool.lastStatus(), ExternalTool::OutputTooLarge);
    QVERIFY(image.isEmpty());
    QVERIFY(ExternalTool(Tool, m_dir->path(), 5000, 4096).unpack(packed, image));
    QCOMPARE(image.size(), 4096);
}

void TestExternalTool::hangingToolIsKilled()
{
    const QString pidFile = m_dir->filePath("pid");
    // Writes its output, then hangs: the output of a killed run is not used.
    const QString script = writeScript(*m_dir, "tool",
                                       "echo $$ > '" + pidFile.toUtf8()
                                           + "'; echo partial > \"$3\"; exec sleep 30");
    ExternalTool tool(script, m_dir->path(), 300);

    QByteArray image;
    QVERIFY(!tool.unpack("packed", image));
    QCOMPARE(tool.lastStatus(), ExternalTool::TimedOut);
    QVERIFY(image.isEmpty());
    QVERIFY(workingFolders(*m_dir).isEmpty());

    bool ok = false;
    const pid_t pid = pid_t(readAll(pidFile).trimmed().toInt(&ok));
    QVERIFY(ok && pid > 0);
    // Killed and reaped: the process no longer exists.
    QCOMPARE(::kill(pid, 0), -1);
    QCOMPARE(errno, ESRCH);
}

QTEST_GUILESS_MAIN(TestExternalTool)
#include "test_externaltool.moc"
