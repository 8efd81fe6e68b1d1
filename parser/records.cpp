#include "records.h"

#include <algorithm>
#include <cstring>

namespace ostrel {

TemplateStore::TemplateStore()
    : m_head{0, nullptr} {}

FieldTemplate &TemplateStore::append(int32_t kind, const QString &name, const QString &defaultText,
                                     const QString *editorSpec)
{
    FieldTemplate t;
    std::memset(&t, 0, sizeof t);
    t.kind = kind;
    t.open = 1;
    copyText(t.name, OstrelNameUnits, name);
    copyText(t.defaultText, OstrelTextUnits, defaultText);
    if (editorSpec) {
        m_editorTexts.push_back(std::make_unique<std::u16string>(
            reinterpret_cast<const char16_t *>(editorSpec->utf16()), size_t(editorSpec->size())));
        t.editorSpec = m_editorTexts.back()->c_str();
        t.editorSpecLength = int32_t(editorSpec->size() + 1);
    }
    m_items.push_back(t);
    refreshHead();
    return m_items.back();
}

void TemplateStore::clear()
{
    m_items.clear();
    m_editorTexts.clear();
    refreshHead();
}

void TemplateStore::refreshHead()
{
    m_head.count = uint32_t(m_items.size());
    m_head.items = m_items.empty() ? nullptr : m_items.data();
}

NameStore::NameStore()
    : m_head{0, nullptr} {}

void NameStore::append(const QString &name)
{
    m_names.push_back(std::make_unique<std::u16string>(
        reinterpret_cast<const char16_t *>(name.utf16()), size_t(name.size())));
    m_pointers.push_back(m_names.back()->data());
    m_head.count = uint32_t(m_pointers.size());
    m_head.names = m_pointers.data();
}

void NameStore::clear()
{
    m_pointers.clear();
    m_names.clear();
    m_head = NameList{0, nullptr};
}

void LoadedDatabase::clear()
{
    satellites.clear();
    transponders.clear();
    programmes.clear();
    satTemplates.clear();
    tpTemplates.clear();
    pgTemplates.clear();
    favourites.clear();
}

QString fieldText(const DataRecord &record, const QString &fieldName, bool *found)
{
    if (record.values) {
        for (uint32_t i = 0; i < record.count; ++i) {
            const QString name = readText(record.values[i].name, OstrelNameUnits);
            if (name.compare(fieldName, Qt::CaseInsensitive) == 0) {
                if (found)
                    *found = true;
                return readText(record.values[i].text, OstrelTextUnits);
            }
        }
    }
    if (found)
        *found = false;
    return QString();
}

} // namespace ostrel
