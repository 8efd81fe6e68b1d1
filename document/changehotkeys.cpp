#include "changehotkeys.h"

#include "document.h"

#include <utility>

ChangeHotKeys::ChangeHotKeys(Document *document, const QString &text, QVector<HotKey> after,
                             QVector<FavHotKey> favAfter, QUndoCommand *parent)
    : QUndoCommand(text, parent)
    , m_document(document)
    , m_before(document->hotKeys())
    , m_after(std::move(after))
    , m_favBefore(document->favHotKeys())
    , m_favAfter(std::move(favAfter))
{
}

void ChangeHotKeys::redo()
{
    m_document->setHotKeys(m_after, m_favAfter);
}

void ChangeHotKeys::undo()
{
    m_document->setHotKeys(m_before, m_favBefore);
}
