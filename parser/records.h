#pragma once
// The library's own storage behind the list heads that Load and the template
// getters hand out. A head stays valid (and keeps its address) until clear().

#include "boundarytext.h"
#include "ostrel_api.h"
#include "recordblocks.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace ostrel {

// The library's Load lists: one block per list, freed by clear().
using RecordStore = RecordBlocks;

class TemplateStore
{
public:
    TemplateStore();
    TemplateStore(const TemplateStore &) = delete;
    TemplateStore &operator=(const TemplateStore &) = delete;

    // Appends a zeroed template; its editorSpec (if any) is copied and owned here.
    FieldTemplate &append(int32_t kind, const QString &name, const QString &defaultText,
                          const QString *editorSpec = nullptr);
    void clear();
    int size() const { return int(m_items.size()); }
    TemplateList *head() { return &m_head; }

private:
    void refreshHead();

    TemplateList m_head;
    std::vector<FieldTemplate> m_items;
    std::vector<std::unique_ptr<std::u16string>> m_editorTexts;
};

class NameStore
{
public:
    NameStore();
    NameStore(const NameStore &) = delete;
    NameStore &operator=(const NameStore &) = delete;

    void append(const QString &name);
    void clear();
    int size() const { return int(m_pointers.size()); }
    NameList *head() { return &m_head; }

private:
    NameList m_head;
    std::vector<std::unique_ptr<std::u16string>> m_names;
    std::vector<char16_t *> m_pointers;
};

// Everything one successful Load hands to the editor.
struct LoadedDatabase
{
    RecordStore satellites;
    RecordStore transponders;
    RecordStore programmes;
    TemplateStore satTemplates;
    TemplateStore tpTemplates;
    TemplateStore pgTemplates;
    NameStore favourites;

    void clear();
};

// The text of the record's first value with that name (letter case ignored).
QString fieldText(const DataRecord &record, const QString &fieldName, bool *found = nullptr);

} // namespace ostrel
