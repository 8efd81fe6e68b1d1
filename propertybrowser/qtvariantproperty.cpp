#include "qtvariantproperty.h"

#include "qtvariantpropertymanager.h"

#include <limits>

QtVariantProperty::QtVariantProperty(QtVariantPropertyManager *manager, int propertyType,
                                     const QString &name)
    : QtProperty(manager, name)
    , m_propertyType(propertyType)
    , m_minimum(std::numeric_limits<int>::min())
    , m_maximum(std::numeric_limits<int>::max())
{
}

QtVariantProperty::~QtVariantProperty()
{
    detach();
}

QVariant QtVariantProperty::value() const
{
    return m_value;
}

void QtVariantProperty::setValue(const QVariant &value)
{
    propertyManager()->setValue(this, value);
}

QVariant QtVariantProperty::attributeValue(const QString &attribute) const
{
    return propertyManager()->attributeValue(this, attribute);
}

void QtVariantProperty::setAttribute(const QString &attribute, const QVariant &value)
{
    propertyManager()->setAttribute(this, attribute, value);
}

int QtVariantProperty::valueType() const
{
    return propertyManager()->valueType(m_propertyType);
}
