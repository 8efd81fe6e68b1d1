#include "dbtreewidget.h"

#include "documentedits.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QItemSelection>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QStyledItemDelegate>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace {

bool matchesFilter(const QString &name, const QString &text)
{
    return name.startsWith(text, Qt::CaseInsensitive);
}

// A TP also matches by its frequency: "12291" finds "TP_12291_H_27500".
bool tpMatchesFilter(const QString &name, const QString &text)
{
    static const QString prefix = QStringLiteral("tp_");
    return name.startsWith(text, Qt::CaseInsensitive)
        || (name.startsWith(prefix, Qt::CaseInsensitive)
            && name.midRef(prefix.size()).startsWith(text, Qt::CaseInsensitive));
}

// The in-place editor of a group name stops typing where the file would cut
// the name; a longer name already there stays whole.
class GroupNameDelegate : public QStyledItemDelegate
{
public:
    GroupNameDelegate(DBTreeWidget *tree)
        : QStyledItemDelegate(tree), m_tree(tree) {}

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        const Document *document = m_tree->document();
        const int units = document ? document->data().favouriteNameUnits : 0;
        if (auto *line = qobject_cast<QLineEdit *>(editor); line && units > 0)
            line->setMaxLength(qMax(units, index.data().toString().size()));
        return editor;
    }

private:
    DBTreeWidget *m_tree;
};

} // namespace

DBTreeWidget::DBTreeWidget(QWidget *parent)
    : QTreeView(parent), m_model(new DBTreeModel(this))
{
    setModel(m_model);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setItemDelegate(new GroupNameDelegate(this));
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, &DBTreeWidget::slotShowContextMenu);
    connect(m_model, &QAbstractItemModel::modelReset, this, &DBTreeWidget::showRoots);

    // Tab texts only show the keys; keyPressEvent routes them, so the
    // actions carry no shortcut of their own.
    m_actAddSat = makeAction(tr("&Add Satellite"), QStringLiteral("actionAddSat"), &DBTreeWidget::slotAddSat);
    m_actEditSat = makeAction(tr("&Edit"), QStringLiteral("actionEditSat"), &DBTreeWidget::slotEditSat);
    //: TP: a transponder, one frequency of a satellite.
    m_actAddTP = makeAction(tr("&Add TP"), QStringLiteral("actionAddTP"), &DBTreeWidget::slotAddTP);
    m_actEditTP = makeAction(tr("&Edit"), QStringLiteral("actionEditTP"), &DBTreeWidget::slotEditTP);
    m_actDelete = makeAction(tr("&Delete"), QStringLiteral("actionDelete"), &DBTreeWidget::slotDelete);
    m_actMoveUp = makeAction(tr("&Move Up"), QStringLiteral("actionMoveUp"), &DBTreeWidget::slotMoveUp);
    m_actMoveDown = makeAction(tr("&Move Down"), QStringLiteral("actionMoveDown"), &DBTreeWidget::slotMoveDown);
    m_actSwitch = makeAction(tr("&Switch To"), QStringLiteral("actionSwitch"), &DBTreeWidget::slotSwitch);
    m_actMove = makeAction(tr("&Move To"), QStringLiteral("actionMove"), &DBTreeWidget::slotMove);
    //: TP: a transponder. After the tab: the shortcut key shown beside the text.
    m_actCopy = makeAction(tr("Copy TP\tCtrl+C"), QStringLiteral("actionCopy"), &DBTreeWidget::slotCopy);
    m_actPaste = makeAction(tr("Paste TP\tCtrl+V"), QStringLiteral("actionPaste"), &DBTreeWidget::slotPaste);
    m_actRename = makeAction(tr("&Rename"), QStringLiteral("actionRename"), &DBTreeWidget::slotRenameFav);
}

DBTreeWidget::~DBTreeWidget() = default;

