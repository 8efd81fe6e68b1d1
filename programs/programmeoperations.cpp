// The table's operations: each slot gathers the rows and the dialog's answer
// and hands them to the document's edits; the rows follow the document's
// signals.

#include "qdbprogramwidget.h"

#include "channeldatabase.h"
#include "documentedits.h"
#include "programmeitem.h"
#include "qfavgrouprenamedialog.h"
#include "qmoveswitchdialog.h"
#include "qpropertydialog.h"
#include "qtpchoicedialog.h"

#include <QMessageBox>
#include <QSet>
#include <QSignalBlocker>
#include <QTableWidget>

#include <algorithm>

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

void QDBProgramWidget::actMoveChannelTriggered()
{
    if (!m_document)
        return;
    QMoveSwitchDialog dialog(this, m_table->rowCount());
    dialog.setWindowTitle(QStringLiteral("Move"));
    if (dialog.exec() != QDialog::Accepted || !m_document)
        return;
    const DocumentEdits::MoveOutcome outcome = m_document->edits().moveTo(rowIds(), selectedRows(), dialog.value());
    if (!outcome.refusal.isEmpty())
        QMessageBox::critical(this, QStringLiteral("Move"), outcome.refusal, QMessageBox::Yes, QMessageBox::Yes);
    selectRows(outcome.rows);
}

void QDBProgramWidget::actSwitchChannelTriggered()
{
    if (!m_document)
        return;
    QMoveSwitchDialog dialog(this, m_table->rowCount());
    dialog.setWindowTitle(QStringLiteral("Switch"));
    if (dialog.exec() != QDialog::Accepted || !m_document)
        return;
    const DocumentEdits::MoveOutcome outcome =
        m_document->edits().switchTo(rowIds(), selectedRows(), dialog.value());
    if (!outcome.refusal.isEmpty())
        QMessageBox::critical(this, QStringLiteral("Switch"), outcome.refusal, QMessageBox::Yes, QMessageBox::Yes);
    selectRows(outcome.rows);
}

void QDBProgramWidget::actDeleteChannelTriggered()
{
    const QVector<int> rows = selectedRows();
    if (rows.isEmpty() || !m_document) {
        m_table->setCurrentCell(-1, -1);
        return;
    }
    if (QMessageBox::warning(this, QStringLiteral("Warning"), QStringLiteral("Delete PG?"),
                             QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::NoButton)
            != QMessageBox::Ok
        || !m_document)
        return;
    QVector<quint32> ids;
    ids.reserve(rows.size());
    for (const int row : rows) {
        const quint32 id = programmeIdOf(m_table->item(row, 0));
        if (id != NoId)
            ids.append(id);
    }
    m_document->edits().deleteProgrammes(ids);
    m_table->setCurrentCell(-1, -1);
}

void QDBProgramWidget::actInsertChannelTriggered()
{
    if (m_viewMode != Transponder || !m_document)
        return;
    DB_NS::PGNode fresh(0);
    QPropertyDialog dialog(
        this, [document = m_document, node = &fresh](const QString &field, const QString &text) {
            return document->findDuplicate(node, field, text);
        },
        m_pgTemplate, m_favouriteNames, &fresh);
    dialog.setWindowTitle(QStringLiteral("Program Information"));
    if (dialog.exec() != QDialog::Accepted || !m_document)
        return;
    const DB_NS::PGNode *current = programmeAt(m_table->currentRow());
    const quint32 id = m_document->edits().insertProgramme(m_currentSatId, m_currentTpId,
                                                           current ? current->id() : NoId, fresh.attributes());
    const int row = rowOf(id);
    if (row >= 0)
        m_table->setCurrentCell(row, 0);
}

void QDBProgramWidget::actCopyChannelTriggered()
{
    if (!m_document)
        return;
    QVector<quint32> ids;
    for (const int row : selectedRows()) {
        const quint32 id = programmeIdOf(m_table->item(row, 0));
        if (id != NoId)
            ids.append(id);
    }
    m_document->edits().copyProgrammes(ids);
}

void QDBProgramWidget::actPasteChannelTriggered()
{
    if (!m_document || !m_database)
        return;
    const DB_NS::SatNode *sat = m_database->findSat(m_currentSatId);
    if (!sat || !sat->findTP(m_currentTpId))
        return;
    m_table->clearSelection();
    m_document->edits().paste(m_currentSatId, m_currentTpId);
}

quint32 QDBProgramWidget::copyOrCutTo(bool cut)
{
    const DB_NS::PGNode *programme = programmeAt(m_table->currentRow());
    if (!programme || !m_document)
        return NoId;
    const quint32 id = programme->id();
    QTPChoiceDialog dialog(this, programme->parent());
    if (dialog.exec() != QDialog::Accepted || !m_document || !dialog.chosenTp())
        return NoId;
    const quint32 tpId = dialog.chosenTp()->id();
    return cut ? m_document->edits().cutTo(id, tpId) : m_document->edits().copyTo(id, tpId);
}

void QDBProgramWidget::actCopyChannelToTriggered()
{
    copyOrCutTo(false);
}

void QDBProgramWidget::actCutChannelToTriggered()
{
    copyOrCutTo(true);
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

void QDBProgramWidget::programmesWereRemoved(const QVector<quint32> &ids)
{
    if (m_viewMode == HotKeys) {
        resetTable();
        return;
    }
    QVector<int> rows;
    for (const quint32 id : ids) {
        const int row = rowOf(id);
        if (row >= 0)
            rows.append(row);
    }
    if (rows.isEmpty())
        return;
    std::sort(rows.begin(), rows.end());
    m_findHits.clear();
    const bool updates = m_table->updatesEnabled();
    m_table->setUpdatesEnabled(false);
    // From the bottom, a run of neighbouring rows at a time.
    for (int end = rows.size(); end > 0;) {
        int begin = end - 1;
        while (begin > 0 && rows.at(begin - 1) == rows.at(begin) - 1)
            --begin;
        m_table->model()->removeRows(rows.at(begin), end - begin);
        end = begin;
    }
    m_table->setUpdatesEnabled(updates);
}

void QDBProgramWidget::programmesWereInserted(const QVector<quint32> &ids)
{
    if (m_viewMode == HotKeys) {
        resetTable();
        return;
    }
    if (m_viewMode == None || m_viewMode == NoSatellite || m_viewMode == FavHotKeys)
        return;
    const QSet<quint32> added(ids.cbegin(), ids.cend());
    QVector<DB_NS::PGNode *> shown;
    for (DB_NS::PGNode *programme : viewCandidates()) {
        if (passesServiceAndFilter(programme))
            shown.append(programme);
    }
    // The new programmes get rows where the view's order has them (none
    // when the filter or the TV/RADIO choice hides them); the other rows stay.
    m_findHits.clear();
    const bool updates = m_table->updatesEnabled();
    m_table->setUpdatesEnabled(false);
    for (int row = 0; row < shown.size(); ++row) {
        DB_NS::PGNode *programme = shown.at(row);
        if (added.contains(programme->id()) && rowOf(programme->id()) < 0) {
            m_table->insertRow(row);
            fillProgrammeRow(row, programme);
        }
    }
    m_table->setUpdatesEnabled(updates);
    if (m_table->rowCount() != shown.size())
        refreshView();
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
