#include "serviceorder.h"

#include <QtTest>

// Programmes as "id=field:value,field:value;..." in allPGs order, all under one TP.
using Programmes = QString;
using Ids = QList<quint32>;

class TestServiceOrder : public QObject
{
    Q_OBJECT

private slots:
    void sortsByDefaultOrder_data();
    void sortsByDefaultOrder();
};

static std::unique_ptr<ChannelDatabase> database(const Programmes &programmes)
{
    auto db = std::make_unique<ChannelDatabase>();
    auto *sat = new DB_NS::SatNode(1);
    auto *tp = new DB_NS::TPNode(10);
    db->addSat(sat);
    sat->addTP(tp);
    for (const QString &programme : programmes.split(QLatin1Char(';'))) {
        const QStringList idAndFields = programme.split(QLatin1Char('='));
        auto *pg = new DB_NS::PGNode(idAndFields.at(0).toUInt());
        for (const QString &field : idAndFields.at(1).split(QLatin1Char(','), Qt::SkipEmptyParts))
            pg->addAttribute(field.section(QLatin1Char(':'), 0, 0), field.section(QLatin1Char(':'), 1));
        tp->addPG(pg);
    }
    return db;
}

void TestServiceOrder::sortsByDefaultOrder_data()
{
    QTest::addColumn<Programmes>("programmes");
    QTest::addColumn<bool>("inOrder");
    QTest::addColumn<Ids>("sorted");

    QTest::newRow("in-order") << "1=NAME:a,default_order:0;2=NAME:b,default_order:1" << true << Ids{1, 2};
    QTest::newRow("reversed") << "1=NAME:a,default_order:5;2=NAME:b,default_order:1" << false << Ids{2, 1};
    QTest::newRow("field-moves-between-programmes")
        << "1=NAME:a,default_order:3;2=default_order:1,NAME:b;3=NAME:c,X:y,default_order:2" << false << Ids{2, 3, 1};
    QTest::newRow("other-letter-case") << "1=NAME:a,DEFAULT_ORDER:2;2=NAME:b,Default_Order:1" << false << Ids{2, 1};
    QTest::newRow("spaces-around") << "1=NAME:a,default_order: 2 ;2=NAME:b,default_order:1" << false << Ids{2, 1};
    QTest::newRow("not-a-number-is-0") << "1=NAME:a,default_order:1;2=NAME:b,default_order:x" << false << Ids{2, 1};
    QTest::newRow("missing-is-0-and-stable") << "1=NAME:a;2=NAME:b,default_order:0;3=NAME:c" << true << Ids{1, 2, 3};
}

void TestServiceOrder::sortsByDefaultOrder()
{
    QFETCH(Programmes, programmes);
    QFETCH(bool, inOrder);
    QFETCH(Ids, sorted);

    const std::unique_ptr<ChannelDatabase> db = database(programmes);
    QCOMPARE(ServiceOrder::matchesDefaultOrder(*db), inOrder);
    ServiceOrder::sortByDefaultOrder(*db);
    Ids order;
    for (const DB_NS::PGNode *pg : db->allPGs())
        order << pg->id();
    QCOMPARE(order, sorted);
    QVERIFY(ServiceOrder::matchesDefaultOrder(*db));
}

QTEST_GUILESS_MAIN(TestServiceOrder)
#include "tst_serviceorder.moc"
