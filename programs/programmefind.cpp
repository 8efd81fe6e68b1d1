// The bar above the table: the TV/RADIO choice and the name filter, which
// rebuild the view, and the incremental find, which only moves the current row.

#include "qdbprogramwidget.h"

#include "channeldatabase.h"
#include "programmetableview.h"

#include <QLineEdit>
#include <QPalette>

#include <algorithm>

void QDBProgramWidget::radioButtonClicked(int id)
{
    if (id == m_model->service())
        return;
    m_findHits.clear();
    m_model->setService(id);
}

void QDBProgramWidget::slotFilterChanged(const QString &text)
{
    m_findEdit->setText(QString());
    m_findHits.clear();
    m_model->setNameFilter(text);
}

QList<int> QDBProgramWidget::findHits() const
{
    QList<int> hits;
    const QString text = m_findEdit->text();
    if (text.isEmpty())
        return hits;
    // Hot-key rows carry no programme and are passed over.
    for (int row = 0, rows = m_model->rowCount(); row < rows; ++row) {
        const DB_NS::PGNode *programme = programmeAt(row);
        if (programme && programme->value(QStringLiteral("NAME")).startsWith(text, Qt::CaseInsensitive))
            hits.append(row);
    }
    return hits;
}

void QDBProgramWidget::slotFindCurrentRow(const QString &text)
{
    m_findHits = findHits();
    m_findHitsStale = false;
    if (text.isEmpty()) {
        showFindAnswer(true);
        return;
    }
    showFindAnswer(!m_findHits.isEmpty());
    // The box keeps the keyboard, so the next letters extend the search and
    // never reach the table's move and delete keys.
    if (!m_findHits.isEmpty())
        selectFindTarget(m_findHits.first(), false);
}

void QDBProgramWidget::showFindAnswer(bool found)
{
    // A tinted box and no highlighted row: an earlier partial match is no answer.
    QPalette palette;
    if (!found) {
        palette = m_findEdit->palette();
        palette.setColor(QPalette::Base, QColor(255, 205, 205));
        m_table->clearSelection();
        emit statusMessage(tr("Not found"));
    }
    m_findEdit->setPalette(palette);
}

void QDBProgramWidget::slotFindUpSearchRes()
{
    stepFind(true);
}

void QDBProgramWidget::slotFindNextSearchRes()
{
    stepFind(false);
}

void QDBProgramWidget::stepFind(bool up)
{
    if (m_findEdit->text().isEmpty())
        return;
    if (m_findHitsStale && !m_findHits.isEmpty())
        m_findHits = findHits();
    m_findHitsStale = false;
    if (m_findHits.isEmpty()) {
        showFindAnswer(false);
        return;
    }
    // The hit after (or before) the current row; past the last (first) hit
    // the search goes round and says so.
    const int current = m_table->currentRow();
    int target = 0;
    if (up) {
        const auto hit = std::lower_bound(m_findHits.cbegin(), m_findHits.cend(), current);
        target = hit == m_findHits.cbegin() ? -1 : *(hit - 1);
    } else {
        const auto hit = std::upper_bound(m_findHits.cbegin(), m_findHits.cend(), current);
        target = hit == m_findHits.cend() ? -1 : *hit;
    }
    if (target < 0) {
        target = up ? m_findHits.last() : m_findHits.first();
        emit statusMessage(up ? tr("Wrapped to the bottom") : tr("Wrapped to the top"));
    }
    selectFindTarget(target);
}

void QDBProgramWidget::selectFindTarget(int row, bool focusTable)
{
    if (row < 0 || row >= m_table->rowCount())
        return;
    m_table->clearSelection();
    // Whole rows, as a click would select them.
    const auto command = QItemSelectionModel::SelectCurrent | QItemSelectionModel::Rows;
    m_table->selectionModel()->setCurrentIndex(m_model->index(row, 0), command);
    m_table->scrollTo(m_model->index(row, 0));
    if (focusTable)
        m_table->setFocus();
}
