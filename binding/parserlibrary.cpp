#include "parserlibrary.h"

#include "installlayout.h"
#include "programpaths.h"

#include <cstring>

#include <QCoreApplication>

ParserLibrary::~ParserLibrary()
{
    unload();
}

bool ParserLibrary::bind(const QString &libraryName)
{
    if (m_library && libraryName == m_path)
        return true;
    unload();
    m_error.clear();
    if (libraryName.isEmpty()) {
        m_error = QCoreApplication::translate("ParserLibrary", "no library name");
        return false;
    }

    // A bare name is looked for next to the program (only in lib/tavrin when
    // installed) before the system paths.
    QStringList candidates;
    if (!libraryName.contains(QLatin1Char('/'))) {
        const QString dir = programDir();
        if (!tavrin::isInstalledTree(dir))
            candidates << dir + QLatin1Char('/') + libraryName;
        candidates << tavrin::installedLibraryDir(dir) + QLatin1Char('/') + libraryName;
    }
    candidates << libraryName;
    for (const QString &candidate : qAsConst(candidates)) {
        auto library = std::make_unique<QLibrary>(candidate);
        if (library->load()) {
            m_library = std::move(library);
            m_path = libraryName;
            resolveEntries();
            return true;
        }
        m_error = library->errorString();
    }
    return false;
}

void ParserLibrary::unload()
{
    if (!m_library)
        return;
    clearEntries();
    m_library->unload();
    m_library.reset();
    m_path.clear();
}

template<typename Fn>
static Fn entry(QLibrary &library, const char *name)
{
    return reinterpret_cast<Fn>(library.resolve(name));
}

void ParserLibrary::resolveEntries()
{
    QLibrary &l = *m_library;
    m_load = entry<OstrelLoadFn>(l, "Load");
    m_getSatMaxNum = entry<OstrelGetSatMaxNumFn>(l, "GetSatMaxNum");
    m_getFavHotKeyGroups = entry<OstrelGetFavHotKeyGroupsFn>(l, "GetFavHotKeyGroups");
    m_setFavHotKeyGroups = entry<OstrelSetFavHotKeyGroupsFn>(l, "SetFavHotKeyGroups");
    m_getErrorText = entry<OstrelGetErrorTextFn>(l, "GetErrorText");
    m_getTextCapacities = entry<OstrelGetTextCapacitiesFn>(l, "GetTextCapacities");
    m_getFieldRanges = entry<OstrelGetFieldRangesFn>(l, "GetFieldRanges");
    m_save = entry<OstrelSaveFn>(l, "Save");
    m_loadCompact = entry<OstrelLoadCompactFn>(l, "LoadCompact");
    m_saveCompact = entry<OstrelSaveCompactFn>(l, "SaveCompact");
    m_uiConfig = entry<OstrelUIConfigFn>(l, "UIConfig");
    m_clean = entry<OstrelCleanFn>(l, "Clean");
    m_satTemplate = entry<OstrelTemplateFn>(l, "SatTemplate");
    m_tpTemplate = entry<OstrelTemplateFn>(l, "TPTemplate");
    m_pgTemplate = entry<OstrelTemplateFn>(l, "PGTemplate");
}

void ParserLibrary::clearEntries()
{
    m_load = nullptr;
    m_getSatMaxNum = nullptr;
    m_getFavHotKeyGroups = nullptr;
    m_setFavHotKeyGroups = nullptr;
    m_getErrorText = nullptr;
    m_getTextCapacities = nullptr;
    m_getFieldRanges = nullptr;
    m_save = nullptr;
    m_loadCompact = nullptr;
    m_saveCompact = nullptr;
    m_uiConfig = nullptr;
    m_clean = nullptr;
    m_satTemplate = nullptr;
    m_tpTemplate = nullptr;
    m_pgTemplate = nullptr;
}

