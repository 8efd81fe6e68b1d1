#pragma once
// How many satellites, transponders and programmes a database built from the
// boundary lists would hold, counted without building it: `tavrin-cli info`
// needs only the numbers.

#include "compactrecords.h"

#include <cstddef>

struct DatabaseCounts
{
    std::size_t satellites = 0;
    std::size_t transponders = 0;
    std::size_t programmes = 0;
};

// Keeps what ChannelDatabase::build keeps: the first satellite of each id; a
// TP under a kept satellite whose id that satellite does not list yet; a
// programme under the first kept TP of its parent id whose id no kept
// programme has.
DatabaseCounts countDatabase(const RecordList &sats, const RecordList &tps, const RecordList &pgs);
DatabaseCounts countDatabase(const ostrel::CompactReader &sats, const ostrel::CompactReader &tps,
                             const ostrel::CompactReader &pgs);
