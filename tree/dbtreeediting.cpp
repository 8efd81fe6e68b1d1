// The editing operations behind the context menu and Ctrl+C / Ctrl+V. Each
// gathers the selection, runs the dialog and hands the answer to the
// document's edits; the rows follow the document's signals.

#include "dbtreewidget.h"

#include "channeldatabase.h"
#include "dbtreewidgetitem.h"
#include "documentedits.h"
#include "qpropertydialog.h"
#include "qselecttargetnodedialog.h"

#include <QMessageBox>
#include <QScopedValueRollback>
#include <QSignalBlocker>

#include <memory>

using DB_NS::NoId;

namespace {

NodeKind nodeKindOf(const DBTreeWidgetItem *item)
{
    return item->kind() == SatItem ? NodeKind::Satellite : NodeKind::Transponder;
}

bool isNodeItem(const DBTreeWidgetItem *item)
{
    return item && (item->kind() == SatItem || item->kind() == TPItem) && item->parent();
}

// The satellite a TP row belongs to; NoId for a satellite row.
quint32 satIdOf(const DBTreeWidgetItem *item)
{
    const DBTreeWidgetItem *parent = DBTreeWidgetItem::from(item->parent());
    return item->kind() == TPItem && parent ? parent->id() : NoId;
}

QVector<quint32> idsOf(const QList<DBTreeWidgetItem *> &items)
{
    QVector<quint32> ids;
    for (const DBTreeWidgetItem *item : items)
        ids << item->id();
    return ids;
}

} // namespace

DBTreeWidgetItem *DBTreeWidget::currentTreeItem() const
{
    return DBTreeWidgetItem::from(currentItem());
}

QList<DBTreeWidgetItem *> DBTreeWidget::selectedSiblings() const
{
    QList<DBTreeWidgetItem *> items;
    const QList<QTreeWidgetItem *> selected = selectedItems();
    const DBTreeWidgetItem *first = selected.isEmpty() ? nullptr : DBTreeWidgetItem::from(selected.first());
    if (!isNodeItem(first))
        return items;
    for (QTreeWidgetItem *item : selected) {
        DBTreeWidgetItem *treeItem = DBTreeWidgetItem::from(item);
        if (treeItem && treeItem->kind() == first->kind() && item->parent() == first->parent())
            items << treeItem;
    }
    return items;
}

void DBTreeWidget::editNodeInDialog(NodeKind kind, quint32 id, quint32 satId, const QString &title)
{
    const DB_NS::Node *live = m_document ? m_document->findNode(kind, id, satId) : nullptr;
    if (!live)
        return;
    // The dialog edits a copy; the document takes the result as one step.
    DB_NS::SatNode satCopy(id);
    DB_NS::TPNode tpCopy(id);
    DB_NS::Node &copy = kind == NodeKind::Satellite ? static_cast<DB_NS::Node &>(satCopy) : tpCopy;
    copy.setParentId(live->getParentId());
    copy.setAttributes(live->attributes());
    const TemplateVector *templates = &m_document->templateOf(kind);
    std::unique_ptr<QPropertyDialog> dialog = kind == NodeKind::Satellite ? std::make_unique<QPropertyDialog>(this, templates, &satCopy)
                                                                          : std::make_unique<QPropertyDialog>(this, templates, &tpCopy);
    dialog->setWindowTitle(title);
    if (dialog->exec() != QDialog::Accepted || !m_document)
        return;
    m_document->edits().editNode(kind, id, satId, copy.attributes());
}

void DBTreeWidget::slotAddSat()
{
    if (!m_document || !m_document->database() || !m_satelliteRoot)
        return;
    DocumentEdits &edits = m_document->edits();
    if (edits.satelliteLimitReached()) {
        QMessageBox box(QMessageBox::Warning, tr("Warning"), tr("Can't add satellite anymore!"), QMessageBox::Ok, this);
        box.setInformativeText(tr("This file holds at most %1 satellites.").arg(m_document->satMaxNum()));
        box.exec();
        return;
    }
    std::unique_ptr<DB_NS::Node> node = edits.newNode(NodeKind::Satellite);
    QPropertyDialog dialog(this, &m_document->templateOf(NodeKind::Satellite), static_cast<DB_NS::SatNode *>(node.get()));
    dialog.setWindowTitle(tr("Satellite Information"));
    if (dialog.exec() != QDialog::Accepted || !m_document || !m_satelliteRoot)
        return;
    // A confirmed addition is new data, so it is one step whether or not a
    // value was edited.
    edits.addNode(NodeKind::Satellite, NoId, std::move(node));
    m_satelliteRoot->setExpanded(true);
}

