#pragma once
// How much text each field and favourite name of a file kind keeps, as the
// parser library says, and which texts of a document a save would cut.

#include "ostrel_api.h"

#include <QHash>
#include <QString>
#include <QStringList>

class ParserLibrary;
struct DocumentData;

struct TextCapacities
{
    int nameUnits = OstrelNameUnits - 1;
    // 0: no limit known beyond the boundary's.
    int favouriteNameUnits = 0;
    // Per RecordKind - 1, keyed by the field name as written and in lower case.
    QHash<QString, int> fields[3];

    int valueUnits(int recordKind, const QString &field) const;
    int favouriteUnits() const { return favouriteNameUnits > 0 ? favouriteNameUnits : OstrelTextUnits - 1; }

    // A library without the entry (or that fails it) gives the boundary's limits.
    static TextCapacities query(ParserLibrary &library, int fileKind);
};

// Writes each field's capacity into the templates, for the editors to limit input.
void applyTextCapacities(DocumentData &doc, const TextCapacities &capacities);

// One line per text that would not fit ("programme 7 NAME: 120 characters, 16 kept").
QStringList cutTexts(const DocumentData &doc, const TextCapacities &capacities);