QAction *DBTreeWidget::makeAction(const QString &text, const QString &objectName, void (DBTreeWidget::*slot)())
{
    auto *action = new QAction(text, this);
    action->setObjectName(objectName);
    connect(action, &QAction::triggered, this, slot);
    return action;
}

bool DBTreeWidget::setDocument(Document *document)
{
    if (m_document)
        disconnect(m_document, nullptr, this, nullptr);
    m_document = document;
    // The model hears of each change first; the view then sees to the rows.
    m_model->setDocument(document);
    if (m_document) {
        connect(m_document, &Document::nodesAboutToChange, this, &DBTreeWidget::nodesAboutToChange);
        connect(m_document, &Document::nodesChanged, this, &DBTreeWidget::nodesChanged);
        connect(m_document, &Document::destroyed, this, [this] { m_document = nullptr; });
    }
    return !m_model->isEmpty();
}

bool DBTreeWidget::bIsChange() const
{
    return m_document && m_document->isModified();
}

void DBTreeWidget::clearTree()
{
    m_model->clear();
}

void DBTreeWidget::showRoots()
{
    if (m_model->isEmpty())
        return;
    m_maxSatNum = m_document ? m_document->satMaxNum() : 0xFFFFFFFFu;
    // Only the roots are open; satellites start collapsed.
    for (int i = 0, n = m_model->rowCount(); i < n; ++i)
        expand(m_model->index(i, 0));
    expand(m_model->rootIndex(SatelliteRoot));
    // The filter box keeps its text across documents; the new tree honours it.
    if (!m_filterText.isEmpty())
        applyFilter();
}

void DBTreeWidget::nodesAboutToChange()
{
    m_following = true;
    m_currentLost = false;
}

void DBTreeWidget::nodesChanged()
{
    m_following = false;
    if (!m_filterText.isEmpty())
        applyFilter();
    // The current row went with its node: what is current now is news to
    // the table, unless an editing slot is about to choose.
    if (std::exchange(m_currentLost, false) && !m_editing && currentIndex().isValid())
        announceCurrent(currentIndex());
}

void DBTreeWidget::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTreeView::currentChanged(current, previous);
    if (m_quiet || !current.isValid())
        return;
    if (m_following) {
        m_currentLost = true;
        return;
    }
    announceCurrent(current);
}

void DBTreeWidget::setCurrentQuietly(const QModelIndex &index)
{
    const QScopedValueRollback<bool> quiet(m_quiet, true);
    setCurrentIndex(index);
}

void DBTreeWidget::announceCurrent(const QModelIndex &current)
{
    restrictSelectionTo(current);
    switch (DBTreeModel::kindOf(current)) {
    case AllServicesRoot:
        emit signal_allsrv_selected();
        break;
    case AllFavouritesRoot:
    case FavGroupItem:
        emit signal_fav_selected(DBTreeModel::idOf(current));
        break;
    case HotKeyRoot:
        emit signal_hotkey_selected();
        break;
    case FavHotKeyRoot:
        emit signal_favhotkey_selected();
        break;
    case SatelliteRoot:
        emit signal_allsat_selected();
        break;
    case SatItem:
        emit signal_sat_selected(DBTreeModel::idOf(current));
        break;
    case TPItem:
        emit signal_tp_selected(DBTreeModel::satIdOf(current), DBTreeModel::idOf(current));
        break;
    case NoKind:
        break;
    }
}

