#include "databasecounts.h"

#include <QHash>
#include <QSet>

#include <utility>

namespace {

// The id and parent id of each record of either form; null records are skipped.
struct FixedIds
{
    const RecordList &list;
    uint32_t size() const { return list.records ? list.count : 0; }
    const DataRecord *at(uint32_t i) const { return list.records[i]; }
};

struct CompactIds
{
    const ostrel::CompactReader &list;
    uint32_t size() const { return list.size(); }
    const CompactRecord *at(uint32_t i) const { return &list.record(i); }
};

template<typename Ids>
DatabaseCounts count(const Ids &sats, const Ids &tps, const Ids &pgs)
{
    DatabaseCounts counts;
    QSet<uint32_t> satIds;
    satIds.reserve(int(sats.size()));
    for (uint32_t i = 0; i < sats.size(); ++i) {
        if (sats.at(i) && !satIds.contains(sats.at(i)->id)) {
            satIds.insert(sats.at(i)->id);
            ++counts.satellites;
        }
    }

    // A TP is told apart by its satellite and its id; programmes look TPs up by id only.
    QSet<std::pair<uint32_t, uint32_t>> tpKeys;
    QSet<uint32_t> tpIds;
    tpKeys.reserve(int(tps.size()));
    tpIds.reserve(int(tps.size()));
    for (uint32_t i = 0; i < tps.size(); ++i) {
        const auto *tp = tps.at(i);
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
    pgIds.reserve(int(pgs.size()));
    for (uint32_t i = 0; i < pgs.size(); ++i) {
        const auto *pg = pgs.at(i);
        if (!pg || !tpIds.contains(pg->parentId) || pgIds.contains(pg->id))
            continue;
        pgIds.insert(pg->id);
        ++counts.programmes;
    }
    return counts;
}

} // namespace

DatabaseCounts countDatabase(const RecordList &sats, const RecordList &tps, const RecordList &pgs)
{
    return count(FixedIds{sats}, FixedIds{tps}, FixedIds{pgs});
}

DatabaseCounts countDatabase(const ostrel::CompactReader &sats, const ostrel::CompactReader &tps,
                             const ostrel::CompactReader &pgs)
{
    return count(CompactIds{sats}, CompactIds{tps}, CompactIds{pgs});
}
