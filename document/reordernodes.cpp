#include "reordernodes.h"

ReorderNodes::ReorderNodes(Document *document, const QString &text, NodeKind kind, quint32 satId,
                           QVector<quint32> before, QVector<quint32> after)
    : QUndoCommand(text)
    , m_document(document)
    , m_kind(kind)
    , m_satId(satId)
    , m_before(std::move(before))
    , m_after(std::move(after))
{
}

void ReorderNodes::redo()
{
    m_document->setNodeOrder(m_kind, m_satId, m_after);
}

void ReorderNodes::undo()
{
    m_document->setNodeOrder(m_kind, m_satId, m_before);
}
