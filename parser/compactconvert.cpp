#include "compactconvert.h"

#include "boundarytext.h"

namespace ostrel {

namespace {

QStringView fixedText(const char16_t *units, int capacity)
{
    return QStringView(units, std::find(units, units + capacity, u'\0') - units);
}

} // namespace

void compactFromRecords(const RecordList &list, CompactBuilder &out)
{
    out.clear();
    if (!list.records)
        return;
    size_t values = 0;
    for (uint32_t i = 0; i < list.count; ++i)
        values += list.records[i] && list.records[i]->values ? list.records[i]->count : 0;
    out.reserve(list.count, values, values * 4);
    std::vector<QStringView> names;
    for (uint32_t i = 0; i < list.count; ++i) {
        const DataRecord *record = list.records[i];
        if (!record)
            continue;
        const uint32_t count = record->values ? record->count : 0;
        names.clear();
        for (uint32_t k = 0; k < count; ++k)
            names.push_back(fixedText(record->values[k].name, OstrelNameUnits));
        out.beginRecord(record->id, record->parentId, out.templateFor(names.data(), names.size()));
        for (uint32_t k = 0; k < count; ++k)
            out.appendValue(fixedText(record->values[k].text, OstrelTextUnits));
    }
}

void recordsFromCompact(const CompactReader &reader, RecordBlocks &out)
{
    out.clear();
    size_t values = 0;
    for (uint32_t i = 0; i < reader.size(); ++i)
        values += reader.fieldCount(i);
    out.reserve(reader.size(), values);
    for (uint32_t i = 0; i < reader.size(); ++i) {
        const CompactRecord &r = reader.record(i);
        const uint32_t count = reader.fieldCount(i);
        DataRecord &record = out.append(r.id, r.parentId, count, RecordBlocks::Values::WrittenByCaller);
        for (uint32_t k = 0; k < count; ++k) {
            const QStringView name = reader.name(i, k);
            const QStringView text = reader.value(i, k);
            copyUnits(record.values[k].name, OstrelNameUnits, name.utf16(), name.size());
            copyUnits(record.values[k].text, OstrelTextUnits, text.utf16(), text.size());
        }
    }
}

} // namespace ostrel
