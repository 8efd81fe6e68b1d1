#include "benchreport.h"

#include <QtTest>

class TestBenchReport : public QObject
{
    Q_OBJECT

private slots:
    void record_data();
    void record();
    void figureVerdict_data();
    void figureVerdict();
    void addFigureRefuses_data();
    void addFigureRefuses();
    void formatMs_data();
    void formatMs();
    void linesOnePerFigure();
    void memoryDecidesOverall_data();
    void memoryDecidesOverall();
    void nothingRunIsNoPass();
};

void TestBenchReport::record_data()
{
    QTest::addColumn<QString>("run");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<double>("large");
    QTest::addColumn<double>("stress");

    QTest::newRow("large") << "Load/large" << true << 12.5 << -1.0;
    QTest::newRow("stress") << "Load/stress" << true << -1.0 << 12.5;
    QTest::newRow("unknown-size") << "Load/huge" << false << -1.0 << -1.0;
    QTest::newRow("unknown-figure") << "Save/large" << false << -1.0 << -1.0;
    QTest::newRow("no-size") << "Load" << false << -1.0 << -1.0;
    QTest::newRow("empty-figure") << "/large" << false << -1.0 << -1.0;
    QTest::newRow("prefix-of-figure") << "Loa/large" << false << -1.0 << -1.0;
}

void TestBenchReport::record()
{
    QFETCH(QString, run);
    QFETCH(bool, accepted);
    QFETCH(double, large);
    QFETCH(double, stress);

    BenchReport report;
    QVERIFY(report.addFigure(QStringLiteral("Load"), 100));
    QCOMPARE(report.record(run, 12.5), accepted);
    QCOMPARE(report.figures().at(0).largeMs, large);
    QCOMPARE(report.figures().at(0).stressMs, stress);
    QCOMPARE(report.incomplete(), QStringList{QStringLiteral("Load")});
}

void TestBenchReport::figureVerdict_data()
{
    QTest::addColumn<double>("large");
    QTest::addColumn<double>("stress");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<bool>("allPass");

    QTest::newRow("linear") << 50.0 << 250.0 << 5.0 << "pass" << true;
    QTest::newRow("ratio-at-limit") << 10.0 << 60.0 << 6.0 << "pass" << true;
    QTest::newRow("ratio-over-limit") << 10.0 << 60.5 << 6.05 << "FAIL" << false;
    QTest::newRow("target-at-limit") << 100.0 << 100.0 << 1.0 << "pass" << true;
    QTest::newRow("target-missed") << 100.5 << 100.5 << 1.0 << "FAIL" << false;
    QTest::newRow("faster-at-stress") << 8.0 << 4.0 << 0.5 << "pass" << true;
    QTest::newRow("both-untimeable") << 0.0 << 0.0 << 1.0 << "pass" << true;
    QTest::newRow("only-large") << 8.0 << -1.0 << -1.0 << "partial" << true;
    QTest::newRow("only-large-over-target") << 100.5 << -1.0 << -1.0 << "FAIL" << false;
    QTest::newRow("only-stress") << -1.0 << 400.0 << -1.0 << "partial" << true;
}

void TestBenchReport::figureVerdict()
{
    QFETCH(double, large);
    QFETCH(double, stress);
    QFETCH(double, ratio);
    QFETCH(QString, verdict);
    QFETCH(bool, allPass);

    BenchReport report;
    QVERIFY(report.addFigure(QStringLiteral("Save"), 100));
    if (large >= 0)
        QVERIFY(report.record(QStringLiteral("Save/large"), large));
    if (stress >= 0)
        QVERIFY(report.record(QStringLiteral("Save/stress"), stress));
    const BenchFigure &figure = report.figures().at(0);
    QCOMPARE(figure.ratio(), ratio);
    QCOMPARE(figure.verdict(), verdict);
    QCOMPARE(figure.passes(), verdict == QLatin1String("pass"));
    report.setPeakMemoryMiB(100);
    QCOMPARE(report.allPass(), allPass);
    QVERIFY(report.lines().at(2).endsWith(QStringLiteral("| %1 |").arg(verdict)));
}

void TestBenchReport::addFigureRefuses_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("target");

    QTest::newRow("repeated") << "Load" << 50.0;
    QTest::newRow("slash") << "Load/large" << 50.0;
    QTest::newRow("empty") << "" << 50.0;
    QTest::newRow("no-target") << "Save" << 0.0;
}

