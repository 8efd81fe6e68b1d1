#include "qtvariantproperty.h"
#include "qtvariantpropertymanager.h"

#include <QSignalSpy>
#include <QTest>

#include <limits>

namespace {

QStringList numberedNames(int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names.append(QStringLiteral("n%1").arg(i));
    return names;
}

// Applies (name, value) pairs in order; the name "value" means setValue.
void apply(QtVariantProperty *property, const QVariantList &steps)
{
    for (int i = 0; i + 1 < steps.size(); i += 2) {
        const QString name = steps.at(i).toString();
        if (name == QLatin1String("value"))
            property->setValue(steps.at(i + 1));
        else
            property->setAttribute(name, steps.at(i + 1));
    }
}

const int enumType = QtVariantPropertyManager::enumTypeId();
const int flagType = QtVariantPropertyManager::flagTypeId();
const int groupType = QtVariantPropertyManager::groupTypeId();

} // namespace

class TestVariantPropertyManager : public QObject
{
    Q_OBJECT

private slots:
    void typeIdsAreDistinct();
    void setValue_data();
    void setValue();
    void attributes_data();
    void attributes();
    void unsupportedTypeGivesNoProperty();
    void foreignPropertyIsIgnored();
    void namesAndEnabledStateNotify();
    void clearDestroysEveryProperty();
    void deletingPropertyUnlinksIt();
    void subPropertiesRefuseCyclesAndDuplicates();
};

void TestVariantPropertyManager::typeIdsAreDistinct()
{
    const QList<int> ids{QVariant::String, QVariant::Int, enumType, flagType, groupType};
    for (int i = 0; i < ids.size(); ++i) {
        for (int j = i + 1; j < ids.size(); ++j)
            QVERIFY2(ids.at(i) != ids.at(j), qPrintable(QStringLiteral("%1 vs %2").arg(i).arg(j)));
    }
}

void TestVariantPropertyManager::setValue_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QVariantList>("setup");
    QTest::addColumn<QVariant>("input");
    QTest::addColumn<QVariant>("expected");
    QTest::addColumn<QString>("expectedText");
    QTest::addColumn<int>("signalCount");

    const QVariantList range{QStringLiteral("minimum"), 0, QStringLiteral("maximum"), 100,
                             QStringLiteral("value"), 10};
    const QVariantList abc{QStringLiteral("enumNames"), QStringList{"a", "b", "c"},
                           QStringLiteral("value"), 1};
    const QVariantList flags{QStringLiteral("flagNames"), QStringList{"a", "b", "c"},
                             QStringLiteral("value"), 1};
    const QVariantList flags32{QStringLiteral("flagNames"), numberedNames(32)};

    QTest::newRow("string") << int(QVariant::String) << QVariantList{QStringLiteral("value"), "old"}
                            << QVariant("new") << QVariant("new") << "new" << 1;
    QTest::newRow("string-unchanged") << int(QVariant::String) << QVariantList{QStringLiteral("value"), "old"}
                                      << QVariant("old") << QVariant("old") << "old" << 0;
    QTest::newRow("string-from-number") << int(QVariant::String) << QVariantList()
                                        << QVariant(42) << QVariant("42") << "42" << 1;
    QTest::newRow("string-invalid-ignored") << int(QVariant::String) << QVariantList{QStringLiteral("value"), "old"}
                                            << QVariant() << QVariant("old") << "old" << 0;

    QTest::newRow("int-in-range") << int(QVariant::Int) << range << QVariant(42) << QVariant(42) << "42" << 1;
    QTest::newRow("int-above-maximum") << int(QVariant::Int) << range << QVariant(500) << QVariant(100) << "100" << 1;
    QTest::newRow("int-below-minimum") << int(QVariant::Int) << range << QVariant(-5) << QVariant(0) << "0" << 1;
    QTest::newRow("int-from-text") << int(QVariant::Int) << range << QVariant("17") << QVariant(17) << "17" << 1;
    QTest::newRow("int-text-no-number") << int(QVariant::Int) << range << QVariant("abc") << QVariant(0) << "0" << 1;
    QTest::newRow("int-huge-text-clamps") << int(QVariant::Int) << range << QVariant("99999999999")
                                          << QVariant(100) << "100" << 1;
    QTest::newRow("int-clamped-to-same") << int(QVariant::Int)
                                         << QVariantList{QStringLiteral("maximum"), 10, QStringLiteral("value"), 10}
                                         << QVariant(11) << QVariant(10) << "10" << 0;
    QTest::newRow("int-invalid-ignored") << int(QVariant::Int) << range << QVariant() << QVariant(10) << "10" << 0;
    QTest::newRow("int-unlimited-negative") << int(QVariant::Int) << QVariantList()
                                            << QVariant(std::numeric_limits<int>::min())
                                            << QVariant(std::numeric_limits<int>::min())
                                            << "-2147483648" << 1;

    QTest::newRow("enum-valid") << enumType << abc << QVariant(2) << QVariant(2) << "c" << 1;
    QTest::newRow("enum-minus-one-first") << enumType << abc << QVariant(-1) << QVariant(0) << "a" << 1;
    QTest::newRow("enum-too-large-last") << enumType << abc << QVariant(7) << QVariant(2) << "c" << 1;
    QTest::newRow("enum-text-no-number-first") << enumType << abc << QVariant("x") << QVariant(0) << "a" << 1;
    QTest::newRow("enum-without-names") << enumType << QVariantList() << QVariant(3) << QVariant(-1) << "" << 0;

    QTest::newRow("flags-within-names") << flagType << flags << QVariant(5) << QVariant(5) << "a, c" << 1;
    QTest::newRow("flags-outside-dropped") << flagType << flags << QVariant(0xFF) << QVariant(7) << "a, b, c" << 1;
    QTest::newRow("flags-only-outside") << flagType << flags << QVariant(8) << QVariant(0) << "" << 1;
    QTest::newRow("flags-from-text") << flagType << flags << QVariant("6") << QVariant(6) << "b, c" << 1;
    QTest::newRow("flags-bit31-from-text") << flagType << flags32 << QVariant("2147483648")
                                           << QVariant(int(0x80000000u)) << "n31" << 1;
    QTest::newRow("flags-all-32") << flagType << flags32 << QVariant(-1) << QVariant(-1)
                                  << numberedNames(32).join(QStringLiteral(", ")) << 1;

    QTest::newRow("group-has-no-value") << groupType << QVariantList() << QVariant(5) << QVariant() << "" << 0;
}

