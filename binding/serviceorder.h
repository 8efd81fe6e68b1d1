#pragma once
// The service order of a user-database dump: the "default_order" field on
// disk, the order of the database's allPGs in memory.

#include "channeldatabase.h"

#include <QHash>
#include <QString>

namespace ServiceOrder {

/** "default_order" as a number; missing or not a number counts as 0. */
qint64 defaultOrderKey(const DB_NS::PGNode &programme);

/** Stably sorts allPGs by "default_order"; the TPs' own lists keep their order. */
void sortByDefaultOrder(ChannelDatabase &database);

/**
 * True when allPGs is already in "default_order" order, so the stored
 * values can be written as they are and an unedited file saves unchanged.
 */
bool matchesDefaultOrder(const ChannelDatabase &database);

/**
 * True when a save of kind writes "default_order" from the service order:
 * a dump whose order no longer matches its stored values.
 */
bool renumbersOnSave(const ChannelDatabase &database, int kind);

/** Each programme's place in the service order (allPGs), from 0. */
QHash<const DB_NS::PGNode *, int> positions(const ChannelDatabase &database);

/**
 * True when the service order does not list the programmes TP by TP in the
 * order of the satellites and their TPs: default databases and flash images
 * store programmes under their TP, so such an order cannot be kept there.
 */
bool crossesGrouping(const ChannelDatabase &database);
/** Default databases and flash images store each programme under its TP, TP after TP. */
bool keepsGrouping(int kind);
/** Each TP's place in the order a grouped kind writes them: satellite by satellite, TP by TP. */
QHash<const DB_NS::TPNode *, int> transponderRanks(const ChannelDatabase &database);

/** What a save into a grouped kind says when crossesGrouping() holds. */
QString groupingNote();

} // namespace ServiceOrder
