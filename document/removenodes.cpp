#include "removenodes.h"

#include "document.h"

#include <QCoreApplication>

RemoveNodes::RemoveNodes(Document *document, NodeKind kind, quint32 satId, QVector<quint32> ids)
    : QUndoCommand(kind == NodeKind::Satellite ? QCoreApplication::translate("DocumentEdits", "Delete Satellite") : QCoreApplication::translate("DocumentEdits", "Delete TP"))
    , m_document(document)
    , m_kind(kind)
    , m_satId(satId)
    , m_ids(std::move(ids))
{
}

void RemoveNodes::redo()
{
    m_document->takeNodes(m_kind, m_satId, m_ids, m_nodes);
}

void RemoveNodes::undo()
{
    m_document->restoreNodes(m_nodes);
}
