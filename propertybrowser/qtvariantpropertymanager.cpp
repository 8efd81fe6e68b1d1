#include "qtvariantpropertymanager.h"

#include "qtvariantproperty.h"

#include <QStringList>

// Tag types that give enumerations, flags and groups their own type ids.
struct QtEnumPropertyType
{};
struct QtFlagPropertyType
{};
struct QtGroupPropertyType
{};
Q_DECLARE_METATYPE(QtEnumPropertyType)
Q_DECLARE_METATYPE(QtFlagPropertyType)
Q_DECLARE_METATYPE(QtGroupPropertyType)

namespace {

const QString minimumAttribute = QStringLiteral("minimum");
const QString maximumAttribute = QStringLiteral("maximum");
const QString stepAttribute = QStringLiteral("step");
const QString enumNamesAttribute = QStringLiteral("enumNames");
const QString flagNamesAttribute = QStringLiteral("flagNames");

// A flag value is a 32-bit mask, so only that many names can have a bit.
constexpr int maxFlagCount = 32;

quint32 flagMask(int nameCount)
{
    return nameCount >= maxFlagCount ? 0xFFFFFFFFu : (1u << nameCount) - 1u;
}

} // namespace

QtVariantPropertyManager::QtVariantPropertyManager(QObject *parent)
    : QObject(parent)
{
    // For queued connections and signal spies on our signals.
    qRegisterMetaType<QtProperty *>();
    qRegisterMetaType<QtVariantProperty *>();
}

QtVariantPropertyManager::~QtVariantPropertyManager()
{
    clear();
}

int QtVariantPropertyManager::enumTypeId()
{
    return qMetaTypeId<QtEnumPropertyType>();
}

int QtVariantPropertyManager::flagTypeId()
{
    return qMetaTypeId<QtFlagPropertyType>();
}

int QtVariantPropertyManager::groupTypeId()
{
    return qMetaTypeId<QtGroupPropertyType>();
}

bool QtVariantPropertyManager::isPropertyTypeSupported(int propertyType) const
{
    return propertyType == QVariant::String || propertyType == QVariant::Int
        || propertyType == enumTypeId() || propertyType == flagTypeId()
        || propertyType == groupTypeId();
}

int QtVariantPropertyManager::valueType(int propertyType) const
{
    if (propertyType == QVariant::String)
        return QVariant::String;
    if (propertyType == QVariant::Int || propertyType == enumTypeId() || propertyType == flagTypeId())
        return QVariant::Int;
    return QVariant::Invalid;
}

QtVariantProperty *QtVariantPropertyManager::addProperty(int propertyType, const QString &name)
{
    if (!isPropertyTypeSupported(propertyType))
        return nullptr;
    auto *property = new QtVariantProperty(this, propertyType, name);
    if (propertyType == QVariant::String)
        property->m_value = QString();
    else if (propertyType == QVariant::Int || propertyType == flagTypeId())
        property->m_value = 0;
    else if (propertyType == enumTypeId())
        property->m_value = -1; // no names yet
    m_properties.append(property);
    m_owned.insert(property);
    return property;
}

QtVariantProperty *QtVariantPropertyManager::variantProperty(const QtProperty *property) const
{
    if (!property || !m_owned.contains(property))
        return nullptr;
    // Every property this manager owns was created as a QtVariantProperty.
    return static_cast<QtVariantProperty *>(const_cast<QtProperty *>(property));
}

void QtVariantPropertyManager::clear()
{
    // Newest first, so each removal from the list is at its end.
    while (!m_properties.isEmpty())
        delete m_properties.constLast();
}

void QtVariantPropertyManager::forgetProperty(QtProperty *property)
{
    if (!m_owned.contains(property))
        return;
    emit propertyDestroyed(property);
    m_owned.remove(property);
    if (!m_properties.isEmpty() && m_properties.constLast() == property)
        m_properties.removeLast();
    else
        m_properties.removeOne(property);
}

int QtVariantPropertyManager::propertyType(const QtProperty *property) const
{
    const QtVariantProperty *p = variantProperty(property);
    return p ? p->m_propertyType : int(QVariant::Invalid);
}

int QtVariantPropertyManager::valueType(const QtProperty *property) const
{
    return valueType(propertyType(property));
}

QVariant QtVariantPropertyManager::value(const QtProperty *property) const
{
    const QtVariantProperty *p = variantProperty(property);
    return p ? p->m_value : QVariant();
}

