#pragma once

#include <QByteArray>

class QTableWidget;

/** The rows and columns the table shows now, as they are shown, as CSV. */
QByteArray tableCsv(const QTableWidget &table);
