#pragma once

#include <QString>
#include <QUndoCommand>

class Document;

/** A favourite group's name changed, from the tree's in-place editor or Rename Group. */
class RenameGroup : public QUndoCommand
{
public:
    RenameGroup(Document *document, int index, QString before, QString after);

    void redo() override;
    void undo() override;

private:
    Document *m_document;
    int m_index;
    QString m_before;
    QString m_after;
};
