#include "recordblocks.h"

#include <QtTest>

#include <algorithm>
#include <vector>

using ostrel::RecordBlocks;

class TestRecordBlocks : public QObject
{
    Q_OBJECT

private slots:
    void appendAndClear_data();
    void appendAndClear();
};

void TestRecordBlocks::appendAndClear_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("fields");
    QTest::addColumn<bool>("reserved");
    QTest::addColumn<int>("maxBlocks"); // a reserved list is one block; growth doubles
    QTest::newRow("reserved-small") << 100 << 17 << true << 1;
    QTest::newRow("reserved-huge-pages") << 2000 << 17 << true << 1;
    QTest::newRow("unreserved-grows") << 2000 << 17 << false << 8;
    QTest::newRow("no-fields") << 50 << 0 << true << 1;
    QTest::newRow("varying-fields") << 300 << -1 << false << 5;
}

void TestRecordBlocks::appendAndClear()
{
    QFETCH(int, records);
    QFETCH(int, fields);
    QFETCH(bool, reserved);
    QFETCH(int, maxBlocks);
    auto fieldsOf = [fields](int i) { return uint32_t(fields >= 0 ? fields : i % 23); };

    RecordBlocks list;
    if (reserved) {
        size_t values = 0;
        for (int i = 0; i < records; ++i)
            values += fieldsOf(i);
        list.reserve(size_t(records), values);
    }
    std::vector<DataRecord *> appended;
    for (int i = 0; i < records; ++i) {
        DataRecord &r = list.append(uint32_t(i), uint32_t(i / 3), fieldsOf(i));
        QCOMPARE(r.count, fieldsOf(i));
        QCOMPARE(r.values == nullptr, r.count == 0);
        const auto *bytes = reinterpret_cast<const char *>(r.values);
        QVERIFY(std::all_of(bytes, bytes + r.count * sizeof(FieldValue), [](char c) { return c == 0; }));
        QCOMPARE(reinterpret_cast<uintptr_t>(&r) % alignof(DataRecord), uintptr_t(0));
        // Each record's values are its own: a mark left here must survive every later append.
        for (uint32_t k = 0; k < r.count; ++k)
            std::fill(std::begin(r.values[k].text), std::end(r.values[k].text), char16_t(i + 1));
        appended.push_back(&r);
    }
    QVERIFY(list.blockCount() >= 1);
    QVERIFY2(list.blockCount() <= maxBlocks, qPrintable(QString::number(list.blockCount())));

    const RecordList *head = list.head();
    QCOMPARE(head->count, uint32_t(records));
    for (int i = 0; i < records; ++i) {
        const DataRecord *r = head->records[i];
        QCOMPARE(r, appended[size_t(i)]);
        QCOMPARE(r->id, uint32_t(i));
        QCOMPARE(r->parentId, uint32_t(i / 3));
        for (uint32_t k = 0; k < r->count; ++k)
            QVERIFY(std::all_of(std::begin(r->values[k].text), std::end(r->values[k].text),
                                [i](char16_t u) { return u == char16_t(i + 1); }));
    }

    list.clear();
    QCOMPARE(list.size(), 0);
    QCOMPARE(list.blockCount(), 0);
    QCOMPARE(list.head()->count, 0u);
    QVERIFY(!list.head()->records);
    list.clear();
    QCOMPARE(list.append(7, 8, 3).id, 7u);
    QCOMPARE(list.size(), 1);
}

QTEST_GUILESS_MAIN(TestRecordBlocks)
#include "test_recordblocks.moc"
