#include "restorestate.h"

#include "document.h"
#include "documentedits.h"

#include <QCoreApplication>

RestoreState::RestoreState(Document *document, DocumentData state)
    : QUndoCommand(QCoreApplication::translate("DocumentEdits", "Restore Recovered Changes"))
    , m_document(document)
    , m_other(std::move(state))
{
}

void RestoreState::redo()
{
    m_document->exchangeState(m_other);
}

void RestoreState::undo()
{
    m_document->exchangeState(m_other);
}

void DocumentEdits::restoreState(DocumentData state)
{
    if (!m_document->hasDatabase() || !state.database)
        return;
    m_document->undoStack()->push(new RestoreState(m_document, std::move(state)));
}