void DBTreeWidget::restrictSelectionTo(const QModelIndex &current)
{
    // A multi-selection is either satellites or TPs of one satellite. This
    // runs before a click applies its own selection, so the click still adds
    // its row afterwards.
    const TreeItemKind kind = DBTreeModel::kindOf(current);
    const bool siblingsMayStay = kind == SatItem || kind == TPItem;
    const QModelIndex parent = current.parent();

    QVector<int> keptRows;
    bool dropAny = false;
    for (const QModelIndex &index : selectionModel()->selectedIndexes()) {
        // The current row itself is left alone: a root made current from
        // code has already been selected and must stay so.
        const bool keep = index == current
            || (siblingsMayStay && DBTreeModel::kindOf(index) == kind && index.parent() == parent);
        if (keep)
            keptRows << index.row();
        else
            dropAny = true;
    }
    if (!dropAny)
        return;

    // Every kept row shares current's parent: one range per run of rows
    // makes a single selection change instead of one per row.
    std::sort(keptRows.begin(), keptRows.end());
    QItemSelection keep;
    for (int i = 0; i < keptRows.size();) {
        int j = i;
        while (j + 1 < keptRows.size() && keptRows.at(j + 1) == keptRows.at(j) + 1)
            ++j;
        keep.select(m_model->index(keptRows.at(i), 0, parent), m_model->index(keptRows.at(j), 0, parent));
        i = j + 1;
    }
    selectionModel()->select(keep, QItemSelectionModel::ClearAndSelect);
}

void DBTreeWidget::slotPGSelected(unsigned int sat, unsigned int tp, unsigned int /*pg*/)
{
    const QModelIndex tpIndex = m_model->transponderIndex(sat, tp);
    if (!tpIndex.isValid())
        return;
    // Following the table's selection must not send the table a new view.
    expand(tpIndex.parent());
    setCurrentQuietly(tpIndex);
}

void DBTreeWidget::slotFilterChanged(const QString &text)
{
    m_filterText = text;
    applyFilter();
}

void DBTreeWidget::slotSearchTypeChanged(int index)
{
    m_searchType = index;
    applyFilter();
}

void DBTreeWidget::applyFilter()
{
    const QModelIndex satRoot = m_model->rootIndex(SatelliteRoot);
    if (!satRoot.isValid())
        return;
    const QString &text = m_filterText;
    const bool filtering = !text.isEmpty();
    const bool bySat = filtering && m_searchType == 0;
    const bool byTP = filtering && m_searchType == 1;
    const QModelIndex current = currentIndex();
    // With a satellite current, a TP search stays inside that satellite.
    const QModelIndex onlySat = byTP && DBTreeModel::kindOf(current) == SatItem ? current : QModelIndex();

    // Touching only rows that change keeps a keystroke cheap on big trees.
    const auto setHidden = [this](int row, const QModelIndex &parent, bool hide) {
        if (isRowHidden(row, parent) != hide)
            setRowHidden(row, parent, hide);
    };
    const bool updates = updatesEnabled();
    setUpdatesEnabled(false);
    for (int s = 0, satCount = m_model->rowCount(satRoot); s < satCount; ++s) {
        const QModelIndex sat = m_model->index(s, 0, satRoot);
        const bool hideSat = (bySat && !matchesFilter(sat.data().toString(), text))
            || (onlySat.isValid() && sat != onlySat);
        setHidden(s, satRoot, hideSat);
        const bool testTPs = byTP && (!onlySat.isValid() || sat == onlySat);
        for (int t = 0, tpCount = m_model->rowCount(sat); t < tpCount; ++t)
            setHidden(t, sat, testTPs && !tpMatchesFilter(m_model->index(t, 0, sat).data().toString(), text));
    }
    setUpdatesEnabled(updates);
}

void DBTreeWidget::slotShowContextMenu(const QPoint &pos)
{
    const QModelIndex current = currentIndex();
    // The menu belongs to the current row, not to the one under the cursor.
    if (!indexAt(pos).isValid() || !current.isValid() || !current.parent().isValid())
        return;

    QMenu menu(this);
    menu.setObjectName(QStringLiteral("treeContextMenu"));
    switch (DBTreeModel::kindOf(current)) {
    case SatelliteRoot:
        menu.addAction(m_actAddSat);
        break;
    case FavGroupItem:
        menu.addAction(m_actRename);
        break;
    case SatItem:
        menu.addActions({m_actEditSat, m_actAddTP, m_actDelete, m_actPaste, m_actMoveUp, m_actMoveDown,
                         m_actSwitch, m_actMove});
        break;
    case TPItem:
        menu.addActions({m_actEditTP, m_actDelete, m_actCopy, m_actPaste, m_actMoveUp, m_actMoveDown,
                         m_actSwitch, m_actMove});
        break;
    default:
        return;
    }
    updateActionStates();
    menu.exec(QCursor::pos());
}

