// The table's operations: each slot gathers the rows and the dialog's answer
// and hands them to the document's edits; the rows follow the document's
// signals.

#include "qdbprogramwidget.h"

#include "channeldatabase.h"
#include "documentedits.h"
#include "programmeitem.h"
#include "qfavgrouprenamedialog.h"
#include "qpropertydialog.h"

#include <QSet>
#include <QSignalBlocker>
#include <QTableWidget>

namespace {

constexpr quint32 NoId = DB_NS::NoId;

} // namespace

void QDBProgramWidget::actEditChannelTriggered()
{
    const DB_NS::PGNode *live = programmeAt(m_table->currentRow());
    if (!live || !m_document)
        return;
    // The dialog edits a copy; the document takes the result as one step.
    DB_NS::PGNode copy(live->id());
    copy.setParentId(live->getParentId());
    copy.setAttributes(live->attributes());
    Document *document = m_document;
    QPropertyDialog dialog(
        this,
        [document, live](const QString &field, const QString &text) {
            return document->findDuplicate(live, field, text);
        },
        m_pgTemplate, m_favouriteNames, &copy);
    dialog.setWindowTitle(QStringLiteral("Program Information"));
    if (dialog.exec() != QDialog::Accepted || !m_document)
        return;
    // A change the dialog reports but that leaves every value as it was
    // still raises the flag, without an undo step.
    const int steps = m_document->undoStack()->index();
    if (!m_document->edits().editNode(NodeKind::Programme, copy.id(), NoId, copy.attributes()))
        return;
    if (dialog.changed() && m_document->undoStack()->index() == steps)
        emit signalbIsChange(true);
}

void QDBProgramWidget::actMoveUpChannelTriggered()
{
    if (m_document)
        selectRows(m_document->edits().moveUp(rowIds(), selectedRows()));
}

void QDBProgramWidget::actMoveDownChannelTriggered()
{
    if (m_document)
        selectRows(m_document->edits().moveDown(rowIds(), selectedRows()));
}

void QDBProgramWidget::actRenameGroupTriggered()
{
    if (!m_document || !m_favouriteNames || m_currentFavId == 0 || m_currentFavId == NoId)
        return;
    const int index = 31 - qCountLeadingZeroBits(m_currentFavId);
    if (index >= m_favouriteNames->size())
        return;
    QFavGroupRenameDialog dialog(this, m_favouriteNames->at(index));
    dialog.setMaxNameLength(m_document->data().favouriteNameUnits);
    if (dialog.exec() != QDialog::Accepted || !m_document)
        return;
    if (m_document->edits().renameGroup(index, dialog.name()))
        emit favGroupRenamed(m_currentFavId, dialog.name());
}

void QDBProgramWidget::programmesWereMoved(const QVector<quint32> &ids)
{
    if (m_viewMode == None || m_viewMode == NoSatellite || m_viewMode == HotKeys || m_viewMode == FavHotKeys)
        return;
    QVector<DB_NS::PGNode *> shown;
    for (DB_NS::PGNode *programme : viewCandidates()) {
        if (passesServiceAndFilter(programme))
            shown.append(programme);
    }
    if (shown.size() != m_table->rowCount()) {
        refreshView();
        return;
    }
    // Only the moved programmes' rows are taken out and put back where the
    // new order has them; every other row keeps its items.
    const QSet<quint32> moved(ids.cbegin(), ids.cend());
    const bool updates = m_table->updatesEnabled();
    m_table->setUpdatesEnabled(false);
    {
        const QSignalBlocker quiet(m_table->selectionModel());
        for (const quint32 id : ids) {
            const int row = rowOf(id);
            if (row >= 0)
                m_table->removeRow(row);
        }
        for (int row = 0; row < shown.size(); ++row) {
            DB_NS::PGNode *programme = shown.at(row);
            if (moved.contains(programme->id()) && rowOf(programme->id()) < 0) {
                m_table->insertRow(row);
                fillProgrammeRow(row, programme);
            }
        }
    }
    m_table->setUpdatesEnabled(updates);
    // A relink may also have reordered programmes that nobody moved (the
    // first reorder of a dump whose TPs were not in service order).
    for (int row = 0; row < shown.size(); ++row) {
        if (programmeIdOf(m_table->item(row, 0)) != shown.at(row)->id()) {
            refreshView();
            return;
        }
    }
}

void QDBProgramWidget::nodeWasChanged(NodeKind kind, quint32 id)
{
    if (kind != NodeKind::Programme || !m_database)
        return;
    if (m_viewMode == AllFavourites || m_viewMode == FavouriteGroup) {
        // The programme may have joined or left the group.
        refreshView();
        return;
    }
    if (m_viewMode == HotKeys) {
        resetTable();
        return;
    }
    const int row = rowOf(id);
    if (row >= 0)
        fillProgrammeRow(row, m_database->findPG(id));
}

void QDBProgramWidget::groupWasRenamed(int, const QString &)
{
    if (m_viewMode == FavHotKeys)
        resetTable();
}
