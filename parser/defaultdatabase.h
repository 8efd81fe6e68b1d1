#pragma once
// The default database: a preset image packed by the lzma tool.

#include "presetdata.h"

namespace ostrel {

class ExternalTool;

// Reads the file at path, unpacks and parses it into db and columns (both
// cleared first). An empty file loads as an empty database with the fixed
// fields as templates. Returns false, with the reason in errorString,
// when the file cannot be read or the tool leaves no unpacked preset.
bool readDefaultDatabase(const QString &path, LoadedDatabase &db, PresetColumns &columns);
bool readDefaultDatabase(const QString &path, LoadedDatabase &db, PresetColumns &columns,
                         ExternalTool &tool, QString *errorString = nullptr);

// Builds the preset image from the lists, packs it and writes it atomically
// to path. Returns false (and leaves any existing file untouched), with the
// reason in errorString, when the image breaks the format's limits, packing
// fails or path cannot be written.
bool writeDefaultDatabase(const QString &path, const RecordList &satellites,
                          const RecordList &transponders, const RecordList &programmes,
                          const PresetColumns &columns);
bool writeDefaultDatabase(const QString &path, const RecordList &satellites,
                          const RecordList &transponders, const RecordList &programmes,
                          const PresetColumns &columns, ExternalTool &tool,
                          QString *errorString = nullptr);

} // namespace ostrel