void DBTreeWidget::slotEditSat()
{
    const DBTreeWidgetItem *item = currentTreeItem();
    if (item && item->kind() == SatItem)
        editNodeInDialog(NodeKind::Satellite, item->id(), NoId, tr("Satellite Information"));
}

void DBTreeWidget::slotAddTP()
{
    const DBTreeWidgetItem *satItem = currentTreeItem();
    if (!m_document || !satItem || satItem->kind() != SatItem || !m_document->findNode(NodeKind::Satellite, satItem->id()))
        return;
    const quint32 satId = satItem->id();
    DocumentEdits &edits = m_document->edits();
    std::unique_ptr<DB_NS::Node> node = edits.newNode(NodeKind::Transponder, satId);
    QPropertyDialog dialog(this, &m_document->templateOf(NodeKind::Transponder), static_cast<DB_NS::TPNode *>(node.get()));
    dialog.setWindowTitle(tr("TP Information"));
    if (dialog.exec() != QDialog::Accepted || !m_document)
        return;
    if (edits.addNode(NodeKind::Transponder, satId, std::move(node))) {
        if (QTreeWidgetItem *shown = findChildById(m_satelliteRoot, satId))
            shown->setExpanded(true);
    }
}

void DBTreeWidget::slotEditTP()
{
    const DBTreeWidgetItem *item = currentTreeItem();
    if (item && item->kind() == TPItem && DBTreeWidgetItem::from(item->parent()))
        editNodeInDialog(NodeKind::Transponder, item->id(), satIdOf(item), tr("TP Information"));
}

void DBTreeWidget::slotDelete()
{
    const DBTreeWidgetItem *current = currentTreeItem();
    if (!m_document || !isNodeItem(current))
        return;
    if (QMessageBox::warning(this, tr("Warning"), tr("Delete?"), QMessageBox::Ok | QMessageBox::Cancel)
        != QMessageBox::Ok)
        return;
    const QList<DBTreeWidgetItem *> items = selectedSiblings();
    if (items.isEmpty())
        return;
    QTreeWidgetItem *parent = items.first()->parent();
    const NodeKind kind = nodeKindOf(items.first());
    const quint32 satId = satIdOf(items.first());

    // Each deleted row hands the selection to the row after it, or to its
    // parent when it was the last; the last deletion decides.
    QVector<quint32> rows;
    for (int i = 0; i < parent->childCount(); ++i)
        rows << DBTreeWidgetItem::from(parent->child(i))->id();
    bool hasNext = false;
    quint32 nextId = 0;
    for (const DBTreeWidgetItem *item : items) {
        const int row = rows.indexOf(item->id());
        hasNext = row + 1 < rows.size();
        nextId = hasNext ? rows.at(row + 1) : 0;
        rows.remove(row);
    }

    const QScopedValueRollback<bool> editing(m_editing, true);
    if (!m_document->edits().removeNodes(kind, satId, idsOf(items)))
        return;
    QTreeWidgetItem *next = hasNext ? findChildById(parent, nextId) : nullptr;
    showAfterDelete(next ? next : parent);
}

void DBTreeWidget::showAfterDelete(QTreeWidgetItem *item)
{
    {
        const QSignalBlocker blocker(this);
        setCurrentItem(item);
    }
    const DBTreeWidgetItem *shown = DBTreeWidgetItem::from(item);
    if (shown->kind() == TPItem)
        emit signal_tp_selected(satIdOf(shown), shown->id());
    else if (shown->kind() == SatelliteRoot)
        emit signal_allsat_selected();
    else
        emit signal_sat_selected(shown->id());
}

void DBTreeWidget::slotMoveUp()
{
    DBTreeWidgetItem *current = currentTreeItem();
    if (!m_document || !isNodeItem(current) || current->parent()->indexOfChild(current) < 1)
        return;
    const QScopedValueRollback<bool> editing(m_editing, true);
    m_document->edits().moveNode(nodeKindOf(current), satIdOf(current), current->id(), true);
}

