// Which key, in which view, reaches which operation; and the double click.

#include "qdbprogramwidget.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include "programmetableview.h"

bool QDBProgramWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && watched != m_table) {
        if (auto *button = qobject_cast<QAbstractButton *>(watched)) {
            paintCornerButton(button);
            return true;
        }
    }
    if (watched == m_table && event->type() == QEvent::KeyPress)
        return routeTableKey(static_cast<QKeyEvent *>(event));
    return QWidget::eventFilter(watched, event);
}

bool QDBProgramWidget::routeTableKey(QKeyEvent *event)
{
    const int key = event->key();
    const bool hasCurrent = m_table->currentRow() >= 0;
    const ViewMode mode = viewMode();
    if (isProgrammeView(mode)) {
        switch (key) {
        case Qt::Key_Return:
            if (hasCurrent)
                actEditChannelTriggered();
            return true;
        case Qt::Key_Plus:
            if (!m_model->isSorted())
                actMoveDownChannelTriggered();
            return false;
        case Qt::Key_Equal:
            if ((event->modifiers() & Qt::ShiftModifier) && !m_model->isSorted())
                actMoveDownChannelTriggered();
            return false;
        case Qt::Key_Minus:
            if (!m_model->isSorted())
                actMoveUpChannelTriggered();
            return false;
        case Qt::Key_Delete:
            if (hasCurrent)
                actDeleteChannelTriggered();
            return true;
        case Qt::Key_Insert:
            if (mode != Transponder)
                return false;
            if (hasCurrent)
                actInsertChannelTriggered();
            return true;
        case Qt::Key_C:
            // The table would take Ctrl+C for its own clipboard copy of one
            // cell, so the widget's Ctrl+C would never arrive.
            if (mode == Transponder && (event->modifiers() & Qt::ControlModifier)) {
                actCopyChannelTriggered();
                return true;
            }
            return false;
        default:
            return false;
        }
    }
    if (mode == FavouriteGroup) {
        if (key == Qt::Key_Return) {
            if (hasCurrent)
                actEditGroupTriggered();
            return true;
        }
        if (key == Qt::Key_Delete) {
            if (hasCurrent)
                actRemoveItemTriggered();
            return true;
        }
    }
    return false;
}

void QDBProgramWidget::keyPressEvent(QKeyEvent *event)
{
    if (viewMode() == Transponder && (event->modifiers() & Qt::ControlModifier)) {
        if (event->key() == Qt::Key_C) {
            actCopyChannelTriggered();
            return;
        }
        if (event->key() == Qt::Key_V) {
            actPasteChannelTriggered();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

void QDBProgramWidget::tableCellDoubleClicked(int, int)
{
    if (isProgrammeView(viewMode()) || viewMode() == FavouriteGroup)
        actEditChannelTriggered();
}
