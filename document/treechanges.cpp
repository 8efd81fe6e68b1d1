// The document's changes to the tree structure: satellites and TPs taken out,
// put back and reordered. Only the undo commands call them.

#include "document.h"

#include "detachednodes.h"

#include <QHash>
#include <QSet>

#include <algorithm>

using DB_NS::NoId;
using DB_NS::PGNode;
using DB_NS::SatNode;
using DB_NS::TPNode;

namespace {

// Each listed programme of taken, in list order, with the programme that
// followed it there; they are unlinked from the list afterwards by the caller.
template<typename List>
std::vector<DetachedNodes::Listing> listingsOf(const List &list, const QSet<const PGNode *> &taken)
{
    std::vector<DetachedNodes::Listing> listings;
    listings.reserve(std::size_t(taken.size()));
    bool open = false;
    for (PGNode *pg : list) {
        if (open) {
            listings.back().last = false;
            listings.back().nextId = pg->id();
        }
        open = taken.contains(pg);
        if (open)
            listings.push_back({pg, true, 0});
    }
    return listings;
}

// The same for the nodes of a level, by id.
template<typename Node>
void markNeighbours(const DB_NS::IndexedList<Node> &list, const QSet<quint32> &taken,
                    QHash<quint32, std::pair<bool, quint32>> *next)
{
    quint32 previous = 0;
    bool open = false;
    for (const Node *node : list) {
        if (open)
            next->insert(previous, {false, node->id()});
        open = taken.contains(node->id());
        if (open) {
            previous = node->id();
            next->insert(previous, {true, 0});
        }
    }
}

} // namespace

QVector<quint32> Document::nodeOrder(NodeKind kind, quint32 satId) const
{
    QVector<quint32> ids;
    const ChannelDatabase *db = m_data.database.get();
    if (!db)
        return ids;
    if (kind == NodeKind::Satellite) {
        for (const SatNode *sat : db->sats())
            ids.append(sat->id());
    } else if (const SatNode *sat = kind == NodeKind::Transponder ? db->findSat(satId) : nullptr) {
        for (const TPNode *tp : sat->tps())
            ids.append(tp->id());
    }
    return ids;
}

bool Document::setNodeOrder(NodeKind kind, quint32 satId, const QVector<quint32> &order)
{
    ChannelDatabase *db = m_data.database.get();
    SatNode *sat = db && kind == NodeKind::Transponder ? db->findSat(satId) : nullptr;
    if (!db || (kind != NodeKind::Satellite && !sat))
        return false;
    const QVector<quint32> now = nodeOrder(kind, satId);
    QVector<quint32> sortedNow = now, sortedOrder = order;
    std::sort(sortedNow.begin(), sortedNow.end());
    std::sort(sortedOrder.begin(), sortedOrder.end());
    if (sortedNow != sortedOrder)
        return false;

    emit nodesAboutToChange(kind, satId);
    // Each node goes to the back in turn; a node detached from its own
    // list keeps its programmes listed, so only the order changes.
    for (const quint32 id : order) {
        if (sat)
            sat->addTP(sat->detachTP(id));
        else
            db->addSat(db->detachSat(id));
    }
    emit nodesChanged(kind, satId);
    return true;
}

