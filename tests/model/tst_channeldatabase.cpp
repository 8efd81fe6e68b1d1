#include "channeldatabase.h"
#include "modelcheck.h"

#include <QtTest>

#include <memory>
#include <vector>

using namespace DB_NS;
using Ids = QList<quint32>;

namespace {

// Nodes that count how many of them are alive, to see what is freed.
template<typename Base>
struct Counted : Base
{
    Counted(quint32 id, quint32 parentId)
        : Base(id)
    {
        Base::setParentId(parentId);
        ++alive;
    }
    ~Counted() override { --alive; }
    static inline int alive = 0;
};
using CSat = Counted<SatNode>;
using CTP = Counted<TPNode>;
using CPG = Counted<PGNode>;

struct Records
{
    QList<quint32> sats;
    QList<QPair<quint32, quint32>> tps; // id, parent id
    QList<QPair<quint32, quint32>> pgs;
};

std::unique_ptr<ChannelDatabase> make(const Records &r)
{
    std::vector<std::unique_ptr<SatNode>> sats;
    std::vector<std::unique_ptr<TPNode>> tps;
    std::vector<std::unique_ptr<PGNode>> pgs;
    for (quint32 id : r.sats)
        sats.push_back(std::make_unique<CSat>(id, 0));
    for (const auto &tp : r.tps)
        tps.push_back(std::make_unique<CTP>(tp.first, tp.second));
    for (const auto &pg : r.pgs)
        pgs.push_back(std::make_unique<CPG>(pg.first, pg.second));
    return ChannelDatabase::build(std::move(sats), std::move(tps), std::move(pgs));
}

// sat 1: TP 10 {100, 101}, TP 11 {102}; sat 2: TP 20 {200, 201}.
// Record order interleaves the satellites in the flat list.
std::unique_ptr<ChannelDatabase> standard()
{
    return make({{1, 2},
                 {{10, 1}, {11, 1}, {20, 2}},
                 {{100, 10}, {200, 20}, {101, 10}, {102, 11}, {201, 20}}});
}

// Every programme list, one after the other, to compare two databases' orders.
Ids orderOf(const ChannelDatabase &db)
{
    Ids ids = idsOf(db.allPGs());
    for (const SatNode *sat : db.sats()) {
        ids << NoId << idsOf(sat->allPGs());
        for (const TPNode *tp : sat->tps())
            ids << NoId << idsOf(tp->pgs());
    }
    return ids;
}

// Steps of {kind, id, other} on allPGs: 0 before, 1 after, 2 exchange,
// 3 take out, 4 add back after other (NoId: at the end).
void runSteps(ChannelDatabase &db, const QList<Ids> &steps, std::vector<PGNode *> &taken)
{
    for (const Ids &step : steps) {
        switch (step.at(0)) {
        case 0: db.movePGBefore(step.at(1), step.at(2)); break;
        case 1: db.movePGAfter(step.at(1), step.at(2)); break;
        case 2: db.exchangePGs(step.at(1), step.at(2)); break;
        case 3:
            taken.push_back(db.findPG(step.at(1)));
            db.removePGFromAll(step.at(1));
            break;
        case 5:
            db.setAllPGsOrder(QVector<quint32>(step.begin() + 1, step.end()));
            break;
        default:
            for (PGNode *pg : taken) {
                if (pg->id() == step.at(1))
                    db.addPG(pg, step.at(2), true);
            }
        }
    }
}

} // namespace

class TestChannelDatabase : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void buildKeepsRecordOrder();
    void buildLeavesOutOrphansAndDuplicates();
    void tpAddPG_data();
    void tpAddPG();
    void tpAddPGWithoutSatellite();
    void removePG();
    void removeTPAndSat();
    void detachAndInsertTP();
    void moveTPToOtherSatellite();
    void addTPRefusesClashingProgrammes();
    void newIdsMayBeNoId();
    void satAndTPMoves();
    void dbAddPG_data();
    void dbAddPG();
    void relinkFollowsFlatOrder();
    void relinkAfterMultiMove();
    void relinkKeepsStrayProgramme();
    void reorderRelinksMovedOnly_data();
    void reorderRelinksMovedOnly();
    void renumber();
    void largeDatabase();

