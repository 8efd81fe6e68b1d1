#include "tablecsv.h"

#include "csv.h"

#include <QTableWidget>

QByteArray tableCsv(const QTableWidget &table)
{
    QStringList header;
    for (int c = 0; c < table.columnCount(); ++c) {
        const QTableWidgetItem *item = table.horizontalHeaderItem(c);
        header << (item ? item->text() : QString());
    }
    QVector<QStringList> rows;
    rows.reserve(table.rowCount());
    for (int r = 0; r < table.rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < table.columnCount(); ++c) {
            const QTableWidgetItem *item = table.item(r, c);
            row << (item ? item->text() : QString());
        }
        rows.append(row);
    }
    return csvDocument(header, rows);
}
