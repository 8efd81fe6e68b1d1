// The document's changes to which programmes are listed: what the delete,
// insert, paste and copy-to steps call on redo and undo.

#include "document.h"

#include "serviceorder.h"

#include <algorithm>

namespace {

DB_NS::TPNode *findTp(const ChannelDatabase &database, quint32 satId, quint32 tpId)
{
    const DB_NS::SatNode *sat = database.findSat(satId);
    return sat ? sat->findTP(tpId) : nullptr;
}

// A default database or flash image stores each programme under its TP, TP
// after TP, so a new programme goes last among its TP's in the service order
// too: what the window shows is what the save writes. The order was grouped
// before, so a stable sort by TP only moves the new ones.
void groupByTransponder(ChannelDatabase &database)
{
    const QHash<const DB_NS::TPNode *, int> rank = ServiceOrder::transponderRanks(database);
    std::vector<DB_NS::PGNode *> order(database.allPGs().begin(), database.allPGs().end());
    std::stable_sort(order.begin(), order.end(), [&rank](const DB_NS::PGNode *a, const DB_NS::PGNode *b) {
        return rank.value(a->parent(), -1) < rank.value(b->parent(), -1);
    });
    database.setAllPGsOrder(order);
    database.relinkProgrammes();
}

} // namespace

std::vector<Document::DetachedProgramme> Document::takeProgrammes(const QVector<quint32> &ids)
{
    std::vector<DetachedProgramme> taken;
    ChannelDatabase *db = m_data.database.get();
    if (!db)
        return taken;
    QVector<quint32> present;
    for (const quint32 id : ids) {
        if (db->findPG(id))
            present.append(id);
    }
    if (present.isEmpty())
        return taken;
    emit programmesAboutToBeRemoved(present);
    taken.reserve(present.size());
    for (const quint32 id : qAsConst(present)) {
        DB_NS::PGNode *programme = db->findPG(id);
        DB_NS::TPNode *tp = programme ? programme->parent() : nullptr;
        if (!tp)
            continue;
        DetachedProgramme entry;
        entry.tpId = tp->id();
        entry.satId = tp->parent() ? tp->parent()->id() : tp->getParentId();
        entry.node.reset(tp->takePG(id));
        taken.push_back(std::move(entry));
    }
    emit programmesRemoved(present);
    return taken;
}

QVector<quint32> Document::insertProgrammes(std::vector<DetachedProgramme> &programmes)
{
    QVector<quint32> ids;
    ChannelDatabase *db = m_data.database.get();
    if (!db)
        return ids;
    for (const DetachedProgramme &entry : programmes) {
        if (entry.node)
            ids.append(entry.node->id());
    }
    emit programmesAboutToBeInserted(ids);
    ids.clear();
    for (DetachedProgramme &entry : programmes) {
        DB_NS::TPNode *tp = entry.node ? findTp(*db, entry.satId, entry.tpId) : nullptr;
        if (!tp)
            continue;
        const quint32 anchor = tp->findPG(entry.anchorId) ? entry.anchorId : DB_NS::NoId;
        entry.node->setParentId(tp->id());
        if (tp->addPG(entry.node.get(), anchor)) {
            ids.append(entry.node->id());
            static_cast<void>(entry.node.release()); // the list owns it now
        }
    }
    if (!ids.isEmpty() && ServiceOrder::keepsGrouping(m_kind))
        groupByTransponder(*db);
    emit programmesInserted(ids);
    return ids;
}

void Document::restoreProgrammes(std::vector<DetachedProgramme> &programmes,
                                 const ChannelDatabase::OrderSnapshot &order)
{
    ChannelDatabase *db = m_data.database.get();
    if (!db)
        return;
    QVector<quint32> ids;
    for (const DetachedProgramme &entry : programmes) {
        if (entry.node)
            ids.append(entry.node->id());
    }
    emit programmesAboutToBeInserted(ids);
    ids.clear();
    for (DetachedProgramme &entry : programmes) {
        DB_NS::TPNode *tp = entry.node ? findTp(*db, entry.satId, entry.tpId) : nullptr;
        if (tp && tp->addPG(entry.node.get(), DB_NS::NoId)) {
            ids.append(entry.node->id());
            static_cast<void>(entry.node.release()); // the list owns it now
        }
    }
    // Appended above; the snapshot gives each list its old order back.
    db->restoreOrder(order);
    emit programmesInserted(ids);
}

bool Document::transferProgramme(quint32 id, quint32 satId, quint32 tpId, quint32 anchorId,
                                 const ChannelDatabase::OrderSnapshot *order)
{
    ChannelDatabase *db = m_data.database.get();
    DB_NS::PGNode *programme = db ? db->findPG(id) : nullptr;
    DB_NS::TPNode *from = programme ? programme->parent() : nullptr;
    DB_NS::TPNode *to = db ? findTp(*db, satId, tpId) : nullptr;
    if (!from || !to || from == to)
        return false;
    const QVector<quint32> moved{id};
    emit programmesAboutToMove(moved);
    from->takePG(id);
    to->addPG(programme, DB_NS::NoId);
    programme->setParentId(tpId);
    if (order) {
        db->restoreOrder(*order);
    } else {
        if (anchorId != DB_NS::NoId)
            db->movePGBefore(id, anchorId);
        db->relinkProgrammes();
    }
    emit programmesMoved(moved);
    return true;
}