bool ParserLibrary::hasEntry(const char *name) const
{
    const std::pair<const char *, const void *> entries[] = {
        {"Load", reinterpret_cast<const void *>(m_load)},
        {"GetSatMaxNum", reinterpret_cast<const void *>(m_getSatMaxNum)},
        {"GetFavHotKeyGroups", reinterpret_cast<const void *>(m_getFavHotKeyGroups)},
        {"SetFavHotKeyGroups", reinterpret_cast<const void *>(m_setFavHotKeyGroups)},
        {"GetErrorText", reinterpret_cast<const void *>(m_getErrorText)},
        {"GetTextCapacities", reinterpret_cast<const void *>(m_getTextCapacities)},
        {"GetFieldRanges", reinterpret_cast<const void *>(m_getFieldRanges)},
        {"Save", reinterpret_cast<const void *>(m_save)},
        {"LoadCompact", reinterpret_cast<const void *>(m_loadCompact)},
        {"SaveCompact", reinterpret_cast<const void *>(m_saveCompact)},
        {"UIConfig", reinterpret_cast<const void *>(m_uiConfig)},
        {"Clean", reinterpret_cast<const void *>(m_clean)},
        {"SatTemplate", reinterpret_cast<const void *>(m_satTemplate)},
        {"TPTemplate", reinterpret_cast<const void *>(m_tpTemplate)},
        {"PGTemplate", reinterpret_cast<const void *>(m_pgTemplate)},
    };
    for (const auto &e : entries) {
        if (std::strcmp(e.first, name) == 0)
            return e.second != nullptr;
    }
    return false;
}

int32_t ParserLibrary::load(int32_t type, const char16_t *path, RecordList **sats, RecordList **tps,
                            RecordList **pgs, NameList **favourites, HotKeyList **hotKeys)
{
    return m_load ? m_load(type, path, sats, tps, pgs, favourites, hotKeys) : -1;
}

int32_t ParserLibrary::save(int32_t type, const char16_t *path, RecordList *sats, RecordList *tps,
                            RecordList *pgs, NameList *favourites, HotKeyList *hotKeys)
{
    return m_save ? m_save(type, path, sats, tps, pgs, favourites, hotKeys) : -1;
}

int32_t ParserLibrary::loadCompact(int32_t type, const char16_t *path, const CompactRecordSet **sats,
                                   const CompactRecordSet **tps, const CompactRecordSet **pgs,
                                   NameList **favourites, HotKeyList **hotKeys)
{
    return m_loadCompact ? m_loadCompact(type, path, sats, tps, pgs, favourites, hotKeys) : -1;
}

int32_t ParserLibrary::saveCompact(int32_t type, const char16_t *path, const CompactRecordSet *sats,
                                   const CompactRecordSet *tps, const CompactRecordSet *pgs,
                                   NameList *favourites, HotKeyList *hotKeys)
{
    return m_saveCompact ? m_saveCompact(type, path, sats, tps, pgs, favourites, hotKeys) : -1;
}

int32_t ParserLibrary::clean()
{
    return m_clean ? m_clean() : -1;
}

int32_t ParserLibrary::uiConfig(TemplateList *sat, TemplateList *tp, TemplateList *pg)
{
    return m_uiConfig ? m_uiConfig(sat, tp, pg) : -1;
}

TemplateList *ParserLibrary::satTemplate()
{
    return m_satTemplate ? m_satTemplate() : nullptr;
}

TemplateList *ParserLibrary::tpTemplate()
{
    return m_tpTemplate ? m_tpTemplate() : nullptr;
}

TemplateList *ParserLibrary::pgTemplate()
{
    return m_pgTemplate ? m_pgTemplate() : nullptr;
}

int32_t ParserLibrary::getSatMaxNum()
{
    return m_getSatMaxNum ? m_getSatMaxNum() : -1;
}

int32_t ParserLibrary::getFavHotKeyGroups(FavHotKeyGroupList **groups)
{
    return m_getFavHotKeyGroups ? m_getFavHotKeyGroups(groups) : -1;
}

int32_t ParserLibrary::setFavHotKeyGroups(FavHotKeyGroupList *groups)
{
    return m_setFavHotKeyGroups ? m_setFavHotKeyGroups(groups) : -1;
}

QString ParserLibrary::errorText()
{
    const char16_t *text = m_getErrorText ? m_getErrorText() : nullptr;
    return text ? QString::fromUtf16(text) : QString();
}

int32_t ParserLibrary::getTextCapacities(int32_t type, CapacityList **list)
{
    return m_getTextCapacities ? m_getTextCapacities(type, list) : -1;
}

int32_t ParserLibrary::getFieldRanges(int32_t type, FieldRangeList **list)
{
    return m_getFieldRanges ? m_getFieldRanges(type, list) : -1;
}
