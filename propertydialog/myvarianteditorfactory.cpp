#include "myvarianteditorfactory.h"

#include "favouritemaskeditor.h"
#include "qtvariantproperty.h"
#include "qtvariantpropertymanager.h"

#include <QLineEdit>

MyVariantEditorFactory::MyVariantEditorFactory(QObject *parent)
    : QtVariantEditorFactory(parent)
{
}

QWidget *MyVariantEditorFactory::createEditor(QtVariantPropertyManager *manager,
                                              QtProperty *property, QWidget *parent)
{
    QWidget *editor = nullptr;
    if (manager->propertyType(property) == QtVariantPropertyManager::flagTypeId()) {
        auto *groups = new FavouriteMaskEditor(parent);
        groups->setObjectName(QStringLiteral("favouriteEditor"));
        groups->setGroupNames(manager->attributeValue(property, QStringLiteral("flagNames")).toStringList());
        groups->setMask(manager->value(property).toInt());
        editor = groups;
    } else {
        editor = QtVariantEditorFactory::createEditor(manager, property, parent);
    }
    if (!editor)
        return nullptr;
    if (auto *line = qobject_cast<QLineEdit *>(editor)) {
        const int units = m_maxLengths.value(property);
        if (units > 0)
            line->setMaxLength(qMax(units, line->text().size()));
    }
    connect(editor, &QObject::destroyed, this, &MyVariantEditorFactory::editorDestroyed);
    m_createdEditors.insert(editor, manager->variantProperty(property));
    return editor;
}

void MyVariantEditorFactory::setMaxLength(QtProperty *property, int units)
{
    m_maxLengths.insert(property, units);
}

void MyVariantEditorFactory::editorDestroyed(QObject *object)
{
    QtVariantProperty *property = m_createdEditors.take(object);
    if (property)
        emit valueHasChanged(property);
}

void MyVariantEditorFactory::finishEdits()
{
    const auto pending = m_createdEditors;
    m_createdEditors.clear();
    for (auto it = pending.cbegin(); it != pending.cend(); ++it) {
        disconnect(it.key(), &QObject::destroyed, this, &MyVariantEditorFactory::editorDestroyed);
        emit valueHasChanged(it.value());
    }
}
