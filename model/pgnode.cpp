#include "pgnode.h"

#include "tpnode.h"

namespace DB_NS {

SatNode *PGNode::sat() const
{
    return m_parent ? m_parent->parent() : nullptr;
}

} // namespace DB_NS
