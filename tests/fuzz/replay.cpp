// Runs every seed and every kept crasher of one harness through it, so the
// inputs that once broke a reader keep being tried in every build.

#include "fuzzharness.h"

#include <QDir>
#include <QFile>
#include <QtTest>

class TestFuzzReplay : public QObject
{
    Q_OBJECT

private slots:
    void seedsPresent();
    void replay_data();
    void replay();
};

namespace {

QFileInfoList inputsIn(const QString &dir)
{
    return QDir(dir).entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

void TestFuzzReplay::seedsPresent()
{
    // An empty or misplaced corpus would make the replay pass on nothing.
    QVERIFY2(!inputsIn(QStringLiteral(FUZZ_CORPUS_DIR)).isEmpty(), FUZZ_CORPUS_DIR);
}

void TestFuzzReplay::replay_data()
{
    QTest::addColumn<QString>("path");
    const std::pair<const char *, QString> folders[] = {
        {"seed", QStringLiteral(FUZZ_CORPUS_DIR)},
        {"regression", QStringLiteral(FUZZ_REGRESSION_DIR)},
    };
    for (const auto &[kind, folder] : folders) {
        for (const QFileInfo &file : inputsIn(folder))
            QTest::addRow("%s/%s", kind, qPrintable(file.fileName())) << file.filePath();
    }
}

void TestFuzzReplay::replay()
{
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
    const QByteArray bytes = file.readAll();
    const char *broken = fuzzOne(reinterpret_cast<const uint8_t *>(bytes.constData()),
                                 size_t(bytes.size()));
    QVERIFY2(!broken, broken);
}

QTEST_GUILESS_MAIN(TestFuzzReplay)
#include "replay.moc"
