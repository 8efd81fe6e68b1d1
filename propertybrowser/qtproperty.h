#pragma once
// One named entry of a property manager. The manager creates and owns every
// property; deleting one (or the manager's clear()) removes it everywhere.

#include <QList>
#include <QMetaType>
#include <QString>

class QtVariantPropertyManager;

class QtProperty
{
public:
    virtual ~QtProperty();
    QtProperty(const QtProperty &) = delete;
    QtProperty &operator=(const QtProperty &) = delete;

    QtVariantPropertyManager *propertyManager() const { return m_manager; }

    QString propertyName() const { return m_name; }
    void setPropertyName(const QString &name);

    // A disabled property is shown greyed and never gets an editor; its value
    // can still be set through the manager.
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    bool isModified() const { return m_modified; }
    void setModified(bool modified);

    // False for group properties, which only hold sub-properties.
    bool hasValue() const;
    QString valueText() const;

    QList<QtProperty *> subProperties() const { return m_subProperties; }
    // Appends (after == nullptr puts it first) unless that would make a cycle
    // or the property is already a child here.
    void addSubProperty(QtProperty *property);
    void insertSubProperty(QtProperty *property, QtProperty *after);
    void removeSubProperty(QtProperty *property);

protected:
    QtProperty(QtVariantPropertyManager *manager, const QString &name);
    // Unlinks the property from its relatives and its manager; the most
    // derived destructor calls it so listeners still see the whole object.
    void detach();

private:
    bool isAncestorOrSelf(const QtProperty *property) const;
    void notifyChanged();

    QtVariantPropertyManager *m_manager;
    QString m_name;
    bool m_enabled = true;
    bool m_modified = false;
    bool m_detached = false;
    QList<QtProperty *> m_subProperties;
    QList<QtProperty *> m_parents;
};

// Lets signals carry properties through QVariant and QSignalSpy.
Q_DECLARE_METATYPE(QtProperty *)
