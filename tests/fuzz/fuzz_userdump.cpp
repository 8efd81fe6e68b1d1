// The dump reader on hostile bytes, with the shipped configuration. The CRC is
// put right before reading so that mutations get past it to the node data. A
// dump that reads must save, and saving what was saved must give the same bytes;
// its records taken through the compact form and back must save the same bytes.

#include "fuzzharness.h"

#include "bitstream.h"
#include "compactconvert.h"
#include "crc32mpeg2.h"
#include "parserconfig.h"
#include "records.h"
#include "userdbdump.h"

using namespace ostrel;

namespace {

const ParserConfig *shippedConfig()
{
    static const ParserConfig config = [] {
        ParserConfig c;
        readConfigFile(QStringLiteral(TAVRIN_SOURCE_DIR "/conf/tavrin_ostrel_config.xml"), c);
        return c;
    }();
    return config.satMaxNum < 0 ? nullptr : &config;
}

uint64_t fieldStart(const NodeLayout &layout, const char *name, uint64_t *width)
{
    const int i = layout.indexOf(QString::fromLatin1(name), Qt::CaseInsensitive);
    if (i < 0) {
        *width = 0;
        return 0;
    }
    *width = layout.fields[size_t(i)].size;
    return layout.starts[size_t(i)];
}

// Writes the CRC of the node data that data_len names into the header's crc field.
void fixCrc(QByteArray &file, const ParserConfig &config)
{
    uint64_t lengthWidth = 0;
    uint64_t crcWidth = 0;
    const uint64_t lengthAt = fieldStart(config.head, "data_len", &lengthWidth);
    const uint64_t crcAt = fieldStart(config.head, "crc", &crcWidth);
    const BitReader bits(file);
    bool ok = false;
    const uint64_t length = bits.readUInt(lengthAt, lengthWidth, &ok);
    const uint64_t headBytes = config.head.bytes;
    if (!ok || crcWidth != 32 || !bits.contains(crcAt, 32)
        || headBytes + length > uint64_t(file.size()))
        return;
    const uint32_t crc = crc32Mpeg2(file.constData() + headBytes, size_t(length));
    char *bytes = file.data();
    for (uint64_t b = 0; b < 32; ++b) {
        const uint64_t at = crcAt + b;
        const char mask = char(1u << (at % 8));
        char &byte = bytes[at / 8];
        byte = (crc >> b) & 1u ? char(byte | mask) : char(byte & ~mask);
    }
}

QByteArray save(const ParserConfig &config, LoadedDatabase &db, const UserDumpExtras &extras)
{
    return writeUserDump(config, *db.satellites.head(), *db.transponders.head(),
                         *db.programmes.head(), &extras.head,
                         extras.hasTrailingBlock ? &extras.trailingBlock : nullptr,
                         extras.favouriteNames);
}

} // namespace

const char *fuzzOne(const uint8_t *data, size_t size)
{
    const ParserConfig *config = shippedConfig();
    if (!config)
        return "the shipped configuration could not be read";
    QByteArray file(reinterpret_cast<const char *>(data), int(size));
    fixCrc(file, *config);

    LoadedDatabase db;
    UserDumpExtras extras;
    QString error;
    if (!readUserDump(file, *config, db, extras, &error)) {
        if (error.isEmpty())
            return "a refused dump gave no reason";
        if (db.satellites.size() || db.transponders.size() || db.programmes.size())
            return "a refused dump left records behind";
        return nullptr;
    }

    const QByteArray saved = save(*config, db, extras);
    if (saved.isNull())
        return "a dump that was read could not be saved";
    RecordBlocks lists[3];
    RecordStore *loaded[3] = {&db.satellites, &db.transponders, &db.programmes};
    for (int i = 0; i < 3; ++i) {
        CompactBuilder compact;
        compactFromRecords(*loaded[i]->head(), compact);
        CompactReader reader;
        if (!reader.open(compact.head()))
            return "the compact form of a dump does not read";
        recordsFromCompact(reader, lists[i]);
    }
    if (writeUserDump(*config, *lists[0].head(), *lists[1].head(), *lists[2].head(), &extras.head,
                      extras.hasTrailingBlock ? &extras.trailingBlock : nullptr, extras.favouriteNames)
        != saved)
        return "the compact form saves other bytes";

    LoadedDatabase again;
    UserDumpExtras againExtras;
    if (!readUserDump(saved, *config, again, againExtras, &error))
        return "a saved dump does not read again";
    if (save(*config, again, againExtras) != saved)
        return "saving a saved dump changed its bytes";
    return nullptr;
}
