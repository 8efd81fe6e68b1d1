#include "dbtreewidget.h"

#include "channeldatabase.h"
#include "dbtreewidgetitem.h"
#include "document.h"
#include "documentedits.h"
#include "tpdisplayname.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QItemSelection>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTimer>

#include <algorithm>

namespace {

constexpr quint32 AllSatellites = 0xFFFFFFFFu;
// A favourite group is one bit of a 32-bit mask; later groups have no bit.
constexpr int MaxFavGroups = 32;

bool matchesFilter(const QTreeWidgetItem *item, const QString &text)
{
    return item->text(0).startsWith(text, Qt::CaseInsensitive);
}

// A TP also matches by its frequency: "12291" finds "TP_12291_H_27500".
bool tpMatchesFilter(const QTreeWidgetItem *item, const QString &text)
{
    static const QString prefix = QStringLiteral("tp_");
    const QString name = item->text(0);
    return name.startsWith(text, Qt::CaseInsensitive)
        || (name.startsWith(prefix, Qt::CaseInsensitive)
            && name.midRef(prefix.size()).startsWith(text, Qt::CaseInsensitive));
}

void setHiddenState(QTreeWidgetItem *item, bool hide)
{
    // Touching only items that change keeps a keystroke cheap on big trees.
    if (item->isHidden() != hide)
        item->setHidden(hide);
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
    : QTreeWidget(parent)
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setItemDelegate(new GroupNameDelegate(this));
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, &DBTreeWidget::slotShowContextMenu);
    connect(this, &QTreeWidget::currentItemChanged, this, &DBTreeWidget::slotCurrentItemChanged);
    connect(this, &QTreeWidget::itemChanged, this, &DBTreeWidget::slotItemChanged);

    // Tab texts only show the keys; keyPressEvent routes them, so the
    // actions carry no shortcut of their own.
    m_actAddSat = makeAction(tr("&Add Satellite"), QStringLiteral("actionAddSat"), &DBTreeWidget::slotAddSat);
    m_actEditSat = makeAction(tr("&Edit"), QStringLiteral("actionEditSat"), &DBTreeWidget::slotEditSat);
    m_actAddTP = makeAction(tr("&Add TP"), QStringLiteral("actionAddTP"), &DBTreeWidget::slotAddTP);
    m_actEditTP = makeAction(tr("&Edit"), QStringLiteral("actionEditTP"), &DBTreeWidget::slotEditTP);
    m_actDelete = makeAction(tr("&Delete"), QStringLiteral("actionDelete"), &DBTreeWidget::slotDelete);
    m_actMoveUp = makeAction(tr("&Move Up"), QStringLiteral("actionMoveUp"), &DBTreeWidget::slotMoveUp);
    m_actMoveDown = makeAction(tr("&Move Down"), QStringLiteral("actionMoveDown"), &DBTreeWidget::slotMoveDown);
    m_actSwitch = makeAction(tr("&Switch To"), QStringLiteral("actionSwitch"), &DBTreeWidget::slotSwitch);
    m_actMove = makeAction(tr("&Move To"), QStringLiteral("actionMove"), &DBTreeWidget::slotMove);
    m_actCopy = makeAction(tr("Copy TP\tCtrl+C"), QStringLiteral("actionCopy"), &DBTreeWidget::slotCopy);
    m_actPaste = makeAction(tr("Paste TP\tCtrl+V"), QStringLiteral("actionPaste"), &DBTreeWidget::slotPaste);
    m_actRename = makeAction(tr("&Rename"), QStringLiteral("actionRename"), &DBTreeWidget::slotRenameFav);
}

DBTreeWidget::~DBTreeWidget()
{
    clearTree();
}

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
    if (m_document) {
        connect(m_document, &Document::aboutToReset, this, &DBTreeWidget::clearTree);
        connect(m_document, &Document::documentReset, this, &DBTreeWidget::rebuild);
        connect(m_document, &Document::favouriteGroupRenamed, this, &DBTreeWidget::showGroupName);
        connect(m_document, &Document::nodeChanged, this, &DBTreeWidget::showNodeName);
        connect(m_document, &Document::nodesChanged, this, &DBTreeWidget::showNodes);
        connect(m_document, &Document::destroyed, this, [this] { m_document = nullptr; });
    }
    return rebuild();
}

bool DBTreeWidget::bIsChange() const
{
    return m_document && m_document->isModified();
}

