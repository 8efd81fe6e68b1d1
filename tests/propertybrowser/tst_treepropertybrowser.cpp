// What the browser shows for its properties and how the rows follow the
// manager, and which editor a row gets: none when disabled or without a
// factory, a subclass's own when it makes one.

#include "treepropertybrowserfixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

namespace {

// Integers get a plain line edit of the subclass's own; the rest the defaults.
class LineEditFactory : public QtVariantEditorFactory
{
public:
    using QtVariantEditorFactory::QtVariantEditorFactory;
    int created = 0;

protected:
    QWidget *createEditor(QtVariantPropertyManager *manager, QtProperty *property,
                          QWidget *parent) override
    {
        ++created;
        if (manager->propertyType(property) != QVariant::Int)
            return QtVariantEditorFactory::createEditor(manager, property, parent);
        auto *edit = new QLineEdit(parent);
        edit->setObjectName(QStringLiteral("customEditor"));
        edit->setText(manager->valueText(property));
        return edit;
    }
};

} // namespace

class TestTreePropertyBrowser : public TreePropertyBrowserFixture
{
    Q_OBJECT

private slots:
    void showsNameAndValueText_data();
    void showsNameAndValueText();
    void rowsFollowTheManager();
    void disabledPropertyGetsNoEditor();
    void subclassEditorIsUsed();
    void noFactoryMeansReadOnly();
    void groupsAreMarkedAndNested();
    void destroyedPropertiesLeaveTheTree();
};

void TestTreePropertyBrowser::showsNameAndValueText_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QVariantMap>("attributes");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("string") << int(QVariant::String) << QVariantMap() << QVariant("Das Erste") << "Das Erste";
    QTest::newRow("integer") << int(QVariant::Int) << QVariantMap() << QVariant(-11778) << "-11778";
    QTest::newRow("integer-clamped")
        << int(QVariant::Int) << QVariantMap{{QStringLiteral("maximum"), 99}} << QVariant(120) << "99";
    QTest::newRow("enumeration")
        << enumType << QVariantMap{{QStringLiteral("enumNames"), QStringList{"H", "V"}}} << QVariant(1) << "V";
    QTest::newRow("enumeration-fallback")
        << enumType << QVariantMap{{QStringLiteral("enumNames"), QStringList{"H", "V"}}} << QVariant(-1) << "H";
    QTest::newRow("flags")
        << flagType << QVariantMap{{QStringLiteral("flagNames"), QStringList{"News", "Sport", "Kids"}}}
        << QVariant(6) << "Sport, Kids";
    QTest::newRow("no-flags") << flagType << QVariantMap{{QStringLiteral("flagNames"), QStringList{"News"}}}
                              << QVariant(0) << "";
}

void TestTreePropertyBrowser::showsNameAndValueText()
{
    QFETCH(int, type);
    QFETCH(QVariantMap, attributes);
    QFETCH(QVariant, value);
    QFETCH(QString, text);

    QtVariantProperty *property = m_manager->addProperty(type, QStringLiteral("Field"));
    for (auto it = attributes.cbegin(); it != attributes.cend(); ++it)
        property->setAttribute(it.key(), it.value());
    property->setValue(value);
    m_browser->addProperty(property);

    const QList<QTreeWidgetItem *> rows = m_browser->topLevelItems();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.at(0)->text(0), QStringLiteral("Field"));
    QCOMPARE(rows.at(0)->text(1), text);
    QCOMPARE(m_browser->itemProperty(rows.at(0)), static_cast<QtProperty *>(property));
}

void TestTreePropertyBrowser::rowsFollowTheManager()
{
    QtVariantProperty *name = addShown(QVariant::String, QStringLiteral("NAME"));
    QtVariantProperty *frq = addShown(QVariant::Int, QStringLiteral("FRQ"));
    QtVariantProperty *pol = addShown(enumType, QStringLiteral("POL"));
    QVERIFY(!m_browser->addProperty(frq)); // shown once at the top level

    QList<QTreeWidgetItem *> rows = m_browser->topLevelItems();
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows.at(0)->text(0), QStringLiteral("NAME"));
    QCOMPARE(rows.at(1)->text(0), QStringLiteral("FRQ"));
    QCOMPARE(rows.at(2)->text(0), QStringLiteral("POL"));

    frq->setValue(12000);
    pol->setAttribute(QStringLiteral("enumNames"), QStringList{"H", "V"});
    name->setPropertyName(QStringLiteral("Name"));
    name->setEnabled(false);

    QCOMPARE(rows.at(1)->text(1), QStringLiteral("12000"));
    QCOMPARE(rows.at(2)->text(1), QStringLiteral("H"));
    QCOMPARE(rows.at(0)->text(0), QStringLiteral("Name"));
    QVERIFY(rows.at(0)->isDisabled());
    QVERIFY(!rows.at(1)->isDisabled());

    m_browser->removeProperty(frq);
    rows = m_browser->topLevelItems();
    QCOMPARE(rows.size(), 2);
    QCOMPARE(m_browser->properties(), (QList<QtProperty *>{name, pol}));
    m_browser->clear();
    QVERIFY(m_browser->topLevelItems().isEmpty());
    QCOMPARE(m_manager->properties().size(), 3); // the browser owns no property
}

