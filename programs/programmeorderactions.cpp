// Ordering from the table itself: the header's view sort, "Use This Order",
// and rows dragged to another place in All Services.

#include "qdbprogramwidget.h"

#include "documentedits.h"
#include "programmetableview.h"

#include <QAbstractButton>
#include <QAction>
#include <QHeaderView>
#include <QMessageBox>
#include <QPointer>

#include <algorithm>

void QDBProgramWidget::setUpOrdering()
{
    QHeaderView *header = m_table->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    // The arrow shows the model's sort: a view that cannot be sorted shows
    // none, and a new view or content forgets the sort.
    const auto showSort = [this, header] {
        if (header->sortIndicatorSection() != m_model->sortColumn()
            || header->sortIndicatorOrder() != m_model->sortOrder())
            header->setSortIndicator(m_model->sortColumn(), m_model->sortOrder());
    };
    connect(header, &QHeaderView::sortIndicatorChanged, this, [this, showSort](int column, Qt::SortOrder order) {
        m_model->sort(column, order);
        showSort();
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, showSort);
    connect(m_model, &QAbstractItemModel::layoutChanged, this, showSort);
    if (auto *corner = m_table->findChild<QAbstractButton *>())
        connect(corner, &QAbstractButton::clicked, this, [this] { m_model->sort(-1); });

    m_actUseThisOrder = new QAction(tr("Use This Order"), this);
    m_actUseThisOrder->setObjectName(QStringLiteral("actUseThisOrder"));
    connect(m_actUseThisOrder, &QAction::triggered, this, &QDBProgramWidget::actUseThisOrderTriggered);

    m_table->setDragEnabled(true);
    m_table->setAcceptDrops(true);
    // The model takes only the rows it dragged itself, whatever the view lets through.
    m_table->setDragDropMode(QAbstractItemView::DragDrop);
    m_table->setDefaultDropAction(Qt::MoveAction);
    m_table->setDragDropOverwriteMode(false);
    m_table->setDropIndicatorShown(true);
    m_model->setDropHandler([this](const QVector<quint32> &ids, quint32 beforeId) {
        if (!m_document)
            return false;
        const EditOutcome outcome = m_document->edits().moveBefore(ids, beforeId);
        if (outcome.isRefused()) {
            // Answered once the drag has ended, not inside its event.
            const QString refusal = outcome.refusal;
            QPointer<QDBProgramWidget> self(this);
            QMetaObject::invokeMethod(
                this,
                [self, refusal] {
                    if (self && !refusal.isEmpty())
                        QMessageBox::critical(self, tr("Move"), refusal, QMessageBox::Yes,
                                              QMessageBox::Yes);
                },
                Qt::QueuedConnection);
            return false;
        }
        selectIds(ids);
        return outcome.isPushed();
    });
}

void QDBProgramWidget::actUseThisOrderTriggered()
{
    if (!m_document || !m_model->isSorted())
        return;
    const EditOutcome outcome = m_document->edits().useOrder(rowIds());
    if (outcome.isRefused()) {
        if (!outcome.refusal.isEmpty())
            QMessageBox::critical(this, tr("Use This Order"), outcome.refusal, QMessageBox::Yes,
                                  QMessageBox::Yes);
        return;
    }
    // The service order now reads as the view did, so the moves come back.
    m_model->sort(-1);
}
