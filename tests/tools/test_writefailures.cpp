// Every program that writes a file, run as a child process against a write
// that fails: a full disk (a small tmpfs), a file-size limit, a missing
// folder, a folder where the file should be and a refused final rename. Each must report the failure
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
    const char *target;   // file name in the fault folder; empty: working files only
    const char *original; // sample the old file holds; empty: some old bytes
    qint64 fileSizeLimit; // below the size of the first file it writes that matters
    const char *message;  // what it says on failure
    const char *program;
    const char *args; // OUT the old file, BASE what to load first, JSON the original's export
};

const QMap<QString, Writer> &writers()
{
    static const QMap<QString, Writer> all{
        {QStringLiteral("dump"), {"a.udf", "small.udf", 2048, "Save Error!", "tavrin-cli", "import JSON --base BASE -o OUT"}},
        {QStringLiteral("default-database"), {"a.ddf", "sample.ddf", 256, "Save Error!", "tavrin-cli", "import JSON -o OUT"}},
        {QStringLiteral("flash-image"), {"a.abs", "factory.abs", 64 * 1024, "Save Error!", "tavrin-cli", "import JSON --base BASE -o OUT"}},
        {QStringLiteral("cli-json"), {"a.json", "", 1024, "cannot write", "tavrin-cli", "export SAMPLES/small.udf -o OUT"}},
        {QStringLiteral("sample-dump"), {"a.udf", "", 2048, "cannot write", "tavrin-samplegen", "CONFIG small OUT"}},
        {QStringLiteral("sample-image"), {"a.abs", "", 64 * 1024, "cannot write", "tavrin-samplegen-abs", "OUT"}},
        {QStringLiteral("lzma-on-load"), {"", "", 256, "Load Error!", "tavrin-cli", "export SAMPLES/sample.ddf"}},
        {QStringLiteral("lzma-on-save"), {"", "sample.ddf", 256, "Save Error!", "tavrin-cli", "import JSON -o OUT"}},
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
        for (const char *fault : {"full-disk", "file-size-limit", "missing-folder", "target-is-folder", "rename-refused"}) {
            // A run's private working folder is new each time: nothing can be in its way.
            if (!*w->target && (qstrcmp(fault, "target-is-folder") == 0 || qstrcmp(fault, "rename-refused") == 0))
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
    const QString target = QLatin1String(w.target);
    const QString sample = QLatin1String(w.original);

    QTemporaryDir run(m_dir.filePath(QStringLiteral("run-XXXXXX")));
    QVERIFY(run.isValid());
    const QString folder = run.filePath(QStringLiteral("fault")); // where the writes fail
    const QByteArray original = sample.isEmpty() ? QByteArray("the user's old file\n") : readAll(Samples + sample);
    QVERIFY(!original.isEmpty());

    // The old file lives in the fault folder, unless only working files go there.
    const QString oldFile = target.isEmpty() ? run.filePath(QStringLiteral("user.ddf")) : folder + QLatin1Char('/') + target;
    const QString oldName = target;
    if (target.isEmpty())
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
    } else if (fault == QLatin1String("rename-refused")) {
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(writeAll(oldFile, original));
    }
    const bool hasOldFile = QFileInfo(oldFile).isFile();
    const QStringList before = listing(folder);

    // A base is read from the old file where there is one, else from the sample.
    QStringList args = QString::fromLatin1(w.args).split(QLatin1Char(' '));
    for (QString &arg : args) {
        if (arg == QLatin1String("OUT"))
            arg = oldFile;
        else if (arg == QLatin1String("BASE"))
            arg = hasOldFile ? oldFile : Samples + sample;
        else if (arg == QLatin1String("JSON"))
            arg = json(sample);
        else if (arg == QLatin1String("CONFIG"))
            arg = Config;
        else if (arg.startsWith(QLatin1String("SAMPLES/")))
            arg = Samples + arg.mid(8);
    }

    // The lzma tool's working folders go to the fault folder only where that is the point.
    const QString workRoot = target.isEmpty() ? folder : run.path();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), workRoot);
    if (fault == QLatin1String("rename-refused")) {
        env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(FAIL_RENAME_SHIM));
        env.insert(QStringLiteral("TAVRIN_TEST_FAIL_RENAME"), target);
        // A sanitizer build would otherwise refuse a library loaded before its own.
        env.insert(QStringLiteral("ASAN_OPTIONS"), env.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":verify_asan_link_order=0"));
    }
    child.setProcessEnvironment(env);
    child.start(Bin + QLatin1Char('/') + QLatin1String(w.program), args);
    QVERIFY(child.waitForFinished(60000));
    const QString err = QString::fromLocal8Bit(child.readAllStandardError());

    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QVERIFY2(child.exitCode() == 1, qPrintable(err));
    QVERIFY2(err.contains(QLatin1String(w.message)), qPrintable(err));
    const QMap<QString, QString> reasons{{QStringLiteral("full-disk"), QStringLiteral("No space left on device")},
                                         {QStringLiteral("file-size-limit"), QStringLiteral("File too large")},
                                         {QStringLiteral("missing-folder"), QStringLiteral("No such file or directory")},
                                         {QStringLiteral("target-is-folder"), QStringLiteral("Is a directory")},
                                         {QStringLiteral("rename-refused"), QStringLiteral("Permission denied")}};
    QVERIFY2(err.contains(reasons.value(fault)), qPrintable(err));

    if (hasOldFile || target.isEmpty())
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
