// The table's operations: each slot gathers the rows and the dialog's answer
// and hands them to the document's edits; the rows follow the document's
// signals.

#include "qdbprogramwidget.h"

#include "channeldatabase.h"
#include "documentedits.h"
#include "programmetableview.h"
#include "qfavgrouprenamedialog.h"
#include "qmoveswitchdialog.h"
#include "qpropertydialog.h"
#include "qtpchoicedialog.h"

#include <QMessageBox>

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
    dialog.setWindowTitle(tr("Program Information"));
    if (dialog.exec() != QDialog::Accepted || !m_document)
        return;
    m_document->edits().editNode(NodeKind::Programme, copy.id(), NoId, copy.attributes());
}

void QDBProgramWidget::actMoveUpChannelTriggered()
{
    moveBy(true);
}

void QDBProgramWidget::actMoveDownChannelTriggered()
{
    moveBy(false);
}

void QDBProgramWidget::moveBy(bool up)
{
    if (!m_document)
        return;
    const QVector<quint32> shown = rowIds();
    const QVector<int> rows = selectedRows();
    // A view grouped by TP trades places in the service order, so it keeps
    // its own order; the moved programmes are found again by id.
    const bool exchange = viewMode() == Satellite || viewMode() == Transponder;
    const DocumentEdits::MoveOutcome outcome = up ? m_document->edits().moveUp(shown, rows, exchange)
                                                  : m_document->edits().moveDown(shown, rows, exchange);
    if (!outcome.refusal.isEmpty())
        QMessageBox::critical(this, tr("Move"), outcome.refusal, QMessageBox::Yes, QMessageBox::Yes);
    if (!outcome.isPushed())
        return;
    QVector<int> now;
    for (const int row : rows) {
        const int at = row >= 0 && row < shown.size() ? rowOf(shown.at(row)) : -1;
        if (at >= 0)
            now.append(at);
    }
    std::sort(now.begin(), now.end());
    selectRows(now);
}

void QDBProgramWidget::actMoveChannelTriggered()
{
    if (!m_document)
        return;
    QMoveSwitchDialog dialog(this, m_table->rowCount());
    dialog.setWindowTitle(tr("Move"));
    if (dialog.exec() != QDialog::Accepted || !m_document)
        return;
    const DocumentEdits::MoveOutcome outcome = m_document->edits().moveTo(rowIds(), selectedRows(), dialog.value());
    if (!outcome.refusal.isEmpty())
        QMessageBox::critical(this, tr("Move"), outcome.refusal, QMessageBox::Yes, QMessageBox::Yes);
    selectRows(outcome.rows);
}

void QDBProgramWidget::actSwitchChannelTriggered()
{
    if (!m_document)
        return;
    QMoveSwitchDialog dialog(this, m_table->rowCount());
    dialog.setWindowTitle(tr("Switch"));
    if (dialog.exec() != QDialog::Accepted || !m_document)
        return;
    const DocumentEdits::MoveOutcome outcome = m_document->edits().switchTo(rowIds(), selectedRows(), dialog.value());
    if (!outcome.refusal.isEmpty())
        QMessageBox::critical(this, tr("Switch"), outcome.refusal, QMessageBox::Yes, QMessageBox::Yes);
    selectRows(outcome.rows);
}

void QDBProgramWidget::actDeleteChannelTriggered()
{
    const QVector<int> rows = selectedRows();
    if (rows.isEmpty() || !m_document) {
        m_table->setCurrentCell(-1, -1);
        return;
    }
    const QVector<quint32> shown = rowIds();
    QVector<quint32> ids;
    ids.reserve(rows.size());
    for (const int row : rows) {
        if (shown.value(row, NoId) != NoId)
            ids.append(shown.at(row));
    }
    const DB_NS::PGNode *only = ids.size() == 1 && m_database ? m_database->findPG(ids.first()) : nullptr;
    //: PG: a programme (channel) of the list.
    const QString ask = tr("Delete PG?");
    QMessageBox question(QMessageBox::Warning, tr("Warning"), ask,
                         QMessageBox::Ok | QMessageBox::Cancel, this);
    question.setInformativeText(only ? only->value(QStringLiteral("NAME"))
                                     : tr("%1 programmes", nullptr, int(ids.size())).arg(ids.size()));
    if (question.exec() != QMessageBox::Ok || !m_document)
        return;
    // The step selects the row after the deleted ones.
    m_document->edits().deleteProgrammes(ids);
}

void QDBProgramWidget::actInsertChannelTriggered()
{
    if (viewMode() != Transponder || !m_document)
        return;
    DB_NS::PGNode fresh(0);
    QPropertyDialog dialog(
        this, [document = m_document, node = &fresh](const QString &field, const QString &text) {
            return document->findDuplicate(node, field, text);
        },
        m_pgTemplate, m_favouriteNames, &fresh);
    dialog.setWindowTitle(tr("Program Information"));
    if (dialog.exec() != QDialog::Accepted || !m_document)
        return;
    const DB_NS::PGNode *current = programmeAt(m_table->currentRow());
    const quint32 id = m_document->edits().insertProgramme(currentSatId(), currentTpId(),
                                                           current ? current->id() : NoId, fresh.attributes());
    // The document may have made the name unique.
    if (const DB_NS::PGNode *added = m_database ? m_database->findPG(id) : nullptr)
        showNewProgrammes({id}, tr("Inserted %1").arg(added->value(QStringLiteral("NAME"))));
}

void QDBProgramWidget::actCopyChannelTriggered()
{
    if (!m_document)
        return;
    const QVector<quint32> shown = rowIds();
    QVector<quint32> ids;
    for (const int row : selectedRows()) {
        if (shown.value(row, NoId) != NoId)
            ids.append(shown.at(row));
    }
    m_document->edits().copyProgrammes(ids);
}

void QDBProgramWidget::actPasteChannelTriggered()
{
    if (!m_document || !m_database)
        return;
    const DB_NS::SatNode *sat = m_database->findSat(currentSatId());
    if (!sat || !sat->findTP(currentTpId()))
        return;
    const QVector<quint32> ids = m_document->edits().paste(currentSatId(), currentTpId());
    showNewProgrammes(ids, ids.size() == 1 ? tr("Pasted 1 programme") : tr("Pasted %1 programmes", nullptr, int(ids.size())).arg(ids.size()));
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
    const quint32 favId = currentFavId();
    if (!m_document || !m_favouriteNames || favId == 0 || favId == NoId)
        return;
    const int index = 31 - int(qCountLeadingZeroBits(favId));
    if (index >= m_favouriteNames->size())
        return;
    QFavGroupRenameDialog dialog(this, m_favouriteNames->at(index));
    dialog.setMaxNameLength(m_document->data().favouriteNameUnits);
    if (dialog.exec() != QDialog::Accepted || !m_document)
        return;
    m_document->edits().renameGroup(index, dialog.name());
}
