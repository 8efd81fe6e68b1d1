#include "qtflageditor.h"
#include "qttreepropertybrowser.h"
#include "qtvarianteditorfactory.h"
#include "qtvariantproperty.h"
#include "qtvariantpropertymanager.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const int enumType = QtVariantPropertyManager::enumTypeId();
const int flagType = QtVariantPropertyManager::flagTypeId();
const int groupType = QtVariantPropertyManager::groupTypeId();

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

// Where the keyboard goes inside an editor: the focused child if any.
QWidget *keyTarget(QWidget *editor)
{
    QWidget *focused = QApplication::focusWidget();
    if (focused && (focused == editor || editor->isAncestorOf(focused)))
        return focused;
    return editor;
}

// Notes the property's value at the moment each editor it made goes away,
// the way a dialog hears of finished edits.
class WatchingFactory : public QtVariantEditorFactory
{
public:
    using QtVariantEditorFactory::QtVariantEditorFactory;
    QVariantList valuesAtDestruction;

protected:
    QWidget *createEditor(QtVariantPropertyManager *manager, QtProperty *property,
                          QWidget *parent) override
    {
        QWidget *editor = QtVariantEditorFactory::createEditor(manager, property, parent);
        connect(editor, &QObject::destroyed, this, [this, manager, property] {
            valuesAtDestruction.append(manager->value(property));
        });
        return editor;
    }
};

} // namespace

class TestTreePropertyBrowser : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showsNameAndValueText_data();
    void showsNameAndValueText();
    void rowsFollowTheManager();
    void editCommitsOnceWithEnter_data();
    void editCommitsOnceWithEnter();
    void escapeCancels_data();
    void escapeCancels();
    void focusLeavingEditorCommits();
    void editorGoesAfterWriteBack_data();
    void editorGoesAfterWriteBack();
    void tabMovesToNextRow();
    void editorsCarryAttributes();
    void flagEditorTogglesBits();
    void disabledPropertyGetsNoEditor();
    void disablingClosesOpenEditor();
    void openingAnotherEditorCommitsTheFirst();
    void subclassEditorIsUsed();
    void noFactoryMeansReadOnly();
    void groupsAreMarkedAndNested();
    void destroyedPropertiesLeaveTheTree();

private:
    QtVariantProperty *addShown(int type, const QString &name);
    QPoint valueCell(QtProperty *property) const;
    void clickValueCell(QtProperty *property);
    QWidget *openedEditor() const { return m_browser->currentEditor(); }

    QWidget *m_window = nullptr;
    QtTreePropertyBrowser *m_browser = nullptr;
    QLineEdit *m_elsewhere = nullptr;
    QtVariantPropertyManager *m_manager = nullptr;
    QtVariantEditorFactory *m_factory = nullptr;
};

