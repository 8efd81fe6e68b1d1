#include "defaultdatabase.h"

#include "externaltool.h"

#include <QFile>
#include <QSaveFile>

namespace ostrel {

bool readDefaultDatabase(const QString &path, LoadedDatabase &db, PresetColumns &columns)
{
    ExternalTool tool;
    return readDefaultDatabase(path, db, columns, tool);
}

bool readDefaultDatabase(const QString &path, LoadedDatabase &db, PresetColumns &columns,
                         ExternalTool &tool)
{
    db.clear();
    columns.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray packed = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    // An empty file is an empty database, still with the fixed fields so
    // that satellites and programmes can be added to it.
    QByteArray image;
    if (packed.isEmpty()) {
        parsePreset(image, db, columns);
        return true;
    }
    if (!tool.unpack(packed, image))
        return false;
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
                          const PresetColumns &columns, ExternalTool &tool)
{
    QByteArray image;
    if (!buildPreset(satellites, transponders, programmes, columns, image))
        return false;
    QByteArray packed;
    if (!tool.pack(image, packed) || packed.isEmpty())
        return false;
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(packed) == packed.size()
           && file.commit();
}

} // namespace ostrel
