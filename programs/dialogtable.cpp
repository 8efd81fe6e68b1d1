#include "dialogtable.h"

#include <QHeaderView>
#include <QTableWidget>

QTableWidget *makeDialogTable(QWidget *parent, int columns)
{
    auto *table = new QTableWidget(parent);
    table->setObjectName(QStringLiteral("tableWidget"));
    table->setGeometry(20, 20, 270, 263);
    table->setColumnCount(columns);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionsClickable(false);
    table->horizontalHeader()->setResizeContentsPrecision(100);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return table;
}