private:
    std::unique_ptr<ChannelDatabase> m_db;
};

void TestChannelDatabase::init()
{
    CSat::alive = CTP::alive = CPG::alive = 0;
    m_db = standard();
}

void TestChannelDatabase::cleanup()
{
    m_db.reset();
    QCOMPARE(CSat::alive, 0);
    QCOMPARE(CTP::alive, 0);
    QCOMPARE(CPG::alive, 0);
}

void TestChannelDatabase::buildKeepsRecordOrder()
{
    QCOMPARE(checkModel(*m_db), QString());
    QCOMPARE(idsOf(m_db->sats()), Ids({1, 2}));
    QCOMPARE(idsOf(m_db->allPGs()), Ids({100, 200, 101, 102, 201}));
    SatNode *one = m_db->findSat(1);
    QCOMPARE(idsOf(one->tps()), Ids({10, 11}));
    QCOMPARE(idsOf(one->allPGs()), Ids({100, 101, 102}));
    QCOMPARE(idsOf(one->findTP(10)->pgs()), Ids({100, 101}));
    QCOMPARE(idsOf(m_db->findSat(2)->allPGs()), Ids({200, 201}));
    QCOMPARE(m_db->findPG(102)->parent(), one->findTP(11));
    QCOMPARE(m_db->findPG(102)->sat(), one);
    QCOMPARE(m_db->findSat(3), nullptr);
}

void TestChannelDatabase::buildLeavesOutOrphansAndDuplicates()
{
    m_db = make({{1, 2, 1},
                 {{10, 1}, {10, 1}, {30, 9}, {20, 2}, {10, 2}},
                 {{100, 10}, {100, 10}, {300, 30}, {400, 99}, {101, 10}, {200, 20}, {200, 10}, {201, 20}}});
    QCOMPARE(checkModel(*m_db), QString());
    QCOMPARE(idsOf(m_db->sats()), Ids({1, 2}));
    QCOMPARE(idsOf(m_db->findSat(1)->tps()), Ids({10}));
    // TPs with one id under two satellites are both kept...
    QCOMPARE(idsOf(m_db->findSat(2)->tps()), Ids({20, 10}));
    // ...and programmes go to the first of them in record order.
    QCOMPARE(idsOf(m_db->findSat(1)->findTP(10)->pgs()), Ids({100, 101}));
    QVERIFY(m_db->findSat(2)->findTP(10)->pgs().isEmpty());
    // A programme whose id is already listed elsewhere is left out, so a later
    // remove by id can never unlink the wrong one.
    QCOMPARE(idsOf(m_db->findSat(2)->findTP(20)->pgs()), Ids({200, 201}));
    QCOMPARE(idsOf(m_db->allPGs()), Ids({100, 101, 200, 201}));

    // Everything left out was freed.
    QCOMPARE(CSat::alive, 2);
    QCOMPARE(CTP::alive, 3);
    QCOMPARE(CPG::alive, 4);
}

void TestChannelDatabase::tpAddPG_data()
{
    QTest::addColumn<quint32>("id");
    QTest::addColumn<quint32>("anchor");
    QTest::addColumn<bool>("added");
    QTest::addColumn<Ids>("tpPGs");
    QTest::addColumn<Ids>("satPGs");
    QTest::addColumn<Ids>("dbPGs");

    const Ids tp{100, 101}, sat{100, 101, 102}, db{100, 200, 101, 102, 201};
    QTest::newRow("append") << 9u << NoId << true << Ids{100, 101, 9} << Ids{100, 101, 102, 9}
                            << Ids{100, 200, 101, 102, 201, 9};
    QTest::newRow("before-first") << 9u << 100u << true << Ids{9, 100, 101} << Ids{9, 100, 101, 102}
                                  << Ids{9, 100, 200, 101, 102, 201};
    QTest::newRow("before-second") << 9u << 101u << true << Ids{100, 9, 101} << Ids{100, 9, 101, 102}
                                   << Ids{100, 200, 9, 101, 102, 201};
    QTest::newRow("anchor-in-other-tp") << 9u << 102u << false << tp << sat << db;
    QTest::newRow("anchor-unknown") << 9u << 555u << false << tp << sat << db;
    QTest::newRow("duplicate-in-tp") << 101u << NoId << false << tp << sat << db;
    QTest::newRow("duplicate-in-sat") << 102u << NoId << false << tp << sat << db;
    QTest::newRow("duplicate-in-db") << 200u << 100u << false << tp << sat << db;
}

