#pragma once

#include <QUndoCommand>
#include <QVector>

class Document;

/** The "FAV" masks of many programmes replaced at once; undo puts the old masks back. */
class ChangeFavourites : public QUndoCommand
{
public:
    struct Change
    {
        quint32 programmeId;
        QString before;
        QString after;
    };
    ChangeFavourites(Document *document, const QString &text, QVector<Change> changes, QUndoCommand *parent = nullptr);

    void redo() override;
    void undo() override;

private:
    void apply(bool forward);

    Document *m_document;
    QVector<Change> m_changes;
};