void DBTreeWidget::slotMoveDown()
{
    DBTreeWidgetItem *current = currentTreeItem();
    if (!m_document || !isNodeItem(current))
        return;
    QTreeWidgetItem *parent = current->parent();
    if (parent->indexOfChild(current) + 1 >= parent->childCount())
        return;
    const QScopedValueRollback<bool> editing(m_editing, true);
    m_document->edits().moveNode(nodeKindOf(current), satIdOf(current), current->id(), false);
}

void DBTreeWidget::slotSwitch()
{
    DBTreeWidgetItem *current = currentTreeItem();
    const ChannelDatabase *db = m_document ? m_document->database() : nullptr;
    if (!db || !isNodeItem(current))
        return;
    const NodeKind kind = nodeKindOf(current);
    const quint32 satId = satIdOf(current);
    const quint32 id = current->id();
    if (!m_document->findNode(kind, id, satId))
        return;
    QVector<const DB_NS::Node *> candidates;
    if (kind == NodeKind::Satellite) {
        for (const DB_NS::SatNode *sat : db->sats()) {
            if (sat->id() != id)
                candidates << sat;
        }
    } else {
        for (const DB_NS::TPNode *tp : db->findSat(satId)->tps()) {
            if (tp->id() != id)
                candidates << tp;
        }
    }
    QSelectTargetNodeDialog dialog(this, candidates,
                                   kind == NodeKind::Satellite
                                       ? QStringLiteral("Pick the satellite to switch places with.")
                                       : QStringLiteral("Pick the TP to switch places with."));
    // The dialog accepts only with a target picked.
    if (dialog.exec() != QDialog::Accepted || !dialog.selectedNode() || !m_document)
        return;
    const QScopedValueRollback<bool> editing(m_editing, true);
    m_document->edits().exchangeNodes(kind, satId, id, dialog.selectedNode()->id());
}

void DBTreeWidget::slotMove()
{
    const QList<DBTreeWidgetItem *> items = selectedSiblings();
    const ChannelDatabase *db = m_document ? m_document->database() : nullptr;
    if (!db || items.isEmpty())
        return;
    const NodeKind kind = nodeKindOf(items.first());
    const quint32 satId = satIdOf(items.first());
    const QVector<quint32> ids = idsOf(items);
    QVector<const DB_NS::Node *> candidates;
    if (kind == NodeKind::Satellite) {
        for (const DB_NS::SatNode *sat : db->sats()) {
            if (!ids.contains(sat->id()))
                candidates << sat;
        }
    } else if (const DB_NS::SatNode *sat = db->findSat(satId)) {
        for (const DB_NS::TPNode *tp : sat->tps()) {
            if (!ids.contains(tp->id()))
                candidates << tp;
        }
    } else {
        return;
    }
    QSelectTargetNodeDialog dialog(this, candidates,
                                   kind == NodeKind::Satellite
                                       ? QStringLiteral("Pick the satellite to move the selection in front of.")
                                       : QStringLiteral("Pick the TP to move the selection in front of."));
    if (dialog.exec() != QDialog::Accepted || !dialog.selectedNode() || !m_document)
        return;
    const QScopedValueRollback<bool> editing(m_editing, true);
    m_document->edits().moveNodesBefore(kind, satId, ids, dialog.selectedNode()->id());
}

void DBTreeWidget::slotCopy()
{
    const QList<QTreeWidgetItem *> selected = selectedItems();
    if (!m_document || selected.isEmpty())
        return;
    // Only TPs are copied; a Ctrl+C on satellites leaves the buffer empty.
    const QList<DBTreeWidgetItem *> items = selectedSiblings();
    const bool tps = !items.isEmpty() && items.first()->kind() == TPItem;
    m_document->edits().copyTransponders(tps ? satIdOf(items.first()) : NoId, tps ? idsOf(items) : QVector<quint32>());
}

void DBTreeWidget::slotPaste()
{
    const DBTreeWidgetItem *current = currentTreeItem();
    if (!m_document || !isNodeItem(current))
        return;
    const quint32 satId = current->kind() == SatItem ? current->id() : satIdOf(current);
    if (!m_document->findNode(NodeKind::Satellite, satId))
        return;
    clearSelection();
    const QScopedValueRollback<bool> editing(m_editing, true);
    m_document->edits().pasteTransponders(satId);
    if (QTreeWidgetItem *target = findChildById(m_satelliteRoot, satId))
        target->setExpanded(true);
}
