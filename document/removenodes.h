#pragma once

#include "detachednodes.h"

#include <QUndoCommand>

class Document;

/**
 * Satellites, or TPs of one satellite, deleted with their programmes. The
 * nodes are kept while the step can be undone, and undo puts them, their
 * programmes and the hot keys that pointed into them back as they were.
 */
class RemoveNodes : public QUndoCommand
{
public:
    RemoveNodes(Document *document, NodeKind kind, quint32 satId, QVector<quint32> ids);

    void redo() override;
    void undo() override;

private:
    Document *m_document;
    NodeKind m_kind;
    quint32 m_satId;
    QVector<quint32> m_ids;
    DetachedNodes m_nodes;
};
