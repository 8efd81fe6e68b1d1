#pragma once

#include "detachednodes.h"

#include <QUndoCommand>

class Document;

/** New satellites, or new TPs of one satellite, appended: Add Satellite, Add TP, Paste TP. */
class AddNodes : public QUndoCommand
{
public:
    AddNodes(Document *document, const QString &text, DetachedNodes nodes);

    void redo() override;
    void undo() override;

private:
    Document *m_document;
    QVector<quint32> m_ids;
    // The new nodes while they are not in the database.
    DetachedNodes m_nodes;
};
