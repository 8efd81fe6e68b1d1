#pragma once

#include "indexedlist.h"
#include "pgnode.h"

class ChannelDatabase;

namespace DB_NS {

/**
 * A transponder. Owns its programmes; each of them is also listed, in step,
 * in the satellite's and the database's allPGs.
 */
class TPNode : public Node
{
public:
    TPNode() = default;
    explicit TPNode(quint32 id)
        : Node(id) {}
    /** Also unlinks its programmes from the satellite's and the database's allPGs. */
    ~TPNode() override;

    /** The satellite; it stays set while the TP is detached, as its programmes stay listed there. */
    SatNode *parent() const { return m_parent; }

    /** Display order; owning. */
    const IndexedList<PGNode> &pgs() const { return m_pgs; }

    PGNode *findPG(quint32 id) const { return m_pgs.find(id); }

    /**
     * Takes ownership of node and lists it here, in the satellite's and in the
     * database's allPGs. anchorId NoId appends everywhere; another anchor puts
     * it before that programme in all three lists, and nothing happens when
     * no programme of this TP has that id. Refused (caller keeps the node) for
     * null or when its id is already used in any of the three lists.
     */
    bool addPG(PGNode *node, quint32 anchorId = NoId);

    /** Unlinks the programme from all three lists and deletes it. */
    bool removePG(quint32 id);

    /** Unlinks the programme from all three lists and hands it to the caller. */
    PGNode *takePG(quint32 id);

private:
    friend class SatNode;
    friend class ::ChannelDatabase;

    SatNode *m_parent = nullptr;
    IndexedList<PGNode> m_pgs;
};

} // namespace DB_NS
