#include "parserstate.h"

#include "boundarytext.h"
#include "compactconvert.h"
#include "defaultdatabase.h"
#include "flashpresetcodec.h"
#include "installlayout.h"
#include "savefile.h"
#include "triggers.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace ostrel {

namespace {

bool validType(int32_t type)
{
    return type == OstrelFlashImage || type == OstrelUserDump || type == OstrelDefaultDatabase;
}

QString pathText(const char16_t *path)
{
    const char16_t *end = path;
    while (*end)
        ++end;
    return QString::fromUtf16(path, int(end - path));
}

} // namespace

ParserState::ParserState(const QString &configDir)
    : m_configDir(configDir.isEmpty()
                      ? tavrin::besideOrInstalled(executableDir(), QStringLiteral("conf"),
                                                  tavrin::installedDataDir(executableDir()))
                      : configDir)
    , m_hotKeys{0, nullptr}
{
}

ParserState::~ParserState()
{
    if (triggerConfig() == &m_config)
        setTriggerConfig(nullptr);
}

ParserState &ParserState::instance()
{
    static ParserState state;
    return state;
}

QString ParserState::executableDir()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    // Loaded into a program without an application object: ask the kernel.
    return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath();
}

int32_t ParserState::load(int32_t type, const char16_t *path, RecordList **satellites,
                          RecordList **transponders, RecordList **programmes,
                          NameList **favourites, HotKeyList **hotKeys)
{
    if (!satellites || !transponders || !programmes)
        return OstrelBadArgument;
    const int32_t rc = read(type, path, favourites, hotKeys, false);
    if (rc != OstrelOk)
        return rc;
    *satellites = m_db.satellites.head();
    *transponders = m_db.transponders.head();
    *programmes = m_db.programmes.head();
    return OstrelOk;
}

int32_t ParserState::loadCompact(int32_t type, const char16_t *path, const CompactRecordSet **satellites,
                                 const CompactRecordSet **transponders,
                                 const CompactRecordSet **programmes, NameList **favourites,
                                 HotKeyList **hotKeys)
{
    if (!satellites || !transponders || !programmes)
        return OstrelBadArgument;
    const int32_t rc = read(type, path, favourites, hotKeys, true);
    if (rc != OstrelOk)
        return rc;
    // Preset kinds are read as fixed records (they are small) and handed on compact.
    if (type != OstrelUserDump) {
        compactFromRecords(*m_db.satellites.head(), m_compactSatellites);
        compactFromRecords(*m_db.transponders.head(), m_compactTransponders);
        compactFromRecords(*m_db.programmes.head(), m_compactProgrammes);
    }
    *satellites = m_compactSatellites.head();
    *transponders = m_compactTransponders.head();
    *programmes = m_compactProgrammes.head();
    return OstrelOk;
}

int32_t ParserState::read(int32_t type, const char16_t *path, NameList **favourites, HotKeyList **hotKeys,
                          bool compact)
{
    if (!validType(type) || !path || !favourites || !hotKeys)
        return OstrelBadArgument;
    clean();
    m_error.clear();
    const QString file = pathText(path);

    bool ok = false;
    switch (type) {
    case OstrelFlashImage:
        ok = loadFlashImage(file);
        break;
    case OstrelUserDump:
        ok = loadUserDump(file, compact);
        break;
    case OstrelDefaultDatabase:
        ok = loadDefaultDatabase(file);
        break;
    }
    if (!ok) {
        // Nothing half-built is handed out or kept.
        clean();
        return OstrelReadFailed;
    }
    *favourites = m_db.favourites.head();
    *hotKeys = &m_hotKeys;
    return OstrelOk;
}

int32_t ParserState::save(int32_t type, const char16_t *path, RecordList *satellites,
                          RecordList *transponders, RecordList *programmes, NameList *favourites,
                          HotKeyList *hotKeys)
{
    if (!validType(type) || !path || !satellites || !transponders || !programmes || !favourites
        || !hotKeys)
        return OstrelBadArgument;
    m_error.clear();
    const QString file = pathText(path);

    bool ok = false;
    switch (type) {
    case OstrelFlashImage:
        ok = saveFlashImage(file, *satellites, *transponders, *programmes);
        break;
    case OstrelUserDump:
        ok = saveUserDump(file, *favourites, [&](const DumpSave &save) {
            return writeUserDump(save.config, *satellites, *transponders, *programmes, save.head,
                                 save.trailingBlock, save.names, &m_error);
        });
        break;
    case OstrelDefaultDatabase:
        ok = saveDefaultDatabase(file, *satellites, *transponders, *programmes);
        break;
    }
    return ok ? OstrelOk : OstrelWriteFailed;
}

