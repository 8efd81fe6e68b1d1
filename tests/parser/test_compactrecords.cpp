#include "boundarytext.h"
#include "compactconvert.h"

#include <QtTest>

using namespace ostrel;

class TestCompactRecords : public QObject
{
    Q_OBJECT

private slots:
    void readerChecksEverySpan_data();
    void readerChecksEverySpan();
    void fixedRoundTripKeepsWhatTheFieldsHold();
};

void TestCompactRecords::readerChecksEverySpan_data()
{
    QTest::addColumn<QString>("change"); // array.member[index] = value
    QTest::addColumn<bool>("opens");
    QTest::newRow("as built") << QString() << true;
    QTest::newRow("name past the text") << "names.offset[1]=17" << false;
    QTest::newRow("name ends at the text's end") << "names.length[1]=15" << true;
    QTest::newRow("value past the text") << "values.length[3]=20" << false;
    QTest::newRow("offset wraps around") << "values.offset[0]=4294967295" << false;
    QTest::newRow("template names past the list") << "templates.firstName[0]=1" << false;
    QTest::newRow("unknown template") << "records.templateIndex[1]=1" << false;
    QTest::newRow("values past the list") << "records.firstValue[1]=3" << false;
    QTest::newRow("first value wraps around") << "records.firstValue[0]=4294967295" << false;
    QTest::newRow("no text") << "text=0" << false;
}

void TestCompactRecords::readerChecksEverySpan()
{
    QFETCH(QString, change);
    QFETCH(bool, opens);
    CompactBuilder builder;
    const QStringView names[] = {u"id", u"NAME"};
    for (uint32_t id : {7u, 8u}) {
        builder.beginRecord(id, 1, builder.templateFor(names, 2));
        builder.appendValue(QString::number(id));
        builder.appendValue(u"Das Erste");
    }
    CompactRecordSet set = *builder.head();
    QCOMPARE(set.textUnits, 17u); // names once, the repeated value once
    std::vector<CompactRecord> records(set.records, set.records + set.recordCount);
    std::vector<CompactTemplate> templates(set.templates, set.templates + set.templateCount);
    std::vector<TextSpan> spans[2] = {{set.names, set.names + set.nameCount}, {set.values, set.values + set.valueCount}};
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("(\\w+)\\.(\\w+)\\[(\\d)\\]=(\\d+)")).match(change);
    if (m.hasMatch()) {
        const QString array = m.captured(1), member = m.captured(2);
        const size_t i = m.captured(3).toUInt();
        const uint32_t value = m.captured(4).toUInt();
        std::vector<TextSpan> &list = spans[array == QLatin1String("values")];
        uint32_t *target = array == QLatin1String("records")
            ? (member == QLatin1String("templateIndex") ? &records[i].templateIndex : &records[i].firstValue)
            : array == QLatin1String("templates") ? &templates[i].firstName
            : member == QLatin1String("offset")   ? &list[i].offset
                                                  : &list[i].length;
        *target = value;
    } else if (change == QLatin1String("text=0")) {
        set.text = nullptr;
    }
    set.records = records.data();
    set.templates = templates.data();
    set.names = spans[0].data();
    set.values = spans[1].data();
    CompactReader reader;
    QString why;
    QCOMPARE(reader.open(&set, &why), opens);
    QCOMPARE(why.isEmpty(), opens);
    if (opens)
        QCOMPARE(reader.value(1, 1).toString(), QStringLiteral("Das Erste"));
    else
        QCOMPARE(reader.size(), 0u);
}

void TestCompactRecords::fixedRoundTripKeepsWhatTheFieldsHold()
{
    const QString longName(40, QLatin1Char('N')), longValue(150, QLatin1Char('v'));
    RecordBlocks fixed;
    DataRecord &first = fixed.append(3, 1, 2);
    copyText(first.values[0].name, OstrelNameUnits, longName);
    copyText(first.values[0].text, OstrelTextUnits, longValue);
    copyText(first.values[1].name, OstrelNameUnits, QStringLiteral("NAME"));
    copyText(first.values[1].text, OstrelTextUnits, QStringLiteral("A") + QChar(0) + QStringLiteral("B"));
    fixed.append(4, 1, 0);

    CompactBuilder compact;
    compactFromRecords(*fixed.head(), compact);
    CompactReader reader;
    QVERIFY(reader.open(compact.head()));
    QCOMPARE(reader.size(), 2u);
    QCOMPARE(reader.templateCount(), 2u);
    QCOMPARE(reader.name(0, 0).toString(), longName.left(OstrelNameUnits - 1));
    QCOMPARE(reader.value(0, 0).toString(), longValue.left(OstrelTextUnits - 1));
    QCOMPARE(reader.value(0, 1).toString(), QStringLiteral("A"));
    QCOMPARE(reader.fieldCount(1), 0u);

    RecordBlocks back;
    recordsFromCompact(reader, back);
    QCOMPARE(back.size(), 2);
    const DataRecord &again = *back.head()->records[0];
    QCOMPARE(again.id, 3u);
    QCOMPARE(again.parentId, 1u);
    // Byte for byte what the fixed record holds up to each terminator, zeros after.
    first.values[1].text[2] = u'\0';
    QVERIFY(std::memcmp(again.values, first.values, 2 * sizeof(FieldValue)) == 0);
}

QTEST_GUILESS_MAIN(TestCompactRecords)
#include "test_compactrecords.moc"
