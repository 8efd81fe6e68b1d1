#pragma once
// A property whose value is a QVariant of one of the manager's types. Every
// call forwards to the manager, which keeps values valid and emits signals.

#include "qtproperty.h"

#include <QStringList>
#include <QVariant>

class QtVariantProperty : public QtProperty
{
public:
    ~QtVariantProperty() override;

    QVariant value() const;
    void setValue(const QVariant &value);
    QVariant attributeValue(const QString &attribute) const;
    void setAttribute(const QString &attribute, const QVariant &value);

    int propertyType() const { return m_propertyType; }
    int valueType() const;

private:
    friend class QtVariantPropertyManager;
    QtVariantProperty(QtVariantPropertyManager *manager, int propertyType, const QString &name);

    const int m_propertyType;
    QVariant m_value;
    int m_minimum;
    int m_maximum;
    int m_step = 1;
    QStringList m_names; // enumNames or flagNames
};

Q_DECLARE_METATYPE(QtVariantProperty *)
