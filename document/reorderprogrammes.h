#pragma once

#include "channeldatabase.h"

#include <QUndoCommand>
#include <QVector>

#include <functional>

class Document;

/**
 * A change of the service order (Move Up, Move Down, Move Channel, Switch
 * Channel, ...). Redo runs the reorder on the same state each time, so it
 * gives the same order; undo puts back every list as it was, the TPs' own
 * order included, so a file saves as before.
 */
class ReorderProgrammes : public QUndoCommand
{
public:
    using Reorder = std::function<void(ChannelDatabase &)>;

    ReorderProgrammes(Document *document, const QString &text, QVector<quint32> moved, Reorder reorder);

    void redo() override;
    void undo() override;

private:
    Document *m_document;
    QVector<quint32> m_moved;
    Reorder m_reorder;
    ChannelDatabase::OrderSnapshot m_before;
};
