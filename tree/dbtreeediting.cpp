// The editing operations behind the context menu and Ctrl+C / Ctrl+V. Each
// gathers the selection, runs the dialog and hands the answer to the
// document's edits; the rows follow the document's signals.

#include "dbtreewidget.h"

#include "channeldatabase.h"
#include "documentedits.h"
#include "qpropertydialog.h"
#include "qselecttargetnodedialog.h"

#include <QMessageBox>
#include <QScopedValueRollback>
#include <QSet>

#include <memory>

using DB_NS::NoId;

namespace {

NodeKind nodeKindOf(const QModelIndex &index)
{
    return DBTreeModel::kindOf(index) == SatItem ? NodeKind::Satellite : NodeKind::Transponder;
}

bool isNodeRow(const QModelIndex &index)
{
    const TreeItemKind kind = DBTreeModel::kindOf(index);
    return kind == SatItem || kind == TPItem;
}

QVector<quint32> idsOf(const QModelIndexList &rows)
{
    QVector<quint32> ids;
    ids.reserve(rows.size());
    for (const QModelIndex &row : rows)
        ids << DBTreeModel::idOf(row);
    return ids;
}

} // namespace

QModelIndexList DBTreeWidget::selectedSiblings() const
{
    QModelIndexList rows;
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    if (selected.isEmpty() || !isNodeRow(selected.first()))
        return rows;
    const QModelIndex &first = selected.first();
    for (const QModelIndex &index : selected) {
        if (DBTreeModel::kindOf(index) == DBTreeModel::kindOf(first) && index.parent() == first.parent())
            rows << index;
    }
    return rows;
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
    if (!m_document || !m_document->database() || !m_model->rootIndex(SatelliteRoot).isValid())
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
    if (dialog.exec() != QDialog::Accepted || !m_document || !m_model->rootIndex(SatelliteRoot).isValid())
        return;
    // A confirmed addition is new data, so it is one step whether or not a
    // value was edited.
    edits.addNode(NodeKind::Satellite, NoId, std::move(node));
    expand(m_model->rootIndex(SatelliteRoot));
}

void DBTreeWidget::slotEditSat()
{
    const QModelIndex current = currentIndex();
    if (DBTreeModel::kindOf(current) == SatItem)
        editNodeInDialog(NodeKind::Satellite, DBTreeModel::idOf(current), NoId, tr("Satellite Information"));
}

void DBTreeWidget::slotAddTP()
{
    const QModelIndex current = currentIndex();
    const quint32 satId = DBTreeModel::idOf(current);
    if (!m_document || DBTreeModel::kindOf(current) != SatItem || !m_document->findNode(NodeKind::Satellite, satId))
        return;
    DocumentEdits &edits = m_document->edits();
    std::unique_ptr<DB_NS::Node> node = edits.newNode(NodeKind::Transponder, satId);
    QPropertyDialog dialog(this, &m_document->templateOf(NodeKind::Transponder), static_cast<DB_NS::TPNode *>(node.get()));
    //: TP: a transponder, one frequency of a satellite.
    dialog.setWindowTitle(tr("TP Information"));
    if (dialog.exec() != QDialog::Accepted || !m_document)
        return;
    if (edits.addNode(NodeKind::Transponder, satId, std::move(node)))
        expand(m_model->satelliteIndex(satId));
}

void DBTreeWidget::slotEditTP()
{
    const QModelIndex current = currentIndex();
    if (DBTreeModel::kindOf(current) == TPItem)
        editNodeInDialog(NodeKind::Transponder, DBTreeModel::idOf(current), DBTreeModel::satIdOf(current),
                         tr("TP Information"));
}

QString DBTreeWidget::deleteDetail(const QModelIndexList &rows) const
{
    const NodeKind kind = nodeKindOf(rows.first());
    std::size_t programmes = 0;
    for (const QModelIndex &row : rows) {
        const DB_NS::Node *node = m_document->findNode(kind, DBTreeModel::idOf(row), DBTreeModel::satIdOf(row));
        if (!node)
            continue;
        programmes += kind == NodeKind::Satellite ? static_cast<const DB_NS::SatNode *>(node)->allPGs().size()
                                                  : static_cast<const DB_NS::TPNode *>(node)->pgs().size();
    }
    const bool one = rows.size() == 1;
    QString what = one                ? rows.first().data().toString()
        : kind == NodeKind::Satellite ? tr("%1 satellites", nullptr, int(rows.size())).arg(rows.size())
                                      : tr("%1 transponders", nullptr, int(rows.size())).arg(rows.size());
    if (programmes == 0)
        return what;
    if (programmes == 1)
        return (one ? tr("%1 and its programme") : tr("%1 and their programme")).arg(what);
    return (one ? tr("%1 and its %2 programmes", nullptr, int(programmes)) : tr("%1 and their %2 programmes", nullptr, int(programmes))).arg(what).arg(qulonglong(programmes));
}

