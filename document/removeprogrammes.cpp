#include "removeprogrammes.h"

RemoveProgrammes::RemoveProgrammes(Document *document, const QString &text, QVector<quint32> ids,
                                   QUndoCommand *parent)
    : QUndoCommand(text, parent), m_document(document), m_ids(std::move(ids))
{
}

void RemoveProgrammes::redo()
{
    m_before = m_document->database()->saveOrder();
    m_taken = m_document->takeProgrammes(m_ids);
}

void RemoveProgrammes::undo()
{
    m_document->restoreProgrammes(m_taken, m_before);
    m_taken.clear();
    m_before = ChannelDatabase::OrderSnapshot();
}
