// The tool runner with the real lzma tool and with stand-in scripts that
// fail, stay silent or hang.

#include "externaltool.h"

#include <QtTest>

#include <csignal>
#include <cerrno>

using ostrel::ExternalTool;

namespace {

const QString Tool = QStringLiteral(TAVRIN_BIN_DIR "/lzma");

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

} // namespace

class TestExternalTool : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void packAndUnpackAreInverse_data();
    void packAndUnpackAreInverse();
    void workingFilesLiveInTheProgramFolder();
    void failures_data();
    void failures();
    void oversizedOutputIsRefused();
    void staleOutputIsNotTaken();
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
    // The working files stay behind, as the receiver's tools expect.
    QCOMPARE(readAll(tool.unpackedPath()), data);
    QCOMPARE(readAll(tool.packedPath()), packed);

    QByteArray unpacked;
    QVERIFY(tool.unpack(packed, unpacked));
    QCOMPARE(unpacked, data);
}

void TestExternalTool::workingFilesLiveInTheProgramFolder()
{
    const ExternalTool tool;
    const QString folder = QCoreApplication::applicationDirPath();
    QCOMPARE(tool.workDir(), folder);
    QCOMPARE(tool.packedPath(), folder + "/preset.7z");
    QCOMPARE(tool.unpackedPath(), folder + "/preset");
}

void TestExternalTool::failures_data()
{
    QTest::addColumn<QString>("script");  // empty: no tool at all
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

void TestExternalTool::staleOutputIsNotTaken()
{
    // A preset left by an earlier run must not pass for the output of a tool
    // that wrote nothing this time.
    ExternalTool tool(writeScript(*m_dir, "tool", "exit 0"), m_dir->path());
    QFile stale(tool.unpackedPath());
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write("stale preset");
    stale.close();

    QByteArray image;
    QVERIFY(!tool.unpack("packed", image));
    QCOMPARE(tool.lastStatus(), ExternalTool::OutputMissing);
    QVERIFY(!QFile::exists(tool.unpackedPath()));
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
    QVERIFY(!QFile::exists(tool.unpackedPath()));

    bool ok = false;
    const pid_t pid = pid_t(readAll(pidFile).trimmed().toInt(&ok));
    QVERIFY(ok && pid > 0);
    // Killed and reaped: the process no longer exists.
    QCOMPARE(::kill(pid, 0), -1);
    QCOMPARE(errno, ESRCH);
}

QTEST_GUILESS_MAIN(TestExternalTool)
#include "test_externaltool.moc"
