#include "documentio.h"

#include "boundarytext.h"
#include "fieldranges.h"
#include "parserlibrary.h"
#include "recordconversion.h"
#include "serviceorder.h"
#include "templatelists.h"
#include "textcapacities.h"

namespace {

// What Load handed out, in the fixed form or (compact) the compact one.
struct LoadedLists
{
    bool compact = false;
    RecordList *sats = nullptr;
    RecordList *tps = nullptr;
    RecordList *pgs = nullptr;
    ostrel::CompactReader compactSats;
    ostrel::CompactReader compactTps;
    ostrel::CompactReader compactPgs;
    NameList *favourites = nullptr;
    HotKeyList *hotKeys = nullptr;
};

LoadStatus loadLists(ParserLibrary &library, int kind, const QString &path, LoadedLists &lists, int *result)
{
    const std::u16string widePath(reinterpret_cast<const char16_t *>(path.utf16()), size_t(path.size()));
    lists.compact = library.hasCompactRecords();
    int32_t rc = 0;
    bool missing = false;
    if (lists.compact) {
        const CompactRecordSet *sets[3] = {nullptr, nullptr, nullptr};
        rc = library.loadCompact(kind, widePath.c_str(), &sets[0], &sets[1], &sets[2], &lists.favourites,
                                 &lists.hotKeys);
        missing = !sets[0] || !sets[1] || !sets[2];
        // A set that points outside itself is a load that failed.
        if (rc == 0 && !missing
            && !(lists.compactSats.open(sets[0]) && lists.compactTps.open(sets[1]) && lists.compactPgs.open(sets[2])))
            rc = OstrelReadFailed;
    } else {
        rc = library.load(kind, widePath.c_str(), &lists.sats, &lists.tps, &lists.pgs, &lists.favourites,
                          &lists.hotKeys);
        missing = !lists.sats || !lists.tps || !lists.pgs;
    }
    if (result)
        *result = rc;
    if (rc != 0)
        return LoadStatus::LoadError;
    if (missing)
        return LoadStatus::NoDatabase;
    return LoadStatus::Loaded;
}

} // namespace

LoadStatus loadSummary(ParserLibrary &library, int kind, const QString &path, DocumentSummary &summary,
                       int *result)
{
    LoadedLists lists;
    const LoadStatus status = loadLists(library, kind, path, lists, result);
    if (status != LoadStatus::Loaded)
        return status;
    summary.counts = lists.compact ? countDatabase(lists.compactSats, lists.compactTps, lists.compactPgs)
                                   : countDatabase(*lists.sats, *lists.tps, *lists.pgs);
    // Counted as loadDocument keeps them: every favourite slot, every hot key that is there.
    summary.favourites = lists.favourites && lists.favourites->names ? int(lists.favourites->count) : 0;
    summary.hotKeys = 0;
    for (uint32_t i = 0; lists.hotKeys && lists.hotKeys->items && i < lists.hotKeys->count; ++i) {
        if (lists.hotKeys->items[i])
            ++summary.hotKeys;
    }
    summary.satMaxNum = library.getSatMaxNum();
    return LoadStatus::Loaded;
}

LoadStatus loadDocument(ParserLibrary &library, int kind, const QString &path, DocumentData &doc,
                        int *result)
{
    LoadedLists lists;
    const LoadStatus status = loadLists(library, kind, path, lists, result);
    if (status != LoadStatus::Loaded)
        return status;
    doc.database = lists.compact ? databaseFromCompact(lists.compactSats, lists.compactTps, lists.compactPgs)
                                 : databaseFromRecords(*lists.sats, *lists.tps, *lists.pgs);
    if (kind == OstrelUserDump) {
        ServiceOrder::sortByDefaultOrder(*doc.database);
        // Paid once here rather than by the first move.
        doc.database->orderSatelliteLists();
    }
    doc.satTemplate = templateVector(library.satTemplate());
    doc.tpTemplate = templateVector(library.tpTemplate());
    doc.pgTemplate = templateVector(library.pgTemplate());

    TemplateList satList{0, nullptr}, tpList{0, nullptr}, pgList{0, nullptr};
    library.uiConfig(&satList, &tpList, &pgList);
    doc.satFields = templateMap(&satList);
    doc.tpFields = templateMap(&tpList);
    doc.pgFields = templateMap(&pgList);

    doc.favouriteNames.clear();
    if (const NameList *favourites = lists.favourites; favourites && favourites->names) {
        for (uint32_t i = 0; i < favourites->count; ++i)
            doc.favouriteNames << (favourites->names[i] ? QString::fromUtf16(favourites->names[i]) : QString());
    }

    doc.hotKeys.clear();
    if (const HotKeyList *hotKeys = lists.hotKeys; hotKeys && hotKeys->items) {
        for (uint32_t i = 0; i < hotKeys->count; ++i) {
            if (const HotKeyItem *key = hotKeys->items[i])
                doc.hotKeys.append(HotKey{key->name ? QString::fromUtf16(key->name) : QString(), key->satId,
                                          key->tpId, key->pgId});
        }
    }

    doc.favHotKeys.clear();
    FavHotKeyGroupList *groups = nullptr;
    if (library.getFavHotKeyGroups(&groups) == 0 && groups && groups->items) {
        for (uint32_t i = 0; i < groups->count; ++i) {
            if (const FavHotKeyItem *key = groups->items[i])
                doc.favHotKeys.append(FavHotKey{key->name ? QString::fromUtf16(key->name) : QString(), key->favIndex});
        }
    }

    doc.satMaxNum = library.getSatMaxNum();
    applyTextCapacities(doc, TextCapacities::query(library, kind));
    applyFieldRanges(doc, FieldRanges::query(library, kind));
    return LoadStatus::Loaded;
}

SaveOutcome saveDocument(ParserLibrary *library, const QString &libraryName, int kind,
                         const QString &path, const DocumentData &doc, int *result)
{
    if (result)
        *result = -1;
    if (!doc.database)
        return SaveOutcome::NotAttempted;
    SaveNames names(doc.favouriteNames);
    SaveHotKeys hotKeys(doc.hotKeys);
    SaveFavHotKeys favHotKeys(doc.favHotKeys);

    if (!library)
        return SaveOutcome::NotAttempted;
    if (libraryName.isEmpty() || !library->bind(libraryName))
        return SaveOutcome::NoLibrary;
    library->setFavHotKeyGroups(favHotKeys.head());

    // The local 8-bit encoding is UTF-8 here, so the path reaches the library whole.
    const QString localPath = QString::fromLocal8Bit(path.toLocal8Bit());
    const std::u16string widePath(reinterpret_cast<const char16_t *>(localPath.utf16()),
                                  size_t(localPath.size()));
    // A dump's "default_order" follows the service order once that differs
    // from the stored values; until then they are written as loaded.
    const bool renumber = ServiceOrder::renumbersOnSave(*doc.database, kind);
    int32_t rc = -1;
    if (library->hasCompactRecords()) {
        SaveCompactRecords records(*doc.database, renumber);
        rc = library->saveCompact(kind, widePath.c_str(), records.satellites(), records.transponders(),
                                  records.programmes(), names.head(), hotKeys.head());
    } else {
        SaveRecords records(*doc.database, renumber);
        rc = library->save(kind, widePath.c_str(), records.satellites(), records.transponders(),
                           records.programmes(), names.head(), hotKeys.head());
    }
    if (result)
        *result = rc;
    return rc == 0 ? SaveOutcome::Saved : SaveOutcome::NotSupported;
}
