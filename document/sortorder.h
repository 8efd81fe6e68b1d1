#pragma once
// Sort…: the service order by up to three keys.

#include "channeldatabase.h"
#include "templatefield.h"

#include <QLocale>
#include <QStringList>
#include <QVector>

struct SortRequest
{
    /** How text keys compare. */
    enum class Collation {
        /** Unicode code points after case folding, digit runs by value: the same on every machine. */
        CodePoint,
        /** The locale's order, case-insensitive, numbers by value. */
        Locale
    };

    /** Up to three: "NAME", any open programme field, "satellite" (tree order) or "FRQ" (the TP's). */
    QStringList keys;
    bool tvFirst = false;
    /** Only these programmes, among the places they hold; empty: all. */
    QVector<quint32> ids;
    Collation collation = Collation::Locale;
    QLocale locale;
};

namespace SortOrder {

/** The key names offered besides the programme's open fields. */
QString satelliteKey();
QString frequencyKey();

/** The keys a programme template can be sorted by: NAME first, then its other open fields, satellite and FRQ. */
QStringList availableKeys(const TemplateVector &programmeTemplate);

/**
 * The service order after the sort, as programme ids; stable, so equal keys
 * keep their order. Ids the database does not hold are passed over.
 */
QVector<quint32> sorted(const ChannelDatabase &database, const SortRequest &request);

} // namespace SortOrder
