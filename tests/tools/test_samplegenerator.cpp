// The generator makes the samples, golden files and benchmark databases, so
// what it writes must load back as exactly what it meant to write.

#include "samplegenerator.h"
#include "userdbdump.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestSampleGenerator : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void dumpLoadsWithTheGeneratedCounts_data();
    void dumpLoadsWithTheGeneratedCounts();
    void sameSeedSameBytes();
    void smallSampleHasWhatUsersMeet();
    void helpPrintsUsage_data();
    void helpPrintsUsage();

private:
    ostrel::ParserConfig m_config;
};

void TestSampleGenerator::initTestCase()
{
    QString error;
    QVERIFY2(ostrel::readConfigFile(QStringLiteral(TAVRIN_SOURCE_DIR "/conf/tavrin_ostrel_config.xml"), m_config, &error),
             qPrintable(error));
}

void TestSampleGenerator::dumpLoadsWithTheGeneratedCounts_data()
{
    QTest::addColumn<int>("sats");
    QTest::addColumn<int>("tps");
    QTest::addColumn<int>("pgs");
    QTest::newRow("small") << 4 << 16 << 60;
    QTest::newRow("one-of-each") << 1 << 1 << 1;
    QTest::newRow("empty") << 0 << 0 << 0;
    QTest::newRow("thousands") << 50 << 1500 << 5000;
    QTest::newRow("large") << SampleSize::large().satellites << 300 << 1000;
    QTest::newRow("stress") << SampleSize::stress().satellites << 300 << 1000;
    // More satellites than the configuration allows is refused, not written.
    QTest::newRow("over-the-limit") << 65 << 65 << 65;
}

void TestSampleGenerator::dumpLoadsWithTheGeneratedCounts()
{
    QFETCH(int, sats);
    QFETCH(int, tps);
    QFETCH(int, pgs);
    SampleSize size;
    size.satellites = sats;
    size.transponders = tps;
    size.programmes = pgs;
    QString error;
    const QByteArray dump = generateUserDump(m_config, size, &error);
    if (sats > m_config.satMaxNum) {
        QVERIFY(dump.isNull());
        QCOMPARE(error, QStringLiteral("the configuration allows at most 64 satellites"));
        return;
    }
    QVERIFY2(!dump.isNull(), qPrintable(error));

    ostrel::LoadedDatabase db;
    ostrel::UserDumpExtras extras;
    QVERIFY2(ostrel::readUserDump(dump, m_config, db, extras, &error), qPrintable(error));
    QCOMPARE(db.satellites.size(), sats);
    QCOMPARE(db.transponders.size(), tps);
    QCOMPARE(db.programmes.size(), pgs);
    QVERIFY(extras.hasTrailingBlock);
}

void TestSampleGenerator::sameSeedSameBytes()
{
    QString error;
    const QByteArray a = generateUserDump(m_config, SampleSize::small(), &error);
    const QByteArray b = generateUserDump(m_config, SampleSize::small(), &error);
    QVERIFY(!a.isEmpty());
    QCOMPARE(a, b);
    SampleSize other = SampleSize::small();
    other.seed = 99;
    QVERIFY(generateUserDump(m_config, other, &error) != a);
}

void TestSampleGenerator::smallSampleHasWhatUsersMeet()
{
    QString error;
    const QByteArray dump = generateUserDump(m_config, SampleSize::small(), &error);
    ostrel::LoadedDatabase db;
    ostrel::UserDumpExtras extras;
    QVERIFY2(ostrel::readUserDump(dump, m_config, db, extras, &error), qPrintable(error));

    QCOMPARE(extras.favouriteNames.mid(0, 5),
             QStringList({QStringLiteral("News"), QStringLiteral("Sport"), QStringLiteral("Movies"),
                          QStringLiteral("Music"), QStringLiteral("Kids")}));
    bool nonLatin = false, radio = false;
    RecordList *pgs = db.programmes.head();
    for (uint32_t i = 0; i < pgs->count; ++i) {
        const QString name = ostrel::fieldText(*pgs->records[i], QStringLiteral("NAME"));
        nonLatin |= name.contains(QStringLiteral("Первый канал"));
        radio |= ostrel::fieldText(*pgs->records[i], QStringLiteral("V_PID")) == QLatin1String("0");
    }
    QVERIFY(nonLatin);
    QVERIFY(radio);
}

void TestSampleGenerator::helpPrintsUsage_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("option");
    for (const char *program : {"tavrin-samplegen", "tavrin-samplegen-abs"}) {
        for (const char *option : {"--help", "-h"})
            QTest::addRow("%s %s", program, option) << QString::fromLatin1(program) << QString::fromLatin1(option);
    }
}

// Asking for help must not be taken for the name of the file to write.
void TestSampleGenerator::helpPrintsUsage()
{
    QFETCH(QString, program);
    QFETCH(QString, option);
    QTemporaryDir dir;
    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.start(QStringLiteral(TAVRIN_BIN_DIR "/") + program, {option});
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 0);
    QVERIFY(process.readAllStandardOutput().startsWith("usage: " + program.toUtf8() + ' '));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
}

QTEST_GUILESS_MAIN(TestSampleGenerator)
#include "test_samplegenerator.moc"
