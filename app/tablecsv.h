#pragma once

#include <QByteArray>

class QAbstractItemModel;

/** The rows and columns the table shows now, as they are shown, as CSV. */
QByteArray tableCsv(const QAbstractItemModel &table);
