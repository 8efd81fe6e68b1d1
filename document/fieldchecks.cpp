#include "fieldchecks.h"

#include "fieldtrigger.h"

#include <QCoreApplication>

namespace {

// Only plain decimal digits: the writer reads nothing else as the number meant.
// Over 19 digits the number is beyond any field, and is read as the largest.
bool readNumber(const QString &text, quint64 *number)
{
    if (text.isEmpty())
        return false;
    quint64 value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        value = value * 10 + quint64(c.unicode() - '0');
    }
    *number = text.size() > 19 ? ~quint64(0) : value;
    return true;
}

const NodeAttribute *findValue(const QVector<NodeAttribute> &values, int hint, const QString &name)
{
    if (hint < values.size() && values.at(hint).name == name)
        return &values.at(hint);
    for (const NodeAttribute &value : values) {
        if (NodeAttribute::namesEqual(value.name, name))
            return &value;
    }
    return nullptr;
}

const TemplateField *findField(const TemplateMap &fields, const QString &name)
{
    const auto exact = fields.constFind(name);
    if (exact != fields.constEnd())
        return &exact.value();
    for (const TemplateField &field : fields) {
        if (NodeAttribute::namesEqual(field.name, name))
            return &field;
    }
    return nullptr;
}

} // namespace

QString valueRefusal(const QString &field, const ValueRange &range, const QString &text)
{
    if (range.kind != OstrelValueNumber && range.kind != OstrelValueList)
        return QString();
    // A list also keeps a number that names no option, as a file may hold one.
    if (range.kind == OstrelValueList && range.options.contains(text))
        return QString();
    quint64 number = 0;
    if (readNumber(text, &number) && number >= range.minimum && number <= range.maximum)
        return QString();
    const QString numbers = QCoreApplication::translate("FieldChecks", "a number from %1 to %2").arg(range.minimum).arg(range.maximum);
    if (range.kind == OstrelValueList)
        return QCoreApplication::translate("FieldChecks", "%1: '%2' is not one of %3 or %4")
            .arg(field, text, range.options.join(QStringLiteral(", ")), numbers);
    return QCoreApplication::translate("FieldChecks", "%1: '%2' is not %3").arg(field, text, numbers);
}

QString valuesRefusal(const TemplateMap &fields, const QVector<NodeAttribute> &before,
                      const QVector<NodeAttribute> &after)
{
    for (int i = 0; i < after.size(); ++i) {
        const NodeAttribute &value = after.at(i);
        const NodeAttribute *old = findValue(before, i, value.name);
        if (old && old->value == value.value)
            continue;
        if (const TemplateField *field = findField(fields, value.name)) {
            QString refusal = valueRefusal(field->name, field->range, value.value);
            if (!refusal.isEmpty())
                return refusal;
        }
    }
    return QString();
}

QVector<int> changedValues(const QVector<NodeAttribute> &before, const QVector<NodeAttribute> &after)
{
    QVector<int> changed;
    for (int i = 0; i < after.size(); ++i) {
        const NodeAttribute *old = findValue(before, i, after.at(i).name);
        if (!old || old->value != after.at(i).value)
            changed.append(i);
    }
    return changed;
}

QVector<NodeAttribute> withTriggers(const TemplateMap &fields, const QVector<NodeAttribute> &before,
                                    QVector<NodeAttribute> after)
{
    const QVector<int> edited = changedValues(before, after);
    for (const int i : edited) {
        const TemplateField *field = findField(fields, after.at(i).name);
        if (!field || !field->trigger)
            continue;
        for (const NodeAttribute &set : runFieldTrigger(*field, after)) {
            for (int j = 0; j < after.size(); ++j) {
                if (after.at(j).name == set.name && !edited.contains(j)) {
                    after[j].value = set.value;
                    break;
                }
            }
        }
    }
    return after;
}

QVector<NodeAttribute> defaultValues(const TemplateVector &templates)
{
    QVector<NodeAttribute> values;
    values.reserve(templates.size());
    for (const TemplateField &field : templates)
        values.append(NodeAttribute{field.name, field.defaultText});
    return values;
}
