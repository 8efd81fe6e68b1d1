// Keeps the satellite and TP rows in the document's order after a change
// to the tree structure, touching only the rows that differ.

#include "dbtreewidget.h"

#include "channeldatabase.h"
#include "dbtreewidgetitem.h"
#include "tpdisplayname.h"

#include <QHash>
#include <QSet>
#include <QSignalBlocker>

#include <algorithm>

namespace {

quint32 idOf(QTreeWidgetItem *item)
{
    const DBTreeWidgetItem *treeItem = DBTreeWidgetItem::from(item);
    return treeItem ? treeItem->id() : 0;
}

void collect(QTreeWidgetItem *item, QSet<QTreeWidgetItem *> *items)
{
    items->insert(item);
    for (int i = 0; i < item->childCount(); ++i)
        collect(item->child(i), items);
}

} // namespace

DBTreeWidgetItem *DBTreeWidget::makeItem(const DB_NS::Node *node, bool withChildren) const
{
    if (const auto *tp = dynamic_cast<const DB_NS::TPNode *>(node))
        return new DBTreeWidgetItem(TPItem, tp->id(), tpDisplayName(*tp));
    const auto *sat = static_cast<const DB_NS::SatNode *>(node);
    auto *satItem = new DBTreeWidgetItem(SatItem, sat->id(), sat->value(QStringLiteral("NAME")));
    if (withChildren) {
        QList<QTreeWidgetItem *> tpItems;
        for (const DB_NS::TPNode *tp : sat->tps())
            tpItems << makeItem(tp, false);
        satItem->addChildren(tpItems);
    }
    return satItem;
}

void DBTreeWidget::showNodes(NodeKind kind, quint32 satId)
{
    const ChannelDatabase *db = m_document ? m_document->database() : nullptr;
    if (!db || !m_satelliteRoot)
        return;
    QVector<const DB_NS::Node *> wanted;
    QTreeWidgetItem *parent = nullptr;
    if (kind == NodeKind::Satellite) {
        parent = m_satelliteRoot;
        // A satellite without NAME has no row.
        for (const DB_NS::SatNode *sat : db->sats()) {
            if (sat->hasAttribute(QStringLiteral("NAME")))
                wanted << sat;
        }
    } else if (kind == NodeKind::Transponder) {
        parent = findChildById(m_satelliteRoot, satId);
        const DB_NS::SatNode *sat = db->findSat(satId);
        if (!parent || !sat)
            return;
        for (const DB_NS::TPNode *tp : sat->tps())
            wanted << tp;
    }
    if (parent)
        syncChildren(parent, wanted);
}

void DBTreeWidget::syncChildren(QTreeWidgetItem *parent, const QVector<const DB_NS::Node *> &wanted)
{
    const int count = parent->childCount();
    QHash<quint32, int> place;
    place.reserve(wanted.size());
    for (int i = 0; i < wanted.size(); ++i)
        place.insert(wanted.at(i)->id(), i);
    QVector<int> target(count);
    bool same = count == wanted.size();
    for (int i = 0; i < count; ++i) {
        target[i] = place.value(idOf(parent->child(i)), -1);
        same = same && target.at(i) == i;
    }
    if (same)
        return;

    // The rows already in the right order among themselves (a longest
    // increasing run of places) stay; only the others are taken out and
    // put in again, so a switch moves two rows, not those between them.
    QVector<int> tails, tailAt, previous(count, -1);
    for (int i = 0; i < count; ++i) {
        if (target.at(i) < 0)
            continue;
        const auto pos = std::lower_bound(tails.begin(), tails.end(), target.at(i)) - tails.begin();
        if (pos > 0)
            previous[i] = tailAt.at(int(pos) - 1);
        if (pos == tails.size()) {
            tails.append(target.at(i));
            tailAt.append(i);
        } else {
            tails[int(pos)] = target.at(i);
            tailAt[int(pos)] = i;
        }
    }
    QVector<bool> stays(count, false);
    for (int i = tailAt.isEmpty() ? -1 : tailAt.last(); i >= 0; i = previous.at(i))
        stays[i] = true;

    QTreeWidgetItem *current = currentItem();
    const QList<QTreeWidgetItem *> selected = selectedItems();
    {
        // The rows only follow the document; the table hears of it from
        // whoever made the change.
        const QSignalBlocker blocker(this);
        QHash<quint32, QTreeWidgetItem *> moving;
        QSet<QTreeWidgetItem *> expanded;
        QSet<QTreeWidgetItem *> gone;
        for (int i = count - 1; i >= 0; --i) {
            if (stays.at(i))
                continue;
            QTreeWidgetItem *child = parent->child(i);
            if (child->isExpanded())
                expanded.insert(child);
            parent->takeChild(i);
            if (target.at(i) >= 0) {
                moving.insert(idOf(child), child);
            } else {
                collect(child, &gone);
                delete child;
            }
        }
        for (int i = 0; i < wanted.size(); ++i) {
            const quint32 id = wanted.at(i)->id();
            if (i < parent->childCount() && idOf(parent->child(i)) == id)
                continue;
            QTreeWidgetItem *row = moving.take(id);
            parent->insertChild(i, row ? row : makeItem(wanted.at(i), true));
            if (row && expanded.contains(row))
                row->setExpanded(true);
        }

        if (current && !gone.contains(current)) {
            setCurrentItem(current, 0, QItemSelectionModel::NoUpdate);
            current = nullptr;
        }
        for (QTreeWidgetItem *item : selected) {
            if (!gone.contains(item) && !item->isSelected())
                item->setSelected(true);
        }
    }
    if (!m_filterText.isEmpty())
        applyFilter();
    // The current row went with its node: what is current now is news to
    // the table, unless an editing slot is about to choose.
    if (current && !m_editing)
        slotCurrentItemChanged(currentItem(), nullptr);
}