void TestChannelDatabase::tpAddPG()
{
    QFETCH(quint32, id);
    QFETCH(quint32, anchor);
    QFETCH(bool, added);
    QFETCH(Ids, tpPGs);
    QFETCH(Ids, satPGs);
    QFETCH(Ids, dbPGs);

    TPNode *tp = m_db->findSat(1)->findTP(10);
    auto pg = std::make_unique<CPG>(id, 10);
    PGNode *raw = pg.get();
    QCOMPARE(tp->addPG(raw, anchor), added);
    if (added) {
        pg.release();
        QCOMPARE(raw->parent(), tp);
        QCOMPARE(m_db->findPG(id), raw);
    } else {
        QCOMPARE(raw->parent(), nullptr);
    }
    QCOMPARE(idsOf(tp->pgs()), tpPGs);
    QCOMPARE(idsOf(m_db->findSat(1)->allPGs()), satPGs);
    QCOMPARE(idsOf(m_db->allPGs()), dbPGs);
    QCOMPARE(checkModel(*m_db), QString());
    QVERIFY(!tp->addPG(nullptr));
}

void TestChannelDatabase::tpAddPGWithoutSatellite()
{
    // The tree's copy buffer holds TPs that belong to no satellite.
    TPNode copy;
    QVERIFY(copy.addPG(new PGNode(1)));
    QVERIFY(copy.addPG(new PGNode(2), 1));
    QCOMPARE(idsOf(copy.pgs()), Ids({2, 1}));
    QCOMPARE(copy.findPG(1)->sat(), nullptr);
}

void TestChannelDatabase::removePG()
{
    TPNode *tp = m_db->findPG(101)->parent();
    QVERIFY(tp->removePG(101));
    QCOMPARE(CPG::alive, 4);
    QVERIFY(!tp->removePG(101));
    QVERIFY(!tp->removePG(200)); // another TP's programme stays
    QCOMPARE(idsOf(tp->pgs()), Ids({100}));
    QCOMPARE(idsOf(m_db->findSat(1)->allPGs()), Ids({100, 102}));
    QCOMPARE(idsOf(m_db->allPGs()), Ids({100, 200, 102, 201}));
    QCOMPARE(checkModel(*m_db), QString());

    std::unique_ptr<PGNode> taken(m_db->findSat(2)->findTP(20)->takePG(200));
    QVERIFY(taken);
    QCOMPARE(taken->parent(), nullptr);
    QCOMPARE(m_db->findPG(200), nullptr);
    QCOMPARE(checkModel(*m_db), QString());
}

void TestChannelDatabase::removeTPAndSat()
{
    SatNode *one = m_db->findSat(1);
    QVERIFY(one->removeTP(10));
    QVERIFY(!one->removeTP(10));
    QCOMPARE(CTP::alive, 2);
    QCOMPARE(CPG::alive, 3);
    QCOMPARE(idsOf(one->allPGs()), Ids({102}));
    QCOMPARE(idsOf(m_db->allPGs()), Ids({200, 102, 201}));
    QCOMPARE(checkModel(*m_db), QString());

    QVERIFY(m_db->removeSat(2));
    QVERIFY(!m_db->removeSat(2));
    QCOMPARE(CSat::alive, 1);
    QCOMPARE(CPG::alive, 1);
    QCOMPARE(idsOf(m_db->allPGs()), Ids({102}));
    QCOMPARE(checkModel(*m_db), QString());
}

