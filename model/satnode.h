#pragma once

#include "indexedlist.h"
#include "tpnode.h"

class ChannelDatabase;

namespace DB_NS {

/** A satellite. Owns its transponders. */
class SatNode : public Node
{
public:
    SatNode() = default;
    explicit SatNode(quint32 id)
        : Node(id) {}
    ~SatNode() override;

    /** The database; it stays set while the satellite is detached. */
    ChannelDatabase *parent() const { return m_parent; }

    /** Display order; owning. */
    const IndexedList<TPNode> &tps() const { return m_tps; }
    /** Every programme of its TPs, in the order they were added; not owning. */
    const IndexedList<PGNode> &allPGs() const { return m_allPGs; }

    TPNode *findTP(quint32 id) const { return m_tps.find(id); }
    PGNode *findPG(quint32 id) const { return m_allPGs.find(id); }

    bool exchangeTPs(quint32 a, quint32 b) { return m_tps.exchange(a, b); }

    /**
     * Appends and takes ownership. Refused for null, a duplicate id, or a TP
     * whose programmes would clash by id with those already listed here or in
     * the database. A TP that comes from elsewhere brings its programmes into
     * this satellite's and the database's allPGs.
     */
    bool addTP(TPNode *node);
    /** As addTP, but in front of the TP with id beforeId; nothing when it is absent. */
    bool insertTPBefore(quint32 beforeId, TPNode *node);

    bool moveTPUp(quint32 id) { return m_tps.moveUp(id); }
    bool moveTPDown(quint32 id) { return m_tps.moveDown(id); }

    /** Deletes the TP and its programmes. */
    bool removeTP(quint32 id);

    /**
     * Unlinks the TP from tps and hands it to the caller. Its programmes stay
     * in allPGs (their order is the saved order), so it is meant to be
     * inserted again here or deleted, which unlinks them.
     */
    TPNode *detachTP(quint32 id);

    /** Lists a programme in allPGs only: anchor NoId appends, otherwise before the anchor. */
    bool addPG(PGNode *node, quint32 anchorId = NoId);
    /** Unlinks from allPGs only, without deleting. */
    bool removePGFromAll(quint32 id) { return m_allPGs.take(id) != nullptr; }

private:
    friend class TPNode;
    friend class ::ChannelDatabase;

    bool adoptTP(TPNode *node, const quint32 *beforeId);

    ChannelDatabase *m_parent = nullptr;
    IndexedList<TPNode> m_tps;
    IndexedList<PGNode> m_allPGs;
};

} // namespace DB_NS
