#pragma once

#include "document.h"

#include <QUndoCommand>
#include <QVector>

/**
 * The satellites, or the TPs of one satellite, in a new order: Move Up,
 * Move Down, Switch To, Move To. Both orders are kept whole; a level holds
 * a few hundred nodes at most.
 */
class ReorderNodes : public QUndoCommand
{
public:
    ReorderNodes(Document *document, const QString &text, NodeKind kind, quint32 satId, QVector<quint32> before,
                 QVector<quint32> after);

    void redo() override;
    void undo() override;

private:
    Document *m_document;
    NodeKind m_kind;
    quint32 m_satId;
    QVector<quint32> m_before;
    QVector<quint32> m_after;
};