void TestChannelDatabase::detachAndInsertTP()
{
    SatNode *one = m_db->findSat(1);
    TPNode *tp = one->detachTP(10);
    QVERIFY(tp);
    QCOMPARE(one->detachTP(10), nullptr);
    QCOMPARE(idsOf(one->tps()), Ids({11}));
    // Its programmes keep their saved order while it is out.
    QCOMPARE(idsOf(m_db->allPGs()), Ids({100, 200, 101, 102, 201}));

    // The programme table may reorder and relink while the TP is out.
    QVERIFY(m_db->exchangePGs(100, 101));
    m_db->relinkProgrammes();
    QCOMPARE(idsOf(tp->pgs()), Ids({101, 100}));
    QCOMPARE(idsOf(one->allPGs()), Ids({101, 100, 102}));
    QVERIFY(m_db->exchangePGs(100, 101));
    m_db->relinkProgrammes();

    QVERIFY(!one->insertTPBefore(55, tp)); // unknown anchor: caller keeps it
    QVERIFY(one->insertTPBefore(11, tp));
    QCOMPARE(idsOf(one->tps()), Ids({10, 11}));
    QCOMPARE(idsOf(m_db->allPGs()), Ids({100, 200, 101, 102, 201}));
    QCOMPARE(checkModel(*m_db), QString());

    // Deleting a detached TP still unlinks its programmes.
    delete one->detachTP(10);
    QCOMPARE(idsOf(m_db->allPGs()), Ids({200, 102, 201}));
    QCOMPARE(checkModel(*m_db), QString());

    SatNode *two = m_db->detachSat(2);
    QVERIFY(two);
    QVERIFY(!m_db->insertSatBefore(77, two));
    QVERIFY(m_db->insertSatBefore(1, two));
    QCOMPARE(idsOf(m_db->sats()), Ids({2, 1}));
    QCOMPARE(checkModel(*m_db), QString());
    delete m_db->detachSat(2);
    QCOMPARE(idsOf(m_db->allPGs()), Ids({102}));
    QCOMPARE(checkModel(*m_db), QString());
}

void TestChannelDatabase::moveTPToOtherSatellite()
{
    TPNode *tp = m_db->findSat(1)->detachTP(10);
    QVERIFY(m_db->findSat(2)->addTP(tp));
    QCOMPARE(tp->parent(), m_db->findSat(2));
    QCOMPARE(idsOf(m_db->findSat(1)->allPGs()), Ids({102}));
    QCOMPARE(idsOf(m_db->findSat(2)->allPGs()), Ids({200, 201, 100, 101}));
    QCOMPARE(idsOf(m_db->allPGs()), Ids({100, 200, 101, 102, 201}));
    QCOMPARE(checkModel(*m_db), QString());

    // A TP still listed under a satellite cannot be listed under a second one.
    QVERIFY(!m_db->findSat(1)->addTP(m_db->findSat(2)->findTP(20)));
}

void TestChannelDatabase::addTPRefusesClashingProgrammes()
{
    auto tp = std::make_unique<TPNode>(12);
    tp->addPG(new PGNode(7));
    tp->addPG(new PGNode(201)); // listed under satellite 2
    QVERIFY(!m_db->findSat(1)->addTP(tp.get()));
    QVERIFY(!m_db->findSat(1)->findTP(12));

    tp->removePG(201);
    QVERIFY(m_db->findSat(1)->addTP(tp.get()));
    tp.release();
    QCOMPARE(m_db->findPG(7)->sat(), m_db->findSat(1));
    QCOMPARE(idsOf(m_db->allPGs()).last(), 7u);
    QCOMPARE(checkModel(*m_db), QString());

    auto sat = std::make_unique<SatNode>(3);
    auto other = new TPNode(30);
    QVERIFY(sat->addTP(other));
    other->addPG(new PGNode(100)); // clashes with the database
    QVERIFY(!m_db->addSat(sat.get()));
    other->removePG(100);
    other->addPG(new PGNode(300));
    QVERIFY(m_db->addSat(sat.get()));
    sat.release();
    QCOMPARE(m_db->findPG(300)->sat(), m_db->findSat(3));
    QCOMPARE(checkModel(*m_db), QString());
}

