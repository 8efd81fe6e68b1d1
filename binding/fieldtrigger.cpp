#include "fieldtrigger.h"

#include "boundarytext.h"

#include <vector>

QVector<NodeAttribute> runFieldTrigger(const TemplateField &changed, const QVector<NodeAttribute> &values)
{
    QVector<NodeAttribute> set;
    if (!changed.trigger)
        return set;
    std::vector<FieldValue> record(size_t(values.size()));
    // The texts as the record holds them, cut to its field size.
    QStringList laidOut;
    laidOut.reserve(values.size());
    for (int i = 0; i < values.size(); ++i) {
        FieldValue &value = record[size_t(i)];
        ostrel::copyText(value.name, OstrelNameUnits, values.at(i).name);
        ostrel::copyText(value.text, OstrelTextUnits, values.at(i).value);
        laidOut.append(ostrel::readText(value.text, OstrelTextUnits));
    }
    DataRecord data{uint32_t(record.size()), 0, 0, record.data()};
    if (changed.trigger(reinterpret_cast<const char16_t *>(changed.name.utf16()), &data) != 0)
        return set;
    // Only what the rules changed: every other text was cut on the way in
    // and would lose its tail.
    for (size_t i = 0; i < record.size(); ++i) {
        const QString text = ostrel::readText(record[i].text, OstrelTextUnits);
        if (text != laidOut.at(int(i)))
            set.append(NodeAttribute{values.at(int(i)).name, text});
    }
    return set;
}
