#include "tavrinclifixture.h"

#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QtTest>

TavrinCliFixture::Run TavrinCliFixture::cli(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(TAVRIN_BIN_DIR "/tavrin-cli"), args);
    Run r;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

QString TavrinCliFixture::writeFile(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return QString();
    return path;
}

QJsonObject TavrinCliFixture::exportJson(const QString &file)
{
    const Run r = cli({QStringLiteral("export"), file});
    if (r.exitCode != 0)
        qWarning() << r.err;
    return QJsonDocument::fromJson(r.out).object();
}

void TavrinCliFixture::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY2(QFile::exists(m_golden), "tests/data/golden.udf is missing: run scripts/make-golden");
}