void DBTreeWidget::slotDelete()
{
    if (!m_document || !isNodeRow(currentIndex()))
        return;
    const QModelIndexList rows = selectedSiblings();
    if (rows.isEmpty())
        return;
    QMessageBox question(QMessageBox::Warning, tr("Warning"), tr("Delete?"), QMessageBox::Ok | QMessageBox::Cancel, this);
    question.setInformativeText(deleteDetail(rows));
    if (question.exec() != QMessageBox::Ok || !m_document)
        return;
    const QPersistentModelIndex parent = rows.first().parent();
    const NodeKind kind = nodeKindOf(rows.first());
    const quint32 satId = DBTreeModel::satIdOf(rows.first());

    // The row after the last selected one that stays takes the selection,
    // or the parent when none does.
    QSet<quint32> gone;
    for (const QModelIndex &row : rows)
        gone.insert(DBTreeModel::idOf(row));
    bool hasNext = false;
    quint32 nextId = 0;
    for (int i = rows.last().row() + 1, n = m_model->rowCount(parent); i < n && !hasNext; ++i) {
        nextId = DBTreeModel::idOf(m_model->index(i, 0, parent));
        hasNext = !gone.contains(nextId);
    }

    const QScopedValueRollback<bool> editing(m_editing, true);
    if (!m_document->edits().removeNodes(kind, satId, idsOf(rows)))
        return;
    const QModelIndex next = !hasNext ? QModelIndex()
        : kind == NodeKind::Satellite ? m_model->satelliteIndex(nextId)
                                      : m_model->transponderIndex(satId, nextId);
    showAfterDelete(next.isValid() ? next : QModelIndex(parent));
}

void DBTreeWidget::showAfterDelete(const QModelIndex &index)
{
    setCurrentQuietly(index);
    switch (DBTreeModel::kindOf(index)) {
    case TPItem:
        emit signal_tp_selected(DBTreeModel::satIdOf(index), DBTreeModel::idOf(index));
        break;
    case SatelliteRoot:
        emit signal_allsat_selected();
        break;
    default:
        emit signal_sat_selected(DBTreeModel::idOf(index));
        break;
    }
}

void DBTreeWidget::slotMoveUp()
{
    const QModelIndex current = currentIndex();
    if (!m_document || !isNodeRow(current) || current.row() < 1)
        return;
    const QScopedValueRollback<bool> editing(m_editing, true);
    m_document->edits().moveNode(nodeKindOf(current), DBTreeModel::satIdOf(current), DBTreeModel::idOf(current),
                                 true);
}

void DBTreeWidget::slotMoveDown()
{
    const QModelIndex current = currentIndex();
    if (!m_document || !isNodeRow(current) || current.row() + 1 >= m_model->rowCount(current.parent()))
        return;
    const QScopedValueRollback<bool> editing(m_editing, true);
    m_document->edits().moveNode(nodeKindOf(current), DBTreeModel::satIdOf(current), DBTreeModel::idOf(current),
                                 false);
}

void DBTreeWidget::slotSwitch()
{
    const QModelIndex current = currentIndex();
    const ChannelDatabase *db = m_document ? m_document->database() : nullptr;
    if (!db || !isNodeRow(current))
        return;
    const NodeKind kind = nodeKindOf(current);
    const quint32 satId = DBTreeModel::satIdOf(current);
    const quint32 id = DBTreeModel::idOf(current);
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
                                       ? tr("Pick the satellite to switch places with.")
                                       : tr("Pick the TP to switch places with."));
    // The dialog accepts only with a target picked.
    if (dialog.exec() != QDialog::Accepted || !dialog.selectedNode() || !m_document)
        return;
    const QScopedValueRollback<bool> editing(m_editing, true);
    m_document->edits().exchangeNodes(kind, satId, id, dialog.selectedNode()->id());
}

void DBTreeWidget::slotMove()
{
    const QModelIndexList rows = selectedSiblings();
    const ChannelDatabase *db = m_document ? m_document->database() : nullptr;
    if (!db || rows.isEmpty())
        return;
    const NodeKind kind = nodeKindOf(rows.first());
    const quint32 satId = DBTreeModel::satIdOf(rows.first());
    const QVector<quint32> ids = idsOf(rows);
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
                                       ? tr("Pick the satellite to move the selection in front of.")
                                       : tr("Pick the TP to move the selection in front of."));
    if (dialog.exec() != QDialog::Accepted || !dialog.selectedNode() || !m_document)
        return;
    const QScopedValueRollback<bool> editing(m_editing, true);
    m_document->edits().moveNodesBefore(kind, satId, ids, dialog.selectedNode()->id());
}

void DBTreeWidget::slotCopy()
{
    if (!m_document || !selectionModel()->hasSelection())
        return;
    // Only TPs are copied; a Ctrl+C on satellites leaves the buffer empty.
    const QModelIndexList rows = selectedSiblings();
    const bool tps = !rows.isEmpty() && DBTreeModel::kindOf(rows.first()) == TPItem;
    m_document->edits().copyTransponders(tps ? DBTreeModel::satIdOf(rows.first()) : NoId,
                                         tps ? idsOf(rows) : QVector<quint32>());
}

void DBTreeWidget::slotPaste()
{
    const QModelIndex current = currentIndex();
    if (!m_document || !isNodeRow(current))
        return;
    const quint32 satId = DBTreeModel::kindOf(current) == SatItem ? DBTreeModel::idOf(current)
                                                                  : DBTreeModel::satIdOf(current);
    if (!m_document->findNode(NodeKind::Satellite, satId))
        return;
    clearSelection();
    const QScopedValueRollback<bool> editing(m_editing, true);
    m_document->edits().pasteTransponders(satId);
    expand(m_model->satelliteIndex(satId));
}
