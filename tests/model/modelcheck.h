#pragma once

#include "channeldatabase.h"

#include <QString>
#include <QStringList>

#include <vector>

// Checks that every list's index agrees with its order, that parents point
// to the holder, and that every programme is in its TP's pgs, its satellite's
// allPGs and the database's allPGs. Returns the first fault found, or "".
template<typename T>
QString checkIndex(const DB_NS::IndexedList<T> &list, const QString &what)
{
    std::size_t n = 0;
    for (T *node : list) {
        ++n;
        if (list.find(node->id()) != node)
            return QStringLiteral("%1: index misses id %2").arg(what).arg(node->id());
    }
    if (n != list.size())
        return QStringLiteral("%1: size %2 but %3 entries").arg(what).arg(list.size()).arg(n);
    return {};
}

inline QString checkModel(const ChannelDatabase &db)
{
    QString fault = checkIndex(db.sats(), QStringLiteral("sats"));
    if (fault.isEmpty())
        fault = checkIndex(db.allPGs(), QStringLiteral("db allPGs"));
    std::size_t total = 0;
    for (DB_NS::SatNode *sat : db.sats()) {
        if (!fault.isEmpty())
            return fault;
        if (sat->parent() != &db)
            return QStringLiteral("sat %1: wrong parent").arg(sat->id());
        fault = checkIndex(sat->tps(), QStringLiteral("sat %1 tps").arg(sat->id()));
        if (fault.isEmpty())
            fault = checkIndex(sat->allPGs(), QStringLiteral("sat %1 allPGs").arg(sat->id()));
        std::size_t inSat = 0;
        for (DB_NS::TPNode *tp : sat->tps()) {
            if (!fault.isEmpty())
                return fault;
            if (tp->parent() != sat)
                return QStringLiteral("tp %1: wrong parent").arg(tp->id());
            fault = checkIndex(tp->pgs(), QStringLiteral("tp %1 pgs").arg(tp->id()));
            for (DB_NS::PGNode *pg : tp->pgs()) {
                if (pg->parent() != tp)
                    return QStringLiteral("pg %1: wrong parent").arg(pg->id());
                if (!sat->allPGs().holds(pg))
                    return QStringLiteral("pg %1: missing from sat allPGs").arg(pg->id());
                if (!db.allPGs().holds(pg))
                    return QStringLiteral("pg %1: missing from db allPGs").arg(pg->id());
            }
            inSat += tp->pgs().size();
        }
        if (inSat != sat->allPGs().size())
            return QStringLiteral("sat %1: allPGs has %2, TPs have %3").arg(sat->id()).arg(sat->allPGs().size()).arg(inSat);
        total += inSat;
    }
    if (fault.isEmpty() && total != db.allPGs().size())
        return QStringLiteral("db allPGs has %1, TPs have %2").arg(db.allPGs().size()).arg(total);
    return fault;
}

template<typename T>
QList<quint32> idsOf(const DB_NS::IndexedList<T> &list)
{
    QList<quint32> ids;
    for (T *node : list)
        ids.append(node->id());
    return ids;
}
