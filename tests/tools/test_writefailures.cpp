// Every program that writes a file, run as a child process against a write
// that fails: a full disk (a small tmpfs), a file-size limit, a missing
// folder and a folder where the file should be. Each must report the failure
// with the system's reason, keep the old file byte for byte and leave no
// temporary or working file behind. Also a save killed halfway.

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

#include <sys/resource.h>

namespace {

const QString Bin = QStringLiteral(TAVRIN_BIN_DIR);
const QString Samples = QStringLiteral(TAVRIN_SOURCE_DIR "/samples/");
const QString Config = QStringLiteral(TAVRIN_SOURCE_DIR "/conf/tavrin_ostrel_config.xml");

// A child with RLIMIT_FSIZE set and SIGXFSZ ignored, so that a write past the
// limit fails with EFBIG instead of killing the program.
class LimitedProcess : public QProcess
{
public:
    qint64 fileSizeLimit = -1;

protected:
    void setupChildProcess() override
    {
        if (fileSizeLimit < 0)
            return;
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{rlim_t(fileSizeLimit), rlim_t(fileSizeLimit)};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
};

// One program that writes. With no target the fault folder is its working
// folder (TMPDIR), and the user's file, if any, lies elsewhere.
struct Writer
{
    QString target;       // file name in the fault folder; empty: working files only
    QString original;     // sample the old file holds; empty: some old bytes
    qint64 fileSizeLimit; // below the size of the first file it writes that matters
    QString message;      // what it says on failure
};

const QMap<QString, Writer> &writers()
{
    static const QMap<QString, Writer> all{
        {QStringLiteral("dump"), {QStringLiteral("a.udf"), QStringLiteral("small.udf"), 2048, QStringLiteral("Save Error!")}},
        {QStringLiteral("default-database"), {QStringLiteral("a.ddf"), QStringLiteral("sample.ddf"), 256, QStringLiteral("Save Error!")}},
        {QStringLiteral("flash-image"), {QStringLiteral("a.abs"), QStringLiteral("factory.abs"), 64 * 1024, QStringLiteral("Save Error!")}},
        {QStringLiteral("cli-json"), {QStringLiteral("a.json"), QString(), 1024, QStringLiteral("cannot write")}},
        {QStringLiteral("sample-dump"), {QStringLiteral("a.udf"), QString(), 2048, QStringLiteral("cannot write")}},
        {QStringLiteral("sample-image"), {QStringLiteral("a.abs"), QString(), 64 * 1024, QStringLiteral("cannot write")}},
        {QStringLiteral("lzma-on-load"), {QString(), QString(), 256, QStringLiteral("Load Error!")}},
        {QStringLiteral("lzma-on-save"), {QString(), QStringLiteral("sample.ddf"), 256, QStringLiteral("Save Error!")}},
    };
    return all;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

QStringList listing(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

// A tmpfs with room for the old file and a little more, filled to the last
// byte; unmounted when it goes out of scope.
class FullDisk
{
public:
    bool mount(const QString &folder, const QByteArray &original, const QString &name)
    {
        if (!QDir().mkpath(folder))
            return false;
        const qint64 size = (original.size() + 64 * 1024 + 4095) / 4096 * 4096;
        if (QProcess::execute(QStringLiteral("mount"),
                              {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                               QStringLiteral("size=%1").arg(size), QStringLiteral("tmpfs"), folder})
            != 0)
            return false;
        m_folder = folder;
        if (!name.isEmpty() && !writeAll(folder + QLatin1Char('/') + name, original))
            return false;
        QFile filler(folder + QStringLiteral("/filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {
        }
        return true;
    }
    ~FullDisk()
    {
        if (!m_folder.isEmpty())
            QProcess::execute(QStringLiteral("umount"), {m_folder});
    }

private:
    QString m_folder;
};

} // namespace

class TestWriteFailures : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void failedWriteKeepsTheOldFile_data();
    void failedWriteKeepsTheOldFile();
    void killedSaveKeepsTheOldFile();

private:
    QString json(const QString &sample) const { return m_dir.filePath(sample + QStringLiteral(".json")); }

    QTemporaryDir m_dir;
};

void TestWriteFailures::initTestCase()
{
    QVERIFY(m_dir.isValid());
    for (const QString &sample : {QStringLiteral("small.udf"), QStringLiteral("sample.ddf"), QStringLiteral("factory.abs")}) {
        const int rc = QProcess::execute(Bin + QStringLiteral("/tavrin-cli"),
                                         {QStringLiteral("export"), Samples + sample, QStringLiteral("-o"), json(sample)});
        QCOMPARE(rc, 0);
    }
}


void TestWriteFailures::failedWriteKeepsTheOldFile_data()
{
    QTest::addColumn<QString>("writer");
    QTest::addColumn<QString>("fault");
    for (auto w = writers().cbegin(); w != writers().cend(); ++w) {
        for (const char *fault : {"full-disk", "file-size-limit", "missing-folder", "target-is-folder"}) {
            // A run's private working folder is new each time: nothing can be in its way.
            if (w->target.isEmpty() && qstrcmp(fault, "target-is-folder") == 0)
                continue;
            QTest::newRow(qPrintable(w.key() + QLatin1Char('/') + QLatin1String(fault))) << w.key() << QString::fromLatin1(fault);
        }
    }
}

void TestWriteFailures::failedWriteKeepsTheOldFile()
{
    QFETCH(QString, writer);
    QFETCH(QString, fault);
    const Writer w = writers().value(writer);

    QTemporaryDir run(m_dir.filePath(QStringLiteral("run-XXXXXX")));
    QVERIFY(run.isValid());
    const QString folder = run.filePath(QStringLiteral("fault"));  // where the writes fail
    const QByteArray original = w.original.isEmpty() ? QByteArray("the user's old file\n") : readAll(Samples + w.original);
    QVERIFY(!original.isEmpty());

    // The old file lives in the fault folder, unless only working files go there.
    const QString oldFile = w.target.isEmpty() ? run.filePath(QStringLiteral("user.ddf")) : folder + QLatin1Char('/') + w.target;
    const QString oldName = w.target.isEmpty() ? QString() : w.target;
    if (w.target.isEmpty())
        QVERIFY(writeAll(oldFile, original));

    LimitedProcess child;
    FullDisk disk;
    if (fault == QLatin1String("full-disk")) {
        if (!disk.mount(folder, original, oldName))
            QSKIP("mount -t tmpfs was refused (it needs root): the full-disk case is not run here");
    } else if (fault == QLatin1String("file-size-limit")) {
        QVERIFY(QDir().mkpath(folder));
        if (!oldName.isEmpty())
            QVERIFY(writeAll(oldFile, original));
        child.fileSizeLimit = w.fileSizeLimit;
    } else if (fault == QLatin1String("target-is-folder")) {
        QVERIFY(QDir().mkpath(oldFile));
    }
    const bool hasOldFile = QFileInfo(oldFile).isFile();
    const QStringList before = listing(folder);

    // A base is read from the old file where there is one, else from the sample.
    const QString base = hasOldFile ? oldFile : Samples + w.original;
    QString program = Bin + QStringLiteral("/tavrin-cli");
    QStringList args;
    if (writer == QLatin1String("dump") || writer == QLatin1String("flash-image"))
        args = QStringList{QStringLiteral("import"), json(w.original), QStringLiteral("--base"), base, QStringLiteral("-o"), oldFile};
    else if (writer == QLatin1String("default-database") || writer == QLatin1String("lzma-on-save"))
        args = QStringList{QStringLiteral("import"), json(QStringLiteral("sample.ddf")), QStringLiteral("-o"), oldFile};
    else if (writer == QLatin1String("cli-json"))
        args = QStringList{QStringLiteral("export"), Samples + QStringLiteral("small.udf"), QStringLiteral("-o"), oldFile};
    else if (writer == QLatin1String("lzma-on-load"))
        args = QStringList{QStringLiteral("export"), Samples + QStringLiteral("sample.ddf")};
    else if (writer == QLatin1String("sample-dump")) {
        program = Bin + QStringLiteral("/tavrin-samplegen");
        args = QStringList{Config, QStringLiteral("small"), oldFile};
    } else if (writer == QLatin1String("sample-image")) {
        program = Bin + QStringLiteral("/tavrin-samplegen-abs");
        args = QStringList{oldFile};
    }

    // The lzma tool's working folders go to the fault folder only where that is the point.
    const QString workRoot = w.target.isEmpty() ? folder : run.path();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), workRoot);
    child.setProcessEnvironment(env);
    child.start(program, args);
    QVERIFY(child.waitForFinished(60000));
    const QString err = QString::fromLocal8Bit(child.readAllStandardError());

    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QVERIFY2(child.exitCode() == 1, qPrintable(err));
    QVERIFY2(err.contains(w.message), qPrintable(err));
    const QMap<QString, QString> reasons{{QStringLiteral("full-disk"), QStringLiteral("No space left on device")},
                                         {QStringLiteral("file-size-limit"), QStringLiteral("File too large")},
                                         {QStringLiteral("missing-folder"), QStringLiteral("No such file or directory")},
                                         {QStringLiteral("target-is-folder"), QStringLiteral("Is a directory")}};
    QVERIFY2(err.contains(reasons.value(fault)), qPrintable(err));

