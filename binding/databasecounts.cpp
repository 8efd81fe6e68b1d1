#include "databasecounts.h"

#include <QHash>
#include <QSet>

#include <utility>

DatabaseCounts countDatabase(const RecordList &sats, const RecordList &tps, const RecordList &pgs)
{
    DatabaseCounts counts;
    QSet<uint32_t> satIds;
    satIds.reserve(int(sats.records ? sats.count : 0));
    for (uint32_t i = 0; sats.records && i < sats.count; ++i) {
        if (sats.records[i] && !satIds.contains(sats.records[i]->id)) {
            satIds.insert(sats.records[i]->id);
            ++counts.satellites;
        }
    }

    // A TP is told apart by its satellite and its id; programmes look TPs up by id only.
    QSet<std::pair<uint32_t, uint32_t>> tpKeys;
    QSet<uint32_t> tpIds;
    tpKeys.reserve(int(tps.records ? tps.count : 0));
    tpIds.reserve(int(tps.records ? tps.count : 0));
    for (uint32_t i = 0; tps.records && i < tps.count; ++i) {
        const DataRecord *tp = tps.records[i];
        if (!tp || !satIds.contains(tp->parentId))
            continue;
        const std::pair<uint32_t, uint32_t> key(tp->parentId, tp->id);
        if (tpKeys.contains(key))
            continue;
        tpKeys.insert(key);
        tpIds.insert(tp->id);
        ++counts.transponders;
    }

    QSet<uint32_t> pgIds;
    pgIds.reserve(int(pgs.records ? pgs.count : 0));
    for (uint32_t i = 0; pgs.records && i < pgs.count; ++i) {
        const DataRecord *pg = pgs.records[i];
        if (!pg || !tpIds.contains(pg->parentId) || pgIds.contains(pg->id))
            continue;
        pgIds.insert(pg->id);
        ++counts.programmes;
    }
    return counts;
}
