#include "qtproperty.h"

#include "qtvariantpropertymanager.h"

QtProperty::QtProperty(QtVariantPropertyManager *manager, const QString &name)
    : m_manager(manager)
    , m_name(name)
{
}

QtProperty::~QtProperty()
{
    detach();
}

void QtProperty::detach()
{
    if (m_detached)
        return;
    // Listeners still see an intact property while they are told it goes.
    const QList<QtProperty *> parents = m_parents;
    for (QtProperty *parent : parents)
        parent->removeSubProperty(this);
    const QList<QtProperty *> children = m_subProperties;
    for (QtProperty *child : children)
        removeSubProperty(child);
    m_manager->forgetProperty(this);
    m_detached = true;
}

void QtProperty::setPropertyName(const QString &name)
{
    if (name == m_name)
        return;
    m_name = name;
    notifyChanged();
}

void QtProperty::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    notifyChanged();
}

void QtProperty::setModified(bool modified)
{
    if (modified == m_modified)
        return;
    m_modified = modified;
    notifyChanged();
}

bool QtProperty::hasValue() const
{
    return m_manager->hasValue(this);
}

QString QtProperty::valueText() const
{
    return m_manager->valueText(this);
}

void QtProperty::addSubProperty(QtProperty *property)
{
    insertSubProperty(property, m_subProperties.isEmpty() ? nullptr : m_subProperties.constLast());
}

void QtProperty::insertSubProperty(QtProperty *property, QtProperty *after)
{
    if (!property || property->m_manager != m_manager || m_detached || property->m_detached)
        return;
    if (m_subProperties.contains(property) || property->isAncestorOrSelf(this))
        return;
    const int afterIndex = after ? m_subProperties.indexOf(after) : -1;
    if (after && afterIndex < 0)
        return;
    m_subProperties.insert(afterIndex + 1, property);
    property->m_parents.append(this);
    emit m_manager->propertyInserted(property, this, after);
}

void QtProperty::removeSubProperty(QtProperty *property)
{
    if (!m_subProperties.removeOne(property))
        return;
    property->m_parents.removeOne(this);
    emit m_manager->propertyRemoved(property, this);
}

bool QtProperty::isAncestorOrSelf(const QtProperty *property) const
{
    if (property == this)
        return true;
    for (const QtProperty *child : m_subProperties) {
        if (child->isAncestorOrSelf(property))
            return true;
    }
    return false;
}

void QtProperty::notifyChanged()
{
    if (!m_detached)
        emit m_manager->propertyChanged(this);
}
