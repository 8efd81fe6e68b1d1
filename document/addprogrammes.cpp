#include "addprogrammes.h"

AddProgrammes::AddProgrammes(Document *document, const QString &text,
                             std::vector<Document::DetachedProgramme> programmes, QUndoCommand *parent)
    : QUndoCommand(text, parent), m_document(document), m_programmes(std::move(programmes))
{
    for (const Document::DetachedProgramme &entry : m_programmes)
        m_ids.append(entry.node->id());
}

void AddProgrammes::redo()
{
    m_document->insertProgrammes(m_programmes);
    // Listed ones now belong to their TPs; the entries keep where they went.
}

void AddProgrammes::undo()
{
    std::vector<Document::DetachedProgramme> taken = m_document->takeProgrammes(m_ids);
    // Each goes back to its own entry, which remembers its TP and anchor.
    for (Document::DetachedProgramme &programme : taken) {
        const int i = m_ids.indexOf(programme.node->id());
        if (i >= 0 && !m_programmes[std::size_t(i)].node)
            m_programmes[std::size_t(i)].node = std::move(programme.node);
    }
}