void TestVariantPropertyManager::setValue()
{
    QFETCH(int, type);
    QFETCH(QVariantList, setup);
    QFETCH(QVariant, input);
    QFETCH(QVariant, expected);
    QFETCH(QString, expectedText);
    QFETCH(int, signalCount);

    QtVariantPropertyManager manager;
    QtVariantProperty *property = manager.addProperty(type, QStringLiteral("Field"));
    QVERIFY(property);
    apply(property, setup);
    QSignalSpy spy(&manager, &QtVariantPropertyManager::valueChanged);

    property->setValue(input);

    QCOMPARE(property->value(), expected);
    QCOMPARE(manager.value(property), expected);
    QCOMPARE(property->valueText(), expectedText);
    QCOMPARE(spy.count(), signalCount);
    if (signalCount > 0) {
        QCOMPARE(spy.last().at(0).value<QtProperty *>(), static_cast<QtProperty *>(property));
        QCOMPARE(spy.last().at(1).value<QVariant>(), expected);
    }
    // Setting what is stored never signals again.
    property->setValue(property->value());
    QCOMPARE(spy.count(), signalCount);
}

void TestVariantPropertyManager::attributes_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QVariantList>("steps");
    QTest::addColumn<QVariant>("expectedValue");
    QTest::addColumn<QVariantMap>("expectedAttributes");

    const QString min = QStringLiteral("minimum");
    const QString max = QStringLiteral("maximum");
    const QString step = QStringLiteral("step");
    const QString value = QStringLiteral("value");
    const QString enumNames = QStringLiteral("enumNames");
    const QString flagNames = QStringLiteral("flagNames");
    const int intMax = std::numeric_limits<int>::max();
    const int intMin = std::numeric_limits<int>::min();

    QTest::newRow("int-defaults") << int(QVariant::Int) << QVariantList() << QVariant(0)
                                  << QVariantMap{{min, intMin}, {max, intMax}, {step, 1}};
    QTest::newRow("minimum-above-value-moves-value") << int(QVariant::Int) << QVariantList{value, 5, min, 10}
                                                     << QVariant(10) << QVariantMap{{min, 10}, {max, intMax}};
    QTest::newRow("maximum-below-value-moves-value") << int(QVariant::Int) << QVariantList{value, 50, max, 20}
                                                     << QVariant(20) << QVariantMap{{max, 20}};
    QTest::newRow("minimum-above-maximum-raises-maximum")
        << int(QVariant::Int) << QVariantList{value, 5, max, 20, min, 30}
        << QVariant(30) << QVariantMap{{min, 30}, {max, 30}};
    QTest::newRow("maximum-below-minimum-lowers-minimum")
        << int(QVariant::Int) << QVariantList{value, 5, min, 0, max, -10}
        << QVariant(-10) << QVariantMap{{min, -10}, {max, -10}};
    QTest::newRow("limits-from-text") << int(QVariant::Int) << QVariantList{min, "3", max, "9", value, 1}
                                      << QVariant(3) << QVariantMap{{min, 3}, {max, 9}};
    QTest::newRow("limit-not-a-number-ignored") << int(QVariant::Int) << QVariantList{value, 5, max, "abc"}
                                                << QVariant(5) << QVariantMap{{max, intMax}};
    QTest::newRow("step-below-one-ignored") << int(QVariant::Int) << QVariantList{step, 5, step, 0, step, -2}
                                            << QVariant(0) << QVariantMap{{step, 5}};

    QTest::newRow("enum-names-select-first") << enumType << QVariantList{enumNames, QStringList{"a", "b"}}
                                             << QVariant(0) << QVariantMap{{enumNames, QStringList{"a", "b"}}};
    QTest::newRow("enum-names-shrink-clamps")
        << enumType << QVariantList{enumNames, QStringList{"a", "b", "c"}, value, 2, enumNames, QStringList{"x"}}
        << QVariant(0) << QVariantMap{{enumNames, QStringList{"x"}}};
    QTest::newRow("enum-names-cleared") << enumType
                                        << QVariantList{enumNames, QStringList{"a"}, enumNames, QStringList()}
                                        << QVariant(-1) << QVariantMap{{enumNames, QStringList()}};
    QTest::newRow("enum-names-keep-empty-parts")
        << enumType << QVariantList{enumNames, QStringList{"", "b"}, value, 0}
        << QVariant(0) << QVariantMap{{enumNames, QStringList{"", "b"}}};

    QTest::newRow("flag-names-shrink-masks")
        << flagType << QVariantList{flagNames, QStringList{"a", "b", "c"}, value, 7, flagNames, QStringList{"a"}}
        << QVariant(1) << QVariantMap{{flagNames, QStringList{"a"}}};
    QTest::newRow("flag-names-cut-to-32") << flagType << QVariantList{flagNames, numberedNames(40)}
                                          << QVariant(0) << QVariantMap{{flagNames, numberedNames(32)}};

    QTest::newRow("string-has-no-limits") << int(QVariant::String) << QVariantList{min, 3, value, "x"}
                                          << QVariant("x") << QVariantMap{{min, QVariant()}};
    QTest::newRow("enum-names-on-flags-ignored")
        << flagType << QVariantList{enumNames, QStringList{"a"}, value, 1}
        << QVariant(0) << QVariantMap{{enumNames, QVariant()}, {flagNames, QStringList()}};
    QTest::newRow("flag-names-on-enum-ignored")
        << enumType << QVariantList{flagNames, QStringList{"a"}}
        << QVariant(-1) << QVariantMap{{flagNames, QVariant()}, {enumNames, QStringList()}};
}

