#pragma once
// The library's bridge between the fixed and the compact form of a record list.
// Texts cross exactly as the fixed form carries them: up to the first zero unit,
// names cut to OstrelNameUnits - 1 and values to OstrelTextUnits - 1 units.

#include "compactrecords.h"
#include "recordblocks.h"

namespace ostrel {

void compactFromRecords(const RecordList &list, CompactBuilder &out);
// reader must have opened its set.
void recordsFromCompact(const CompactReader &reader, RecordBlocks &out);

} // namespace ostrel
