#include "renamegroup.h"

#include "document.h"

#include <QCoreApplication>

RenameGroup::RenameGroup(Document *document, int index, QString before, QString after)
    : QUndoCommand(QCoreApplication::translate("DocumentEdits", "Rename Group"))
    , m_document(document)
    , m_index(index)
    , m_before(std::move(before))
    , m_after(std::move(after))
{
}

void RenameGroup::redo()
{
    m_document->setFavouriteName(m_index, m_after);
}

void RenameGroup::undo()
{
    m_document->setFavouriteName(m_index, m_before);
}
