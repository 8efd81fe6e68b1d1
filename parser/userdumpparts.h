// Pieces that the dump reader and the dump writer share.
#pragma once

#include "parserconfig.h"

#include <QHash>
#include <QString>

#include <cstdint>
#include <vector>

namespace ostrel {
namespace dumpparts {

// Favourite-group ids are bits of a 32-bit mask; a larger table is a broken configuration.
constexpr uint32_t MaxFavouriteNames = 1024;

// Every node size of the configuration is usable: not zero, not absurdly large.
bool sizesUsable(const ParserConfig &c);

// The unsigned decimal text of value, into a fixed field of OstrelTextUnits units.
void writeDecimal(char16_t *text, uint32_t value);
// The same digits without the zeros after them; returns how many were written (at most 10).
int decimalUnits(char16_t *text, uint32_t value);

// Sets *errorString (when given) and returns false, for `return fail(...)`.
bool fail(QString *errorString, const QString &message);

// Which fields of a node kind the parser itself interprets.
struct IdFields
{
    int id = -1;
    int parent = -1;    // sat_id of a transponder, tp_id of a programme
    int satellite = -1; // sat_id of a programme

    // Case-folded field name -> the fields of that name, in document order.
    QHash<QString, std::vector<int>> byName;
    // For each field, every field of its name (itself included).
    std::vector<std::vector<int>> sameName;

    IdFields(const NodeLayout &layout, int32_t kind);
};

} // namespace dumpparts
} // namespace ostrel
