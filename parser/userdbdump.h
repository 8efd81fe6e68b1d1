#pragma once
// The user-database dump: a header, the satellite/transponder/programme tree as
// fixed-size nodes, and a trailing block holding the favourite-name table.

#include "compactrecords.h"
#include "ostrel_api.h"
#include "parserconfig.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

namespace ostrel {

struct LoadedDatabase;

// The magic a dump's `db_head` field holds.
QByteArray userDumpMagic();

// A header decoded to raw bits per field, so a save can carry over what it does not compute.
class HeadTable
{
public:
    struct Field
    {
        QByteArray bits; // LSB-first packed
        uint32_t width = 0;
    };

    // Keeps the first field of each name (letter case ignored).
    void insert(const QString &name, const QByteArray &bits, uint32_t width);
    const Field *find(const QString &name) const;
    bool isEmpty() const { return m_fields.isEmpty(); }
    void clear() { m_fields.clear(); }

private:
    QHash<QString, Field> m_fields;
};

// What a dump holds besides the records.
struct UserDumpExtras
{
    HeadTable head;
    bool hasTrailingBlock = false;
    QByteArray trailingBlock;
    QStringList favouriteNames;

    void clear();
};

// Decodes a whole dump file into db (records and templates) and extras. An empty file
// is an empty database. Any failed check fails the read with *errorString set; db and
// extras are then left cleared.
// With compact, the records go there in the compact form and db's record lists stay empty.
struct CompactTargets
{
    CompactBuilder &satellites;
    CompactBuilder &transponders;
    CompactBuilder &programmes;
};

bool readUserDump(const QByteArray &file, const ParserConfig &config, LoadedDatabase &db,
                  UserDumpExtras &extras, QString *errorString = nullptr,
                  const CompactTargets *compact = nullptr);

// Encodes the caller's lists into dump bytes. Records with ids above 0xFFFF get the
// lowest free ids; the new ids, the parent ids and the "id", "sat_id" and "tp_id"
// texts are written back into the caller's records. Header fields the writer does not
// compute come from previousHead (zero without one); trailingBlock, when given, follows
// the node data with favouriteNames written into its name slots. Children whose parent
// is not in the lists are left out. Returns a null QByteArray on failure.
// The same from compact record sets, already opened; nothing is written back.
QByteArray writeUserDump(const ParserConfig &config, const CompactReader &satellites,
                         const CompactReader &transponders, const CompactReader &programmes,
                         const HeadTable *previousHead, const QByteArray *trailingBlock,
                         const QStringList &favouriteNames, QString *errorString = nullptr);

QByteArray writeUserDump(const ParserConfig &config, RecordList &satellites,
                         RecordList &transponders, RecordList &programmes,
                         const HeadTable *previousHead, const QByteArray *trailingBlock,
                         const QStringList &favouriteNames, QString *errorString = nullptr);

} // namespace ostrel
