#include "qtvarianteditorfactory.h"

#include "qtflageditor.h"
#include "qtproperty.h"
#include "qtvariantpropertymanager.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMetaProperty>
#include <QSpinBox>

QtVariantEditorFactory::QtVariantEditorFactory(QObject *parent)
    : QObject(parent)
{
}

QWidget *QtVariantEditorFactory::createEditorFor(QtVariantPropertyManager *manager,
                                                 QtProperty *property, QWidget *parent)
{
    if (!manager || !manager->variantProperty(property) || !property->isEnabled()
        || !manager->hasValue(property)) {
        return nullptr;
    }
    return createEditor(manager, property, parent);
}

QVariant QtVariantEditorFactory::editorValue(QtVariantPropertyManager *manager,
                                             QtProperty *property, QWidget *editor) const
{
    if (!manager || !manager->variantProperty(property) || !editor)
        return QVariant();
    return valueFromEditor(manager, property, editor);
}

QWidget *QtVariantEditorFactory::createEditor(QtVariantPropertyManager *manager,
                                              QtProperty *property, QWidget *parent)
{
    const int type = manager->propertyType(property);
    const QVariant value = manager->value(property);
    if (type == QVariant::String) {
        auto *edit = new QLineEdit(parent);
        edit->setObjectName(QStringLiteral("stringEditor"));
        edit->setText(value.toString());
        edit->selectAll();
        return edit;
    }
    if (type == QVariant::Int) {
        auto *spin = new QSpinBox(parent);
        spin->setObjectName(QStringLiteral("integerEditor"));
        spin->setRange(manager->attributeValue(property, QStringLiteral("minimum")).toInt(),
                       manager->attributeValue(property, QStringLiteral("maximum")).toInt());
        spin->setSingleStep(manager->attributeValue(property, QStringLiteral("step")).toInt());
        spin->setValue(value.toInt());
        spin->setKeyboardTracking(false);
        return spin;
    }
    if (type == QtVariantPropertyManager::enumTypeId()) {
        auto *combo = new QComboBox(parent);
        combo->setObjectName(QStringLiteral("enumEditor"));
        combo->addItems(manager->attributeValue(property, QStringLiteral("enumNames")).toStringList());
        combo->setCurrentIndex(value.toInt());
        return combo;
    }
    if (type == QtVariantPropertyManager::flagTypeId()) {
        auto *flags = new QtFlagEditor(parent);
        flags->setObjectName(QStringLiteral("flagEditor"));
        flags->setFlagNames(manager->attributeValue(property, QStringLiteral("flagNames")).toStringList());
        flags->setValue(value.toInt());
        return flags;
    }
    return nullptr;
}

QVariant QtVariantEditorFactory::valueFromEditor(QtVariantPropertyManager *manager,
                                                 QtProperty *property, QWidget *editor) const
{
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        if (manager->propertyType(property) == QtVariantPropertyManager::enumTypeId())
            return combo->currentIndex();
    }
    // Text typed into a spin box counts even when the user never left it.
    if (auto *spin = qobject_cast<QAbstractSpinBox *>(editor))
        spin->interpretText();
    const QMetaProperty user = editor->metaObject()->userProperty();
    return user.isValid() ? user.read(editor) : QVariant();
}
