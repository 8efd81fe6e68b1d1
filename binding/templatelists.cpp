#include "templatelists.h"

#include "boundarytext.h"

TemplateField templateField(const FieldTemplate &t)
{
    TemplateField f;
    f.kind = t.kind;
    f.name = ostrel::readText(t.name, OstrelNameUnits);
    f.defaultText = ostrel::readText(t.defaultText, OstrelTextUnits);
    f.open = t.open != 0;
    f.readOnly = t.flags & OstrelFlagReadOnly;
    f.editHidden = t.flags & OstrelFlagEditHidden;
    f.duplicateCheck = t.flags & OstrelFlagDuplicateCheck;
    if (t.editorSpec && t.editorSpecLength > 0)
        f.editorSpec = ostrel::readText(t.editorSpec, t.editorSpecLength);
    f.trigger = t.trigger;
    return f;
}

TemplateVector templateVector(const TemplateList *list)
{
    TemplateVector v;
    if (!list || !list->items)
        return v;
    v.reserve(int(list->count));
    for (uint32_t i = 0; i < list->count; ++i) {
        TemplateField f = templateField(list->items[i]);
        f.kind = 0; // the vectors leave the kind unset; only the maps carry it
        v.append(f);
    }
    return v;
}

TemplateMap templateMap(const TemplateList *list)
{
    TemplateMap m;
    if (!list || !list->items)
        return m;
    for (uint32_t i = 0; i < list->count; ++i) {
        const TemplateField f = templateField(list->items[i]);
        m.insert(f.name, f);
    }
    return m;
}