int32_t ParserState::saveCompact(int32_t type, const char16_t *path, const CompactRecordSet *satellites,
                                 const CompactRecordSet *transponders,
                                 const CompactRecordSet *programmes, NameList *favourites,
                                 HotKeyList *hotKeys)
{
    if (!validType(type) || !path || !favourites || !hotKeys)
        return OstrelBadArgument;
    m_error.clear();
    CompactReader readers[3];
    const CompactRecordSet *sets[3] = {satellites, transponders, programmes};
    for (int i = 0; i < 3; ++i) {
        if (!readers[i].open(sets[i], &m_error))
            return OstrelBadArgument;
    }
    // A dump is written from the compact form itself.
    if (type == OstrelUserDump) {
        const bool ok = saveUserDump(pathText(path), *favourites, [&](const DumpSave &save) {
            return writeUserDump(save.config, readers[0], readers[1], readers[2], save.head, save.trailingBlock,
                                 save.names, &m_error);
        });
        return ok ? OstrelOk : OstrelWriteFailed;
    }
    RecordBlocks lists[3];
    for (int i = 0; i < 3; ++i)
        recordsFromCompact(readers[i], lists[i]);
    return save(type, path, lists[0].head(), lists[1].head(), lists[2].head(), favourites, hotKeys);
}

int32_t ParserState::clean()
{
    m_compactSatellites.clear();
    m_compactTransponders.clear();
    m_compactProgrammes.clear();
    m_db.clear();
    m_dump.clear();
    m_presetColumns.clear();
    return OstrelOk;
}

int32_t ParserState::uiConfig(TemplateList *sat, TemplateList *tp, TemplateList *pg)
{
    if (!sat || !tp || !pg)
        return OstrelBadArgument;
    *sat = *m_db.satTemplates.head();
    *tp = *m_db.tpTemplates.head();
    *pg = *m_db.pgTemplates.head();
    return OstrelOk;
}

int32_t ParserState::textCapacities(int32_t type, CapacityList **list)
{
    if (!validType(type) || !list)
        return OstrelBadArgument;
    m_capacities.clear();
    m_capacityList = {0, nullptr, OstrelNameUnits - 1, 0};
    // Preset data stores its texts at their own length: only the boundary limits them.
    if (type == OstrelUserDump) {
        ParserConfig config;
        if (!readConfigFile(m_configDir + QLatin1Char('/') + configFileName(), config, &m_error))
            return OstrelReadFailed;
        const std::pair<int32_t, const NodeLayout *> kinds[] = {
            {OstrelSatellite, &config.sat}, {OstrelTransponder, &config.tp}, {OstrelProgramme, &config.pg}};
        for (const auto &kind : kinds) {
            for (const FieldDescriptor &d : kind.second->fields) {
                if (d.type != FieldType::Text)
                    continue;
                FieldCapacity capacity{};
                capacity.kind = kind.first;
                copyText(capacity.name, OstrelNameUnits, d.name);
                capacity.units = int32_t(std::min<uint32_t>(d.size / 16, OstrelTextUnits - 1));
                m_capacities.push_back(capacity);
            }
        }
        // A name fills its slot without a terminator.
        m_capacityList.favouriteNameUnits = config.favCount > 0 ? int32_t(config.favLength / 2) : 0;
    }
    m_capacityList.count = uint32_t(m_capacities.size());
    m_capacityList.items = m_capacities.empty() ? nullptr : m_capacities.data();
    *list = &m_capacityList;
    return OstrelOk;
}

