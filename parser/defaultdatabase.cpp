#include "defaultdatabase.h"

#include "externaltool.h"
#include "savefile.h"

#include <QFile>

namespace ostrel {

namespace {

bool fail(QString *errorString, const QString &reason)
{
    if (errorString)
        *errorString = reason;
    return false;
}

} // namespace

bool readDefaultDatabase(const QString &path, LoadedDatabase &db, PresetColumns &columns)
{
    ExternalTool tool;
    return readDefaultDatabase(path, db, columns, tool);
}

bool readDefaultDatabase(const QString &path, LoadedDatabase &db, PresetColumns &columns,
                         ExternalTool &tool, QString *errorString)
{
    db.clear();
    columns.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(errorString, QStringLiteral("%1: %2").arg(path, file.errorString()));
    const QByteArray packed = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(errorString, QStringLiteral("%1: %2").arg(path, file.errorString()));
    // Saved back, an empty list would wipe the receiver's: nothing to open.
    if (packed.isEmpty())
        return fail(errorString, QStringLiteral("%1: the file is empty").arg(path));
    QByteArray image;
    if (!tool.unpack(packed, image))
        return fail(errorString, QStringLiteral("%1: cannot unpack the preset data: %2").arg(path, tool.errorString()));
    parsePreset(image, db, columns);
    return true;
}

bool writeDefaultDatabase(const QString &path, const RecordList &satellites,
                          const RecordList &transponders, const RecordList &programmes,
                          const PresetColumns &columns)
{
    ExternalTool tool;
    return writeDefaultDatabase(path, satellites, transponders, programmes, columns, tool);
}

bool writeDefaultDatabase(const QString &path, const RecordList &satellites,
                          const RecordList &transponders, const RecordList &programmes,
                          const PresetColumns &columns, ExternalTool &tool, QString *errorString)
{
    QByteArray image;
    if (!buildPreset(satellites, transponders, programmes, columns, image))
        return fail(errorString, QStringLiteral("%1: the channel list is beyond the format's limits").arg(path));
    QByteArray packed;
    if (!tool.pack(image, packed))
        return fail(errorString, QStringLiteral("%1: cannot pack the preset data: %2").arg(path, tool.errorString()));
    if (packed.isEmpty())
        return fail(errorString, QStringLiteral("%1: the packed preset is empty").arg(path));
    return saveFileAtomically(path, packed, errorString);
}

} // namespace ostrel
