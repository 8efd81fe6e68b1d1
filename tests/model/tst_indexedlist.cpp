#include "indexedlist.h"
#include "modelcheck.h"
#include "pgnode.h"

#include <QtTest>

#include <memory>
#include <vector>

using DB_NS::IndexedList;
using DB_NS::PGNode;
using Ids = QList<quint32>;

class TestIndexedList : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void appendRefusesNullAndDuplicates();
    void insertAtAnchor_data();
    void insertAtAnchor();
    void take();
    void takeNodeLeavesOtherNodeWithSameId();
    void moveUpDown_data();
    void moveUpDown();
    void exchange_data();
    void exchange();
    void moveNextTo_data();
    void moveNextTo();
    void moveToBack_data();
    void moveToBack();
    void rekey();

private:
    PGNode *node(quint32 id);
    void fill(const Ids &ids);

    std::vector<std::unique_ptr<PGNode>> m_nodes;
    IndexedList<PGNode> m_list;
};

void TestIndexedList::init()
{
    fill({1, 2, 3, 4});
}

void TestIndexedList::cleanup()
{
    m_list.clear();
    m_nodes.clear();
}

PGNode *TestIndexedList::node(quint32 id)
{
    m_nodes.push_back(std::make_unique<PGNode>(id));
    return m_nodes.back().get();
}

void TestIndexedList::fill(const Ids &ids)
{
    for (quint32 id : ids)
        QVERIFY(m_list.append(node(id)));
}

void TestIndexedList::appendRefusesNullAndDuplicates()
{
    QVERIFY(!m_list.append(nullptr));
    PGNode *dup = node(3);
    QVERIFY(!m_list.append(dup));
    QVERIFY(m_list.find(3) != dup);
    QCOMPARE(idsOf(m_list), Ids({1, 2, 3, 4}));
    QCOMPARE(m_list.first()->id(), 1u);
    QCOMPARE(m_list.last()->id(), 4u);
    QCOMPARE(checkIndex(m_list, "list"), QString());
}

void TestIndexedList::insertAtAnchor_data()
{
    QTest::addColumn<quint32>("anchor");
    QTest::addColumn<bool>("after");
    QTest::addColumn<bool>("inserted");
    QTest::addColumn<Ids>("expected");

    QTest::newRow("before-first") << 1u << false << true << Ids{9, 1, 2, 3, 4};
    QTest::newRow("before-middle") << 3u << false << true << Ids{1, 2, 9, 3, 4};
    QTest::newRow("after-middle") << 2u << true << true << Ids{1, 2, 9, 3, 4};
    QTest::newRow("after-last") << 4u << true << true << Ids{1, 2, 3, 4, 9};
    QTest::newRow("unknown-before") << 7u << false << false << Ids{1, 2, 3, 4};
    QTest::newRow("unknown-after") << 7u << true << false << Ids{1, 2, 3, 4};
}

void TestIndexedList::insertAtAnchor()
{
    QFETCH(quint32, anchor);
    QFETCH(bool, after);
    QFETCH(bool, inserted);
    QFETCH(Ids, expected);

    PGNode *n = node(9);
    QCOMPARE(after ? m_list.insertAfter(anchor, n) : m_list.insertBefore(anchor, n), inserted);
    QCOMPARE(idsOf(m_list), expected);
    QCOMPARE(m_list.contains(9), inserted);
    QCOMPARE(checkIndex(m_list, "list"), QString());
    // A duplicate is refused at an anchor just as at the end.
    QVERIFY(!m_list.insertBefore(1, node(2)));
}

void TestIndexedList::take()
{
    PGNode *two = m_list.find(2);
    QCOMPARE(m_list.take(2), two);
    QCOMPARE(m_list.take(2), nullptr);
    QCOMPARE(idsOf(m_list), Ids({1, 3, 4}));
    QCOMPARE(checkIndex(m_list, "list"), QString());
    // The id is free again.
    QVERIFY(m_list.insertBefore(1, two));
    QCOMPARE(idsOf(m_list), Ids({2, 1, 3, 4}));
}

void TestIndexedList::takeNodeLeavesOtherNodeWithSameId()
{
    PGNode *stranger = node(3);
    QVERIFY(!m_list.takeNode(stranger));
    QVERIFY(!m_list.holds(stranger));
    QVERIFY(m_list.contains(3));
    QVERIFY(m_list.takeNode(m_list.find(3)));
    QVERIFY(!m_list.contains(3));
}

void TestIndexedList::moveUpDown_data()
{
    QTest::addColumn<quint32>("id");
    QTest::addColumn<bool>("up");
    QTest::addColumn<bool>("moved");
    QTest::addColumn<Ids>("expected");

    QTest::newRow("first-up") << 1u << true << false << Ids{1, 2, 3, 4};
    QTest::newRow("last-down") << 4u << false << false << Ids{1, 2, 3, 4};
    QTest::newRow("second-up") << 2u << true << true << Ids{2, 1, 3, 4};
    QTest::newRow("last-up") << 4u << true << true << Ids{1, 2, 4, 3};
    QTest::newRow("first-down") << 1u << false << true << Ids{2, 1, 3, 4};
    QTest::newRow("third-down") << 3u << false << true << Ids{1, 2, 4, 3};
    QTest::newRow("unknown") << 8u << true << false << Ids{1, 2, 3, 4};
}

