#pragma once
// Creates, owns and validates properties of four value types plus groups:
//
//   type                    value (QVariant)   attributes
//   QVariant::String        QString            -
//   QVariant::Int           int                "minimum", "maximum", "step" (int)
//   enumTypeId()            int (index)        "enumNames" (QStringList)
//   flagTypeId()            int (bit mask)     "flagNames" (QStringList)
//   groupTypeId()           none               -
//
// Values are kept valid at every moment:
//   - integers lie in [minimum, maximum]; raising the minimum above the maximum
//     raises the maximum with it (and the other way round); the step is >= 1;
//   - an enumeration value is an index into enumNames, clamped to the valid
//     indexes (so -1 or a too large index select the first or last name);
//     with no names the value is -1;
//   - a flag value is a bit mask over the first 32 flagNames (bit i = name i);
//     bits without a name are dropped.
// setValue converts the given variant to the value type the way QVariant
// does (a text that is no number gives 0); a variant that cannot convert at
// all, or one for a group, is ignored.

#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QVariant>

class QtProperty;
class QtVariantProperty;

class QtVariantPropertyManager : public QObject
{
    Q_OBJECT

public:
    explicit QtVariantPropertyManager(QObject *parent = nullptr);
    ~QtVariantPropertyManager() override;

    static int enumTypeId();
    static int flagTypeId();
    static int groupTypeId();

    bool isPropertyTypeSupported(int propertyType) const;
    // QVariant::Int for integers, enumerations and flags; QVariant::Invalid for groups.
    int valueType(int propertyType) const;

    // nullptr for an unsupported type.
    QtVariantProperty *addProperty(int propertyType, const QString &name = QString());
    // Every property of this manager, in creation order.
    QList<QtProperty *> properties() const { return m_properties; }
    // The property itself when it belongs to this manager, else nullptr.
    QtVariantProperty *variantProperty(const QtProperty *property) const;
    void clear();

    int propertyType(const QtProperty *property) const;
    int valueType(const QtProperty *property) const;
    QVariant value(const QtProperty *property) const;
    QVariant attributeValue(const QtProperty *property, const QString &attribute) const;
    bool hasValue(const QtProperty *property) const;
    // What a browser shows: the string itself, an integer in decimal, the
    // selected enumeration name, the set flag names joined by ", ".
    QString valueText(const QtProperty *property) const;

public slots:
    void setValue(QtProperty *property, const QVariant &value);
    // Unknown attribute names, and values that do not convert, are ignored.
    void setAttribute(QtProperty *property, const QString &attribute, const QVariant &value);

signals:
    // Emitted only when the stored value really changes, after propertyChanged.
    void valueChanged(QtProperty *property, const QVariant &value);
    void attributeChanged(QtProperty *property, const QString &attribute, const QVariant &value);
    // Anything shown changed: name, value, enabled state, an attribute.
    void propertyChanged(QtProperty *property);
    void propertyInserted(QtProperty *property, QtProperty *parent, QtProperty *after);
    void propertyRemoved(QtProperty *property, QtProperty *parent);
    // Emitted while the property is still intact, just before it goes.
    void propertyDestroyed(QtProperty *property);

private:
    friend class QtProperty;
    void forgetProperty(QtProperty *property);
    void setNormalisedValue(QtVariantProperty *property, const QVariant &value);
    static QVariant normalised(const QtVariantProperty *property, qlonglong value);

    QList<QtProperty *> m_properties;
    QSet<const QtProperty *> m_owned;
};