QVariant QtVariantPropertyManager::attributeValue(const QtProperty *property,
                                                  const QString &attribute) const
{
    const QtVariantProperty *p = variantProperty(property);
    if (!p)
        return QVariant();
    const int type = p->m_propertyType;
    if (type == QVariant::Int) {
        if (attribute == minimumAttribute)
            return p->m_minimum;
        if (attribute == maximumAttribute)
            return p->m_maximum;
        if (attribute == stepAttribute)
            return p->m_step;
    } else if ((type == enumTypeId() && attribute == enumNamesAttribute)
               || (type == flagTypeId() && attribute == flagNamesAttribute)) {
        return p->m_names;
    }
    return QVariant();
}

bool QtVariantPropertyManager::hasValue(const QtProperty *property) const
{
    const QtVariantProperty *p = variantProperty(property);
    return p && p->m_propertyType != groupTypeId();
}

QString QtVariantPropertyManager::valueText(const QtProperty *property) const
{
    const QtVariantProperty *p = variantProperty(property);
    if (!p)
        return QString();
    const int type = p->m_propertyType;
    if (type == QVariant::String)
        return p->m_value.toString();
    if (type == QVariant::Int)
        return QString::number(p->m_value.toInt());
    if (type == enumTypeId())
        return p->m_names.value(p->m_value.toInt());
    if (type == flagTypeId()) {
        const quint32 bits = quint32(p->m_value.toInt());
        QStringList set;
        for (int i = 0; i < p->m_names.size(); ++i) {
            if (bits & (1u << i))
                set.append(p->m_names.at(i));
        }
        return set.join(QStringLiteral(", "));
    }
    return QString();
}

void QtVariantPropertyManager::setValue(QtProperty *property, const QVariant &value)
{
    QtVariantProperty *p = variantProperty(property);
    if (!p || !value.isValid())
        return;
    const int type = p->m_propertyType;
    if (type == QVariant::String) {
        if (value.canConvert<QString>())
            setNormalisedValue(p, value.toString());
    } else if (type != groupTypeId()) {
        // Through 64 bits so a large text clamps instead of turning into 0,
        // and a mask with bit 31 set survives.
        if (value.canConvert<qlonglong>())
            setNormalisedValue(p, normalised(p, value.toLongLong()));
    }
}

void QtVariantPropertyManager::setAttribute(QtProperty *property, const QString &attribute,
                                            const QVariant &value)
{
    QtVariantProperty *p = variantProperty(property);
    if (!p || !value.isValid())
        return;
    const int type = p->m_propertyType;
    if (type == QVariant::Int) {
        bool ok = false;
        const int number = value.toInt(&ok);
        if (!ok)
            return;
        if (attribute == minimumAttribute) {
            if (number == p->m_minimum)
                return;
            p->m_minimum = number;
            emit attributeChanged(p, minimumAttribute, number);
            if (p->m_maximum < number) {
                p->m_maximum = number;
                emit attributeChanged(p, maximumAttribute, number);
            }
        } else if (attribute == maximumAttribute) {
            if (number == p->m_maximum)
                return;
            p->m_maximum = number;
            emit attributeChanged(p, maximumAttribute, number);
            if (p->m_minimum > number) {
                p->m_minimum = number;
                emit attributeChanged(p, minimumAttribute, number);
            }
        } else if (attribute == stepAttribute) {
            if (number < 1 || number == p->m_step)
                return;
            p->m_step = number;
            emit attributeChanged(p, stepAttribute, number);
        } else {
            return;
        }
    } else if ((type == enumTypeId() && attribute == enumNamesAttribute)
               || (type == flagTypeId() && attribute == flagNamesAttribute)) {
        if (!value.canConvert<QStringList>())
            return;
        QStringList names = value.toStringList();
        if (type == flagTypeId() && names.size() > maxFlagCount)
            names = names.mid(0, maxFlagCount);
        if (names == p->m_names)
            return;
        p->m_names = names;
        emit attributeChanged(p, attribute, names);
    } else {
        return;
    }
    emit propertyChanged(p);
    setNormalisedValue(p, normalised(p, p->m_value.toLongLong()));
}

void QtVariantPropertyManager::setNormalisedValue(QtVariantProperty *property, const QVariant &value)
{
    if (property->m_value == value)
        return;
    property->m_value = value;
    emit propertyChanged(property);
    emit valueChanged(property, value);
}

QVariant QtVariantPropertyManager::normalised(const QtVariantProperty *property, qlonglong value)
{
    const int type = property->m_propertyType;
    if (type == QVariant::Int)
        return int(qBound<qlonglong>(property->m_minimum, value, property->m_maximum));
    if (type == enumTypeId()) {
        const int count = property->m_names.size();
        return count == 0 ? -1 : int(qBound<qlonglong>(0, value, count - 1));
    }
    if (type == flagTypeId())
        return int(quint32(value) & flagMask(property->m_names.size()));
    return QVariant();
}
