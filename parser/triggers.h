#pragma once
// Rules that change one field of a record when the user changed another.

#include "ostrel_api.h"

namespace ostrel {

struct ParserConfig;

// Applies the kind's rules for fieldName to record in place. Returns 0 when a rule
// fired, 1 for a kind that is not a RecordKind, 2 when nothing fired.
int32_t evaluateTrigger(const ParserConfig &config, int32_t kind, const char16_t *fieldName,
                        DataRecord *record);

// The configuration the template callbacks read; null makes them fire nothing.
void setTriggerConfig(const ParserConfig *config);
const ParserConfig *triggerConfig();

// The callback stored in the templates of a kind (null for another number).
TriggerCallback triggerCallback(int32_t kind);

} // namespace ostrel
