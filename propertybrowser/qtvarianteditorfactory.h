#pragma once
// Creates the in-place editors a browser shows over a property's value cell,
// and reads the edited value back out of them.
//
// Default editors (objectName in brackets):
//   string       QLineEdit     ("stringEditor"), text preset
//   integer      QSpinBox      ("integerEditor"), minimum/maximum/step preset
//   enumeration  QComboBox     ("enumEditor"), enumNames, current index preset
//   flags        QtFlagEditor  ("flagEditor"), one check box per flag name
// Disabled properties and groups get no editor.
//
// When a value is written back: the editor never touches the manager while
// the user types or clicks. The browser reads the editor through
// editorValue() and calls QtVariantPropertyManager::setValue exactly once
// when the edit is committed (Enter, or focus leaving the editor); Escape
// closes it without writing. The manager then emits valueChanged once, only
// if the value really differs. After every close - commit or cancel - the
// browser deletes the editor (deleteLater), so its destroyed() signal is
// emitted once per edit, after any write-back: connect to it to hear of
// every finished edit, changed or not.
//
// A subclass overrides createEditor() to return editors of its own (or to
// adjust the default ones); editorValue() reads a QComboBox of an enumeration
// by its index and any other widget through its user property (QLineEdit
// text, QSpinBox value, QtFlagEditor value, ...), converted by the manager.

#include <QObject>
#include <QVariant>

class QWidget;
class QtProperty;
class QtVariantPropertyManager;

class QtVariantEditorFactory : public QObject
{
    Q_OBJECT

public:
    explicit QtVariantEditorFactory(QObject *parent = nullptr);

    // The browser's entry: refuses properties that belong to no manager,
    // are disabled or have no value, then asks createEditor().
    QWidget *createEditorFor(QtVariantPropertyManager *manager, QtProperty *property,
                             QWidget *parent);
    // The value to write back from an editor this factory created.
    QVariant editorValue(QtVariantPropertyManager *manager, QtProperty *property,
                         QWidget *editor) const;

protected:
    virtual QWidget *createEditor(QtVariantPropertyManager *manager, QtProperty *property,
                                  QWidget *parent);
    virtual QVariant valueFromEditor(QtVariantPropertyManager *manager, QtProperty *property,
                                     QWidget *editor) const;
};