void DBTreeWidget::updateActionStates()
{
    const QModelIndex current = currentIndex();
    const int index = current.row();
    const int siblings = m_model->rowCount(current.parent());
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    const int n = selected.size();

    m_actEditSat->setEnabled(n == 1);
    m_actEditTP->setEnabled(n == 1);
    m_actAddTP->setEnabled(n == 1);
    m_actMoveUp->setEnabled(siblings > 0 && index != 0 && n == 1);
    m_actMoveDown->setEnabled(siblings > 0 && index < siblings - 1 && n == 1);
    m_actSwitch->setEnabled(siblings > 1 && n == 1);
    m_actPaste->setEnabled(m_document && m_document->edits().hasCopiedTransponders());
    // Something must be left to move in front of.
    m_actMove->setEnabled(n > 0 && m_model->rowCount(selected.first().parent()) > n);

    m_actAddSat->setEnabled(true);
    m_actDelete->setEnabled(true);
    m_actCopy->setEnabled(true);
    m_actRename->setEnabled(true);
}

void DBTreeWidget::slotRenameFav()
{
    // Opened from the context menu, the editor must wait until the menu has
    // gone and the focus is back, or the focus change closes it at once; on a
    // busy machine the menu may take more than one turn of the loop to go.
    QTimer::singleShot(0, this, [this] {
        if (QApplication::activePopupWidget()) {
            slotRenameFav();
            return;
        }
        if (DBTreeModel::kindOf(currentIndex()) == FavGroupItem)
            edit(currentIndex());
    });
}

void DBTreeWidget::slotRenameFavItem(unsigned int id, const QString &name)
{
    const QModelIndex favourites = m_model->rootIndex(AllFavouritesRoot);
    if (!favourites.isValid() || id == 0)
        return;
    const int index = 31 - int(qCountLeadingZeroBits(quint32(id)));
    const QModelIndex group = m_model->index(index, 0, favourites);
    if (group.isValid())
        m_model->setData(group, name);
}

void DBTreeWidget::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier && editNodeRow(currentIndex()))
        return;
    if (event->modifiers() & Qt::ControlModifier) {
        if (event->key() == Qt::Key_C)
            slotCopy();
        else if (event->key() == Qt::Key_V)
            slotPaste();
    }
    QTreeView::keyPressEvent(event);
}

void DBTreeWidget::mousePressEvent(QMouseEvent *event)
{
    // No Shift range selection: a range could mix satellites and TPs.
    if (event->modifiers() & Qt::ShiftModifier)
        return;
    QTreeView::mousePressEvent(event);
}

void DBTreeWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->modifiers() & Qt::ShiftModifier)
        return;
    QTreeView::mouseReleaseEvent(event);
}

void DBTreeWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    // A double-click on a satellite's or TP's name opens its fields and does
    // not also fold the row; the arrow and the keys still fold it.
    const QModelIndex index = indexAt(event->pos());
    if (event->button() == Qt::LeftButton && index.isValid() && visualRect(index).contains(event->pos())
        && editNodeRow(index))
        return;
    QTreeView::mouseDoubleClickEvent(event);
}

bool DBTreeWidget::editNodeRow(const QModelIndex &index)
{
    const TreeItemKind kind = DBTreeModel::kindOf(index);
    if (kind != SatItem && kind != TPItem)
        return false;
    if (index != currentIndex())
        setCurrentIndex(index);
    if (kind == SatItem)
        slotEditSat();
    else
        slotEditTP();
    return true;
}

void DBTreeWidget::mouseMoveEvent(QMouseEvent * /*event*/)
{
    // Neither drag selection nor drag and drop.
}
