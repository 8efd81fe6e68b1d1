#include "databasecounts.h"
#include "recordconversion.h"

#include <QtTest>

// A list as its records "id:parent", separated by spaces.
using Records = QString;

class TestDatabaseCounts : public QObject
{
    Q_OBJECT

private slots:
    void countsWhatTheBuildKeeps_data();
    void countsWhatTheBuildKeeps();
};

// Both forms of the same records.
static void fill(ostrel::RecordBlocks &list, ostrel::CompactBuilder &compact, const Records &records)
{
    for (const QString &record : records.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList ids = record.split(QLatin1Char(':'));
        list.append(ids.at(0).toUInt(), ids.at(1).toUInt(), 0);
        compact.beginRecord(ids.at(0).toUInt(), ids.at(1).toUInt(), compact.templateFor(nullptr, 0));
    }
}

void TestDatabaseCounts::countsWhatTheBuildKeeps_data()
{
    QTest::addColumn<Records>("sats");
    QTest::addColumn<Records>("tps");
    QTest::addColumn<Records>("pgs");
    QTest::addColumn<int>("satellites");
    QTest::addColumn<int>("transponders");
    QTest::addColumn<int>("programmes");

    QTest::newRow("all-linked") << "1:0 2:0"
                                << "10:1 11:2"
                                << "100:10 101:10 102:11" << 2 << 2 << 3;
    QTest::newRow("empty") << ""
                           << ""
                           << "" << 0 << 0 << 0;
    QTest::newRow("repeated-satellite") << "1:0 1:0"
                                        << "10:1"
                                        << "100:10" << 1 << 1 << 1;
    QTest::newRow("orphan-tp") << "1:0"
                               << "10:1 11:9"
                               << "100:10 101:11" << 1 << 1 << 1;
    QTest::newRow("repeated-tp-in-one-satellite") << "1:0"
                                                  << "10:1 10:1"
                                                  << "100:10" << 1 << 1 << 1;
    QTest::newRow("one-tp-id-in-two-satellites") << "1:0 2:0"
                                                 << "10:1 10:2"
                                                 << "100:10 101:10" << 2 << 2 << 2;
    QTest::newRow("orphan-programme") << "1:0"
                                      << "10:1"
                                      << "100:10 101:77" << 1 << 1 << 1;
    QTest::newRow("repeated-programme-in-other-tp") << "1:0"
                                                    << "10:1 11:1"
                                                    << "100:10 100:11" << 1 << 2 << 1;
    QTest::newRow("programme-of-orphan-tp") << "1:0"
                                            << "10:5"
                                            << "100:10" << 1 << 0 << 0;
}

// The numbers must be the ones the built database shows, whatever the lists repeat or leave out.
void TestDatabaseCounts::countsWhatTheBuildKeeps()
{
    QFETCH(Records, sats);
    QFETCH(Records, tps);
    QFETCH(Records, pgs);
    QFETCH(int, satellites);
    QFETCH(int, transponders);
    QFETCH(int, programmes);

    ostrel::RecordBlocks satList, tpList, pgList;
    ostrel::CompactBuilder satSet, tpSet, pgSet;
    fill(satList, satSet, sats);
    fill(tpList, tpSet, tps);
    fill(pgList, pgSet, pgs);
    ostrel::CompactReader compact[3];
    QVERIFY(compact[0].open(satSet.head()) && compact[1].open(tpSet.head()) && compact[2].open(pgSet.head()));

    for (const bool fromCompact : {false, true}) {
        const DatabaseCounts counts = fromCompact ? countDatabase(compact[0], compact[1], compact[2])
                                                  : countDatabase(*satList.head(), *tpList.head(), *pgList.head());
        QCOMPARE(counts.satellites, size_t(satellites));
        QCOMPARE(counts.transponders, size_t(transponders));
        QCOMPARE(counts.programmes, size_t(programmes));

        const std::unique_ptr<ChannelDatabase> db = fromCompact
            ? databaseFromCompact(compact[0], compact[1], compact[2])
            : databaseFromRecords(*satList.head(), *tpList.head(), *pgList.head());
        size_t builtTps = 0;
        for (const DB_NS::SatNode *sat : db->sats())
            builtTps += sat->tps().size();
        QCOMPARE(db->sats().size(), counts.satellites);
        QCOMPARE(builtTps, counts.transponders);
        QCOMPARE(db->allPGs().size(), counts.programmes);
    }
}

QTEST_GUILESS_MAIN(TestDatabaseCounts)
#include "tst_databasecounts.moc"
