#pragma once
// The parser library's one state: the last loaded database, the configuration and
// what a later save reuses. The exported entry points forward to instance().

#include "compactrecords.h"
#include "externaltool.h"
#include "flashimage.h"
#include "ostrel_api.h"
#include "parserconfig.h"
#include "presetdata.h"
#include "records.h"
#include "userdbdump.h"

#include <QString>

#include <functional>

namespace ostrel {

class ParserState
{
public:
    // configDir: the folder holding tavrin_ostrel_config.xml; empty means
    // "conf" below the executable's folder, or share/tavrin/conf when installed.
    explicit ParserState(const QString &configDir = QString());
    ~ParserState();
    ParserState(const ParserState &) = delete;
    ParserState &operator=(const ParserState &) = delete;

    static ParserState &instance();
    static QString executableDir();
    static QString configFileName() { return QStringLiteral("tavrin_ostrel_config.xml"); }

    int32_t load(int32_t type, const char16_t *path, RecordList **satellites,
                 RecordList **transponders, RecordList **programmes, NameList **favourites,
                 HotKeyList **hotKeys);
    int32_t save(int32_t type, const char16_t *path, RecordList *satellites,
                 RecordList *transponders, RecordList *programmes, NameList *favourites,
                 HotKeyList *hotKeys);
    // The same as load and save, with the records in the compact form.
    int32_t loadCompact(int32_t type, const char16_t *path, const CompactRecordSet **satellites,
                        const CompactRecordSet **transponders, const CompactRecordSet **programmes,
                        NameList **favourites, HotKeyList **hotKeys);
    int32_t saveCompact(int32_t type, const char16_t *path, const CompactRecordSet *satellites,
                        const CompactRecordSet *transponders, const CompactRecordSet *programmes,
                        NameList *favourites, HotKeyList *hotKeys);
    int32_t clean();
    int32_t uiConfig(TemplateList *sat, TemplateList *tp, TemplateList *pg);
    TemplateList *satTemplate() { return m_db.satTemplates.head(); }
    TemplateList *tpTemplate() { return m_db.tpTemplates.head(); }
    TemplateList *pgTemplate() { return m_db.pgTemplates.head(); }
    int32_t satMaxNum() const { return m_config.satMaxNum; }

    const ParserConfig &config() const { return m_config; }
    const UserDumpExtras &dumpExtras() const { return m_dump; }
    LoadedDatabase &database() { return m_db; }
    QString configDir() const { return m_configDir; }
    // Why the last load or save failed, for diagnostics; empty after a success.
    QString errorString() const { return m_error; }
    const char16_t *errorText() const { return reinterpret_cast<const char16_t *>(m_error.utf16()); }
    // What each text field of a file kind keeps; the list lives until the next call.
    int32_t textCapacities(int32_t type, CapacityList **list);
    // Which numbers and options each field of a file kind keeps; the list lives until the next call.
    int32_t fieldRanges(int32_t type, FieldRangeList **list);

private:
    // Reads path into the state; compact: a dump's records into the compact sets only.
    int32_t read(int32_t type, const char16_t *path, NameList **favourites, HotKeyList **hotKeys, bool compact);
    bool loadUserDump(const QString &path, bool compact);
    // What writing a dump needs besides its records.
    struct DumpSave
    {
        ParserConfig config;
        QStringList names;
        const HeadTable *head = nullptr;
        const QByteArray *trailingBlock = nullptr;
    };
    // Writes what write() makes of the configuration and the favourite names to path.
    bool saveUserDump(const QString &path, const NameList &favourites,
                      const std::function<QByteArray(const DumpSave &)> &write);
    // Other file kinds plug in here.
    bool loadFlashImage(const QString &path);
    bool saveFlashImage(const QString &path, RecordList &satellites, RecordList &transponders,
                        RecordList &programmes);
    bool loadDefaultDatabase(const QString &path);
    bool saveDefaultDatabase(const QString &path, RecordList &satellites,
                             RecordList &transponders, RecordList &programmes);

    QString m_configDir;
    ParserConfig m_config;
    LoadedDatabase m_db;
    UserDumpExtras m_dump;
    // The preset columns of the last default database or flash image; a save
    // writes its columns in the same order.
    PresetColumns m_presetColumns;
    // A flash image stays loaded across Clean: only the same image can be saved.
    FlashImage m_flash;
    ExternalTool m_tool;
    HotKeyList m_hotKeys;
    CompactBuilder m_compactSatellites;
    CompactBuilder m_compactTransponders;
    CompactBuilder m_compactProgrammes;
    std::vector<FieldCapacity> m_capacities;
    CapacityList m_capacityList{0, nullptr, 0, 0};
    std::vector<FieldRange> m_ranges;
    std::vector<QString> m_rangeOptions; // what m_ranges' options point into
    FieldRangeList m_rangeList{0, nullptr};
    QString m_error;
};

} // namespace ostrel
