// The table's views: the tree's selection becomes the model's view, and a
// new view starts at its top with its columns sized.

#include "qdbprogramwidget.h"

#include "columnwidths.h"
#include "programmetableview.h"

#include <QRadioButton>
#include <QScrollBar>

namespace {

constexpr quint32 NoId = DB_NS::NoId;

} // namespace

void QDBProgramWidget::allSrvSelected()
{
    if (m_database)
        showView(AllServices);
}

void QDBProgramWidget::satSelected(unsigned int id)
{
    if (m_database)
        showView(Satellite, id);
}

void QDBProgramWidget::allSatSelected()
{
    if (m_database)
        showView(NoSatellite);
}

void QDBProgramWidget::tpSelected(unsigned int satId, unsigned int tpId)
{
    if (m_database)
        showView(Transponder, satId, tpId);
}

void QDBProgramWidget::favSelected(unsigned int id)
{
    if (m_database)
        showView(id == 0 ? AllFavourites : FavouriteGroup, NoId, NoId, id);
}

void QDBProgramWidget::hotkeySelected()
{
    if (m_database)
        showView(HotKeys);
}

void QDBProgramWidget::favhotkeySelected()
{
    if (m_database)
        showView(FavHotKeys);
}

void QDBProgramWidget::showView(ViewMode mode, quint32 satId, quint32 tpId, quint32 favId)
{
    m_model->showView(ProgrammeModel::View(mode), satId, tpId, favId);
    // Hits are row numbers of the old content.
    m_findHits.clear();
    // Another view starts at its top, not at the old view's scroll position.
    m_table->verticalScrollBar()->setValue(0);
    const bool choice = mode != HotKeys && mode != FavHotKeys;
    m_radioTv->setEnabled(choice);
    m_radioRadio->setEnabled(choice);
    ColumnWidths::fitToSample(m_table, ResizeSampleRows);
}

bool QDBProgramWidget::hasCellAt(const QPoint &viewportPoint) const
{
    const QModelIndex index = m_table->indexAt(viewportPoint);
    return index.isValid() && m_model->data(index).isValid();
}
