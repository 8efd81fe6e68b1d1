#pragma once

#include "qdbprogramwidget.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include "programmetableview.h"
#include <QTimer>
#include <QtTest>

// Opens the table's context menu over row (-1: below the rows) and chooses
// the enabled entry whose text starts with entry; false when there is none.
inline bool pickTableMenuEntry(QDBProgramWidget &widget, int row, const QString &entry)
{
    QTableView *table = widget.table();
    const QPoint at = row >= 0 ? table->visualRect(table->model()->index(row, 0)).center()
                               : QPoint(20, table->viewport()->height() - 5);
    bool found = false;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        timer.stop();
        for (QAction *action : menu->actions()) {
            if (action->text().startsWith(entry) && action->isEnabled()) {
                menu->setActiveAction(action);
                found = true;
            }
        }
        QTest::keyClick(menu, found ? Qt::Key_Return : Qt::Key_Escape);
    });
    timer.start();
    const QPoint global = table->viewport()->mapToGlobal(at);
    QContextMenuEvent event(QContextMenuEvent::Mouse, widget.mapFromGlobal(global), global);
    QApplication::sendEvent(&widget, &event);
    return found;
}