void TestVariantPropertyManager::attributes()
{
    QFETCH(int, type);
    QFETCH(QVariantList, steps);
    QFETCH(QVariant, expectedValue);
    QFETCH(QVariantMap, expectedAttributes);

    QtVariantPropertyManager manager;
    QtVariantProperty *property = manager.addProperty(type, QStringLiteral("Field"));
    QVERIFY(property);
    apply(property, steps);

    QCOMPARE(property->value(), expectedValue);
    for (auto it = expectedAttributes.cbegin(); it != expectedAttributes.cend(); ++it)
        QCOMPARE(property->attributeValue(it.key()), it.value());
}

void TestVariantPropertyManager::unsupportedTypeGivesNoProperty()
{
    QtVariantPropertyManager manager;
    QVERIFY(!manager.addProperty(QVariant::Double, QStringLiteral("x")));
    QVERIFY(!manager.isPropertyTypeSupported(QVariant::Double));
    QVERIFY(manager.properties().isEmpty());
}

void TestVariantPropertyManager::foreignPropertyIsIgnored()
{
    QtVariantPropertyManager mine;
    QtVariantPropertyManager other;
    QtVariantProperty *foreign = other.addProperty(QVariant::Int, QStringLiteral("x"));
    foreign->setValue(4);
    QSignalSpy spy(&mine, &QtVariantPropertyManager::valueChanged);

    mine.setValue(foreign, 9);
    mine.setAttribute(foreign, QStringLiteral("maximum"), 1);

    QVERIFY(!mine.variantProperty(foreign));
    QCOMPARE(foreign->value(), QVariant(4));
    QCOMPARE(foreign->attributeValue(QStringLiteral("maximum")), QVariant(std::numeric_limits<int>::max()));
    QCOMPARE(spy.count(), 0);
    QCOMPARE(mine.value(foreign), QVariant());
}

