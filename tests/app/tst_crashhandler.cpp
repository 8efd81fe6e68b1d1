#include "crashhandler.h"

#include <QDateTime>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstring>

namespace {

QString nameFor(qint64 localSeconds, int millisecond)
{
    char buf[256];
    if (!crashDumpFileName(crashTimeFromLocalSeconds(localSeconds, millisecond), buf, sizeof buf))
        return QString();
    return QString::fromLatin1(buf);
}

qint64 utcSeconds(int y, int mo, int d, int h, int mi, int s)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC).toSecsSinceEpoch();
}

} // namespace

class TestCrashHandler : public QObject
{
    Q_OBJECT

private slots:
    void fileName_data();
    void fileName();
    void everyDayMatchesTheCalendar();
    void shortBufferIsRefused();
    void childDies_data();
    void childDies();
};

void TestCrashHandler::fileName_data()
{
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<int>("millisecond");
    QTest::addColumn<QString>("expected");

    QTest::newRow("morning") << utcSeconds(2015, 1, 2, 9, 5, 3) << 7
                             << "Tavrin_Crash_2015_01_02_09_05_03_007.dmp";
    QTest::newRow("epoch") << qint64(0) << 0 << "Tavrin_Crash_1970_01_01_00_00_00_000.dmp";
    QTest::newRow("leap-day") << utcSeconds(2000, 2, 29, 23, 59, 59) << 999
                              << "Tavrin_Crash_2000_02_29_23_59_59_999.dmp";
    QTest::newRow("no-leap-century") << utcSeconds(2100, 3, 1, 0, 0, 0) << 10
                                     << "Tavrin_Crash_2100_03_01_00_00_00_010.dmp";
    QTest::newRow("last-day-of-leap-year") << utcSeconds(2016, 12, 31, 12, 30, 45) << 120
                                           << "Tavrin_Crash_2016_12_31_12_30_45_120.dmp";
    QTest::newRow("before-epoch") << qint64(-1) << 500 << "Tavrin_Crash_1969_12_31_23_59_59_500.dmp";
}

void TestCrashHandler::fileName()
{
    QFETCH(qint64, seconds);
    QFETCH(int, millisecond);
    QFETCH(QString, expected);
    QCOMPARE(nameFor(seconds, millisecond), expected);
}

void TestCrashHandler::everyDayMatchesTheCalendar()
{
    // Noon of every day from 1901 to 2199 against Qt's own calendar.
    const QDate first(1901, 1, 1);
    for (QDate day = first; day.year() < 2200; day = day.addDays(1)) {
        const qint64 seconds = QDateTime(day, QTime(12, 0), Qt::UTC).toSecsSinceEpoch();
        const CrashTime t = crashTimeFromLocalSeconds(seconds, 0);
        if (t.year != day.year() || t.month != day.month() || t.day != day.day() || t.hour != 12)
            QFAIL(qPrintable(QStringLiteral("%1 came out as %2-%3-%4 %5h")
                                 .arg(day.toString(Qt::ISODate))
                                 .arg(t.year)
                                 .arg(t.month)
                                 .arg(t.day)
                                 .arg(t.hour)));
    }
}

void TestCrashHandler::shortBufferIsRefused()
{
    char buf[20];
    std::memset(buf, 'x', sizeof buf);
    QVERIFY(!crashDumpFileName(crashTimeFromLocalSeconds(0, 0), buf, sizeof buf));
    QCOMPARE(buf[sizeof buf - 1], 'x');
}

void TestCrashHandler::childDies_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("signal");
    QTest::addColumn<QString>("reportLine");

    QTest::newRow("segv") << "segv" << int(SIGSEGV) << "Signal: 11 (SIGSEGV)";
    QTest::newRow("abort") << "abort" << int(SIGABRT) << "Signal: 6 (SIGABRT)";
    QTest::newRow("fpe") << "fpe" << int(SIGFPE) << "Signal: 8 (SIGFPE)";
    QTest::newRow("ill") << "ill" << int(SIGILL) << "Signal: 4 (SIGILL)";
    QTest::newRow("bus") << "bus" << int(SIGBUS) << "Signal: 7 (SIGBUS)";
    QTest::newRow("terminate") << "terminate" << int(SIGABRT) << "Reason: std::terminate";
    QTest::newRow("stack-overflow") << "overflow" << int(SIGSEGV) << "Signal: 11 (SIGSEGV)";
}

void TestCrashHandler::childDies()
{
    QFETCH(QString, mode);
    QFETCH(int, signal);
    QFETCH(QString, reportLine);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QProcess child;
    child.setWorkingDirectory(dir.path());
    // Five and a half hours east of UTC: a dump named in UTC would be caught.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TZ"), QStringLiteral("XYZ-05:30"));
    child.setProcessEnvironment(env);

    const QDateTime before = QDateTime::currentDateTimeUtc().addMSecs(-1);
    child.start(QStringLiteral(CRASHPROBE_PATH), {mode});
    QVERIFY(child.waitForFinished(30000));
    const QDateTime after = QDateTime::currentDateTimeUtc().addMSecs(1);

    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 128 + signal);
    QVERIFY(QString::fromLocal8Bit(child.readAllStandardError()).contains(QLatin1String("*** Unhandled Exception! ***\n")));

    const QStringList dumps = QDir(dir.path()).entryList(QDir::Files);
    QCOMPARE(dumps.size(), 1);
    const QRegularExpression pattern(
        QStringLiteral("^Tavrin_Crash_(\\d{4})_(\\d{2})_(\\d{2})_(\\d{2})_(\\d{2})_(\\d{2})_(\\d{3})\\.dmp$"));
    const QRegularExpressionMatch m = pattern.match(dumps.first());
    QVERIFY2(m.hasMatch(), qPrintable(dumps.first()));
    auto part = [&m](int i) { return m.captured(i).toInt(); };
    const QDateTime named(QDate(part(1), part(2), part(3)), QTime(part(4), part(5), part(6), part(7)),
                          Qt::OffsetFromUTC, 5 * 3600 + 30 * 60);
    QVERIFY2(named >= before && named <= after, qPrintable(dumps.first()));

    QFile dump(dir.filePath(dumps.first()));
    QVERIFY(dump.open(QIODevice::ReadOnly));
    const QString report = QString::fromLocal8Bit(dump.readAll());
    QVERIFY2(report.startsWith(QLatin1String("*** Unhandled Exception! ***\n")), qPrintable(report));
    QVERIFY2(report.contains(reportLine), qPrintable(report));
    QVERIFY2(report.contains(QStringLiteral("Time: %1-%2-%3").arg(m.captured(1), m.captured(2), m.captured(3))),
             qPrintable(report));
    // At least one frame line after the heading, naming the probe.
    const QString frames = report.section(QStringLiteral("Backtrace:\n"), 1);
    QVERIFY2(frames.contains(QLatin1String("crashprobe")), qPrintable(report));
}

QTEST_GUILESS_MAIN(TestCrashHandler)
#include "tst_crashhandler.moc"
