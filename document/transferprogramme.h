#pragma once

#include "document.h"

#include <QUndoCommand>
#include <QVector>

/**
 * A programme that changes its TP within its satellite (Cut Channel To):
 * the same node, in front of anchorId in the service order (NoId: last),
 * with values (a NAME made unique in the TP). Undo puts it back in its TP
 * and every list in its old order.
 */
class TransferProgramme : public QUndoCommand
{
public:
    TransferProgramme(Document *document, const QString &text, quint32 id, quint32 satId, quint32 tpId,
                      quint32 anchorId, QVector<NodeAttribute> values, QUndoCommand *parent = nullptr);

    void redo() override;
    void undo() override;

private:
    Document *m_document;
    quint32 m_id;
    quint32 m_satId;
    quint32 m_tpId;
    quint32 m_fromTpId = DB_NS::NoId;
    quint32 m_anchorId;
    QVector<NodeAttribute> m_before;
    QVector<NodeAttribute> m_after;
    ChannelDatabase::OrderSnapshot m_order;
};
