#include "triggers.h"

#include "boundarytext.h"
#include "parserconfig.h"

namespace ostrel {

namespace {

const ParserConfig *s_config = nullptr;

// The record's first value named exactly fieldName, or null.
FieldValue *findValue(DataRecord *record, const QString &fieldName)
{
    if (!record->values)
        return nullptr;
    for (uint32_t i = 0; i < record->count; ++i)
        if (readText(record->values[i].name, OstrelNameUnits) == fieldName)
            return &record->values[i];
    return nullptr;
}

int32_t satelliteTrigger(const char16_t *fieldName, DataRecord *record)
{
    return s_config ? evaluateTrigger(*s_config, OstrelSatellite, fieldName, record) : 2;
}

int32_t transponderTrigger(const char16_t *fieldName, DataRecord *record)
{
    return s_config ? evaluateTrigger(*s_config, OstrelTransponder, fieldName, record) : 2;
}

int32_t programmeTrigger(const char16_t *fieldName, DataRecord *record)
{
    return s_config ? evaluateTrigger(*s_config, OstrelProgramme, fieldName, record) : 2;
}

} // namespace

int32_t evaluateTrigger(const ParserConfig &config, int32_t kind, const char16_t *fieldName,
                        DataRecord *record)
{
    const NodeLayout *layout = config.layout(kind);
    if (!layout)
        return 1;
    if (!fieldName || !record)
        return 2;
    const QString name = readText(fieldName, OstrelNameUnits);
    const FieldValue *changed = findValue(record, name);
    if (!changed)
        return 2;
    const QString text = readText(changed->text, OstrelTextUnits);
    if (text.isEmpty())
        return 2;
    const int source = layout->indexOf(name);
    if (source < 0)
        return 2;
    const auto rules = layout->triggers.constFind(name);
    if (rules == layout->triggers.cend())
        return 2;

    // Combobox texts map through textToValue, so a number the configuration does not
    // know (kept as decimal text) still selects the rules for its own value.
    const FieldDescriptor &sourceField = layout->fields[size_t(source)];
    const uint32_t v = sourceField.type == FieldType::Text ? 0 : sourceField.textToValue(text);

    bool fired = false;
    for (const TriggerRule &rule : *rules) {
        if (v < rule.from || v > rule.to)
            continue;
        FieldValue *target = findValue(record, rule.target);
        const int targetIndex = layout->indexOf(rule.target);
        if (!target || targetIndex < 0)
            continue;
        const FieldDescriptor &targetField = layout->fields[size_t(targetIndex)];
        if (targetField.type != FieldType::Text)
            copyText(target->text, OstrelTextUnits, targetField.valueToText(rule.value));
        fired = true;
    }
    return fired ? 0 : 2;
}

void setTriggerConfig(const ParserConfig *config)
{
    s_config = config;
}

const ParserConfig *triggerConfig()
{
    return s_config;
}

TriggerCallback triggerCallback(int32_t kind)
{
    switch (kind) {
    case OstrelSatellite:
        return &satelliteTrigger;
    case OstrelTransponder:
        return &transponderTrigger;
    case OstrelProgramme:
        return &programmeTrigger;
    default:
        return nullptr;
    }
}

} // namespace ostrel
