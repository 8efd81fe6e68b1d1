// The compact record reader on hostile sets. The input is five 32-bit counts
// (records, templates, names, values, text units) followed by the arrays in that
// order, each as long as its count or as the input still holds. A set the reader
// accepts is read whole, converted to the fixed form and back, and must then
// hold the same records.

#include "fuzzharness.h"

#include "compactconvert.h"

#include <cstring>
#include <vector>

using namespace ostrel;

namespace {

class Input
{
public:
    Input(const uint8_t *data, size_t size)
        : m_data(data), m_size(size) {}

    uint32_t count()
    {
        uint32_t value = 0;
        if (m_size - m_at >= sizeof value) {
            std::memcpy(&value, m_data + m_at, sizeof value);
            m_at += sizeof value;
        }
        return value;
    }

    // Up to count items, copied out so that they are aligned.
    template<typename T>
    std::vector<T> items(uint32_t count)
    {
        const size_t n = std::min<size_t>(count, (m_size - m_at) / sizeof(T));
        std::vector<T> out(n);
        if (n)
            std::memcpy(out.data(), m_data + m_at, n * sizeof(T));
        m_at += n * sizeof(T);
        return out;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_at = 0;
};

} // namespace

const char *fuzzOne(const uint8_t *data, size_t size)
{
    Input in(data, size);
    const uint32_t counts[5] = {in.count(), in.count(), in.count(), in.count(), in.count()};
    const auto records = in.items<CompactRecord>(counts[0]);
    const auto templates = in.items<CompactTemplate>(counts[1]);
    const auto names = in.items<TextSpan>(counts[2]);
    const auto values = in.items<TextSpan>(counts[3]);
    const auto text = in.items<char16_t>(counts[4]);
    const CompactRecordSet set{uint32_t(records.size()), records.data(), uint32_t(templates.size()), templates.data(),
                               uint32_t(names.size()), names.data(), uint32_t(values.size()), values.data(),
                               uint32_t(text.size()), text.data()};
    CompactReader reader;
    QString why;
    if (!reader.open(&set, &why))
        return why.isEmpty() ? "a refused set gave no reason" : nullptr;

    // Every text of every record, touched whole.
    size_t units = 0;
    for (uint32_t i = 0; i < reader.size(); ++i) {
        for (uint32_t k = 0; k < reader.fieldCount(i); ++k) {
            for (const QStringView view : {reader.name(i, k), reader.value(i, k)}) {
                for (const QChar c : view)
                    units += c.unicode() != 0;
            }
        }
    }
    (void)units;

    RecordBlocks fixed;
    recordsFromCompact(reader, fixed);
    CompactBuilder builder;
    compactFromRecords(*fixed.head(), builder);
    CompactReader again;
    if (!again.open(builder.head()))
        return "a set built from fixed records does not read";
    if (again.size() != reader.size())
        return "the fixed form lost records";
    for (uint32_t i = 0; i < reader.size(); ++i) {
        if (again.record(i).id != reader.record(i).id || again.record(i).parentId != reader.record(i).parentId
            || again.fieldCount(i) != reader.fieldCount(i))
            return "the fixed form changed a record";
        for (uint32_t k = 0; k < reader.fieldCount(i); ++k) {
            // What the fixed fields keep: up to the first zero unit, cut to the field.
            const auto kept = [](QStringView text, int capacity) {
                const qsizetype zero = text.indexOf(QChar(0));
                return text.left(std::min<qsizetype>(zero < 0 ? text.size() : zero, capacity - 1));
            };
            if (again.name(i, k) != kept(reader.name(i, k), OstrelNameUnits)
                || again.value(i, k) != kept(reader.value(i, k), OstrelTextUnits))
                return "the fixed form changed a text";
        }
    }
    return nullptr;
}
