#include "userdumpparts.h"

#include "ostrel_api.h"

#include <algorithm>

namespace ostrel {
namespace dumpparts {

namespace {

// No receiver node comes near this; a larger one is a broken configuration.
constexpr uint32_t MaxNodeBytes = 1u << 20;

} // namespace

bool sizesUsable(const ParserConfig &c)
{
    for (const NodeLayout *layout : {&c.head, &c.sat, &c.tp, &c.pg})
        if (layout->bytes == 0 || layout->bytes > MaxNodeBytes)
            return false;
    return true;
}

int decimalUnits(char16_t *text, uint32_t value)
{
    char16_t digits[10];
    int count = 0;
    do {
        digits[count++] = char16_t(u'0' + value % 10);
        value /= 10;
    } while (value != 0);
    std::reverse_copy(digits, digits + count, text);
    return count;
}

void writeDecimal(char16_t *text, uint32_t value)
{
    std::fill(text + decimalUnits(text, value), text + OstrelTextUnits, u'\0');
}

bool fail(QString *errorString, const QString &message)
{
    if (errorString)
        *errorString = message;
    return false;
}

IdFields::IdFields(const NodeLayout &layout, int32_t kind)
{
    for (size_t i = 0; i < layout.fields.size(); ++i)
        byName[layout.fields[i].name.toCaseFolded()].push_back(int(i));
    for (const FieldDescriptor &d : layout.fields)
        sameName.push_back(byName.value(d.name.toCaseFolded()));
    id = layout.indexOf(QStringLiteral("id"), Qt::CaseInsensitive);
    if (kind == OstrelTransponder) {
        parent = layout.indexOf(QStringLiteral("sat_id"), Qt::CaseInsensitive);
    } else if (kind == OstrelProgramme) {
        parent = layout.indexOf(QStringLiteral("tp_id"), Qt::CaseInsensitive);
        satellite = layout.indexOf(QStringLiteral("sat_id"), Qt::CaseInsensitive);
    }
}

} // namespace dumpparts
} // namespace ostrel