void TestTreePropertyBrowser::disabledPropertyGetsNoEditor()
{
    QtVariantProperty *property = addShown(QVariant::String, QStringLiteral("id"));
    property->setValue(QStringLiteral("5"));
    m_browser->setCurrentProperty(property);
    property->setEnabled(false);

    clickValueCell(property);
    QVERIFY(!openedEditor());
    QVERIFY(!m_browser->editItem(property));
    QTest::keyClick(m_browser->treeWidget(), Qt::Key_F2);
    QVERIFY(!openedEditor());
    QVERIFY(!m_browser->findChild<QLineEdit *>(QStringLiteral("stringEditor")));
    QVERIFY(!m_factory->createEditorFor(m_manager, property, m_window));

    property->setEnabled(true);
    QCOMPARE(m_browser->currentProperty(), static_cast<QtProperty *>(property));
    QTest::keyClick(m_browser->treeWidget(), Qt::Key_F2);
    QVERIFY(m_browser->findChild<QLineEdit *>(QStringLiteral("stringEditor")));
}

void TestTreePropertyBrowser::subclassEditorIsUsed()
{
    auto *factory = new LineEditFactory(m_window);
    m_browser->setFactoryForManager(m_manager, factory);
    QtVariantProperty *number = addShown(QVariant::Int, QStringLiteral("FRQ"));
    number->setAttribute(QStringLiteral("maximum"), 20000);
    number->setValue(10);
    QtVariantProperty *text = addShown(QVariant::String, QStringLiteral("NAME"));
    QSignalSpy spy(m_manager, &QtVariantPropertyManager::valueChanged);

    clickValueCell(number);
    QPointer<QWidget> editor = openedEditor();
    QVERIFY(editor);
    QCOMPARE(editor->objectName(), QStringLiteral("customEditor"));
    QCOMPARE(factory->created, 1);
    QTRY_VERIFY(editor->hasFocus());
    static_cast<QLineEdit *>(editor.data())->selectAll();
    QTest::keyClicks(editor, QStringLiteral("99999")); // the manager limits it
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!editor);
    QCOMPARE(number->value(), QVariant(20000));
    QCOMPARE(spy.count(), 1);

    // The base editors stay reachable from the subclass.
    QVERIFY(m_browser->editItem(text));
    QCOMPARE(openedEditor()->objectName(), QStringLiteral("stringEditor"));
    QCOMPARE(factory->created, 2);
}

void TestTreePropertyBrowser::noFactoryMeansReadOnly()
{
    QtVariantPropertyManager otherManager;
    QtVariantProperty *property = otherManager.addProperty(QVariant::String, QStringLiteral("x"));
    m_browser->addProperty(property);
    clickValueCell(property);
    QVERIFY(!openedEditor());
    QVERIFY(!m_browser->editItem(property));

    m_browser->setFactoryForManager(&otherManager, m_factory);
    QVERIFY(m_browser->editItem(property));
    QPointer<QWidget> editor = openedEditor();
    QTest::keyClicks(editor, QStringLiteral("lost"));
    m_browser->unsetFactoryForManager(&otherManager);
    QTRY_VERIFY(!editor);
    QCOMPARE(property->value(), QVariant(QString()));
}

void TestTreePropertyBrowser::groupsAreMarkedAndNested()
{
    QtVariantProperty *group = addShown(groupType, QStringLiteral("Tuning"));
    QtVariantProperty *frq = m_manager->addProperty(QVariant::Int, QStringLiteral("FRQ"));
    group->addSubProperty(frq);
    QtVariantProperty *plain = addShown(QVariant::String, QStringLiteral("NAME"));
    QTreeWidgetItem *groupRow = m_browser->items(group).at(0);
    QTreeWidgetItem *plainRow = m_browser->items(plain).at(0);

    QCOMPARE(groupRow->childCount(), 1);
    QCOMPARE(groupRow->child(0)->text(0), QStringLiteral("FRQ"));
    QCOMPARE(m_browser->items(frq).at(0), groupRow->child(0));
    QVERIFY(!m_browser->editItem(group));

    m_browser->setPropertiesWithoutValueMarked(true);
    QVERIFY(groupRow->background(1).style() != Qt::NoBrush);
    QCOMPARE(plainRow->background(1).style(), Qt::NoBrush);
    QCOMPARE(groupRow->child(0)->background(1).style(), Qt::NoBrush);
    m_browser->setPropertiesWithoutValueMarked(false);
    QCOMPARE(groupRow->background(1).style(), Qt::NoBrush);

    m_browser->setRootIsDecorated(false);
    QVERIFY(!m_browser->treeWidget()->rootIsDecorated());
    m_browser->setHeaderVisible(false);
    QVERIFY(m_browser->treeWidget()->isHeaderHidden());

    // Later changes to the group show up in place.
    QtVariantProperty *sym = m_manager->addProperty(QVariant::Int, QStringLiteral("SYM"));
    group->insertSubProperty(sym, nullptr);
    QCOMPARE(groupRow->childCount(), 2);
    QCOMPARE(groupRow->child(0)->text(0), QStringLiteral("SYM"));
    group->removeSubProperty(frq);
    QCOMPARE(groupRow->childCount(), 1);
    QVERIFY(m_browser->items(frq).isEmpty());
}

void TestTreePropertyBrowser::destroyedPropertiesLeaveTheTree()
{
    QtVariantProperty *group = addShown(groupType, QStringLiteral("g"));
    QtVariantProperty *child = m_manager->addProperty(QVariant::Int, QStringLiteral("c"));
    group->addSubProperty(child);
    QtVariantProperty *open = addShown(QVariant::String, QStringLiteral("open"));
    QVERIFY(m_browser->editItem(open));
    QPointer<QWidget> editor = openedEditor();

    delete child;
    QCOMPARE(m_browser->items(group).at(0)->childCount(), 0);

    m_manager->clear();
    QVERIFY(m_browser->topLevelItems().isEmpty());
    QVERIFY(m_browser->properties().isEmpty());
    QTRY_VERIFY(!editor);
}

QTEST_MAIN(TestTreePropertyBrowser)
#include "tst_treepropertybrowser.moc"
