#pragma once
// Comma-separated values as RFC 4180 has them: CRLF line ends, a field with a
// comma, a quote or a line break in double quotes, quotes inside doubled.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

class ChannelDatabase;

// UTF-8, a header row, then one row per entry.
QByteArray csvDocument(const QStringList &header, const QVector<QStringList> &rows);

// Every programme in the service order with its satellite and transponder
// first, then the fields named (the programme template's order).
QByteArray programmesCsv(const ChannelDatabase &database, const QStringList &fields);
