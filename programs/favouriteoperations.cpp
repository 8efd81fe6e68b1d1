// Favourite groups, hot keys and favourite hot keys: the table's slots for
// them.
#include "programmetableview.h"
#include "qdbprogramwidget.h"
#include "qfavgroupeditdialog.h"
#include "qhotkeyeditdialog.h"
#include "qhotkeygroupeditdialog.h"

#include "channeldatabase.h"
#include "documentedits.h"

namespace {

constexpr quint32 NoId = DB_NS::NoId;

bool singleBit(quint32 id)
{
    return id != 0 && id != NoId && (id & (id - 1)) == 0;
}

} // namespace

bool QDBProgramWidget::canEditGroup() const
{
    const quint32 favId = currentFavId();
    return m_document && m_database && singleBit(favId) && m_favouriteNames
        && int(31 - qCountLeadingZeroBits(favId)) < m_favouriteNames->size();
}

void QDBProgramWidget::actEditGroupTriggered()
{
    if (!m_document || !m_database)
        return;
    const ViewMode mode = viewMode();
    if (mode == FavouriteGroup) {
        if (!canEditGroup())
            return;
        const quint32 favId = currentFavId();
        QFavGroupEditDialog dialog(this, m_database, favId);
        if (dialog.exec() != QDialog::Accepted || !m_document)
            return;
        m_document->edits().editGroup(favId, dialog.memberships());
        return;
    }
    // A hot-key row's index is its key's.
    const int row = m_table->currentRow();
    const int key = row;
    if (mode == HotKeys) {
        if (!m_hotKeys || key < 0 || key >= m_hotKeys->size())
            return;
        QHotKeyGroupEditDialog dialog(this, m_database, m_hotKeys->at(key));
        if (dialog.exec() != QDialog::Accepted || !m_document)
            return;
        m_document->edits().assignHotKey(key, dialog.chosenProgramme());
        m_table->setCurrentCell(row, 0);
    } else if (mode == FavHotKeys) {
        if (!m_favHotKeys || !m_favouriteNames || key < 0 || key >= m_favHotKeys->size())
            return;
        QFavHotKeyGroupEditDialog dialog(this, *m_favouriteNames, m_favHotKeys->at(key));
        if (dialog.exec() != QDialog::Accepted || !m_document)
            return;
        m_document->edits().assignFavHotKey(key, dialog.favIndex());
        m_table->setCurrentCell(row, 0);
    }
}

void QDBProgramWidget::actRemoveItemTriggered()
{
    if (!m_document)
        return;
    const int row = m_table->currentRow();
    if (row < 0 || row >= m_table->rowCount())
        return;
    const ViewMode mode = viewMode();
    if (mode == FavouriteGroup) {
        const DB_NS::PGNode *programme = programmeAt(row);
        if (singleBit(currentFavId()) && programme)
            m_document->edits().removeFromGroup(currentFavId(), programme->id());
    } else if (mode == HotKeys) {
        m_document->edits().unassignHotKey(row);
    } else if (mode == FavHotKeys) {
        m_document->edits().assignFavHotKey(row, -1);
    }
}

void QDBProgramWidget::actEditHotKeyTriggered()
{
    if (!m_document || !m_hotKeys || !isProgrammeView(viewMode()))
        return;
    QHotKeyEditDialog dialog(this, *m_hotKeys);
    if (dialog.exec() != QDialog::Accepted || !m_document || !m_hotKeys)
        return;
    const int key = dialog.chosenIndex();
    const DB_NS::PGNode *programme = programmeAt(m_table->currentRow());
    if (key < 0 || key >= m_hotKeys->size() || !programme)
        return;
    m_document->edits().assignHotKey(key, programme->id());
}
