#pragma once
// Building and reading compact record sets, the same way on both sides of the
// boundary. The builder owns every array the head points into; the reader
// checks a set once and then hands out views into it.

#include "ostrel_api.h"

#include <QHash>
#include <QString>
#include <QStringView>

#include <algorithm>
#include <vector>

namespace ostrel {

class CompactBuilder
{
public:
    CompactBuilder() = default;
    CompactBuilder(const CompactBuilder &) = delete;
    CompactBuilder &operator=(const CompactBuilder &) = delete;

    void clear()
    {
        std::vector<CompactRecord>().swap(m_records);
        std::vector<CompactTemplate>().swap(m_templates);
        std::vector<TextSpan>().swap(m_names);
        std::vector<TextSpan>().swap(m_values);
        std::vector<char16_t>().swap(m_text);
        std::vector<TextSpan>().swap(m_previous);
        m_templateIndex.clear();
        m_last = UINT32_MAX;
        m_head = CompactRecordSet{};
    }

    void reserve(size_t records, size_t values, size_t units)
    {
        m_records.reserve(records);
        m_values.reserve(values);
        m_text.reserve(units);
    }

    // The template with these names, added the first time it is asked for.
    uint32_t templateFor(const QStringView *names, size_t count)
    {
        // Records of a list nearly always share the template of the one before.
        if (m_last < m_templates.size() && sameNames(m_templates[m_last], names, count))
            return m_last;
        QString key;
        for (size_t i = 0; i < count; ++i)
            key.append(names[i].data(), int(names[i].size())).append(QChar(0)); // no name holds a zero unit
        const auto found = m_templateIndex.constFind(key);
        if (found != m_templateIndex.cend())
            return m_last = found.value();
        const auto index = uint32_t(m_templates.size());
        m_templates.push_back(CompactTemplate{uint32_t(count), uint32_t(m_names.size())});
        for (size_t i = 0; i < count; ++i)
            m_names.push_back(addText(names[i]));
        m_templateIndex.insert(key, index);
        return m_last = index;
    }

    // Starts a record; exactly the template's field count of values follow.
    void beginRecord(uint32_t id, uint32_t parentId, uint32_t templateIndex)
    {
        m_records.push_back(CompactRecord{id, parentId, templateIndex, uint32_t(m_values.size())});
        m_field = 0;
    }

    // A value equal to the same field of the record before shares its units.
    void appendValue(QStringView text)
    {
        if (m_field >= m_previous.size())
            m_previous.resize(m_field + 1, TextSpan{0, UINT32_MAX});
        TextSpan &previous = m_previous[m_field++];
        if (previous.length != uint32_t(text.size())
            || !std::equal(text.utf16(), text.utf16() + text.size(), m_text.begin() + previous.offset))
            previous = addText(text);
        m_values.push_back(previous);
    }

    size_t size() const { return m_records.size(); }
    // The record begun last, whose ids may still change.
    CompactRecord &last() { return m_records.back(); }

    const CompactRecordSet *head()
    {
        m_head = CompactRecordSet{uint32_t(m_records.size()), m_records.data(),
                                  uint32_t(m_templates.size()), m_templates.data(),
                                  uint32_t(m_names.size()), m_names.data(),
                                  uint32_t(m_values.size()), m_values.data(),
                                  uint32_t(m_text.size()), m_text.data()};
        return &m_head;
    }

private:
    bool sameNames(const CompactTemplate &t, const QStringView *names, size_t count) const
    {
        if (t.fieldCount != count)
            return false;
        for (size_t i = 0; i < count; ++i) {
            const TextSpan &span = m_names[t.firstName + i];
            if (span.length != uint32_t(names[i].size())
                || !std::equal(names[i].utf16(), names[i].utf16() + names[i].size(), m_text.begin() + span.offset))
                return false;
        }
        return true;
    }

    TextSpan addText(QStringView text)
    {
        const TextSpan span{uint32_t(m_text.size()), uint32_t(text.size())};
        m_text.insert(m_text.end(), text.utf16(), text.utf16() + text.size());
        return span;
    }

    std::vector<CompactRecord> m_records;
    std::vector<CompactTemplate> m_templates;
    std::vector<TextSpan> m_names;
    std::vector<TextSpan> m_values;
    std::vector<char16_t> m_text;
    std::vector<TextSpan> m_previous; // the last value of each field position
    size_t m_field = 0;
    uint32_t m_last = UINT32_MAX; // the template asked for last
    QHash<QString, uint32_t> m_templateIndex;
    CompactRecordSet m_head{};
};

class CompactReader
{
public:
    // False, with the reason, when any index, offset or length of set points
    // outside it; nothing is read from a set that failed.
    bool open(const CompactRecordSet *set, QString *why = nullptr)
    {
        m_set = CompactRecordSet{};
        const auto fail = [why](const QString &reason) {
            if (why)
                *why = reason;
            return false;
        };
        if (!set)
            return fail(QStringLiteral("no record set"));
        if ((set->recordCount && !set->records) || (set->templateCount && !set->templates)
            || (set->nameCount && !set->names) || (set->valueCount && !set->values)
            || (set->textUnits && !set->text))
            return fail(QStringLiteral("a record set array is missing"));
        const auto inText = [set](const TextSpan &span) {
            return uint64_t(span.offset) + span.length <= set->textUnits;
        };
        for (uint32_t i = 0; i < set->nameCount; ++i)
            if (!inText(set->names[i]))
                return fail(QStringLiteral("name %1 lies outside the text").arg(i));
        for (uint32_t i = 0; i < set->valueCount; ++i)
            if (!inText(set->values[i]))
                return fail(QStringLiteral("value %1 lies outside the text").arg(i));
        for (uint32_t i = 0; i < set->templateCount; ++i) {
            const CompactTemplate &t = set->templates[i];
            if (uint64_t(t.firstName) + t.fieldCount > set->nameCount)
                return fail(QStringLiteral("template %1 names more fields than there are names").arg(i));
        }
        for (uint32_t i = 0; i < set->recordCount; ++i) {
            const CompactRecord &r = set->records[i];
            if (r.templateIndex >= set->templateCount)
                return fail(QStringLiteral("record %1 names template %2 of %3").arg(i).arg(r.templateIndex).arg(set->templateCount));
            if (uint64_t(r.firstValue) + set->templates[r.templateIndex].fieldCount > set->valueCount)
                return fail(QStringLiteral("record %1 has values past the end").arg(i));
        }
        m_set = *set;
        return true;
    }

    uint32_t size() const { return m_set.recordCount; }
    uint32_t templateCount() const { return m_set.templateCount; }
    const CompactRecord &record(uint32_t i) const { return m_set.records[i]; }
    uint32_t fieldCount(uint32_t i) const { return m_set.templates[record(i).templateIndex].fieldCount; }
    const TextSpan &nameSpan(uint32_t i, uint32_t k) const
    {
        return m_set.names[m_set.templates[record(i).templateIndex].firstName + k];
    }
    const TextSpan &valueSpan(uint32_t i, uint32_t k) const { return m_set.values[record(i).firstValue + k]; }
    QStringView text(const TextSpan &span) const
    {
        return QStringView(m_set.text + span.offset, qsizetype(span.length));
    }
    QStringView name(uint32_t i, uint32_t k) const { return text(nameSpan(i, k)); }
    QStringView value(uint32_t i, uint32_t k) const { return text(valueSpan(i, k)); }

private:
    CompactRecordSet m_set{};
};

} // namespace ostrel
