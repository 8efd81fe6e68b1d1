#include "changefavourites.h"

#include "document.h"

#include <utility>

ChangeFavourites::ChangeFavourites(Document *document, const QString &text, QVector<Change> changes,
                                   QUndoCommand *parent)
    : QUndoCommand(text, parent)
    , m_document(document)
    , m_changes(std::move(changes))
{
}

void ChangeFavourites::apply(bool forward)
{
    QVector<QPair<quint32, QString>> masks;
    masks.reserve(m_changes.size());
    for (const Change &change : qAsConst(m_changes))
        masks.append({change.programmeId, forward ? change.after : change.before});
    m_document->setFavouriteMasks(masks);
}

void ChangeFavourites::redo()
{
    apply(true);
}

void ChangeFavourites::undo()
{
    apply(false);
}