bool DBTreeWidget::rebuild()
{
    clearTree();
    if (!m_document || !m_document->database())
        return false;
    const ChannelDatabase *database = m_document->database();
    const QStringList *favGroupNames = &m_document->favouriteNames();
    m_maxSatNum = m_document->satMaxNum();

    QList<QTreeWidgetItem *> roots;
    m_allServicesRoot = new DBTreeWidgetItem(AllServicesRoot, 0, tr("All Services"));
    roots << m_allServicesRoot;
    if (!favGroupNames->isEmpty()) {
        m_allFavouritesRoot = new DBTreeWidgetItem(AllFavouritesRoot, 0, tr("All Favourites"));
        roots << m_allFavouritesRoot;
    }
    if (!m_document->hotKeys().isEmpty()) {
        m_hotKeyRoot = new DBTreeWidgetItem(HotKeyRoot, 0, tr("HotKey"));
        roots << m_hotKeyRoot;
    }
    if (!m_document->favHotKeys().isEmpty()) {
        m_favHotKeyRoot = new DBTreeWidgetItem(FavHotKeyRoot, 0, tr("Fav HotKey"));
        roots << m_favHotKeyRoot;
    }
    addTopLevelItems(roots);
    m_satelliteRoot = new DBTreeWidgetItem(SatelliteRoot, AllSatellites, tr("Satellite Information"));
    m_allServicesRoot->addChild(m_satelliteRoot);
    // Only the roots are expanded; satellites added below start collapsed.
    expandAll();

    // Whole branches are built detached and attached at once: far cheaper
    // than one model insertion per TP.
    QList<QTreeWidgetItem *> satItems;
    for (const DB_NS::SatNode *sat : database->sats()) {
        if (sat->hasAttribute(QStringLiteral("NAME")))
            satItems << makeItem(sat, true);
    }
    m_satelliteRoot->addChildren(satItems);

    if (m_allFavouritesRoot) {
        QList<QTreeWidgetItem *> groups;
        const int count = std::min(int(favGroupNames->size()), MaxFavGroups);
        for (int i = 0; i < count; ++i) {
            auto *group = new DBTreeWidgetItem(FavGroupItem, 1u << i, favGroupNames->at(i));
            group->setFlags(group->flags() | Qt::ItemIsEditable);
            groups << group;
        }
        m_allFavouritesRoot->addChildren(groups);
    }

    // The filter box keeps its text across documents; the new tree honours it.
    if (!m_filterText.isEmpty())
        applyFilter();
    return true;
}

void DBTreeWidget::clearTree()
{
    if (!m_allServicesRoot || !m_satelliteRoot)
        return;
    clear();
    m_allServicesRoot = nullptr;
    m_allFavouritesRoot = nullptr;
    m_hotKeyRoot = nullptr;
    m_favHotKeyRoot = nullptr;
    m_satelliteRoot = nullptr;
}

void DBTreeWidget::setbIsChange(bool bIsChange)
{
    // A change is an undo step, which has set the flag already; only
    // clearing it (a declined close) is left to do here.
    if (m_document && !bIsChange)
        m_document->markClean();
}

void DBTreeWidget::slotCurrentItemChanged(QTreeWidgetItem *current, QTreeWidgetItem * /*previous*/)
{
    DBTreeWidgetItem *item = DBTreeWidgetItem::from(current);
    if (!item)
        return;
    restrictSelectionTo(item);

    switch (item->kind()) {
    case AllServicesRoot:
        emit signal_allsrv_selected();
        break;
    case AllFavouritesRoot:
    case FavGroupItem:
        emit signal_fav_selected(item->id());
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
        emit signal_sat_selected(item->id());
        break;
    case TPItem:
        if (const DBTreeWidgetItem *sat = DBTreeWidgetItem::from(item->parent()))
            emit signal_tp_selected(sat->id(), item->id());
        break;
    case NoKind:
        break;
    }
}

