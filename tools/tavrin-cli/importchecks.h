#pragma once

#include "channeldatabase.h"
#include "fieldranges.h"

#include <QString>

// The first value of imported that a file with these ranges cannot hold,
// named with its record and field; empty when all fit. A value that the
// same record of base (the file imported over) already holds is not checked.
QString importRefusal(const ChannelDatabase &imported, const ChannelDatabase *base, const FieldRanges &ranges);
