// Favourite groups, hot keys and favourite hot keys: the table's slots for
// them and how the table follows their changes.
#include "programmeitem.h"
#include "qdbprogramwidget.h"
#include "qfavgroupeditdialog.h"
#include "qhotkeyeditdialog.h"
#include "qhotkeygroupeditdialog.h"

#include "channeldatabase.h"
#include "documentedits.h"

#include <QTableWidget>

namespace {

constexpr quint32 NoId = DB_NS::NoId;

bool singleBit(quint32 id)
{
    return id != 0 && id != NoId && (id & (id - 1)) == 0;
}

bool inGroup(const DB_NS::PGNode *programme, quint32 favId)
{
    const NodeAttribute *fav = programme ? programme->findAttribute(QStringLiteral("FAV")) : nullptr;
    if (!fav)
        return false;
    const quint32 mask = fav->value.trimmed().toUInt();
    return favId == 0 ? mask != 0 : (mask & favId) != 0;
}

} // namespace

bool QDBProgramWidget::canEditGroup() const
{
    return m_document && m_database && singleBit(m_currentFavId) && m_favouriteNames
        && int(31 - qCountLeadingZeroBits(m_currentFavId)) < m_favouriteNames->size();
}

void QDBProgramWidget::actEditGroupTriggered()
{
    if (!m_document || !m_database)
        return;
    if (m_viewMode == FavouriteGroup) {
        if (!canEditGroup())
            return;
        QFavGroupEditDialog dialog(this, m_database, m_currentFavId);
        if (dialog.exec() != QDialog::Accepted || !m_document)
            return;
        const int steps = m_document->undoStack()->index();
        m_document->edits().editGroup(m_currentFavId, dialog.memberships());
        if (m_document->undoStack()->index() != steps)
            emit signalbIsChange(true);
        return;
    }
    const int row = m_table->currentRow();
    const int key = keyIndexOf(row >= 0 ? m_table->item(row, 0) : nullptr);
    if (m_viewMode == HotKeys) {
        if (!m_hotKeys || key < 0 || key >= m_hotKeys->size())
            return;
        QHotKeyGroupEditDialog dialog(this, m_database, m_hotKeys->at(key));
        if (dialog.exec() != QDialog::Accepted || !m_document)
            return;
        const int steps = m_document->undoStack()->index();
        m_document->edits().assignHotKey(key, dialog.chosenProgramme());
        if (m_document->undoStack()->index() != steps)
            emit signalbIsChange(true);
        m_table->setCurrentCell(row, 0);
    } else if (m_viewMode == FavHotKeys) {
        if (!m_favHotKeys || !m_favouriteNames || key < 0 || key >= m_favHotKeys->size())
            return;
        QFavHotKeyGroupEditDialog dialog(this, *m_favouriteNames, m_favHotKeys->at(key));
        if (dialog.exec() != QDialog::Accepted || !m_document)
            return;
        const int steps = m_document->undoStack()->index();
        m_document->edits().assignFavHotKey(key, dialog.favIndex());
        if (m_document->undoStack()->index() != steps)
            emit signalbIsChange(true);
        m_table->setCurrentCell(row, 0);
    }
}

void QDBProgramWidget::actRemoveItemTriggered()
{
    if (!m_document)
        return;
    const int row = m_table->currentRow();
    const QTableWidgetItem *first = row >= 0 ? m_table->item(row, 0) : nullptr;
    if (!first)
        return;
    const int steps = m_document->undoStack()->index();
    if (m_viewMode == FavouriteGroup) {
        if (singleBit(m_currentFavId))
            m_document->edits().removeFromGroup(m_currentFavId, programmeIdOf(first));
    } else if (m_viewMode == HotKeys) {
        m_document->edits().unassignHotKey(keyIndexOf(first));
    } else if (m_viewMode == FavHotKeys) {
        m_document->edits().assignFavHotKey(keyIndexOf(first), -1);
    }
    if (m_document->undoStack()->index() != steps)
        emit signalbIsChange(true);
}

void QDBProgramWidget::actEditHotKeyTriggered()
{
    if (!m_document || !m_hotKeys || (m_viewMode != AllServices && m_viewMode != Satellite && m_viewMode != Transponder))
        return;
    QHotKeyEditDialog dialog(this, *m_hotKeys);
    if (dialog.exec() != QDialog::Accepted || !m_document || !m_hotKeys)
        return;
    const int key = dialog.chosenIndex();
    const DB_NS::PGNode *programme = programmeAt(m_table->currentRow());
    if (key < 0 || key >= m_hotKeys->size() || !programme)
        return;
    if (m_document->edits().assignHotKey(key, programme->id()))
        emit signalbIsChange(true);
}

void QDBProgramWidget::favouritesWereChanged(const QVector<quint32> &ids)
{
    if (!m_database)
        return;
    if (m_viewMode != AllFavourites && m_viewMode != FavouriteGroup) {
        for (const quint32 id : ids) {
            const int row = rowOf(id);
            if (row >= 0)
                fillProgrammeRow(row, m_database->findPG(id));
        }
        return;
    }
    // Programmes that left the group go in place; one that joined needs its
    // place among the others, so the view is built again.
    QVector<quint32> left;
    for (const quint32 id : ids) {
        const DB_NS::PGNode *programme = m_database->findPG(id);
        const bool shown = rowOf(id) >= 0;
        const bool member = inGroup(programme, m_currentFavId);
        if (member && !shown && passesServiceAndFilter(programme)) {
            refreshView();
            return;
        }
        if (!member && shown)
            left.append(id);
        else if (member && shown)
            fillProgrammeRow(rowOf(id), m_database->findPG(id));
    }
    if (!left.isEmpty())
        programmesWereRemoved(left);
}

void QDBProgramWidget::hotKeysWereChanged()
{
    if (m_viewMode != HotKeys && m_viewMode != FavHotKeys)
        return;
    const int row = m_table->currentRow();
    resetTable();
    if (row >= 0 && row < m_table->rowCount())
        m_table->setCurrentCell(row, 0);
}
