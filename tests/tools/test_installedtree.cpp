// cmake --install into a temporary prefix (DESTDIR), then the installed
// tavrin-cli, run by a user who cannot write there, opens every file kind:
// it finds its library, tavrin-lzma and conf/ from its own folder, whatever
// else stands beside it in bin/, and writes nothing under the prefix. Also
// the desktop entry and the MIME types.

#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

// Every file and folder under root with its size and time of change.
QStringList snapshot(const QString &root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        entries << QStringLiteral("%1 %2 %3").arg(info.filePath()).arg(info.size()).arg(info.lastModified().toMSecsSinceEpoch());
    }
    entries.sort();
    return entries;
}

bool setWritable(const QString &root, bool writable)
{
    bool ok = true;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    QStringList paths{root};
    while (it.hasNext())
        paths << it.next();
    for (const QString &path : paths) {
        QFile::Permissions p = QFile::permissions(path);
        p = writable ? p | QFile::WriteOwner : p & ~(QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup | QFile::WriteOther);
        ok = QFile::setPermissions(path, p) && ok;
    }
    return ok;
}

} // namespace

class TestInstalledTree : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void exportFromTheInstalledTree_data();
    void exportFromTheInstalledTree();
    void desktopEntryIsValid();
    void mimeTypesNameTheKinds();

private:
    QTemporaryDir m_root;
    QString m_prefix;
    bool m_switchUser = false;
};

void TestInstalledTree::initTestCase()
{
    QVERIFY(m_root.isValid());
    // Another user must be able to reach the installed tree and the samples.
    const auto open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
        | QFile::ReadOther | QFile::ExeOther;
    QVERIFY(QFile::setPermissions(m_root.path(), open));

    QProcess install;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DESTDIR"), m_root.path());
    install.setProcessEnvironment(env);
    install.start(QStringLiteral(CMAKE_COMMAND), {QStringLiteral("--install"), QStringLiteral(TAVRIN_BUILD_DIR), QStringLiteral("--prefix"), QStringLiteral("/opt/tavrin")});
    QVERIFY(install.waitForFinished(60000));
    QVERIFY2(install.exitCode() == 0, install.readAllStandardError().constData());
    m_prefix = m_root.filePath(QStringLiteral("opt/tavrin"));
    // The editor looks for its translations beside conf/.
    for (const char *language : {"de", "ru"})
        QVERIFY2(QFile::exists(m_prefix + QStringLiteral("/share/tavrin/translations/tavrin_%1.qm").arg(QLatin1String(language))), language);
    // In /usr/bin, xz-utils' lzma stands beside the programs; neither it nor
    // anything else there is theirs.
    for (const char *name : {"lzma", "tavrin-lzma"}) {
        QFile foreign(m_prefix + QStringLiteral("/bin/") + QLatin1String(name));
        QVERIFY(foreign.open(QIODevice::WriteOnly));
        foreign.write("#!/bin/sh\necho \"$0: $1: No such file or directory\" >&2\nexit 1\n");
        foreign.close();
        QVERIFY(foreign.setPermissions(foreign.permissions() | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther));
    }

    const QString samples = m_root.filePath(QStringLiteral("samples"));
    QVERIFY(QDir().mkpath(samples));
    for (const char *name : {"small.udf", "sample.ddf", "factory.abs"})
        QVERIFY(QFile::copy(QStringLiteral(TAVRIN_SOURCE_DIR "/samples/") + QLatin1String(name),
                            samples + QLatin1Char('/') + QLatin1String(name)));

    // Root runs it as nobody; anyone else as themselves, with the tree read-only.
    m_switchUser = ::geteuid() == 0 && !QStandardPaths::findExecutable(QStringLiteral("runuser")).isEmpty();
    if (!m_switchUser)
        QVERIFY(setWritable(m_prefix, false));
}

void TestInstalledTree::cleanupTestCase()
{
    if (!m_prefix.isEmpty())
        setWritable(m_prefix, true);
}

void TestInstalledTree::exportFromTheInstalledTree_data()
{
    QTest::addColumn<QString>("sample");
    QTest::newRow("user-database-dump") << "small.udf";
    QTest::newRow("default-database") << "sample.ddf";
    QTest::newRow("flash-image") << "factory.abs";
}

void TestInstalledTree::exportFromTheInstalledTree()
{
    QFETCH(QString, sample);
    const QStringList before = snapshot(m_prefix);
    QStringList command{m_prefix + QStringLiteral("/bin/tavrin-cli"), QStringLiteral("export"),
                        m_root.filePath(QStringLiteral("samples/") + sample)};
    if (m_switchUser)
        command = QStringList{QStringLiteral("runuser"), QStringLiteral("-u"), QStringLiteral("nobody"), QStringLiteral("--")} + command;

    QProcess cli;
    cli.setWorkingDirectory(m_root.path());
    cli.start(command.takeFirst(), command);
    QVERIFY(cli.waitForFinished(60000));
    QVERIFY2(cli.exitStatus() == QProcess::NormalExit && cli.exitCode() == 0, cli.readAllStandardError().constData());
    const QJsonObject json = QJsonDocument::fromJson(cli.readAllStandardOutput()).object();
    QVERIFY(json.value(QStringLiteral("programmes")).toArray().size() > 0);
    QCOMPARE(snapshot(m_prefix), before);
}

void TestInstalledTree::desktopEntryIsValid()
{
    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    QVERIFY2(!validator.isEmpty(), "desktop-file-validate is missing: scripts/setup installs it");
    QProcess p;
    p.start(validator, {m_prefix + QStringLiteral("/share/applications/tavrin.desktop")});
    QVERIFY(p.waitForFinished());
    const QByteArray said = p.readAllStandardOutput() + p.readAllStandardError();
    QVERIFY2(p.exitCode() == 0 && said.isEmpty(), said.constData());
}

// The installed MIME info, built into a database the way the system does:
// the three kinds by name, and a dump by its magic under any name.
void TestInstalledTree::mimeTypesNameTheKinds()
{
    const QString data = m_root.filePath(QStringLiteral("xdg"));
    QVERIFY(QDir().mkpath(data + QStringLiteral("/mime/packages")));
    QVERIFY(QFile::copy(m_prefix + QStringLiteral("/share/mime/packages/tavrin.xml"), data + QStringLiteral("/mime/packages/tavrin.xml")));
    QCOMPARE(QProcess::execute(QStringLiteral("update-mime-database"), {data + QStringLiteral("/mime")}), 0);
    qputenv("XDG_DATA_DIRS", QFile::encodeName(data) + ":/usr/share");

    QMimeDatabase db;
    const QString samples = m_root.filePath(QStringLiteral("samples/"));
    QCOMPARE(db.mimeTypeForFile(samples + QStringLiteral("small.udf")).name(), QStringLiteral("application/x-tavrin-user-database"));
    QCOMPARE(db.mimeTypeForFile(samples + QStringLiteral("sample.ddf")).name(), QStringLiteral("application/x-tavrin-default-database"));
    QCOMPARE(db.mimeTypeForFile(samples + QStringLiteral("factory.abs")).name(), QStringLiteral("application/x-tavrin-flash-image"));
    const QString renamed = samples + QStringLiteral("channels.bin");
    QVERIFY(QFile::copy(samples + QStringLiteral("small.udf"), renamed));
    QCOMPARE(db.mimeTypeForFile(renamed, QMimeDatabase::MatchContent).name(), QStringLiteral("application/x-tavrin-user-database"));
}

QTEST_GUILESS_MAIN(TestInstalledTree)
#include "test_installedtree.moc"