int32_t ParserState::fieldRanges(int32_t type, FieldRangeList **list)
{
    if (!validType(type) || !list)
        return OstrelBadArgument;
    m_ranges.clear();
    m_rangeOptions.clear();
    m_rangeList = {0, nullptr};
    *list = &m_rangeList;
    ParserConfig config;
    if (!readConfigFile(m_configDir + QLatin1Char('/') + configFileName(), config, &m_error))
        // Preset data keeps text: without the receiver's layout nothing is known to be a number.
        return type == OstrelUserDump ? OstrelReadFailed : OstrelOk;
    const std::pair<int32_t, const NodeLayout *> kinds[] = {
        {OstrelSatellite, &config.sat}, {OstrelTransponder, &config.tp}, {OstrelProgramme, &config.pg}};
    for (const auto &kind : kinds) {
        for (const FieldDescriptor &d : kind.second->fields) {
            // Read-only and hidden fields are the editor's own (ids, order): it sets them.
            // Preset data stores its columns as text, which the receiver reads into the
            // fields of its own layout: a number must fit there, an option text is kept.
            if (d.type == FieldType::Text || d.readOnly || d.editHidden
                || (type != OstrelUserDump && d.type != FieldType::Integer))
                continue;
            FieldRange range{};
            range.kind = kind.first;
            copyText(range.name, OstrelNameUnits, d.name);
            range.valueKind = d.type == FieldType::Integer ? OstrelValueNumber : OstrelValueList;
            range.maximum = d.size >= 32 ? 0xFFFFFFFFu : (1u << d.size) - 1u;
            if (d.type == FieldType::Combobox)
                m_rangeOptions.push_back(d.optionNames.join(QLatin1Char(';')));
            m_ranges.push_back(range);
        }
    }
    // Pointers are taken once the strings no longer move.
    size_t option = 0;
    for (FieldRange &range : m_ranges) {
        if (range.valueKind == OstrelValueList)
            range.options = reinterpret_cast<const char16_t *>(m_rangeOptions[option++].utf16());
    }
    m_rangeList.count = uint32_t(m_ranges.size());
    m_rangeList.items = m_ranges.empty() ? nullptr : m_ranges.data();
    return OstrelOk;
}

bool ParserState::loadUserDump(const QString &path, bool compact)
{
    m_flash.clear();
    // A path with ";" is taken as it is, read with the configuration already in memory.
    if (!path.contains(QLatin1Char(';'))
        && !readConfigFile(m_configDir + QLatin1Char('/') + configFileName(), m_config, &m_error))
        return false;
    setTriggerConfig(&m_config);

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        m_error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    const CompactTargets targets{m_compactSatellites, m_compactTransponders, m_compactProgrammes};
    if (!readUserDump(bytes, m_config, m_db, m_dump, &m_error, compact ? &targets : nullptr)) {
        m_error = QStringLiteral("%1: %2").arg(path, m_error);
        return false;
    }
    return true;
}

bool ParserState::saveUserDump(const QString &path, const NameList &favourites,
                               const std::function<QByteArray(const DumpSave &)> &write)
{
    // "NAME.xml;PATH" saves PATH with another configuration from the same folder.
    QString configName = configFileName();
    QString target = path;
    const int separator = path.indexOf(QLatin1Char(';'));
    if (separator >= 0) {
        configName = path.left(separator);
        target = path.mid(separator + 1);
    }
    DumpSave save;
    if (!readConfigFile(m_configDir + QLatin1Char('/') + configName, save.config, &m_error))
        return false;

    // A null entry leaves its slot as it was; an empty name clears it.
    if (favourites.names) {
        for (uint32_t i = 0; i < favourites.count; ++i) {
            const char16_t *name = favourites.names[i];
            QString text = name ? pathText(name) : QString();
            if (name && text.isNull())
                text = QStringLiteral("");
            save.names.append(text);
        }
    }
    save.head = m_dump.head.isEmpty() ? nullptr : &m_dump.head;
    save.trailingBlock = m_dump.hasTrailingBlock ? &m_dump.trailingBlock : nullptr;
    const QByteArray dump = write(save);
    if (dump.isNull())
        return false;
    return saveFileAtomically(target, dump, &m_error);
}

bool ParserState::loadFlashImage(const QString &path)
{
    const FlashPresetCodec codec = makeFlashPresetCodec(m_db, m_presetColumns, m_tool);
    if (!m_flash.load(path, codec)) {
        // Named as the dump reader names its file, without the database prefix.
        QString file;
        FlashImage::splitPath(path, &file);
        m_error = file.isEmpty() ? m_flash.errorString() : QStringLiteral("%1: %2").arg(file, m_flash.errorString());
        return false;
    }
    return true;
}

bool ParserState::saveFlashImage(const QString &path, RecordList &satellites,
                                 RecordList &transponders, RecordList &programmes)
{
    const FlashPresetCodec codec = makeFlashPresetCodec(m_db, m_presetColumns, m_tool);
    if (!m_flash.save(path, satellites, transponders, programmes, codec)) {
        m_error = m_flash.errorString();
        return false;
    }
    return true;
}

bool ParserState::loadDefaultDatabase(const QString &path)
{
    m_flash.clear();
    return readDefaultDatabase(path, m_db, m_presetColumns, m_tool, &m_error);
}

bool ParserState::saveDefaultDatabase(const QString &path, RecordList &satellites,
                                      RecordList &transponders, RecordList &programmes)
{
    return writeDefaultDatabase(path, satellites, transponders, programmes, m_presetColumns, m_tool,
                                &m_error);
}

} // namespace ostrel