void DBTreeWidget::restrictSelectionTo(QTreeWidgetItem *current)
{
    // A multi-selection is either satellites or TPs of one satellite. This
    // runs before a click applies its own selection, so the click still adds
    // its item afterwards.
    const DBTreeWidgetItem *currentItem = DBTreeWidgetItem::from(current);
    const bool siblingsMayStay = currentItem->kind() == SatItem || currentItem->kind() == TPItem;
    const QList<QTreeWidgetItem *> selected = selectedItems();

    QVector<int> keptRows;
    bool dropAny = false;
    for (QTreeWidgetItem *item : selected) {
        const DBTreeWidgetItem *treeItem = DBTreeWidgetItem::from(item);
        // The current item itself is left alone: a root made current from
        // code has already been selected and must stay so.
        const bool keep = item == current
            || (siblingsMayStay && treeItem && treeItem->kind() == currentItem->kind()
                && item->parent() == current->parent());
        if (keep)
            keptRows << indexFromItem(item).row();
        else
            dropAny = true;
    }
    if (!dropAny)
        return;

    // Every kept item shares current's parent: one range per run of rows
    // makes a single selection change instead of one per item.
    std::sort(keptRows.begin(), keptRows.end());
    const QModelIndex parentIndex = indexFromItem(current).parent();
    QItemSelection keep;
    for (int i = 0; i < keptRows.size();) {
        int j = i;
        while (j + 1 < keptRows.size() && keptRows.at(j + 1) == keptRows.at(j) + 1)
            ++j;
        keep.select(model()->index(keptRows.at(i), 0, parentIndex), model()->index(keptRows.at(j), 0, parentIndex));
        i = j + 1;
    }
    selectionModel()->select(keep, QItemSelectionModel::ClearAndSelect);
}

DBTreeWidgetItem *DBTreeWidget::findChildById(QTreeWidgetItem *parent, quint32 id) const
{
    if (!parent)
        return nullptr;
    for (int i = 0, n = parent->childCount(); i < n; ++i) {
        DBTreeWidgetItem *child = DBTreeWidgetItem::from(parent->child(i));
        if (child && child->id() == id)
            return child;
    }
    return nullptr;
}

void DBTreeWidget::slotPGSelected(unsigned int sat, unsigned int tp, unsigned int /*pg*/)
{
    DBTreeWidgetItem *satItem = findChildById(m_satelliteRoot, sat);
    DBTreeWidgetItem *tpItem = findChildById(satItem, tp);
    if (!tpItem)
        return;
    // Following the table's selection must not send the table a new view.
    const QSignalBlocker blocker(this);
    satItem->setExpanded(true);
    setCurrentItem(tpItem);
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
    if (!m_satelliteRoot)
        return;
    const QString &text = m_filterText;
    const bool filtering = !text.isEmpty();
    const bool bySat = filtering && m_searchType == 0;
    const bool byTP = filtering && m_searchType == 1;
    const DBTreeWidgetItem *current = DBTreeWidgetItem::from(currentItem());
    // With a satellite current, a TP search stays inside that satellite.
    const QTreeWidgetItem *onlySat = byTP && current && current->kind() == SatItem ? current : nullptr;

    const bool updates = updatesEnabled();
    setUpdatesEnabled(false);
    for (int s = 0, satCount = m_satelliteRoot->childCount(); s < satCount; ++s) {
        QTreeWidgetItem *sat = m_satelliteRoot->child(s);
        const bool hideSat = (bySat && !matchesFilter(sat, text)) || (onlySat && sat != onlySat);
        setHiddenState(sat, hideSat);
        const bool testTPs = byTP && (!onlySat || sat == onlySat);
        for (int t = 0, tpCount = sat->childCount(); t < tpCount; ++t) {
            QTreeWidgetItem *tp = sat->child(t);
            setHiddenState(tp, testTPs && !tpMatchesFilter(tp, text));
        }
    }
    setUpdatesEnabled(updates);
}

void DBTreeWidget::slotShowContextMenu(const QPoint &pos)
{
    DBTreeWidgetItem *current = DBTreeWidgetItem::from(currentItem());
    // The menu belongs to the current item, not to the one under the cursor.
    if (!itemAt(pos) || !current || !current->parent())
        return;

    QMenu menu(this);
    menu.setObjectName(QStringLiteral("treeContextMenu"));
    switch (current->kind()) {
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
    QTreeWidgetItem *current = currentItem();
    QTreeWidgetItem *parent = current->parent();
    const int index = parent->indexOfChild(current);
    const int siblings = parent->childCount();
    const QList<QTreeWidgetItem *> selected = selectedItems();
    const int n = selected.size();

    m_actEditSat->setEnabled(n == 1);
    m_actEditTP->setEnabled(n == 1);
    m_actAddTP->setEnabled(n == 1);
    m_actMoveUp->setEnabled(siblings > 0 && index != 0 && n == 1);
    m_actMoveDown->setEnabled(siblings > 0 && index < siblings - 1 && n == 1);
    m_actSwitch->setEnabled(siblings > 1 && n == 1);
    m_actPaste->setEnabled(m_document && m_document->edits().hasCopiedTransponders());

    bool moveTo = false;
    if (n > 0) {
        QTreeWidgetItem *firstParent = selected.first()->parent();
        if (!firstParent)
            firstParent = invisibleRootItem();
        moveTo = firstParent->childCount() > n; // something is left to move in front of
    }
    m_actMove->setEnabled(moveTo);

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
        DBTreeWidgetItem *current = DBTreeWidgetItem::from(currentItem());
        if (current && current->kind() == FavGroupItem)
            editItem(current, 0);
    });
}