void TestBenchReport::addFigureRefuses()
{
    QFETCH(QString, name);
    QFETCH(double, target);

    BenchReport report;
    QVERIFY(report.addFigure(QStringLiteral("Load"), 100));
    QVERIFY(!report.addFigure(name, target));
    QCOMPARE(report.figures().size(), 1);
}

void TestBenchReport::formatMs_data()
{
    QTest::addColumn<double>("ms");
    QTest::addColumn<QString>("text");

    QTest::newRow("missing") << -1.0 << "-";
    QTest::newRow("tens") << 87.26 << "87.3";
    QTest::newRow("units") << 7.256 << "7.26";
    QTest::newRow("tenth") << 0.1 << "0.10";
    QTest::newRow("hundredths") << 0.0456 << "0.046";
    QTest::newRow("microseconds") << 0.00123 << "0.0012";
    QTest::newRow("nanoseconds") << 0.0000042 << "0.000004";
    QTest::newRow("zero") << 0.0 << "0.000000";
}

void TestBenchReport::formatMs()
{
    QFETCH(double, ms);
    QFETCH(QString, text);
    QCOMPARE(BenchReport::formatMs(ms), text);
}

void TestBenchReport::linesOnePerFigure()
{
    BenchReport report;
    QVERIFY(report.addFigure(QStringLiteral("Load"), 100));
    QVERIFY(report.addFigure(QStringLiteral("Save"), 100));
    QVERIFY(report.addFigure(QStringLiteral("MovePGUp"), 20));
    QVERIFY(report.record(QStringLiteral("Load/large"), 40));
    QVERIFY(report.record(QStringLiteral("Load/stress"), 210));
    QVERIFY(report.record(QStringLiteral("MovePGUp/large"), 0.002));
    report.setPeakMemoryMiB(612.4);

    // Save was not run (a filter left it out), so it has no line.
    const QStringList lines = report.lines();
    QCOMPARE(lines.size(), 5); // header, rule, two figures, memory
    QCOMPARE(lines.at(2), QStringLiteral("| Load | 40.0 | 210.0 | 5.25 | 100 | pass |"));
    QCOMPARE(lines.at(3), QStringLiteral("| MovePGUp | 0.0020 | - | - | 20 | partial |"));
    QCOMPARE(lines.at(4), QStringLiteral("| peak memory at the stress size (MiB) | | 612 | | 1024 | pass |"));
    QCOMPARE(report.incomplete(), (QStringList{QStringLiteral("Save"), QStringLiteral("MovePGUp")}));
    QVERIFY(report.allPass());
}

void TestBenchReport::memoryDecidesOverall_data()
{
    QTest::addColumn<double>("peak");
    QTest::addColumn<bool>("stressRun");
    QTest::addColumn<bool>("passes");
    QTest::addColumn<QString>("lastLine");

    const QString memory = QStringLiteral("| peak memory at the stress size (MiB) | | %1 | | 1024 | %2 |");
    QTest::newRow("under") << 1023.0 << true << true << memory.arg(QStringLiteral("1023"), QStringLiteral("pass"));
    QTest::newRow("at-limit") << 1024.0 << true << false << memory.arg(QStringLiteral("1024"), QStringLiteral("FAIL"));
    QTest::newRow("unknown") << -1.0 << true << false << memory.arg(QStringLiteral("-"), QStringLiteral("FAIL"));
    // The peak of a run that never held the stress size says nothing of it.
    QTest::newRow("stress-not-run")
        << 2048.0 << false << true << QStringLiteral("| Load | 10.0 | - | - | 100 | partial |");
}

void TestBenchReport::memoryDecidesOverall()
{
    QFETCH(double, peak);
    QFETCH(bool, stressRun);
    QFETCH(bool, passes);
    QFETCH(QString, lastLine);

    BenchReport report;
    QVERIFY(report.addFigure(QStringLiteral("Load"), 100));
    QVERIFY(report.record(QStringLiteral("Load/large"), 10));
    if (stressRun)
        QVERIFY(report.record(QStringLiteral("Load/stress"), 50));
    report.setPeakMemoryMiB(peak);
    QCOMPARE(report.allPass(), passes);
    QCOMPARE(report.lines().last(), lastLine);
}

void TestBenchReport::nothingRunIsNoPass()
{
    BenchReport report;
    QVERIFY(report.addFigure(QStringLiteral("Load"), 100));
    report.setPeakMemoryMiB(100);
    QCOMPARE(report.lines().size(), 2); // header and rule only
    QVERIFY(!report.allPass());
}

QTEST_GUILESS_MAIN(TestBenchReport)
#include "tst_benchreport.moc"
