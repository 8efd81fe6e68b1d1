#include "changevalues.h"

ChangeValues::ChangeValues(Document *document, const QString &text, NodeKind kind, quint32 id, quint32 satId,
                           QVector<NodeAttribute> before, QVector<NodeAttribute> after)
    : QUndoCommand(text)
    , m_document(document)
    , m_kind(kind)
    , m_id(id)
    , m_satId(satId)
    , m_before(std::move(before))
    , m_after(std::move(after))
{
}

void ChangeValues::redo()
{
    m_document->setNodeValues(m_kind, m_id, m_satId, m_after);
}

void ChangeValues::undo()
{
    m_document->setNodeValues(m_kind, m_id, m_satId, m_before);
}
