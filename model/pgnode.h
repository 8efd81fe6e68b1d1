#pragma once

#include "node.h"

class ChannelDatabase;

namespace DB_NS {

/** A programme (service). Owned by its transponder. */
class PGNode : public Node
{
public:
    PGNode() = default;
    explicit PGNode(quint32 id)
        : Node(id) {}

    /** The transponder whose list holds it; null while detached. */
    TPNode *parent() const { return m_parent; }
    /** The transponder's satellite, or null. */
    SatNode *sat() const;

private:
    friend class TPNode;
    friend class SatNode;
    friend class ::ChannelDatabase;

    TPNode *m_parent = nullptr;
    // Where the last relink found it in allPGs, and which relink that was;
    // lets a relink check and order the other lists without look-ups.
    quint64 m_relinkPass = 0;
    quint32 m_allPosition = 0;
};

} // namespace DB_NS
