#include "busystatus.h"

#include <QApplication>
#include <QStatusBar>

BusyStatus::BusyStatus(QStatusBar *bar, bool active, const QString &text)
    : m_bar(active ? bar : nullptr)
{
    if (!m_bar)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_bar->showMessage(text);
    m_bar->repaint();
}

BusyStatus::~BusyStatus()
{
    if (!m_bar)
        return;
    m_bar->clearMessage();
    QApplication::restoreOverrideCursor();
}