void DBTreeWidget::slotItemChanged(QTreeWidgetItem *item, int column)
{
    const DBTreeWidgetItem *group = DBTreeWidgetItem::from(item);
    if (!group || group->kind() != FavGroupItem || !m_allFavouritesRoot || !m_document)
        return;
    const int index = m_allFavouritesRoot->indexOfChild(item);
    // A refused name (an empty one) leaves the item showing the group's name.
    if (!m_document->edits().renameGroup(index, item->text(column)))
        showGroupName(index, m_document->favouriteNames().value(index));
}

void DBTreeWidget::showGroupName(int index, const QString &name)
{
    QTreeWidgetItem *group = m_allFavouritesRoot ? m_allFavouritesRoot->child(index) : nullptr;
    if (!group || group->text(0) == name)
        return;
    // The document has the name already; the item only shows it.
    const QSignalBlocker blocker(this);
    group->setText(0, name);
}

void DBTreeWidget::showNodeName(NodeKind kind, quint32 id, quint32 satId)
{
    if (!m_document || kind == NodeKind::Programme)
        return;
    const bool sat = kind == NodeKind::Satellite;
    DBTreeWidgetItem *satItem = findChildById(m_satelliteRoot, sat ? id : satId);
    DBTreeWidgetItem *item = sat ? satItem : findChildById(satItem, id);
    const DB_NS::Node *node = m_document->findNode(kind, id, satId);
    if (!item || !node)
        return;
    const QString text = sat ? node->value(QStringLiteral("NAME"))
                             : tpDisplayName(*static_cast<const DB_NS::TPNode *>(node));
    const QSignalBlocker blocker(this);
    item->setText(0, text);
}

void DBTreeWidget::slotRenameFavItem(unsigned int id, const QString &name)
{
    if (!m_allFavouritesRoot || id == 0)
        return;
    const int index = 31 - int(qCountLeadingZeroBits(quint32(id)));
    if (QTreeWidgetItem *group = m_allFavouritesRoot->child(index))
        group->setText(0, name); // slotItemChanged records it
}

void DBTreeWidget::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier && editNodeItem(currentItem()))
        return;
    if (event->modifiers() & Qt::ControlModifier) {
        if (event->key() == Qt::Key_C)
            slotCopy();
        else if (event->key() == Qt::Key_V)
            slotPaste();
    }
    QTreeWidget::keyPressEvent(event);
}

void DBTreeWidget::mousePressEvent(QMouseEvent *event)
{
    // No Shift range selection: a range could mix satellites and TPs.
    if (event->modifiers() & Qt::ShiftModifier)
        return;
    QTreeWidget::mousePressEvent(event);
}

void DBTreeWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->modifiers() & Qt::ShiftModifier)
        return;
    QTreeWidget::mouseReleaseEvent(event);
}

void DBTreeWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    // A double-click on a satellite's or TP's name opens its fields and does
    // not also fold the row; the arrow and the keys still fold it.
    QTreeWidgetItem *item = itemAt(event->pos());
    if (event->button() == Qt::LeftButton && item && visualItemRect(item).contains(event->pos())
        && editNodeItem(item))
        return;
    QTreeWidget::mouseDoubleClickEvent(event);
}

bool DBTreeWidget::editNodeItem(QTreeWidgetItem *item)
{
    const DBTreeWidgetItem *node = DBTreeWidgetItem::from(item);
    if (!node || (node->kind() != SatItem && node->kind() != TPItem))
        return false;
    if (item != currentItem())
        setCurrentItem(item);
    if (node->kind() == SatItem)
        slotEditSat();
    else
        slotEditTP();
    return true;
}

void DBTreeWidget::mouseMoveEvent(QMouseEvent * /*event*/)
{
    // Neither drag selection nor drag and drop.
}