void TestIndexedList::moveUpDown()
{
    QFETCH(quint32, id);
    QFETCH(bool, up);
    QFETCH(bool, moved);
    QFETCH(Ids, expected);

    QCOMPARE(up ? m_list.moveUp(id) : m_list.moveDown(id), moved);
    QCOMPARE(idsOf(m_list), expected);
    QCOMPARE(checkIndex(m_list, "list"), QString());
}

void TestIndexedList::exchange_data()
{
    QTest::addColumn<quint32>("a");
    QTest::addColumn<quint32>("b");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<Ids>("expected");

    QTest::newRow("ends") << 1u << 4u << true << Ids{4, 2, 3, 1};
    QTest::newRow("neighbours") << 3u << 2u << true << Ids{1, 3, 2, 4};
    QTest::newRow("same") << 2u << 2u << false << Ids{1, 2, 3, 4};
    QTest::newRow("one-missing") << 2u << 9u << false << Ids{1, 2, 3, 4};
}

void TestIndexedList::exchange()
{
    QFETCH(quint32, a);
    QFETCH(quint32, b);
    QFETCH(bool, changed);
    QFETCH(Ids, expected);

    QCOMPARE(m_list.exchange(a, b), changed);
    QCOMPARE(idsOf(m_list), expected);
    QCOMPARE(checkIndex(m_list, "list"), QString());
    // The index must follow the swap: later moves work on the new places.
    QVERIFY(m_list.moveDown(expected.first()));
    QCOMPARE(m_list.first()->id(), expected.at(1));
    QCOMPARE(checkIndex(m_list, "list"), QString());
}

void TestIndexedList::moveNextTo_data()
{
    QTest::addColumn<quint32>("id");
    QTest::addColumn<quint32>("target");
    QTest::addColumn<bool>("after");
    QTest::addColumn<bool>("moved");
    QTest::addColumn<Ids>("expected");

    QTest::newRow("first-after-last") << 1u << 4u << true << true << Ids{2, 3, 4, 1};
    QTest::newRow("last-before-first") << 4u << 1u << false << true << Ids{4, 1, 2, 3};
    QTest::newRow("down-before") << 1u << 3u << false << true << Ids{2, 1, 3, 4};
    QTest::newRow("up-after") << 4u << 1u << true << true << Ids{1, 4, 2, 3};
    QTest::newRow("already-before") << 2u << 3u << false << false << Ids{1, 2, 3, 4};
    QTest::newRow("already-after") << 3u << 2u << true << false << Ids{1, 2, 3, 4};
    QTest::newRow("same") << 2u << 2u << true << false << Ids{1, 2, 3, 4};
    QTest::newRow("missing-target") << 2u << 9u << false << false << Ids{1, 2, 3, 4};
    QTest::newRow("missing-node") << 9u << 2u << false << false << Ids{1, 2, 3, 4};
}

void TestIndexedList::moveNextTo()
{
    QFETCH(quint32, id);
    QFETCH(quint32, target);
    QFETCH(bool, after);
    QFETCH(bool, moved);
    QFETCH(Ids, expected);

    QCOMPARE(after ? m_list.moveAfter(id, target) : m_list.moveBefore(id, target), moved);
    QCOMPARE(idsOf(m_list), expected);
    QCOMPARE(checkIndex(m_list, "list"), QString());
}

void TestIndexedList::moveToBack_data()
{
    QTest::addColumn<quint32>("id");
    QTest::addColumn<bool>("stranger"); // a node that only shares the id
    QTest::addColumn<bool>("moved");
    QTest::addColumn<Ids>("expected");

    QTest::newRow("first") << 1u << false << true << Ids{2, 3, 4, 1};
    QTest::newRow("middle") << 3u << false << true << Ids{1, 2, 4, 3};
    QTest::newRow("last") << 4u << false << true << Ids{1, 2, 3, 4};
    QTest::newRow("same-id-other-node") << 2u << true << false << Ids{1, 2, 3, 4};
    QTest::newRow("unknown") << 8u << true << false << Ids{1, 2, 3, 4};
}

void TestIndexedList::moveToBack()
{
    QFETCH(quint32, id);
    QFETCH(bool, stranger);
    QFETCH(bool, moved);
    QFETCH(Ids, expected);

    QVERIFY(!m_list.moveToBack(nullptr));
    const PGNode *target = stranger ? node(id) : m_list.find(id);
    QCOMPARE(m_list.moveToBack(target), moved);
    QCOMPARE(idsOf(m_list), expected);
    QCOMPARE(checkIndex(m_list, "list"), QString());
}

void TestIndexedList::rekey()
{
    PGNode *three = m_list.find(3);
    QVERIFY(!m_list.rekey(3, 4)); // taken
    QVERIFY(!m_list.rekey(8, 9)); // absent
    QVERIFY(m_list.rekey(3, 30));
    three->setId(30);
    QVERIFY(!m_list.contains(3));
    QCOMPARE(m_list.find(30), three);
    QCOMPARE(idsOf(m_list), Ids({1, 2, 30, 4}));
    QVERIFY(m_list.moveUp(30));
    QCOMPARE(idsOf(m_list), Ids({1, 30, 2, 4}));
    QCOMPARE(checkIndex(m_list, "list"), QString());
}

QTEST_GUILESS_MAIN(TestIndexedList)
#include "tst_indexedlist.moc"
