#pragma once

#include <QString>

namespace DB_NS {
class TPNode;
}

/**
 * The text a TP shows: "TP" followed by "_FRQ", "_POL" and "_SYM" values,
 * each only when the TP has that attribute, e.g. "TP_11778_H_27500".
 */
QString tpDisplayName(const DB_NS::TPNode &tp);
