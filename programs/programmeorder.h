#pragma once

#include "pgnode.h"

#include <QString>
#include <QVector>

class ChannelDatabase;

// The rules by which the programme table picks and orders programmes.
namespace ProgrammeOrder {

/** 0 lists TV only (V_PID not "0"), 1 radio only, 2 both. */
bool passesService(const DB_NS::PGNode &programme, int serviceFilter);

/** The name starts with the filter, ignoring case; an empty filter passes all. */
bool passesNameFilter(const DB_NS::PGNode &programme, const QString &filter);

/** "default_order" as a number; missing or not a number counts as 0. */
qint64 defaultOrderKey(const DB_NS::PGNode &programme);

/**
 * The database's programmes as the All Services view lists them: for a
 * user-database dump (kind 2) stably sorted by "default_order", otherwise
 * in database order.
 */
QVector<DB_NS::PGNode *> allServicesOrder(const ChannelDatabase &database, int fileKind);

/**
 * Merges the order of the shown rows into the full list: the shown
 * programmes take the places that shown programmes hold in full, in the
 * order of shown; every other programme keeps its place. Entries of shown
 * that are not in full are ignored.
 */
QVector<DB_NS::PGNode *> mergeShownOrder(const QVector<DB_NS::PGNode *> &full,
                                         const QVector<DB_NS::PGNode *> &shown);

} // namespace ProgrammeOrder