void TestTreePropertyBrowser::init()
{
    m_window = new QWidget;
    auto *layout = new QVBoxLayout(m_window);
    m_browser = new QtTreePropertyBrowser(m_window);
    m_elsewhere = new QLineEdit(m_window);
    m_elsewhere->setObjectName(QStringLiteral("elsewhere"));
    layout->addWidget(m_browser);
    layout->addWidget(m_elsewhere);
    m_manager = new QtVariantPropertyManager(m_window);
    m_factory = new QtVariantEditorFactory(m_window);
    m_browser->setFactoryForManager(m_manager, m_factory);
    m_window->resize(500, 400);
    m_window->show();
    QApplication::setActiveWindow(m_window);
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void TestTreePropertyBrowser::cleanup()
{
    delete m_window;
    m_window = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

QtVariantProperty *TestTreePropertyBrowser::addShown(int type, const QString &name)
{
    QtVariantProperty *property = m_manager->addProperty(type, name);
    m_browser->addProperty(property);
    return property;
}

QPoint TestTreePropertyBrowser::valueCell(QtProperty *property) const
{
    QTreeWidget *tree = m_browser->treeWidget();
    const QRect row = tree->visualItemRect(m_browser->items(property).value(0));
    const QHeaderView *header = tree->header();
    return QPoint(header->sectionViewportPosition(1) + header->sectionSize(1) / 2, row.center().y());
}

void TestTreePropertyBrowser::clickValueCell(QtProperty *property)
{
    QTest::mouseClick(m_browser->treeWidget()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      valueCell(property));
}

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

void TestTreePropertyBrowser::editCommitsOnceWithEnter_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QVariantMap>("attributes");
    QTest::addColumn<QVariant>("initial");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("downPresses");
    QTest::addColumn<QVariant>("expected");
    QTest::addColumn<QString>("expectedText");

    const QVariantMap polarity{{QStringLiteral("enumNames"), QStringList{"H", "V", "L", "R"}}};
    QTest::newRow("string") << int(QVariant::String) << QVariantMap() << QVariant("old")
                            << "Das Erste" << 0 << QVariant("Das Erste") << "Das Erste";
    QTest::newRow("string-emptied") << int(QVariant::String) << QVariantMap() << QVariant("old")
                                    << "" << 0 << QVariant("") << "";
    QTest::newRow("integer") << int(QVariant::Int) << QVariantMap{{QStringLiteral("maximum"), 65535}}
                             << QVariant(5) << "11778" << 0 << QVariant(11778) << "11778";
    QTest::newRow("integer-negative") << int(QVariant::Int) << QVariantMap{{QStringLiteral("minimum"), -100}}
                                      << QVariant(5) << "-42" << 0 << QVariant(-42) << "-42";
    QTest::newRow("enumeration") << enumType << polarity << QVariant(0) << "" << 2 << QVariant(2) << "L";
    QTest::newRow("enumeration-stops-at-last") << enumType << polarity << QVariant(2) << "" << 5
                                               << QVariant(3) << "R";
}

void TestTreePropertyBrowser::editCommitsOnceWithEnter()
{
    QFETCH(int, type);
    QFETCH(QVariantMap, attributes);
    QFETCH(QVariant, initial);
    QFETCH(QString, typed);
    QFETCH(int, downPresses);
    QFETCH(QVariant, expected);
    QFETCH(QString, expectedText);

    addShown(QVariant::String, QStringLiteral("before"));
    QtVariantProperty *property = addShown(type, QStringLiteral("Field"));
    for (auto it = attributes.cbegin(); it != attributes.cend(); ++it)
        property->setAttribute(it.key(), it.value());
    property->setValue(initial);
    QSignalSpy spy(m_manager, &QtVariantPropertyManager::valueChanged);

    clickValueCell(property);
    QPointer<QWidget> editor = openedEditor();
    QVERIFY(editor);
    QTRY_VERIFY(editor->hasFocus() || editor->isAncestorOf(QApplication::focusWidget()));
    QCOMPARE(m_browser->currentProperty(), static_cast<QtProperty *>(property));
    if (auto *line = qobject_cast<QLineEdit *>(editor.data())) {
        line->selectAll();
        QTest::keyClick(keyTarget(editor), Qt::Key_Backspace);
    } else if (auto *spin = qobject_cast<QSpinBox *>(editor.data())) {
        spin->selectAll();
        QTest::keyClick(keyTarget(editor), Qt::Key_Backspace);
    }
    QTest::keyClicks(keyTarget(editor), typed);
    for (int i = 0; i < downPresses; ++i)
        QTest::keyClick(keyTarget(editor), Qt::Key_Down);
    QCOMPARE(spy.count(), 0); // nothing is written while the user edits

    QTest::keyClick(keyTarget(editor), Qt::Key_Return);

    QTRY_VERIFY(!editor); // closed and deleted
    QCOMPARE(property->value(), expected);
    QCOMPARE(m_browser->items(property).at(0)->text(1), expectedText);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(1).value<QVariant>(), expected);
    QVERIFY(!openedEditor());
}

void TestTreePropertyBrowser::escapeCancels_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QVariant>("initial");

    QTest::newRow("string") << int(QVariant::String) << QVariant("keep");
    QTest::newRow("integer") << int(QVariant::Int) << QVariant(7);
    QTest::newRow("enumeration") << enumType << QVariant(1);
    QTest::newRow("flags") << flagType << QVariant(2);
}

void TestTreePropertyBrowser::escapeCancels()
{
    QFETCH(int, type);
    QFETCH(QVariant, initial);

    QtVariantProperty *property = addShown(type, QStringLiteral("Field"));
    property->setAttribute(QStringLiteral("enumNames"), QStringList{"a", "b", "c"});
    property->setAttribute(QStringLiteral("flagNames"), QStringList{"a", "b", "c"});
    property->setValue(initial);
    QSignalSpy spy(m_manager, &QtVariantPropertyManager::valueChanged);
    QSignalSpy destroyed(m_factory, &QObject::destroyed);

    QVERIFY(m_browser->editItem(property));
    QPointer<QWidget> editor = openedEditor();
    QVERIFY(editor);
    QTRY_VERIFY(editor->hasFocus() || editor->isAncestorOf(QApplication::focusWidget()));
    QTest::keyClicks(keyTarget(editor), QStringLiteral("9"));
    QTest::keyClick(keyTarget(editor), Qt::Key_Down);
    if (auto *flags = qobject_cast<QtFlagEditor *>(editor.data()))
        flags->checkBoxes().at(0)->click();

    QTest::keyClick(keyTarget(editor), Qt::Key_Escape);

    QTRY_VERIFY(!editor);
    QCOMPARE(property->value(), initial);
    QCOMPARE(spy.count(), 0);
}

