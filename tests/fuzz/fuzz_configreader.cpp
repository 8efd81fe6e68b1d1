// The configuration reader on hostile XML. A configuration that reads is then
// used as the editor would: its templates are built and the sample dump is
// read and written with it, so odd sizes and offsets reach the bit code too.

#include "fuzzharness.h"

#include "parserconfig.h"
#include "records.h"
#include "userdbdump.h"

#include <QFile>

using namespace ostrel;

namespace {

const QByteArray &sampleDump()
{
    static const QByteArray bytes = [] {
        QFile file(QStringLiteral(TAVRIN_SOURCE_DIR "/samples/small.udf"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    return bytes;
}

} // namespace

const char *fuzzOne(const uint8_t *data, size_t size)
{
    if (sampleDump().isEmpty())
        return "samples/small.udf could not be read";
    const QByteArray xml(reinterpret_cast<const char *>(data), int(size));
    ParserConfig config;
    QString error;
    if (!readConfigXml(xml, config, &error)) {
        if (error.isEmpty())
            return "a refused configuration gave no reason";
        return nullptr;
    }

    LoadedDatabase db;
    buildTemplates(OstrelSatellite, config.sat, nullptr, db.satTemplates);
    buildTemplates(OstrelTransponder, config.tp, nullptr, db.tpTemplates);
    buildTemplates(OstrelProgramme, config.pg, nullptr, db.pgTemplates);

    UserDumpExtras extras;
    if (!readUserDump(sampleDump(), config, db, extras, &error))
        return nullptr;
    writeUserDump(config, *db.satellites.head(), *db.transponders.head(),
                  *db.programmes.head(), &extras.head,
                  extras.hasTrailingBlock ? &extras.trailingBlock : nullptr,
                  extras.favouriteNames, &error);
    return nullptr;
}