void TestChannelDatabase::newIdsMayBeNoId()
{
    // New satellites and TPs count down from 0xFFFFFFFF, so that id is real there.
    auto sat = new SatNode(NoId);
    QVERIFY(m_db->addSat(sat));
    SatNode duplicate(NoId);
    QVERIFY(!m_db->addSat(&duplicate));
    QCOMPARE(m_db->findSat(NoId), sat);
    auto before = new SatNode(NoId - 1);
    QVERIFY(m_db->insertSatBefore(NoId, before));
    QCOMPARE(idsOf(m_db->sats()), Ids({1, 2, NoId - 1, NoId}));

    QVERIFY(sat->addTP(new TPNode(NoId)));
    QVERIFY(sat->insertTPBefore(NoId, new TPNode(NoId - 1)));
    QCOMPARE(idsOf(sat->tps()), Ids({NoId - 1, NoId}));
    QCOMPARE(checkModel(*m_db), QString());
}

void TestChannelDatabase::satAndTPMoves()
{
    QVERIFY(!m_db->moveSatUp(1));
    QVERIFY(!m_db->moveSatDown(2));
    QVERIFY(m_db->moveSatDown(1));
    QCOMPARE(idsOf(m_db->sats()), Ids({2, 1}));
    QVERIFY(m_db->exchangeSats(1, 2));
    QCOMPARE(idsOf(m_db->sats()), Ids({1, 2}));
    QVERIFY(!m_db->exchangeSats(1, 1));

    SatNode *one = m_db->findSat(1);
    QVERIFY(!one->moveTPUp(10));
    QVERIFY(one->moveTPUp(11));
    QCOMPARE(idsOf(one->tps()), Ids({11, 10}));
    QVERIFY(one->exchangeTPs(11, 10));
    QVERIFY(!one->exchangeTPs(10, 20)); // 20 is under the other satellite
    QCOMPARE(idsOf(one->tps()), Ids({10, 11}));
    QCOMPARE(checkModel(*m_db), QString());
}

void TestChannelDatabase::dbAddPG_data()
{
    QTest::addColumn<quint32>("anchor");
    QTest::addColumn<bool>("after");
    QTest::addColumn<bool>("added");
    QTest::addColumn<Ids>("expected");

    QTest::newRow("append") << NoId << false << true << Ids{200, 101, 102, 201, 100};
    QTest::newRow("append-after-flag") << NoId << true << true << Ids{200, 101, 102, 201, 100};
    QTest::newRow("before") << 102u << false << true << Ids{200, 101, 100, 102, 201};
    QTest::newRow("after") << 102u << true << true << Ids{200, 101, 102, 100, 201};
    QTest::newRow("after-last") << 201u << true << true << Ids{200, 101, 102, 201, 100};
    QTest::newRow("unknown") << 555u << true << false << Ids{200, 101, 102, 201};
}

void TestChannelDatabase::dbAddPG()
{
    QFETCH(quint32, anchor);
    QFETCH(bool, after);
    QFETCH(bool, added);
    QFETCH(Ids, expected);

    PGNode *pg = m_db->findPG(100);
    QVERIFY(m_db->removePGFromAll(100));
    QVERIFY(!m_db->removePGFromAll(100));
    QCOMPARE(m_db->addPG(pg, anchor, after), added);
    QCOMPARE(idsOf(m_db->allPGs()), expected);
    QVERIFY(!m_db->addPG(m_db->findPG(101))); // duplicate
    // The caller re-adds what it detached before anything else walks the model.
    if (!added)
        QVERIFY(m_db->addPG(pg));
    m_db->relinkProgrammes();
    QCOMPARE(checkModel(*m_db), QString());
}

