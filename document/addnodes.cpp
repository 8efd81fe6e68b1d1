#include "addnodes.h"

#include "document.h"

AddNodes::AddNodes(Document *document, const QString &text, DetachedNodes nodes)
    : QUndoCommand(text), m_document(document), m_ids(nodes.ids()), m_nodes(std::move(nodes))
{
}

void AddNodes::redo()
{
    m_document->restoreNodes(m_nodes);
}

void AddNodes::undo()
{
    const NodeKind kind = m_nodes.kind;
    const quint32 satId = m_nodes.satId;
    m_document->takeNodes(kind, satId, m_ids, m_nodes);
}