void TestTreePropertyBrowser::focusLeavingEditorCommits()
{
    QtVariantProperty *property = addShown(QVariant::String, QStringLiteral("NAME"));
    property->setValue(QStringLiteral("old"));
    QSignalSpy spy(m_manager, &QtVariantPropertyManager::valueChanged);

    clickValueCell(property);
    QPointer<QWidget> editor = openedEditor();
    QVERIFY(qobject_cast<QLineEdit *>(editor.data()));
    QTRY_VERIFY(editor->hasFocus());
    QTest::keyClicks(editor, QStringLiteral("new"));

    QTest::mouseClick(m_elsewhere, Qt::LeftButton);
    QTRY_VERIFY(m_elsewhere->hasFocus());

    QTRY_VERIFY(!editor);
    QCOMPARE(property->value(), QVariant("new"));
    QCOMPARE(spy.count(), 1);
}

void TestTreePropertyBrowser::editorGoesAfterWriteBack_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("closeKey");
    QTest::addColumn<QVariant>("expected");
    QTest::addColumn<int>("signalCount");

    QTest::newRow("changed") << "new" << int(Qt::Key_Return) << QVariant("new") << 1;
    QTest::newRow("unchanged") << "old" << int(Qt::Key_Return) << QVariant("old") << 0;
    QTest::newRow("cancelled") << "new" << int(Qt::Key_Escape) << QVariant("old") << 0;
}

void TestTreePropertyBrowser::editorGoesAfterWriteBack()
{
    QFETCH(QString, typed);
    QFETCH(int, closeKey);
    QFETCH(QVariant, expected);
    QFETCH(int, signalCount);

    auto *factory = new WatchingFactory(m_window);
    m_browser->setFactoryForManager(m_manager, factory);
    QtVariantProperty *property = addShown(QVariant::String, QStringLiteral("NAME"));
    property->setValue(QStringLiteral("old"));
    QSignalSpy spy(m_manager, &QtVariantPropertyManager::valueChanged);

    QVERIFY(m_browser->editItem(property));
    QPointer<QWidget> editor = openedEditor();
    static_cast<QLineEdit *>(editor.data())->selectAll();
    QTest::keyClicks(editor, typed);
    QTest::keyClick(editor, Qt::Key(closeKey));

    QTRY_VERIFY(!editor);
    QCoreApplication::processEvents();
    QCOMPARE(factory->valuesAtDestruction, QVariantList{expected});
    QCOMPARE(spy.count(), signalCount);
}

void TestTreePropertyBrowser::tabMovesToNextRow()
{
    QtVariantProperty *first = addShown(QVariant::String, QStringLiteral("first"));
    QtVariantProperty *second = addShown(QVariant::Int, QStringLiteral("second"));
    QVERIFY(m_browser->editItem(first));
    QPointer<QWidget> firstEditor = openedEditor();
    QTRY_VERIFY(firstEditor->hasFocus());
    QTest::keyClicks(firstEditor, QStringLiteral("abc"));

    QTest::keyClick(firstEditor, Qt::Key_Tab);

    QTRY_VERIFY(!firstEditor);
    QCOMPARE(first->value(), QVariant("abc"));
    QTRY_VERIFY(qobject_cast<QSpinBox *>(openedEditor()));
    QCOMPARE(m_browser->currentProperty(), static_cast<QtProperty *>(second));
}