void TestVariantPropertyManager::namesAndEnabledStateNotify()
{
    QtVariantPropertyManager manager;
    QtVariantProperty *property = manager.addProperty(QVariant::String, QStringLiteral("NAME"));
    QSignalSpy changed(&manager, &QtVariantPropertyManager::propertyChanged);

    QCOMPARE(property->propertyName(), QStringLiteral("NAME"));
    QVERIFY(property->isEnabled());
    property->setEnabled(false);
    property->setEnabled(false);
    property->setPropertyName(QStringLiteral("FRQ"));
    property->setPropertyName(QStringLiteral("FRQ"));

    QVERIFY(!property->isEnabled());
    QCOMPARE(property->propertyName(), QStringLiteral("FRQ"));
    QCOMPARE(changed.count(), 2);
}

void TestVariantPropertyManager::clearDestroysEveryProperty()
{
    QtVariantPropertyManager manager;
    QtVariantProperty *group = manager.addProperty(groupType, QStringLiteral("g"));
    QtVariantProperty *child = manager.addProperty(QVariant::Int, QStringLiteral("c"));
    group->addSubProperty(child);
    manager.addProperty(enumType, QStringLiteral("e"));
    QCOMPARE(manager.properties().size(), 3);
    QCOMPARE(manager.properties().constFirst(), static_cast<QtProperty *>(group));

    QSignalSpy destroyed(&manager, &QtVariantPropertyManager::propertyDestroyed);
    manager.clear();

    QCOMPARE(destroyed.count(), 3);
    QVERIFY(manager.properties().isEmpty());
    // The manager is usable again afterwards.
    QVERIFY(manager.addProperty(QVariant::String, QStringLiteral("again")));
    QCOMPARE(manager.properties().size(), 1);
}

void TestVariantPropertyManager::deletingPropertyUnlinksIt()
{
    QtVariantPropertyManager manager;
    QtVariantProperty *group = manager.addProperty(groupType, QStringLiteral("g"));
    QtVariantProperty *a = manager.addProperty(QVariant::Int, QStringLiteral("a"));
    QtVariantProperty *b = manager.addProperty(QVariant::Int, QStringLiteral("b"));
    group->addSubProperty(a);
    group->addSubProperty(b);
    QSignalSpy removed(&manager, &QtVariantPropertyManager::propertyRemoved);

    delete a;

    QCOMPARE(removed.count(), 1);
    QCOMPARE(group->subProperties(), QList<QtProperty *>{b});
    QCOMPARE(manager.properties(), (QList<QtProperty *>{group, b}));

    delete group;
    QCOMPARE(manager.properties(), QList<QtProperty *>{b});
    b->setValue(3); // a former child stays whole
    QCOMPARE(b->value(), QVariant(3));
}

void TestVariantPropertyManager::subPropertiesRefuseCyclesAndDuplicates()
{
    QtVariantPropertyManager manager;
    QtVariantPropertyManager other;
    QtVariantProperty *top = manager.addProperty(groupType, QStringLiteral("top"));
    QtVariantProperty *middle = manager.addProperty(groupType, QStringLiteral("middle"));
    QtVariantProperty *a = manager.addProperty(QVariant::Int, QStringLiteral("a"));
    QtVariantProperty *b = manager.addProperty(QVariant::Int, QStringLiteral("b"));
    QSignalSpy inserted(&manager, &QtVariantPropertyManager::propertyInserted);

    top->addSubProperty(middle);
    middle->addSubProperty(a);
    middle->insertSubProperty(b, nullptr); // first
    middle->addSubProperty(a);             // already there
    a->addSubProperty(top);                // would close a loop
    middle->addSubProperty(top);
    middle->addSubProperty(middle);
    middle->addSubProperty(other.addProperty(QVariant::Int, QStringLiteral("x")));

    QCOMPARE(inserted.count(), 3);
    QCOMPARE(top->subProperties(), QList<QtProperty *>{middle});
    QCOMPARE(middle->subProperties(), (QList<QtProperty *>{b, a}));
    QVERIFY(a->subProperties().isEmpty());
}

QTEST_GUILESS_MAIN(TestVariantPropertyManager)
#include "tst_variantpropertymanager.moc"