bool Document::takeNodes(NodeKind kind, quint32 satId, const QVector<quint32> &ids, DetachedNodes &out)
{
    ChannelDatabase *db = m_data.database.get();
    SatNode *sat = db && kind == NodeKind::Transponder ? db->findSat(satId) : nullptr;
    if (!db || (kind != NodeKind::Satellite && !sat))
        return false;

    QSet<quint32> taken;
    QSet<const PGNode *> programmes;
    for (const quint32 id : ids) {
        const DB_NS::Node *node = sat ? static_cast<DB_NS::Node *>(sat->findTP(id)) : db->findSat(id);
        if (!node || taken.contains(id))
            continue;
        taken.insert(id);
        if (sat) {
            for (PGNode *pg : static_cast<const TPNode *>(node)->pgs())
                programmes.insert(pg);
        } else {
            for (PGNode *pg : static_cast<const SatNode *>(node)->allPGs())
                programmes.insert(pg);
        }
    }
    if (taken.isEmpty())
        return false;

    emit nodesAboutToChange(kind, satId);
    out = DetachedNodes();
    out.kind = kind;
    out.satId = satId;

    QHash<quint32, std::pair<bool, quint32>> next;
    if (sat)
        markNeighbours(sat->tps(), taken, &next);
    else
        markNeighbours(db->sats(), taken, &next);
    // In list order, so that putting back from the end finds each neighbour.
    const QVector<quint32> order = nodeOrder(kind, satId);
    for (const quint32 id : order) {
        if (!taken.contains(id))
            continue;
        DetachedNodes::Entry entry;
        entry.last = next.value(id).first;
        entry.nextId = next.value(id).second;
        entry.node.reset(sat ? static_cast<DB_NS::Node *>(sat->detachTP(id)) : db->detachSat(id));
        out.entries.push_back(std::move(entry));
    }

    // A detached node keeps its programmes in the lists above it; they leave
    // those lists here and come back to the same places with the node.
    if (sat) {
        out.satProgrammes = listingsOf(sat->allPGs(), programmes);
        for (const DetachedNodes::Listing &listing : out.satProgrammes)
            sat->removePGFromAll(listing.programme->id());
    }
    out.allProgrammes = listingsOf(db->allPGs(), programmes);
    for (const DetachedNodes::Listing &listing : out.allProgrammes)
        db->removePGFromAll(listing.programme->id());

    // A hot key cannot point at what is gone.
    QSet<quint32> programmeIds;
    for (const PGNode *pg : programmes)
        programmeIds.insert(pg->id());
    for (int i = 0; i < m_data.hotKeys.size(); ++i) {
        HotKey &key = m_data.hotKeys[i];
        if (key.satId == NoId && key.tpId == NoId && key.pgId == NoId)
            continue;
        const bool into = sat ? key.satId == satId && taken.contains(key.tpId) : taken.contains(key.satId);
        if (!into && !programmeIds.contains(key.pgId))
            continue;
        out.hotKeys.append({i, key});
        key.satId = key.tpId = key.pgId = NoId;
    }
    emit nodesChanged(kind, satId);
    return true;
}

bool Document::restoreNodes(DetachedNodes &nodes)
{
    ChannelDatabase *db = m_data.database.get();
    const bool tps = nodes.kind == NodeKind::Transponder;
    SatNode *sat = db && tps ? db->findSat(nodes.satId) : nullptr;
    if (!db || nodes.isEmpty() || (tps && !sat))
        return false;

    emit nodesAboutToChange(nodes.kind, nodes.satId);
    for (auto it = nodes.entries.rbegin(); it != nodes.entries.rend(); ++it) {
        DB_NS::Node *node = it->node.get();
        bool added = false;
        if (tps) {
            auto *tp = static_cast<TPNode *>(node);
            tp->setParentId(sat->id());
            added = it->last ? sat->addTP(tp) : sat->insertTPBefore(it->nextId, tp);
        } else {
            auto *satellite = static_cast<SatNode *>(node);
            added = it->last ? db->addSat(satellite) : db->insertSatBefore(it->nextId, satellite);
        }
        // A node the lists refuse (its id taken meanwhile) stays here rather than leak.
        if (added)
            static_cast<void>(it->node.release()); // the list owns it now
    }
    // Programmes of a node that stayed out stay out with it.
    QSet<const DB_NS::Node *> refused;
    for (const DetachedNodes::Entry &entry : nodes.entries) {
        if (entry.node)
            refused.insert(entry.node.get());
    }
    const auto outside = [&refused, tps](const PGNode *pg) {
        const TPNode *tp = pg->parent();
        return !refused.isEmpty() && (refused.contains(tp) || (!tps && tp && refused.contains(tp->parent())));
    };
    for (auto it = nodes.satProgrammes.rbegin(); it != nodes.satProgrammes.rend(); ++it) {
        if (!outside(it->programme))
            sat->addPG(it->programme, it->last ? NoId : it->nextId);
    }
    for (auto it = nodes.allProgrammes.rbegin(); it != nodes.allProgrammes.rend(); ++it) {
        if (!outside(it->programme))
            db->addPG(it->programme, it->last ? NoId : it->nextId);
    }
    for (const auto &key : qAsConst(nodes.hotKeys)) {
        if (key.first >= 0 && key.first < m_data.hotKeys.size())
            m_data.hotKeys[key.first] = key.second;
    }

    const NodeKind kind = nodes.kind;
    const quint32 satId = nodes.satId;
    std::vector<DetachedNodes::Entry> kept;
    for (DetachedNodes::Entry &entry : nodes.entries) {
        if (entry.node)
            kept.push_back(std::move(entry));
    }
    nodes = DetachedNodes();
    nodes.kind = kind;
    nodes.satId = satId;
    nodes.entries = std::move(kept);
    emit nodesChanged(kind, satId);
    return true;
}
