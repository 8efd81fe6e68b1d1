#include "fakeparser.h"

#include "ostrel_api.h"

#include <QtGlobal>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

FakeParserState g_state;

void copyText(char16_t *to, size_t units, const std::u16string &text)
{
    const size_t n = std::min(units - 1, text.size());
    std::memcpy(to, text.data(), n * sizeof(char16_t));
    to[n] = 0;
}

struct Record
{
    std::vector<FieldValue> values;
    DataRecord record{};
};

struct Loaded
{
    std::vector<Record> records[3];
    std::vector<DataRecord *> pointers[3];
    RecordList lists[3]{};
    std::vector<std::u16string> favouriteNames;
    std::vector<char16_t *> favouritePointers;
    NameList favourites{};
    HotKeyItem hotKey{};
    HotKeyItem *hotKeyPointer = &hotKey;
    HotKeyList hotKeys{};
    FavHotKeyItem favHotKey{};
    FavHotKeyItem *favHotKeyPointer = &favHotKey;
    FavHotKeyGroupList favHotKeys{};
};

// Freed when the library is unloaded, as the real one frees its storage.
std::unique_ptr<Loaded> g_loaded;

void addRecord(int list, uint32_t id, uint32_t parentId,
               std::initializer_list<std::pair<std::u16string, std::u16string>> values)
{
    Record r;
    for (const auto &v : values) {
        FieldValue f{};
        copyText(f.name, OstrelNameUnits, v.first);
        copyText(f.text, OstrelTextUnits, v.second);
        r.values.push_back(f);
    }
    r.record.count = uint32_t(r.values.size());
    r.record.id = id;
    r.record.parentId = parentId;
    g_loaded->records[list].push_back(std::move(r));
}

void buildLoaded()
{
    g_loaded = std::make_unique<Loaded>();
    addRecord(0, 1, 0, {{u"id", u"1"}, {u"NAME", u"Sat One"}});
    addRecord(1, 10, 1, {{u"id", u"10"}, {u"sat_id", u"1"}, {u"FRQ", u"11778"}, {u"POL", u"0"}, {u"SYM", u"27500"}});
    addRecord(2, 100, 10, {{u"id", u"100"}, {u"tp_id", u"10"}, {u"NAME", u"First"}, {u"V_PID", u"101"}, {u"FAV", u"1"}, {u"default_order", u"0"}});
    addRecord(2, 101, 10, {{u"id", u"101"}, {u"tp_id", u"10"}, {u"NAME", u"Second"}, {u"V_PID", u"0"}, {u"FAV", u"0"}, {u"default_order", u"1"}});
    for (int list = 0; list < 3; ++list) {
        for (Record &r : g_loaded->records[list]) {
            r.record.values = r.values.data();
            g_loaded->pointers[list].push_back(&r.record);
        }
        g_loaded->lists[list] = {uint32_t(g_loaded->pointers[list].size()), g_loaded->pointers[list].data()};
    }
    g_loaded->favouriteNames = {u"News", u"Sport"};
    for (std::u16string &name : g_loaded->favouriteNames)
        g_loaded->favouritePointers.push_back(name.data());
    g_loaded->favourites = {2, g_loaded->favouritePointers.data()};
    g_loaded->hotKey = {u"F1", 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
    g_loaded->hotKeys = {1, &g_loaded->hotKeyPointer};
    g_loaded->favHotKey = {u"Red", 0};
    g_loaded->favHotKeys = {1, &g_loaded->favHotKeyPointer};
}

FieldTemplate field(const std::u16string &name)
{
    FieldTemplate t{};
    copyText(t.name, OstrelNameUnits, name);
    t.open = 1;
    return t;
}

std::vector<FieldTemplate> g_templates[3] = {
    {field(u"NAME")},
    {field(u"FRQ"), field(u"POL"), field(u"SYM")},
    {field(u"NAME"), field(u"V_PID"), field(u"FAV")},
};
TemplateList g_templateLists[3];

TemplateList *templateList(int which)
{
    g_templateLists[which] = {uint32_t(g_templates[which].size()), g_templates[which].data()};
    return &g_templateLists[which];
}

void copyPath(char16_t *to, const char16_t *from)
{
    size_t n = 0;
    while (from && from[n] && n + 1 < 512) {
        to[n] = from[n];
        ++n;
    }
    to[n] = 0;
}

} // namespace

extern "C" {

Q_DECL_EXPORT FakeParserState *FakeParser()
{
    return &g_state;
}

Q_DECL_EXPORT int32_t Load(int32_t type, const char16_t *path, RecordList **sats, RecordList **tps,
                           RecordList **pgs, NameList **favourites, HotKeyList **hotKeys)
{
    ++g_state.loadCalls;
    if (g_state.onLoad)
        g_state.onLoad();
    g_state.lastLoadKind = type;
    copyPath(g_state.lastLoadPath, path);
    if (g_state.loadResult != 0)
        return g_state.loadResult;
    buildLoaded();
    if (!g_state.nullLists) {
        *sats = &g_loaded->lists[0];
        *tps = &g_loaded->lists[1];
        *pgs = &g_loaded->lists[2];
    }
    *favourites = &g_loaded->favourites;
    *hotKeys = &g_loaded->hotKeys;
    return 0;
}

Q_DECL_EXPORT int32_t Save(int32_t type, const char16_t *path, RecordList *sats, RecordList *,
                           RecordList *pgs, NameList *, HotKeyList *)
{
    ++g_state.saveCalls;
    g_state.lastSaveKind = type;
    copyPath(g_state.lastSavePath, path);
    g_state.lastSaveSatellites = sats ? sats->count : 0;
    g_state.lastSaveProgrammes = pgs ? pgs->count : 0;
    return g_state.saveResult;
}

Q_DECL_EXPORT int32_t Clean()
{
    ++g_state.cleanCalls;
    g_loaded.reset();
    return 0;
}

Q_DECL_EXPORT int32_t UIConfig(TemplateList *sat, TemplateList *tp, TemplateList *pg)
{
    *sat = *templateList(0);
    *tp = *templateList(1);
    *pg = *templateList(2);
    return 0;
}

Q_DECL_EXPORT TemplateList *SatTemplate() { return templateList(0); }
Q_DECL_EXPORT TemplateList *TPTemplate() { return templateList(1); }
Q_DECL_EXPORT TemplateList *PGTemplate() { return templateList(2); }
Q_DECL_EXPORT int32_t GetSatMaxNum() { return 64; }

#ifndef FAKE_NO_OPTIONAL_ENTRIES
Q_DECL_EXPORT int32_t GetFavHotKeyGroups(FavHotKeyGroupList **groups)
{
    if (!g_loaded)
        return 1;
    *groups = &g_loaded->favHotKeys;
    return 0;
}

Q_DECL_EXPORT int32_t SetFavHotKeyGroups(FavHotKeyGroupList *)
{
    return 0;
}

Q_DECL_EXPORT const char16_t *GetErrorText()
{
    return g_state.errorText;
}

Q_DECL_EXPORT int32_t GetTextCapacities(int32_t, CapacityList **list)
{
    static FieldCapacity name{};
    static CapacityList capacities{};
    name = FieldCapacity{OstrelProgramme, {}, g_state.programmeNameUnits};
    copyText(name.name, OstrelNameUnits, u"NAME");
    capacities = {g_state.programmeNameUnits > 0 ? 1u : 0u, &name, OstrelNameUnits - 1, g_state.favouriteNameUnits};
    *list = &capacities;
    return 0;
}
#endif

} // extern "C"