void TestChannelDatabase::relinkFollowsFlatOrder()
{
    QVERIFY(m_db->movePGBefore(201, 100));
    QVERIFY(m_db->exchangePGs(100, 101));
    QCOMPARE(idsOf(m_db->allPGs()), Ids({201, 101, 200, 100, 102}));
    m_db->relinkProgrammes();
    QCOMPARE(idsOf(m_db->allPGs()), Ids({201, 101, 200, 100, 102}));
    QCOMPARE(idsOf(m_db->findSat(2)->findTP(20)->pgs()), Ids({201, 200}));
    QCOMPARE(idsOf(m_db->findSat(2)->allPGs()), Ids({201, 200}));
    QCOMPARE(idsOf(m_db->findSat(1)->findTP(10)->pgs()), Ids({101, 100}));
    QCOMPARE(idsOf(m_db->findSat(1)->allPGs()), Ids({101, 100, 102}));
    QCOMPARE(checkModel(*m_db), QString());

    QVERIFY(m_db->movePGUp(100));
    QVERIFY(!m_db->movePGUp(201));
    QVERIFY(!m_db->movePGDown(102));
    QVERIFY(m_db->movePGAfter(201, 102));
    m_db->relinkProgrammes();
    QCOMPARE(idsOf(m_db->allPGs()), Ids({101, 100, 200, 102, 201}));
    QCOMPARE(idsOf(m_db->findSat(1)->allPGs()), Ids({101, 100, 102}));
    QCOMPARE(idsOf(m_db->findSat(2)->allPGs()), Ids({200, 201}));
    QCOMPARE(checkModel(*m_db), QString());
}

void TestChannelDatabase::relinkAfterMultiMove()
{
    // How the programme table moves several rows down: detach them all, then
    // chain them after the target.
    PGNode *a = m_db->findPG(100);
    PGNode *b = m_db->findPG(101);
    QVERIFY(m_db->removePGFromAll(100));
    QVERIFY(m_db->removePGFromAll(101));
    QVERIFY(m_db->addPG(a, 201, true));
    QVERIFY(m_db->addPG(b, 100, true));
    m_db->relinkProgrammes();
    QCOMPARE(idsOf(m_db->allPGs()), Ids({200, 102, 201, 100, 101}));
    QCOMPARE(idsOf(m_db->findSat(1)->allPGs()), Ids({102, 100, 101}));
    QCOMPARE(idsOf(m_db->findSat(1)->findTP(10)->pgs()), Ids({100, 101}));
    QCOMPARE(checkModel(*m_db), QString());
}

void TestChannelDatabase::relinkKeepsStrayProgramme()
{
    // A programme that allPGs lost would otherwise vanish from every list
    // and never be freed.
    QVERIFY(m_db->removePGFromAll(101));
    m_db->relinkProgrammes();
    QCOMPARE(idsOf(m_db->allPGs()), Ids({100, 200, 102, 201, 101}));
    QCOMPARE(idsOf(m_db->findSat(1)->findTP(10)->pgs()), Ids({100, 101}));
    QCOMPARE(checkModel(*m_db), QString());
}

void TestChannelDatabase::reorderRelinksMovedOnly_data()
{
    QTest::addColumn<Ids>("start"); // allPGs set to this order first, the other lists left
    QTest::addColumn<QList<Ids>>("steps");
    QTest::addColumn<Ids>("expected");
    QTest::newRow("up-within-tp") << Ids{} << QList<Ids>{{0, 101, 100}} << Ids{101, 100, 200, 102, 201};
    QTest::newRow("down-past-other-tp") << Ids{} << QList<Ids>{{1, 100, 102}} << Ids{200, 101, 102, 100, 201};
    QTest::newRow("exchange-across-sats") << Ids{} << QList<Ids>{{2, 100, 201}} << Ids{201, 200, 101, 102, 100};
    QTest::newRow("two-of-one-tp") << Ids{} << QList<Ids>{{1, 100, 201}, {0, 101, 200}}
                                   << Ids{101, 200, 102, 201, 100};
    QTest::newRow("chain-to-end") << Ids{} << QList<Ids>{{3, 100}, {3, 101}, {4, 100, 201}, {4, 101, 100}}
                                  << Ids{200, 102, 201, 100, 101};
    QTest::newRow("there-and-back") << Ids{} << QList<Ids>{{1, 100, 201}, {0, 100, 200}} << Ids{100, 200, 101, 102, 201};
    // Left out of allPGs: every list is relinked, and it is appended.
    QTest::newRow("stray") << Ids{} << QList<Ids>{{3, 200}} << Ids{100, 101, 102, 201, 200};
    // The satellites' lists are not in that order yet: every list is relinked.
    // The whole order at once; a repeated programme changes nothing.
    QTest::newRow("whole-order") << Ids{} << QList<Ids>{{0, 102, 100}, {5, 201, 102, 101, 200, 100}}
                                 << Ids{201, 102, 101, 200, 100};
    QTest::newRow("whole-order-repeated") << Ids{} << QList<Ids>{{5, 201, 102, 101, 200, 201}}
                                          << Ids{100, 200, 101, 102, 201};
    QTest::newRow("lists-out-of-order") << Ids{101, 100, 201, 200, 102} << QList<Ids>{{0, 102, 101}}
                                        << Ids{102, 101, 100, 201, 200};
    QTest::newRow("whole-order-lists-out-of-order") << Ids{101, 100, 201, 200, 102}
                                                    << QList<Ids>{{5, 100, 101, 102, 200, 201}}
                                                    << Ids{100, 101, 102, 200, 201};
}

