#include "flashimage.h"

#include "flashlayout.h"
#include "savefile.h"

#include <QFile>
#include <QFileInfo>

namespace ostrel {

namespace {

const QString DefaultPrefix = QStringLiteral("defaultdb;");
const QString UserPrefix = QStringLiteral("userdb;");

QString hex(qint64 value)
{
    return QStringLiteral("0x") + QString::number(value, 16);
}

// The codec's own reason, when it has one, after what failed.
QString withReason(const QString &what, const FlashPresetCodec &codec)
{
    const QString reason = codec.errorString ? codec.errorString() : QString();
    return reason.isEmpty() ? what : what + QStringLiteral(": ") + reason;
}

} // namespace

FlashImage::Database FlashImage::splitPath(const QString &prefixedPath, QString *path)
{
    Database database = Database::None;
    QString rest;
    if (prefixedPath.startsWith(DefaultPrefix)) {
        database = Database::Default;
        rest = prefixedPath.mid(DefaultPrefix.size());
    } else if (prefixedPath.startsWith(UserPrefix)) {
        database = Database::User;
        rest = prefixedPath.mid(UserPrefix.size());
    }
    if (path)
        *path = rest;
    return database;
}

bool FlashImage::parse(const QByteArray &image)
{
    clear();
    // A failed read leaves nothing half-read behind.
    const auto fail = [this](const QString &message) {
        clear();
        m_error = message;
        return false;
    };
    const QByteArray marker(flash::TableMarker, flash::MarkerSize);
    const qint64 size = image.size();
    int total = 0;
    // Positions are int, as Qt 5 indexes a byte array; each is checked
    // against the size before it is used, so none can pass INT_MAX.
    int from = 0;
    for (;;) {
        const int at = image.indexOf(marker, from);
        if (at < 0)
            break;
        if (qint64(at) + flash::VersionOffset >= size || image.at(at + flash::VersionOffset) != '0') {
            from = at + 1; // a marker without its '0' is data, not a table
            continue;
        }
        if (qint64(at) + flash::HeaderSize > size)
            return fail(QStringLiteral("the table at %1 is cut off").arg(hex(at)));
        const int count = uint8_t(image.at(at + flash::CountOffset));
        if (total + count > flash::MaxEntries)
            return fail(QStringLiteral("the table at %1 brings the entries to %2, more than %3")
                            .arg(hex(at))
                            .arg(total + count)
                            .arg(flash::MaxEntries));

        FlashTable table;
        table.position = at;
        table.header = image.mid(at, flash::HeaderSize);
        table.firstEntry = int(m_entries.size());
        table.entryCount = count;
        if (table.end() > size)
            return fail(QStringLiteral("the entries of the table at %1 pass the end of the image")
                            .arg(hex(at)));

        // The innermost block holding the table owns it.
        for (int e = 0; e < int(m_entries.size()); ++e) {
            const FlashEntry &outer = m_entries[e];
            const bool inside = at >= outer.blockStart() && at < outer.blockStart() + outer.size();
            if (inside && (table.enclosingEntry < 0 || outer.size() < m_entries[table.enclosingEntry].size()))
                table.enclosingEntry = e;
        }
        uint8_t enclosingTag = 0;
        if (table.enclosingEntry >= 0) {
            m_entries[table.enclosingEntry].containsTable = true;
            enclosingTag = m_entries[table.enclosingEntry].tag();
        }

        const int tableIndex = int(m_tables.size());
        for (int k = 0; k < count; ++k) {
            FlashEntry entry;
            entry.raw = image.mid(at + flash::HeaderSize + flash::EntrySize * k, flash::EntrySize);
            entry.tablePosition = at;
            entry.table = tableIndex;
            entry.indexInTable = k;
            entry.enclosingTag = enclosingTag;
            if (entry.blockStart() + entry.size() > size)
                return fail(QStringLiteral("block \"%1\" of the table at %2 lies outside the image")
                                .arg(QString::fromUtf8(entry.name()), hex(at)));
            entry.block = image.mid(int(entry.blockStart()), int(entry.size()));
            m_entries.push_back(entry);
        }
        m_tables.push_back(table);
        total += count;
        from = int(table.end());
    }

    // When several blocks qualify, the last one is what a load shows and a save replaces.
    for (int e = 0; e < int(m_entries.size()); ++e) {
        if (m_entries[e].isPreset())
            m_preset = e;
    }
    m_image = image;
    m_loaded = true;
    return true;
}

bool FlashImage::load(const QString &prefixedPath, const FlashPresetCodec &codec)
{
    clear();
    QString path;
    switch (splitPath(prefixedPath, &path)) {
    case Database::None:
        return fail(QStringLiteral("the path names no database of the image"));
    case Database::User:
        return fail(QStringLiteral("the user database of an image cannot be read"));
    case Database::Default:
        break;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    const QByteArray image = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    // Without its preset block an image holds nothing to show, and a save
    // could not put a list back.
    if (image.isEmpty())
        return fail(QStringLiteral("the file is empty"));
    if (!parse(image))
        return false;
    if (m_tables.empty()) {
        clear();
        return fail(QStringLiteral("no block table: not a flash image"));
    }
    if (m_preset < 0) {
        clear();
        return fail(QStringLiteral("the image has no preset block"));
    }
    if (!(codec.unpackAndParse && codec.unpackAndParse(m_entries[m_preset].block))) {
        const QString name = QString::fromUtf8(m_entries[m_preset].name());
        clear();
        return fail(withReason(QStringLiteral("the preset block \"%1\" could not be unpacked").arg(name),
                               codec));
    }
    return true;
}

bool FlashImage::save(const QString &prefixedPath, const RecordList &satellites,
                      const RecordList &transponders, const RecordList &programmes,
                      const FlashPresetCodec &codec)
{
    m_error.clear();
    QString path;
    switch (splitPath(prefixedPath, &path)) {
    case Database::None:
        return fail(QStringLiteral("the path names no database of the image"));
    case Database::User:
        return fail(QStringLiteral("the user database of an image cannot be written"));
    case Database::Default:
        break;
    }
    const QString fileName = QFileInfo(path).fileName();
    const bool wholeImage = fileName.endsWith(QLatin1String(".abs"), Qt::CaseInsensitive);
    const bool presetOnly = fileName.endsWith(QLatin1String(".udf"), Qt::CaseInsensitive);
    if (!wholeImage && !presetOnly)
        return fail(QStringLiteral("\"%1\" ends neither in .abs nor in .udf").arg(fileName));
    if (wholeImage && (!m_loaded || m_preset < 0))
        return fail(QStringLiteral("no image with a preset block was loaded"));

    QByteArray packed;
    if (!codec.buildAndPack || !codec.buildAndPack(satellites, transponders, programmes, packed)
        || packed.isEmpty())
        return fail(withReason(QStringLiteral("the preset could not be built and packed"), codec));
    if (presetOnly)
        return writeFile(path, packed);

    FlashImage updated = *this;
    if (!updated.replacePresetBlock(packed))
        return fail(updated.errorString());
    if (!writeFile(path, updated.m_image))
        return false;
    *this = updated;
    return true;
}

bool FlashImage::replacePresetBlock(const QByteArray &packed)
{
    m_error.clear();
    if (!m_loaded || m_preset < 0)
        return fail(QStringLiteral("no preset block was loaded"));
    if (m_entries[m_preset].containsTable)
        return fail(QStringLiteral("the preset block holds a block table that new bytes would lose"));
    std::vector<FlashEntry> entries = m_entries;
    entries[m_preset].block = packed;
    FlashLayout layout(m_image, m_tables, entries);
    if (!layout.run())
        return fail(layout.errorString());
    // A block laid over a table header carries the header along when it moves, and the
    // image would read back with tables that were never there: refuse such a layout.
    FlashImage check;
    if (!check.parse(layout.image()) || check.tables().size() != layout.tables().size()
        || check.entries().size() != layout.entries().size() || check.m_preset < 0
        || check.m_entries[check.m_preset].block != packed)
        return fail(QStringLiteral("the new layout would not read back as written"));
    m_image = layout.image();
    m_tables = layout.tables();
    m_entries = layout.entries();
    return true;
}

void FlashImage::clear()
{
    m_image.clear();
    m_tables.clear();
    m_entries.clear();
    m_preset = -1;
    m_loaded = false;
    m_error.clear();
}

bool FlashImage::fail(const QString &message)
{
    m_error = message;
    return false;
}

bool FlashImage::writeFile(const QString &path, const QByteArray &bytes)
{
    QString error;
    return saveFileAtomically(path, bytes, &error) || fail(error);
}

} // namespace ostrel
