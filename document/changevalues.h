#pragma once

#include "document.h"

#include <QUndoCommand>
#include <QVector>

/** A node's attributes replaced, as the property dialog's OK does; undo puts the old ones back. */
class ChangeValues : public QUndoCommand
{
public:
    ChangeValues(Document *document, const QString &text, NodeKind kind, quint32 id, quint32 satId,
                 QVector<NodeAttribute> before, QVector<NodeAttribute> after);

    void redo() override;
    void undo() override;

private:
    Document *m_document;
    NodeKind m_kind;
    quint32 m_id;
    quint32 m_satId;
    QVector<NodeAttribute> m_before;
    QVector<NodeAttribute> m_after;
};
