#pragma once

#include "ostrel_api.h"

#include <QLibrary>
#include <QString>

#include <memory>

// The parser library the editor has loaded, and its entry points. An entry the
// library does not export stays null and its wrapper returns -1 (or null).
class ParserLibrary
{
public:
    ParserLibrary() = default;
    ~ParserLibrary();
    ParserLibrary(const ParserLibrary &) = delete;
    ParserLibrary &operator=(const ParserLibrary &) = delete;

    // Loads the library named in the registry: the program's folder first, then
    // lib/tavrin of an installed tree, then the system search order. The same name again keeps the loaded library.
    bool bind(const QString &libraryName);
    void unload();

    bool isLoaded() const { return m_library != nullptr; }
    QString path() const { return m_path; }
    QString errorString() const { return m_error; }

    int32_t load(int32_t type, const char16_t *path, RecordList **sats, RecordList **tps,
                 RecordList **pgs, NameList **favourites, HotKeyList **hotKeys);
    int32_t save(int32_t type, const char16_t *path, RecordList *sats, RecordList *tps,
                 RecordList *pgs, NameList *favourites, HotKeyList *hotKeys);
    // The compact pair, when the library exports both entries.
    bool hasCompactRecords() const { return m_compactAllowed && m_loadCompact && m_saveCompact; }
    // Off: the fixed entries even where the compact pair exists, so the two can be
    // compared (TAVRIN_FIXED_RECORDS in the environment starts it off).
    void setCompactAllowed(bool allowed) { m_compactAllowed = allowed; }
    int32_t loadCompact(int32_t type, const char16_t *path, const CompactRecordSet **sats,
                        const CompactRecordSet **tps, const CompactRecordSet **pgs, NameList **favourites,
                        HotKeyList **hotKeys);
    int32_t saveCompact(int32_t type, const char16_t *path, const CompactRecordSet *sats,
                        const CompactRecordSet *tps, const CompactRecordSet *pgs, NameList *favourites,
                        HotKeyList *hotKeys);
    int32_t clean();
    int32_t uiConfig(TemplateList *sat, TemplateList *tp, TemplateList *pg);
    TemplateList *satTemplate();
    TemplateList *tpTemplate();
    TemplateList *pgTemplate();
    int32_t getSatMaxNum();
    int32_t getFavHotKeyGroups(FavHotKeyGroupList **groups);
    int32_t setFavHotKeyGroups(FavHotKeyGroupList *groups);
    // Why the last load or save failed; empty when the library does not say.
    QString errorText();
    int32_t getTextCapacities(int32_t type, CapacityList **list);
    int32_t getFieldRanges(int32_t type, FieldRangeList **list);

    bool hasEntry(const char *name) const;

private:
    void resolveEntries();
    void clearEntries();

    std::unique_ptr<QLibrary> m_library;
    QString m_path;
    QString m_error;
    bool m_compactAllowed = !qEnvironmentVariableIsSet("TAVRIN_FIXED_RECORDS");

    OstrelLoadFn m_load = nullptr;
    OstrelGetSatMaxNumFn m_getSatMaxNum = nullptr;
    OstrelGetFavHotKeyGroupsFn m_getFavHotKeyGroups = nullptr;
    OstrelSetFavHotKeyGroupsFn m_setFavHotKeyGroups = nullptr;
    OstrelGetErrorTextFn m_getErrorText = nullptr;
    OstrelGetTextCapacitiesFn m_getTextCapacities = nullptr;
    OstrelGetFieldRangesFn m_getFieldRanges = nullptr;
    OstrelSaveFn m_save = nullptr;
    OstrelLoadCompactFn m_loadCompact = nullptr;
    OstrelSaveCompactFn m_saveCompact = nullptr;
    OstrelUIConfigFn m_uiConfig = nullptr;
    OstrelCleanFn m_clean = nullptr;
    OstrelTemplateFn m_satTemplate = nullptr;
    OstrelTemplateFn m_tpTemplate = nullptr;
    OstrelTemplateFn m_pgTemplate = nullptr;
};
