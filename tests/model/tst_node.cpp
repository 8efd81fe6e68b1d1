#include "node.h"

#include <QtTest>

using DB_NS::Node;

class TestNode : public QObject
{
    Q_OBJECT

private slots:
    void namesEqual_data();
    void namesEqual();
    void firstOccurrenceWins();
    void setValue();
    void valueOfMissingIsEmpty();
    void setAttributesDropsLaterDuplicates();
    void removeAttribute();
};

void TestNode::namesEqual_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("equal");

    QTest::newRow("same") << "NAME"
                          << "NAME" << true;
    QTest::newRow("lower-upper") << "name"
                                 << "NAME" << true;
    QTest::newRow("mixed") << "v_Pid"
                           << "V_PID" << true;
    QTest::newRow("length") << "NAME"
                            << "NAMES" << false;
    QTest::newRow("empty") << ""
                           << "" << true;
    // Only a-z fold: other letters must match exactly.
    QTest::newRow("latin1-umlaut") << QString::fromUtf8("ä") << QString::fromUtf8("Ä") << false;
    QTest::newRow("dotless-i") << QString::fromUtf8("ı") << "I" << false;
    QTest::newRow("punctuation") << "@"
                                 << "`" << false;
    QTest::newRow("bracket-vs-brace") << "["
                                      << "{" << false;
}

void TestNode::namesEqual()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, equal);
    QCOMPARE(NodeAttribute::namesEqual(a, b), equal);
    QCOMPARE(NodeAttribute::namesEqual(b, a), equal);
}

void TestNode::firstOccurrenceWins()
{
    Node node(5);
    QVERIFY(node.addAttribute("NAME", "first"));
    QVERIFY(!node.addAttribute("name", "second"));
    QCOMPARE(node.attributes().size(), 1);
    QCOMPARE(node.attributes().first().name, QString("NAME"));
    QCOMPARE(node.value("Name"), QString("first"));
    QVERIFY(node.findAttribute("nAmE"));
    QCOMPARE(node.findAttribute("nAmE")->value, QString("first"));
}

void TestNode::setValue()
{
    Node node;
    node.addAttribute("FRQ", "11778");
    node.addAttribute("POL", "H");

    QVERIFY(node.setValue("frq", "12000"));
    QVERIFY(!node.setValue("FRQ", "12000")); // unchanged
    QCOMPARE(node.value("FRQ"), QString("12000"));
    // The stored name keeps its spelling and place.
    QCOMPARE(node.attributes().at(0).name, QString("FRQ"));

    QVERIFY(node.setValue("SYM", "27500"));
    QCOMPARE(node.attributes().size(), 3);
    QCOMPARE(node.attributes().at(2).name, QString("SYM"));

    // An empty value on a missing attribute still adds it.
    QVERIFY(node.setValue("FAV", QString()));
    QVERIFY(node.hasAttribute("fav"));
}

void TestNode::valueOfMissingIsEmpty()
{
    Node node;
    QVERIFY(node.value("NAME").isNull());
    QVERIFY(!node.findAttribute("NAME"));
    QCOMPARE(node.getParentId(), 0u);
    node.setParentId(7);
    QCOMPARE(node.getParentId(), 7u);
}

void TestNode::setAttributesDropsLaterDuplicates()
{
    Node node;
    node.addAttribute("OLD", "x");
    node.setAttributes({{"id", "1"}, {"NAME", "A"}, {"Name", "B"}, {"ID", "2"}, {"FAV", "3"}});
    QCOMPARE(node.attributes().size(), 3);
    QCOMPARE(node.value("name"), QString("A"));
    QCOMPARE(node.value("id"), QString("1"));
    QVERIFY(!node.hasAttribute("OLD"));
}

void TestNode::removeAttribute()
{
    Node node;
    node.setAttributes({{"A", "1"}, {"B", "2"}, {"C", "3"}});
    QVERIFY(node.removeAttribute("b"));
    QVERIFY(!node.removeAttribute("b"));
    QCOMPARE(node.attributes().size(), 2);
    QCOMPARE(node.attributes().at(1).name, QString("C"));
    QVERIFY(node.addAttribute("B", "again"));
}

QTEST_GUILESS_MAIN(TestNode)
#include "tst_node.moc"
