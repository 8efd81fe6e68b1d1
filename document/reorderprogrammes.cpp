#include "reorderprogrammes.h"

#include "document.h"

#include <algorithm>

namespace {

QVector<quint32> sorted(QVector<quint32> ids)
{
    std::sort(ids.begin(), ids.end());
    return ids;
}

} // namespace

ReorderProgrammes::ReorderProgrammes(Document *document, const QString &text, QVector<quint32> moved,
                                     Reorder reorder)
    : QUndoCommand(text), m_document(document), m_moved(std::move(moved))
{
    m_reorders.push_back(std::move(reorder));
}

bool ReorderProgrammes::mergeWith(const QUndoCommand *other)
{
    const auto *next = dynamic_cast<const ReorderProgrammes *>(other);
    if (!next || next->id() != id() || next->m_changes.size() != 1 || sorted(next->m_moved) != sorted(m_moved))
        return false;
    // The later step already ran: its runs undo it back to where this one left the lists.
    m_reorders.insert(m_reorders.end(), next->m_reorders.begin(), next->m_reorders.end());
    m_changes.insert(m_changes.end(), next->m_changes.begin(), next->m_changes.end());
    return true;
}

void ReorderProgrammes::redo()
{
    // A new step holds one reorder; what it changed is found once. Later
    // redos give the same lists.
    std::vector<ChannelDatabase::OrderSpan> changes;
    const bool first = m_changes.empty();
    m_document->reorderProgrammes(
        m_moved,
        [this](ChannelDatabase &database) {
            for (const Reorder &reorder : m_reorders)
                reorder(database);
        },
        first ? &changes : nullptr);
    if (first)
        m_changes.push_back(std::move(changes));
}

void ReorderProgrammes::undo()
{
    m_document->restoreProgrammeSpans(m_changes, m_moved);
}
