#include "reorderprogrammes.h"

#include "document.h"

ReorderProgrammes::ReorderProgrammes(Document *document, const QString &text, QVector<quint32> moved,
                                     Reorder reorder)
    : QUndoCommand(text), m_document(document), m_moved(std::move(moved)), m_reorder(std::move(reorder))
{
}

void ReorderProgrammes::redo()
{
    m_before = m_document->database()->saveOrder();
    m_document->reorderProgrammes(m_moved, m_reorder);
}

void ReorderProgrammes::undo()
{
    m_document->restoreProgrammeOrder(m_before, m_moved);
    // Only the next redo needs an order again.
    m_before = ChannelDatabase::OrderSnapshot();
}
