#pragma once
// The preset image: the self-describing list of satellites, transponders and
// programmes that a default database (and the preset block of a flash image)
// carries. Parsing and building are pure functions over bytes and records.

#include "records.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace ostrel {

// The column names of the last parsed preset, needed again to write one.
struct PresetColumns
{
    QStringList programme; // after "*PRO_NAME", in order (FRQ, SYM, POL among them)
    QStringList satellite; // after "*SAT_NAME", in order

    void clear()
    {
        programme.clear();
        satellite.clear();
    }
};

enum : int {
    PresetImageLimit = 0x200000, // the receiver reserves 2 MiB for the image
    PresetColumnLimit = 127,     // a column index has 7 bits
    PresetCountLimit = 0xFFFF,   // the header counts are 16-bit
};

// Fills db (cleared first: records and templates) and columns from an unpacked
// preset image. Never fails and never reads past the data: malformed or
// truncated input yields fewer or emptier records.
void parsePreset(const QByteArray &image, LoadedDatabase &db, PresetColumns &columns);

// Builds a preset image from the caller's lists. Columns that are empty (no
// preset parsed yet) are taken from the field names of the first record of
// that kind. Returns false, leaving image empty, when the image would break
// the format's limits or could not be read back as written.
bool buildPreset(const RecordList &satellites, const RecordList &transponders,
                 const RecordList &programmes, const PresetColumns &columns, QByteArray &image);

// LONGITUDE as stored in the preset ("30.50W") to the record's integer text
// ("35818") and back. Text that is not a longitude passes through unchanged.
QString longitudeFromPreset(const QString &text);
QString longitudeToPreset(const QString &value);

} // namespace ostrel
