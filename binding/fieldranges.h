#pragma once
// Which numbers and options each field of a file kind keeps, as the parser
// library says; a library without the entry checks nothing.

#include "templatefield.h"

#include <QHash>
#include <QString>

class ParserLibrary;
struct DocumentData;

struct FieldRanges
{
    // Per RecordKind - 1, keyed by the field name in lower case.
    QHash<QString, ValueRange> fields[3];

    ValueRange of(int recordKind, const QString &field) const;

    static FieldRanges query(ParserLibrary &library, int fileKind);
};

// Writes each field's range into the templates, where the edits look for it.
void applyFieldRanges(DocumentData &doc, const FieldRanges &ranges);
