#pragma once
// Every list, order and value of a document as lines of text, so that a test
// compares the state after an undo with the state before a command in one
// QCOMPARE. The records go through the conversion a save uses.

#include "document.h"
#include "recordconversion.h"
#include "serviceorder.h"

#include <QStringList>

inline QStringList recordLines(const QString &kind, const RecordList &list)
{
    QStringList lines;
    for (uint32_t i = 0; i < list.count; ++i) {
        const DataRecord &r = *list.records[i];
        QStringList values;
        for (uint32_t v = 0; v < r.count; ++v)
            values << QString::fromUtf16(r.values[v].name) + QLatin1Char('=') + QString::fromUtf16(r.values[v].text);
        lines << QStringLiteral("%1 %2<%3 %4").arg(kind).arg(r.id).arg(r.parentId).arg(values.join(QLatin1Char(',')));
    }
    return lines;
}

inline QStringList documentSnapshot(const Document &document)
{
    QStringList lines;
    const ChannelDatabase *db = document.database();
    if (!db)
        return lines;
    SaveRecords records(*db, document.kind() == OstrelUserDump && !ServiceOrder::matchesDefaultOrder(*db));
    lines << recordLines(QStringLiteral("sat"), *records.satellites())
          << recordLines(QStringLiteral("tp"), *records.transponders())
          << recordLines(QStringLiteral("pg"), *records.programmes());
    QStringList order;
    for (const DB_NS::PGNode *pg : db->allPGs())
        order << QString::number(pg->id());
    lines << QStringLiteral("service order ") + order.join(QLatin1Char(' '));
    for (const DB_NS::SatNode *sat : db->sats()) {
        QStringList ids;
        for (const DB_NS::PGNode *pg : sat->allPGs())
            ids << QString::number(pg->id());
        lines << QStringLiteral("sat %1 order %2").arg(sat->id()).arg(ids.join(QLatin1Char(' ')));
    }
    lines << QStringLiteral("favourites ") + document.favouriteNames().join(QLatin1Char('|'));
    for (const HotKey &key : document.hotKeys())
        lines << QStringLiteral("hot key %1 %2/%3/%4").arg(key.name).arg(key.satId).arg(key.tpId).arg(key.pgId);
    for (const FavHotKey &key : document.favHotKeys())
        lines << QStringLiteral("fav hot key %1 %2").arg(key.name).arg(key.favIndex);
    return lines;
}
