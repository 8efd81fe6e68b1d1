#pragma once

#include "document.h"

#include <QUndoCommand>
#include <QVector>

#include <vector>

/**
 * Programmes taken out of their TPs (Delete Channel). They are kept, not
 * deleted, while the step can be undone; undo lists them again with every
 * list in its old order.
 */
class RemoveProgrammes : public QUndoCommand
{
public:
    RemoveProgrammes(Document *document, const QString &text, QVector<quint32> ids,
                     QUndoCommand *parent = nullptr);

    void redo() override;
    void undo() override;

private:
    Document *m_document;
    QVector<quint32> m_ids;
    std::vector<Document::DetachedProgramme> m_taken;
    ChannelDatabase::OrderSnapshot m_before;
};
