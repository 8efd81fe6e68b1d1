#pragma once

#include "document.h"

#include <QUndoCommand>
#include <QVector>

#include <vector>

/**
 * New programmes listed in their TPs (Insert Channel, Paste Channel, Copy
 * and Cut Channel To). The command holds them while they are undone, and
 * taking them out again gives every list its old order.
 */
class AddProgrammes : public QUndoCommand
{
public:
    AddProgrammes(Document *document, const QString &text, std::vector<Document::DetachedProgramme> programmes,
                  QUndoCommand *parent = nullptr);

    void redo() override;
    void undo() override;

    QVector<quint32> ids() const { return m_ids; }

private:
    Document *m_document;
    std::vector<Document::DetachedProgramme> m_programmes;
    QVector<quint32> m_ids;
};