void TestChannelDatabase::reorderRelinksMovedOnly()
{
    QFETCH(Ids, start);
    QFETCH(QList<Ids>, steps);
    QFETCH(Ids, expected);
    const auto reorderTo = [&start](ChannelDatabase &db) {
        std::vector<PGNode *> order;
        for (const quint32 id : start)
            order.push_back(db.findPG(id));
        return start.isEmpty() || db.setAllPGsOrder(order);
    };
    QVERIFY(reorderTo(*m_db));
    const Ids original = orderOf(*m_db);
    std::vector<PGNode *> taken;
    std::vector<ChannelDatabase::OrderSpan> changes;
    m_db->reorderProgrammes([&](ChannelDatabase &db) { runSteps(db, steps, taken); }, &changes);
    QCOMPARE(idsOf(m_db->allPGs()), expected);
    QCOMPARE(checkModel(*m_db), QString());
    // Every list as a relink of all of them gives it.
    std::unique_ptr<ChannelDatabase> all = standard();
    QVERIFY(reorderTo(*all));
    std::vector<PGNode *> allTaken;
    runSteps(*all, steps, allTaken);
    all->relinkProgrammes();
    QCOMPARE(orderOf(*m_db), orderOf(*all));
    // The runs it reports put every list back.
    m_db->restoreSpans(changes);
    QCOMPARE(orderOf(*m_db), original);
    QCOMPARE(checkModel(*m_db), QString());
    QCOMPARE(m_db->listsInServiceOrder(), start.isEmpty());
}

void TestChannelDatabase::renumber()
{
    PGNode *pg = m_db->findPG(100);
    QVERIFY(!m_db->renumber(pg, 101)); // taken in its TP
    QVERIFY(!m_db->renumber(pg, 201)); // taken in the database
    QVERIFY(!m_db->renumber(pg, 100));
    QVERIFY(m_db->renumber(pg, 7));
    QCOMPARE(pg->id(), 7u);
    QCOMPARE(m_db->findPG(7), pg);
    QCOMPARE(m_db->findPG(100), nullptr);
    QCOMPARE(m_db->findSat(1)->findPG(7), pg);
    QCOMPARE(pg->parent()->findPG(7), pg);
    QCOMPARE(idsOf(m_db->allPGs()), Ids({7, 200, 101, 102, 201}));

    TPNode *tp = m_db->findSat(1)->findTP(10);
    QVERIFY(!m_db->renumber(tp, 11));
    QVERIFY(m_db->renumber(tp, 20)); // TP ids only need to be unique per satellite
    QCOMPARE(m_db->findSat(1)->findTP(20), tp);
    QCOMPARE(m_db->findPG(101)->getParentId(), 20u);
    QCOMPARE(idsOf(m_db->findSat(1)->tps()), Ids({20, 11}));

    SatNode *two = m_db->findSat(2);
    QVERIFY(!m_db->renumber(two, 1));
    QVERIFY(m_db->renumber(two, 0));
    QCOMPARE(m_db->findSat(0), two);
    QCOMPARE(two->findTP(20)->getParentId(), 0u);
    QCOMPARE(checkModel(*m_db), QString());

    // Removal by the new ids works, which needs every index to have followed.
    QVERIFY(tp->removePG(7));
    QVERIFY(m_db->findSat(1)->removeTP(20));
    QVERIFY(m_db->removeSat(0));
    QCOMPARE(idsOf(m_db->allPGs()), Ids({102}));
    QCOMPARE(checkModel(*m_db), QString());

    PGNode loose(5);
    QVERIFY(!m_db->renumber(&loose, 6));
    QVERIFY(!m_db->renumber(nullptr, 6));
}

