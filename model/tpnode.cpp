#include "tpnode.h"

#include "channeldatabase.h"
#include "satnode.h"

namespace DB_NS {

TPNode::~TPNode()
{
    SatNode *sat = m_parent;
    ChannelDatabase *db = sat ? sat->m_parent : nullptr;
    for (PGNode *pg : m_pgs) {
        if (sat)
            sat->m_allPGs.takeNode(pg);
        if (db)
            db->m_allPGs.takeNode(pg);
        delete pg;
    }
    m_pgs.clear();
}

bool TPNode::addPG(PGNode *node, quint32 anchorId)
{
    if (!node || m_pgs.contains(node->id()))
        return false;
    SatNode *sat = m_parent;
    ChannelDatabase *db = sat ? sat->m_parent : nullptr;
    // A second programme with a used id would be listed in the TP only: it
    // would never be saved, and removing it by id would unlink the other one.
    if ((sat && sat->m_allPGs.contains(node->id())) || (db && db->m_allPGs.contains(node->id())))
        return false;

    ChannelDatabase::listsChanged(db);
    if (anchorId == NoId) {
        m_pgs.append(node);
        if (sat)
            sat->m_allPGs.append(node);
        if (db)
            db->m_allPGs.append(node);
    } else {
        if (!m_pgs.insertBefore(anchorId, node))
            return false;
        // The anchor is listed in both by the same rule; append keeps the
        // three lists in step should it not be.
        if (sat && !sat->m_allPGs.insertBefore(anchorId, node))
            sat->m_allPGs.append(node);
        if (db && !db->m_allPGs.insertBefore(anchorId, node))
            db->m_allPGs.append(node);
    }
    node->m_parent = this;
    return true;
}

PGNode *TPNode::takePG(quint32 id)
{
    PGNode *pg = m_pgs.take(id);
    if (!pg)
        return nullptr;
    if (SatNode *sat = m_parent) {
        sat->m_allPGs.takeNode(pg);
        if (ChannelDatabase *db = sat->m_parent)
            db->m_allPGs.takeNode(pg);
    }
    pg->m_parent = nullptr;
    return pg;
}

bool TPNode::removePG(quint32 id)
{
    PGNode *pg = takePG(id);
    delete pg;
    return pg != nullptr;
}

} // namespace DB_NS
