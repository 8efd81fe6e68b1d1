#include "tablecsv.h"

#include "csv.h"

#include <QAbstractItemModel>

QByteArray tableCsv(const QAbstractItemModel &table)
{
    QStringList header;
    for (int c = 0; c < table.columnCount(); ++c)
        header << table.headerData(c, Qt::Horizontal).toString();
    QVector<QStringList> rows;
    rows.reserve(table.rowCount());
    for (int r = 0; r < table.rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < table.columnCount(); ++c)
            row << table.data(table.index(r, c)).toString();
        rows.append(row);
    }
    return csvDocument(header, rows);
}
