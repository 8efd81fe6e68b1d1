// The library's entry points: plain C functions forwarding to the one parser state.
// Nothing may unwind through them, so every call is fenced.

#include "parserstate.h"

#include <type_traits>

#define OSTREL_EXPORT extern "C" __attribute__((visibility("default")))

using ostrel::ParserState;

namespace {

template<typename Call>
int32_t fenced(int32_t failure, Call call) noexcept
{
    try {
        return call();
    } catch (...) {
        return failure;
    }
}

TemplateList *emptyTemplates()
{
    static TemplateList empty{0, nullptr};
    return &empty;
}

template<typename Call>
TemplateList *fencedList(Call call) noexcept
{
    try {
        return call();
    } catch (...) {
        return emptyTemplates();
    }
}

} // namespace

OSTREL_EXPORT int32_t Load(int32_t type, const char16_t *path, RecordList **sats,
                           RecordList **tps, RecordList **pgs, NameList **favourites,
                           HotKeyList **hotKeys)
{
    return fenced(OstrelReadFailed, [&] {
        return ParserState::instance().load(type, path, sats, tps, pgs, favourites, hotKeys);
    });
}

OSTREL_EXPORT int32_t Save(int32_t type, const char16_t *path, RecordList *sats, RecordList *tps,
                           RecordList *pgs, NameList *favourites, HotKeyList *hotKeys)
{
    return fenced(OstrelWriteFailed, [&] {
        return ParserState::instance().save(type, path, sats, tps, pgs, favourites, hotKeys);
    });
}

OSTREL_EXPORT int32_t LoadCompact(int32_t type, const char16_t *path, const CompactRecordSet **sats,
                                  const CompactRecordSet **tps, const CompactRecordSet **pgs,
                                  NameList **favourites, HotKeyList **hotKeys)
{
    return fenced(OstrelReadFailed, [&] {
        return ParserState::instance().loadCompact(type, path, sats, tps, pgs, favourites, hotKeys);
    });
}

OSTREL_EXPORT int32_t SaveCompact(int32_t type, const char16_t *path, const CompactRecordSet *sats,
                                  const CompactRecordSet *tps, const CompactRecordSet *pgs,
                                  NameList *favourites, HotKeyList *hotKeys)
{
    return fenced(OstrelWriteFailed, [&] {
        return ParserState::instance().saveCompact(type, path, sats, tps, pgs, favourites, hotKeys);
    });
}

OSTREL_EXPORT int32_t Clean()
{
    return fenced(OstrelOk, [] { return ParserState::instance().clean(); });
}

OSTREL_EXPORT int32_t UIConfig(TemplateList *sat, TemplateList *tp, TemplateList *pg)
{
    return fenced(OstrelBadArgument, [&] { return ParserState::instance().uiConfig(sat, tp, pg); });
}

OSTREL_EXPORT TemplateList *SatTemplate()
{
    return fencedList([] { return ParserState::instance().satTemplate(); });
}

OSTREL_EXPORT TemplateList *TPTemplate()
{
    return fencedList([] { return ParserState::instance().tpTemplate(); });
}

OSTREL_EXPORT TemplateList *PGTemplate()
{
    return fencedList([] { return ParserState::instance().pgTemplate(); });
}

OSTREL_EXPORT int32_t GetSatMaxNum()
{
    return fenced(-1, [] { return ParserState::instance().satMaxNum(); });
}

OSTREL_EXPORT const char16_t *GetErrorText()
{
    try {
        return ParserState::instance().errorText();
    } catch (...) {
        return u"";
    }
}

OSTREL_EXPORT int32_t GetTextCapacities(int32_t type, CapacityList **list)
{
    return fenced(OstrelReadFailed, [&] { return ParserState::instance().textCapacities(type, list); });
}

OSTREL_EXPORT int32_t GetFieldRanges(int32_t type, FieldRangeList **list)
{
    return fenced(OstrelReadFailed, [&] { return ParserState::instance().fieldRanges(type, list); });
}

// The entry points must keep the shapes the editor resolves them as.
static_assert(std::is_same_v<decltype(&Load), OstrelLoadFn>);
static_assert(std::is_same_v<decltype(&Save), OstrelSaveFn>);
static_assert(std::is_same_v<decltype(&Clean), OstrelCleanFn>);
static_assert(std::is_same_v<decltype(&LoadCompact), OstrelLoadCompactFn>);
static_assert(std::is_same_v<decltype(&SaveCompact), OstrelSaveCompactFn>);
static_assert(std::is_same_v<decltype(&UIConfig), OstrelUIConfigFn>);
static_assert(std::is_same_v<decltype(&SatTemplate), OstrelTemplateFn>);
static_assert(std::is_same_v<decltype(&GetSatMaxNum), OstrelGetSatMaxNumFn>);
static_assert(std::is_same_v<decltype(&GetErrorText), OstrelGetErrorTextFn>);
static_assert(std::is_same_v<decltype(&GetTextCapacities), OstrelGetTextCapacitiesFn>);
static_assert(std::is_same_v<decltype(&GetFieldRanges), OstrelGetFieldRangesFn>);
