#include "transferprogramme.h"

#include <algorithm>

namespace {

bool sameValues(const QVector<NodeAttribute> &a, const QVector<NodeAttribute> &b)
{
    return std::equal(a.cbegin(), a.cend(), b.cbegin(), b.cend(), [](const NodeAttribute &x, const NodeAttribute &y) {
        return x.name == y.name && x.value == y.value;
    });
}

} // namespace

TransferProgramme::TransferProgramme(Document *document, const QString &text, quint32 id, quint32 satId,
                                     quint32 tpId, quint32 anchorId, QVector<NodeAttribute> values,
                                     QUndoCommand *parent)
    : QUndoCommand(text, parent), m_document(document), m_id(id), m_satId(satId), m_tpId(tpId), m_anchorId(anchorId), m_after(std::move(values))
{
}

void TransferProgramme::redo()
{
    const DB_NS::PGNode *programme = m_document->database()->findPG(m_id);
    if (!programme || !programme->parent())
        return;
    m_fromTpId = programme->parent()->id();
    m_before = programme->attributes();
    m_order = m_document->database()->saveOrder();
    m_document->transferProgramme(m_id, m_satId, m_tpId, m_anchorId, nullptr);
    if (!sameValues(m_before, m_after))
        m_document->setNodeValues(NodeKind::Programme, m_id, m_satId, m_after);
}

void TransferProgramme::undo()
{
    if (!sameValues(m_before, m_after))
        m_document->setNodeValues(NodeKind::Programme, m_id, m_satId, m_before);
    m_document->transferProgramme(m_id, m_satId, m_fromTpId, DB_NS::NoId, &m_order);
    // Only the next redo needs an order again.
    m_order = ChannelDatabase::OrderSnapshot();
}
