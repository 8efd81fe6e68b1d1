// The context menu: which entries each view offers and which of them the
// rows under the cursor and the selection enable.

#include "qdbprogramwidget.h"

#include "documentedits.h"
#include "programmetableview.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>

namespace {

constexpr quint32 NoId = DB_NS::NoId;

} // namespace

void QDBProgramWidget::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept();
    const ViewMode mode = viewMode();
    if (mode == None || mode == NoSatellite || mode == AllFavourites)
        return;

    // Where the cursor is on the table's own viewport, whatever the size of
    // the bar and the headers above and beside it.
    const QPoint at = m_table->viewport()->mapFromGlobal(event->globalPos());
    const bool overItem = m_table->rowCount() > 0 && hasCellAt(at);
    const int rows = m_table->rowCount();

    QMenu menu(this);
    if (isProgrammeView(mode)) {
        // Rows of the selected items, so that a row whose programme lacks
        // some columns still counts as one selected row.
        const QVector<int> selectedRows = this->selectedRows();
        const bool allServices = mode == AllServices;
        const bool transponder = mode == Transponder;

        bool edit = false, moveUp = false, moveDown = false, moveTo = false, copyTo = false, remove = false;
        if (overItem && selectedRows.size() == 1) {
            const int row = m_table->indexAt(at).row();
            moveUp = allServices && row != 0;
            moveDown = allServices && row != rows - 1;
            moveTo = allServices && rows > 1;
            copyTo = allServices;
            edit = remove = true;
        } else if (overItem && !selectedRows.isEmpty()) {
            moveUp = allServices && selectedRows.first() != 0;
            moveDown = allServices && selectedRows.last() != rows - 1;
            moveTo = allServices && rows > 1;
            remove = true;
        } else if (!overItem) {
            m_table->setCurrentCell(-1, -1);
        }
        // A filtered or sorted view does not show where a move puts the rows.
        if (!m_model->showsMoves())
            moveUp = moveDown = moveTo = copyTo = false;

        m_actEditChannel->setEnabled(edit);
        m_actEditHotKey->setEnabled(edit);
        m_actInsertChannel->setEnabled(transponder && (!overItem || selectedRows.size() == 1));
        m_actDeleteChannel->setEnabled(remove);
        m_actMoveUp->setEnabled(moveUp);
        m_actMoveDown->setEnabled(moveDown);
        m_actMoveChannel->setEnabled(moveTo);
        m_actSwitchChannel->setEnabled(moveTo);
        m_actCopyChannelTo->setEnabled(copyTo);
        m_actCutChannelTo->setEnabled(copyTo);
        m_actCopyChannel->setEnabled(overItem);
        m_actPasteChannel->setEnabled(m_document && m_document->edits().hasClipboard());

        menu.addAction(m_actEditChannel);
        if (m_hotKeys && !m_hotKeys->isEmpty())
            menu.addAction(m_actEditHotKey);
        if (transponder) {
            menu.addAction(m_actCopyChannel);
            menu.addAction(m_actPasteChannel);
        }
        menu.addSeparator();
        if (allServices) {
            menu.addActions({m_actMoveUp, m_actMoveDown, m_actMoveChannel, m_actSwitchChannel, m_actCopyChannelTo,
                             m_actCutChannelTo});
        }
        menu.addAction(m_actInsertChannel);
        menu.addAction(m_actDeleteChannel);
        if (m_model->isSorted()) {
            menu.addSeparator();
            menu.addAction(m_actUseThisOrder);
        }
    } else {
        bool editGroup = true;
        bool removeItem = overItem;
        if (overItem && mode != FavouriteGroup) {
            // A hot-key row's index is its key's.
            const int key = m_table->currentRow();
            editGroup = key >= 0;
            if (mode == HotKeys) {
                removeItem = m_hotKeys && key >= 0 && key < m_hotKeys->size() && m_hotKeys->at(key).pgId != NoId;
            } else {
                removeItem = m_favHotKeys && key >= 0 && key < m_favHotKeys->size()
                    && m_favHotKeys->at(key).favIndex != -1;
            }
        } else if (!overItem) {
            editGroup = mode == FavouriteGroup;
            m_table->setCurrentCell(-1, -1);
        }
        if (mode == FavouriteGroup)
            editGroup = canEditGroup();
        m_actEditGroup->setEnabled(editGroup);
        m_actRemoveItem->setEnabled(removeItem);
        menu.addAction(m_actEditGroup);
        menu.addAction(m_actRemoveItem);
        if (mode == FavouriteGroup) {
            m_actRenameGroup->setEnabled(canEditGroup());
            menu.addAction(m_actRenameGroup);
        }
    }
    menu.exec(event->globalPos());
}
