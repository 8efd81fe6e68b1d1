#include "satnode.h"

#include "channeldatabase.h"

namespace DB_NS {

SatNode::~SatNode()
{
    for (TPNode *tp : m_tps)
        delete tp;
    m_tps.clear();
}

bool SatNode::addTP(TPNode *node)
{
    return adoptTP(node, nullptr);
}

bool SatNode::insertTPBefore(quint32 beforeId, TPNode *node)
{
    return adoptTP(node, &beforeId);
}

bool SatNode::adoptTP(TPNode *node, const quint32 *beforeId)
{
    // New TPs may carry the id NoId, so "before" is told by a pointer rather
    // than by a reserved anchor value.
    if (!node || m_tps.contains(node->id()) || (beforeId && !m_tps.contains(*beforeId)))
        return false;
    SatNode *old = node->m_parent;
    if (old && old->m_tps.holds(node))
        return false; // still owned there
    ChannelDatabase *db = m_parent;
    ChannelDatabase::listsChanged(db);
    if (old != this) {
        for (PGNode *pg : node->m_pgs) {
            const PGNode *here = m_allPGs.find(pg->id());
            const PGNode *inDb = db ? db->m_allPGs.find(pg->id()) : nullptr;
            if ((here && here != pg) || (inDb && inDb != pg))
                return false;
        }
    }

    if (beforeId)
        m_tps.insertBefore(*beforeId, node);
    else
        m_tps.append(node);

    if (old != this) {
        ChannelDatabase *oldDb = old ? old->m_parent : nullptr;
        for (PGNode *pg : node->m_pgs) {
            if (old)
                old->m_allPGs.takeNode(pg);
            if (oldDb && oldDb != db)
                oldDb->m_allPGs.takeNode(pg);
            m_allPGs.append(pg);
            if (db && !db->m_allPGs.holds(pg))
                db->m_allPGs.append(pg);
        }
    }
    node->m_parent = this;
    return true;
}

bool SatNode::removeTP(quint32 id)
{
    TPNode *tp = m_tps.take(id);
    delete tp; // unlinks its programmes through its parent
    return tp != nullptr;
}

TPNode *SatNode::detachTP(quint32 id)
{
    return m_tps.take(id);
}

bool SatNode::addPG(PGNode *node, quint32 anchorId)
{
    ChannelDatabase::listsChanged(m_parent);
    if (anchorId == NoId)
        return m_allPGs.append(node);
    return m_allPGs.insertBefore(anchorId, node);
}

} // namespace DB_NS
