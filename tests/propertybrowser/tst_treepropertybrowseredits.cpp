// Editing in the browser: what Enter, Escape, Tab and leaving the editor do
// to the value, when the editor goes, the editors' settings, the flag
// editor's boxes, and an edit cut short by disabling or by opening another.

#include "treepropertybrowserfixture.h"

#include "qtflageditor.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPointer>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

namespace {

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

class TestTreePropertyBrowserEdits : public TreePropertyBrowserFixture
{
    Q_OBJECT

private slots:
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
    void disablingClosesOpenEditor();
    void openingAnotherEditorCommitsTheFirst();
};

void TestTreePropertyBrowserEdits::editCommitsOnceWithEnter_data()
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

void TestTreePropertyBrowserEdits::editCommitsOnceWithEnter()
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

void TestTreePropertyBrowserEdits::escapeCancels_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QVariant>("initial");

    QTest::newRow("string") << int(QVariant::String) << QVariant("keep");
    QTest::newRow("integer") << int(QVariant::Int) << QVariant(7);
    QTest::newRow("enumeration") << enumType << QVariant(1);
    QTest::newRow("flags") << flagType << QVariant(2);
}

void TestTreePropertyBrowserEdits::escapeCancels()
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

void TestTreePropertyBrowserEdits::focusLeavingEditorCommits()
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

void TestTreePropertyBrowserEdits::editorGoesAfterWriteBack_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("closeKey");
    QTest::addColumn<QVariant>("expected");
    QTest::addColumn<int>("signalCount");

    QTest::newRow("changed") << "new" << int(Qt::Key_Return) << QVariant("new") << 1;
    QTest::newRow("unchanged") << "old" << int(Qt::Key_Return) << QVariant("old") << 0;
    QTest::newRow("cancelled") << "new" << int(Qt::Key_Escape) << QVariant("old") << 0;
}

void TestTreePropertyBrowserEdits::editorGoesAfterWriteBack()
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

void TestTreePropertyBrowserEdits::tabMovesToNextRow()
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

void TestTreePropertyBrowserEdits::editorsCarryAttributes()
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

void TestTreePropertyBrowserEdits::flagEditorTogglesBits()
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

void TestTreePropertyBrowserEdits::disablingClosesOpenEditor()
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

void TestTreePropertyBrowserEdits::openingAnotherEditorCommitsTheFirst()
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

QTEST_MAIN(TestTreePropertyBrowserEdits)
#include "tst_treepropertybrowseredits.moc"