void TestTreePropertyBrowser::editorsCarryAttributes()
{
    QtVariantProperty *number = addShown(QVariant::Int, QStringLiteral("SYM"));
    number->setAttribute(QStringLiteral("minimum"), 1000);
    number->setAttribute(QStringLiteral("maximum"), 45000);
    number->setAttribute(QStringLiteral("step"), 500);
    number->setValue(27500);
    QtVariantProperty *choice = addShown(enumType, QStringLiteral("POL"));
    choice->setAttribute(QStringLiteral("enumNames"), QStringList{"H", "", "V"});
    choice->setValue(2);

    QVERIFY(m_browser->editItem(number));
    auto *spin = qobject_cast<QSpinBox *>(openedEditor());
    QVERIFY(spin);
    QCOMPARE(spin->objectName(), QStringLiteral("integerEditor"));
    QCOMPARE(spin->minimum(), 1000);
    QCOMPARE(spin->maximum(), 45000);
    QCOMPARE(spin->singleStep(), 500);
    QCOMPARE(spin->value(), 27500);
    QTest::keyClick(keyTarget(spin), Qt::Key_Up); // one step
    QTest::keyClick(keyTarget(spin), Qt::Key_Return);
    QTRY_COMPARE(number->value(), QVariant(28000));

    QTRY_VERIFY(!openedEditor());
    QVERIFY(m_browser->editItem(choice));
    auto *combo = qobject_cast<QComboBox *>(openedEditor());
    QVERIFY(combo);
    QCOMPARE(combo->objectName(), QStringLiteral("enumEditor"));
    QCOMPARE(combo->count(), 3);
    QCOMPARE(combo->itemText(1), QString());
    QCOMPARE(combo->currentIndex(), 2);
}

void TestTreePropertyBrowser::flagEditorTogglesBits()
{
    QtVariantProperty *fav = addShown(flagType, QStringLiteral("FAV"));
    fav->setAttribute(QStringLiteral("flagNames"), QStringList{"News", "Sport", "Kids"});
    fav->setValue(1);
    QSignalSpy spy(m_manager, &QtVariantPropertyManager::valueChanged);

    clickValueCell(fav);
    QPointer<QWidget> editor = openedEditor();
    auto *flags = qobject_cast<QtFlagEditor *>(editor.data());
    QVERIFY(flags);
    QCOMPARE(flags->objectName(), QStringLiteral("flagEditor"));
    const QList<QCheckBox *> boxes = flags->findChildren<QCheckBox *>();
    QCOMPARE(boxes.size(), 3);
    auto *news = flags->findChild<QCheckBox *>(QStringLiteral("flag0"));
    auto *kids = flags->findChild<QCheckBox *>(QStringLiteral("flag2"));
    QVERIFY(news && kids);
    QCOMPARE(kids->text(), QStringLiteral("Kids"));
    QVERIFY(news->isChecked());
    QVERIFY(!kids->isChecked());

    // Clicking boxes moves focus inside the editor; that must not end the edit.
    QTest::mouseClick(kids, Qt::LeftButton);
    QTest::mouseClick(news, Qt::LeftButton);
    QVERIFY(editor);
    QCOMPARE(spy.count(), 0);
    QTest::keyClick(keyTarget(editor), Qt::Key_Return);

    QTRY_VERIFY(!editor);
    QCOMPARE(fav->value(), QVariant(4));
    QCOMPARE(fav->valueText(), QStringLiteral("Kids"));
    QCOMPARE(spy.count(), 1);
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

void TestTreePropertyBrowser::disablingClosesOpenEditor()
{
    QtVariantProperty *property = addShown(QVariant::Int, QStringLiteral("LCN"));
    property->setValue(3);
    QSignalSpy spy(m_manager, &QtVariantPropertyManager::valueChanged);
    QVERIFY(m_browser->editItem(property));
    QPointer<QWidget> editor = openedEditor();
    QTest::keyClicks(keyTarget(editor), QStringLiteral("9"));

    property->setEnabled(false);

    QTRY_VERIFY(!editor);
    QCOMPARE(property->value(), QVariant(3));
    QCOMPARE(spy.count(), 0);
}

void TestTreePropertyBrowser::openingAnotherEditorCommitsTheFirst()
{
    QtVariantProperty *first = addShown(QVariant::String, QStringLiteral("first"));
    QtVariantProperty *second = addShown(QVariant::Int, QStringLiteral("second"));
    QVERIFY(m_browser->editItem(first));
    QPointer<QWidget> firstEditor = openedEditor();
    QTest::keyClicks(firstEditor, QStringLiteral("typed"));

    QVERIFY(m_browser->editItem(second));

    QCOMPARE(first->value(), QVariant("typed"));
    QVERIFY(qobject_cast<QSpinBox *>(openedEditor()));
    QTRY_VERIFY(!firstEditor);
    QCOMPARE(m_browser->currentProperty(), static_cast<QtProperty *>(second));
    // Asking again for the open one keeps it.
    QWidget *secondEditor = openedEditor();
    QVERIFY(m_browser->editItem(second));
    QCOMPARE(openedEditor(), secondEditor);
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
