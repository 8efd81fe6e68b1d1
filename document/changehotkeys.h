#pragma once

#include "documentdata.h"

#include <QUndoCommand>
#include <QVector>

class Document;

/** The hot-key and favourite hot-key assignments replaced; undo puts the old ones back. */
class ChangeHotKeys : public QUndoCommand
{
public:
    ChangeHotKeys(Document *document, const QString &text, QVector<HotKey> after, QVector<FavHotKey> favAfter,
                  QUndoCommand *parent = nullptr);

    void redo() override;
    void undo() override;

private:
    Document *m_document;
    QVector<HotKey> m_before;
    QVector<HotKey> m_after;
    QVector<FavHotKey> m_favBefore;
    QVector<FavHotKey> m_favAfter;
};