    if (hasOldFile || w.target.isEmpty())
        QCOMPARE(readAll(oldFile), original);
    // Nothing new in the folder: no temporary file, no working folder.
    QCOMPARE(listing(folder), before);
    QCOMPARE(QFileInfo::exists(folder), fault != QLatin1String("missing-folder"));
    if (fault == QLatin1String("target-is-folder"))
        QVERIFY(listing(oldFile).isEmpty());
}

// A save killed halfway through a stress-size dump: the old file is whole.
void TestWriteFailures::killedSaveKeepsTheOldFile()
{
    const QString dump = m_dir.filePath(QStringLiteral("stress.udf"));
    const QString stressJson = m_dir.filePath(QStringLiteral("stress.json"));
    QCOMPARE(QProcess::execute(Bin + QStringLiteral("/tavrin-samplegen"), {Config, QStringLiteral("stress"), dump}), 0);
    QCOMPARE(QProcess::execute(Bin + QStringLiteral("/tavrin-cli"), {QStringLiteral("export"), dump, QStringLiteral("-o"), stressJson}), 0);
    const QByteArray original = readAll(dump);
    QVERIFY(original.size() > 1024 * 1024);
    const QStringList before = listing(m_dir.path());

    // Test builds stop a save halfway when asked and wait to be killed.
    const QString marker = m_dir.filePath(QStringLiteral("stalled"));
    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TAVRIN_TEST_STALL_SAVE"), marker);
    cli.setProcessEnvironment(env);
    cli.start(Bin + QStringLiteral("/tavrin-cli"),
              {QStringLiteral("import"), stressJson, QStringLiteral("--base"), dump, QStringLiteral("-o"), dump});
    QVERIFY(cli.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), 90000);
    ::kill(pid_t(cli.processId()), SIGKILL);
    QVERIFY(cli.waitForFinished());
    QCOMPARE(cli.exitStatus(), QProcess::CrashExit);

    QCOMPARE(readAll(dump), original);
    // Where the file system has no unnamed temporary files, the killed save's
    // own temporary file stays; nothing else may appear.
    QStringList left = listing(m_dir.path());
    left.removeOne(QStringLiteral("stalled"));
    for (const QString &name : before)
        left.removeOne(name);
    for (const QString &name : left)
        QVERIFY2(name.startsWith(QStringLiteral("stress.udf.")), qPrintable(name));
}

QTEST_GUILESS_MAIN(TestWriteFailures)
#include "test_writefailures.moc"
