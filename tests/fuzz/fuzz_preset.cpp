// The preset parser on hostile bytes (already unpacked: no tool runs). What
// parses must build again when it builds at all, and building what was built
// must give the same image.

#include "fuzzharness.h"

#include "presetdata.h"
#include "records.h"

using namespace ostrel;

namespace {

bool build(LoadedDatabase &db, const PresetColumns &columns, QByteArray &image)
{
    return buildPreset(*db.satellites.head(), *db.transponders.head(), *db.programmes.head(),
                       columns, image);
}

} // namespace

const char *fuzzOne(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    LoadedDatabase db;
    PresetColumns columns;
    parsePreset(bytes, db, columns);

    QByteArray built;
    if (!build(db, columns, built))
        return nullptr; // the limits may refuse what a hostile image holds
    LoadedDatabase again;
    PresetColumns againColumns;
    parsePreset(built, again, againColumns);
    QByteArray rebuilt;
    if (!build(again, againColumns, rebuilt))
        return "a built preset does not build again";
    if (rebuilt != built)
        return "building a built preset changed its bytes";
    return nullptr;
}
