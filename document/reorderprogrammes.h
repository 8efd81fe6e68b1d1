#pragma once

#include "channeldatabase.h"

#include <QUndoCommand>
#include <QVector>

#include <functional>
#include <vector>

class Document;

/**
 * A change of the service order (Move Up, Move Down, Move Channel, Switch
 * Channel, ...). Redo runs the reorders on the same state each time, so it
 * gives the same order; undo puts back every list as it was, the TPs' own
 * order included, so a file saves as before. Only the runs of the lists
 * that changed are kept, not the whole order.
 *
 * With a merge id, the next step of the same id that moves the same
 * programmes joins this one: a held key is one step.
 */
class ReorderProgrammes : public QUndoCommand
{
public:
    using Reorder = std::function<void(ChannelDatabase &)>;
    enum MergeId { MoveUpId = 1,
                   MoveDownId };

    ReorderProgrammes(Document *document, const QString &text, QVector<quint32> moved, Reorder reorder);

    void setMergeId(int id) { m_mergeId = id; }
    int id() const override { return m_mergeId; }
    bool mergeWith(const QUndoCommand *other) override;
    void redo() override;
    void undo() override;

private:
    Document *m_document;
    QVector<quint32> m_moved;
    std::vector<Reorder> m_reorders;
    // What each reorder changed, in the order they ran; found on the first redo.
    std::vector<std::vector<ChannelDatabase::OrderSpan>> m_changes;
    int m_mergeId = -1;
};