void TestChannelDatabase::largeDatabase()
{
    // The stress size: 200 satellites, 10,000 TPs, 50,000 programmes,
    // interleaved so that every list grows from many places.
    constexpr quint32 satCount = 200, tpCount = 10000, pgCount = 50000;
    std::vector<std::unique_ptr<SatNode>> sats;
    std::vector<std::unique_ptr<TPNode>> tps;
    std::vector<std::unique_ptr<PGNode>> pgs;
    for (quint32 s = 0; s < satCount; ++s)
        sats.push_back(std::make_unique<SatNode>(s));
    for (quint32 t = 0; t < tpCount; ++t) {
        tps.push_back(std::make_unique<TPNode>(t));
        tps.back()->setParentId(t % satCount);
    }
    for (quint32 p = 0; p < pgCount; ++p) {
        pgs.push_back(std::make_unique<PGNode>(p));
        pgs.back()->setParentId(p % tpCount);
        pgs.back()->addAttribute(QStringLiteral("NAME"), QString::number(p));
    }
    m_db = ChannelDatabase::build(std::move(sats), std::move(tps), std::move(pgs));
    QCOMPARE(m_db->sats().size(), std::size_t(satCount));
    QCOMPARE(m_db->allPGs().size(), std::size_t(pgCount));
    QCOMPARE(m_db->findSat(7)->allPGs().size(), std::size_t(pgCount / satCount));
    QCOMPARE(checkModel(*m_db), QString());

    // Reverse the flat order pairwise from the ends, then relink.
    for (quint32 p = 0; p < pgCount / 2; ++p)
        QVERIFY(m_db->exchangePGs(p, pgCount - 1 - p));
    m_db->relinkProgrammes();
    QCOMPARE(m_db->allPGs().first()->id(), pgCount - 1);
    QCOMPARE(m_db->findSat(0)->findTP(0)->pgs().first()->id(), pgCount - tpCount);
    QCOMPARE(checkModel(*m_db), QString());

    // A satellite's programmes lie far apart here: placing 128 moved ones next
    // to them would look at too many, so the lists are sorted instead.
    const Ids before = orderOf(*m_db);
    std::vector<ChannelDatabase::OrderSpan> changes;
    m_db->reorderProgrammes(
        [](ChannelDatabase &db) {
            for (quint32 p = 0; p < 128; ++p)
                db.movePGBefore(pgCount - 1 - p, 25000);
        },
        &changes);
    QCOMPARE(idsOf(m_db->findSat(199)->findTP(9999)->pgs()), Ids({39999, 29999, 49999, 19999, 9999}));
    QCOMPARE(idsOf(m_db->findSat(198)->findTP(9998)->pgs()), Ids({39998, 29998, 49998, 19998, 9998}));
    QCOMPARE(checkModel(*m_db), QString());
    const Ids placed = orderOf(*m_db);
    m_db->relinkProgrammes();
    QCOMPARE(orderOf(*m_db), placed);
    m_db->restoreSpans(changes);
    QCOMPARE(orderOf(*m_db), before);

    for (quint32 p = 0; p < pgCount; p += 50)
        QVERIFY(m_db->findPG(p)->parent()->removePG(p));
    QVERIFY(m_db->removeSat(3));
    // 1,000 removed one by one; satellite 3 held 250, none of them a multiple of 50.
    QCOMPARE(m_db->allPGs().size(), std::size_t(pgCount - 1000 - 250));
    QCOMPARE(checkModel(*m_db), QString());
}

QTEST_GUILESS_MAIN(TestChannelDatabase)
#include "tst_channeldatabase.moc"
