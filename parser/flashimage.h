#pragma once
// A flash image of the receiver: its block tables, the preset block that holds
// the factory channel list, and the writer that puts a new preset into the
// image and lays the blocks out again.

#include "flashtable.h"
#include "ostrel_api.h"

#include <QString>

#include <functional>
#include <vector>

namespace ostrel {

// How the preset block's bytes become records and back. Injected so that the
// image code needs neither the preset format nor the packing tool.
struct FlashPresetCodec
{
    // Unpacks a preset block and parses it into the loaded database.
    std::function<bool(const QByteArray &packed)> unpackAndParse;
    // Builds the preset from the lists and packs it.
    std::function<bool(const RecordList &satellites, const RecordList &transponders,
                       const RecordList &programmes, QByteArray &packed)>
        buildAndPack;
    // Why the last of the two failed; may be empty.
    std::function<QString()> errorString;
};

class FlashImage
{
public:
    enum class Database { None,
                          Default,
                          User };
    // Splits "defaultdb;PATH" or "userdb;PATH"; path is left empty without a prefix.
    static Database splitPath(const QString &prefixedPath, QString *path);

    // Reads the block tables of an image held in memory. Fails when a table or
    // block lies outside the image or the tables hold more than 64 entries;
    // an image without tables is fine.
    bool parse(const QByteArray &image);

    // Type-1 Load: "defaultdb;" + path. The preset block goes through
    // codec.unpackAndParse; an image without one fails.
    bool load(const QString &prefixedPath, const FlashPresetCodec &codec);

    // Type-1 Save: "defaultdb;" + a path ending in ".abs" (the loaded image with
    // a new preset block) or ".udf" (the packed preset alone).
    bool save(const QString &prefixedPath, const RecordList &satellites,
              const RecordList &transponders, const RecordList &programmes,
              const FlashPresetCodec &codec);

    // Puts packed bytes into the preset block and lays the image out again.
    // Nothing changes unless it succeeds.
    bool replacePresetBlock(const QByteArray &packed);

    void clear();

    bool isLoaded() const { return m_loaded; }
    const QByteArray &image() const { return m_image; }
    const std::vector<FlashTable> &tables() const { return m_tables; }
    const std::vector<FlashEntry> &entries() const { return m_entries; }
    // The entry whose block was unpacked; -1 when the image has no preset block.
    int presetEntry() const { return m_preset; }
    QString errorString() const { return m_error; }

private:
    bool fail(const QString &message);
    bool writeFile(const QString &path, const QByteArray &bytes);

    QByteArray m_image;
    std::vector<FlashTable> m_tables;
    std::vector<FlashEntry> m_entries;
    int m_preset = -1;
    bool m_loaded = false;
    QString m_error;
};

} // namespace ostrel
