#pragma once
// The editor's copies of the field templates the parser library hands out.

#include "ostrel_api.h"
#include "templatefield.h"

TemplateField templateField(const FieldTemplate &t);
// A null list converts to an empty vector or map.
TemplateVector templateVector(const TemplateList *list);
TemplateMap templateMap(const TemplateList *list);
