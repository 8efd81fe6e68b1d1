#pragma once
// The records and entry points that cross between the editor and the parser
// library. Both deliverables include this one header, so the layouts cannot drift.
// All text is zero-terminated UTF-16 (char16_t; wchar_t is 32-bit on Linux).

#include <cstdint>

extern "C" {

enum OstrelFileKind : int32_t {
    OstrelFlashImage = 1,
    OstrelUserDump = 2,
    OstrelDefaultDatabase = 3,
};

enum OstrelResult : int32_t {
    OstrelOk = 0,
    OstrelWriteFailed = 1,
    OstrelBadArgument = 2,
    OstrelReadFailed = 3,
};

enum OstrelRecordKind : int32_t {
    OstrelSatellite = 1,
    OstrelTransponder = 2,
    OstrelProgramme = 3,
};

enum : int {
    OstrelNameUnits = 30,  // FieldValue.name, FieldTemplate.name, with the terminator
    OstrelTextUnits = 100, // FieldValue.text, FieldTemplate.defaultText, with the terminator
};

enum OstrelTemplateFlag : uint32_t {
    OstrelFlagReadOnly = 1u << 0,
    OstrelFlagEditHidden = 1u << 1,
    OstrelFlagDuplicateCheck = 1u << 2,
};

struct FieldValue
{
    char16_t name[OstrelNameUnits];
    char16_t text[OstrelTextUnits];
};

struct DataRecord
{
    uint32_t count;
    uint32_t id;
    uint32_t parentId;
    FieldValue *values;
};

struct RecordList
{
    uint32_t count;
    DataRecord **records;
};

struct NameList
{
    uint32_t count;
    char16_t **names;
};

// satId, tpId and pgId are all 0xFFFFFFFF while the key is unassigned.
struct HotKeyItem
{
    const char16_t *name;
    uint32_t satId;
    uint32_t tpId;
    uint32_t pgId;
};

struct HotKeyList
{
    uint32_t count;
    HotKeyItem **items;
};

// favIndex is -1 while the key is unassigned.
struct FavHotKeyItem
{
    const char16_t *name;
    int32_t favIndex;
};

struct FavHotKeyGroupList
{
    uint32_t count;
    FavHotKeyItem **items;
};

// Returns 0 when a rule fired and changed the record, 1 for a bad kind, 2 when nothing fired.
typedef int32_t (*TriggerCallback)(const char16_t *fieldName, DataRecord *record);

struct FieldTemplate
{
    int32_t kind;
    char16_t name[OstrelNameUnits];
    char16_t defaultText[OstrelTextUnits];
    int32_t reserved0;
    int32_t open;
    uint32_t flags;
    int32_t reserved1;
    int32_t reserved2;
    const char16_t *editorSpec; // null for a plain text field
    int32_t editorSpecLength;   // units including the terminator; 0 when null
    int32_t reserved3;
    int32_t reserved4;
    int32_t reserved5;
    TriggerCallback trigger;
};

struct TemplateList
{
    uint32_t count;
    FieldTemplate *items;
};

typedef int32_t (*OstrelLoadFn)(int32_t type, const char16_t *path, RecordList **sats,
                                RecordList **tps, RecordList **pgs, NameList **favourites,
                                HotKeyList **hotKeys);
typedef int32_t (*OstrelSaveFn)(int32_t type, const char16_t *path, RecordList *sats,
                                RecordList *tps, RecordList *pgs, NameList *favourites,
                                HotKeyList *hotKeys);
typedef int32_t (*OstrelCleanFn)();
typedef int32_t (*OstrelUIConfigFn)(TemplateList *sat, TemplateList *tp, TemplateList *pg);
typedef TemplateList *(*OstrelTemplateFn)();
typedef int32_t (*OstrelGetSatMaxNumFn)();
typedef int32_t (*OstrelGetFavHotKeyGroupsFn)(FavHotKeyGroupList **groups);
typedef int32_t (*OstrelSetFavHotKeyGroupsFn)(FavHotKeyGroupList *groups);
// Optional: why the last Load or Save failed ("PATH: No space left on device"),
// zero-terminated, owned by the library until its next call; empty after a success.
typedef const char16_t *(*OstrelGetErrorTextFn)();

// How many UTF-16 units one text field keeps in a file of some kind.
struct FieldCapacity
{
    int32_t kind; // OstrelRecordKind
    char16_t name[OstrelNameUnits];
    int32_t units; // never more than OstrelTextUnits - 1
};

// Fields the list does not name keep OstrelTextUnits - 1 units.
struct CapacityList
{
    uint32_t count;
    FieldCapacity *items;
    int32_t nameUnits;          // a field name: OstrelNameUnits - 1
    int32_t favouriteNameUnits; // one favourite-group name; 0 when the kind keeps none
};

// Optional: the capacities of a file kind, from the configuration. 0 on success;
// the list is the library's until its next call.
typedef int32_t (*OstrelGetTextCapacitiesFn)(int32_t type, CapacityList **list);

// Which values a field keeps in a file of some kind, beyond its text.
enum OstrelValueKind : int32_t {
    OstrelValueNumber = 1, // a decimal number from minimum to maximum
    OstrelValueList = 2,   // an option of the field's editorSpec, or a number from minimum to maximum
};

struct FieldRange
{
    int32_t kind; // OstrelRecordKind
    char16_t name[OstrelNameUnits];
    int32_t valueKind; // OstrelValueKind
    uint32_t minimum;
    uint32_t maximum;
    const char16_t *options; // a list's option names joined by ';'; null for a number
};

// Fields the list does not name keep any text.
struct FieldRangeList
{
    uint32_t count;
    FieldRange *items;
};

// Optional: the numeric and list fields of a file kind the user may edit, from the
// configuration. 0 on success; the list is the library's until its next call.
typedef int32_t (*OstrelGetFieldRangesFn)(int32_t type, FieldRangeList **list);

// The compact form of a record list: the same records as the fixed one, with
// every text held once in one block of UTF-16 units (no terminators). Field
// names are given once per template; a record names its template and where its
// values start in `values`, one span per field of the template. A reader checks
// every index, offset and length before it follows one.
struct TextSpan
{
    uint32_t offset; // units from the start of text
    uint32_t length; // units
};

struct CompactTemplate
{
    uint32_t fieldCount;
    uint32_t firstName; // the template's names are names[firstName .. firstName + fieldCount)
};

struct CompactRecord
{
    uint32_t id;
    uint32_t parentId;
    uint32_t templateIndex;
    uint32_t firstValue; // the record's values are values[firstValue .. + the template's fieldCount)
};

struct CompactRecordSet
{
    uint32_t recordCount;
    const CompactRecord *records;
    uint32_t templateCount;
    const CompactTemplate *templates;
    uint32_t nameCount;
    const TextSpan *names;
    uint32_t valueCount;
    const TextSpan *values;
    uint32_t textUnits;
    const char16_t *text;
};

// Optional: Load and Save with the records in the compact form; the favourites
// and hot keys are as for Load and Save. What LoadCompact hands out is the
// library's until its next load of either form or Clean. SaveCompact writes
// nothing back into what it is given (Save writes the new ids back).
typedef int32_t (*OstrelLoadCompactFn)(int32_t type, const char16_t *path, const CompactRecordSet **sats,
                                       const CompactRecordSet **tps, const CompactRecordSet **pgs,
                                       NameList **favourites, HotKeyList **hotKeys);
typedef int32_t (*OstrelSaveCompactFn)(int32_t type, const char16_t *path, const CompactRecordSet *sats,
                                       const CompactRecordSet *tps, const CompactRecordSet *pgs,
                                       NameList *favourites, HotKeyList *hotKeys);

} // extern "C"

static_assert(sizeof(HotKeyItem) == 24, "HotKeyItem crosses the boundary as 24 bytes");
static_assert(sizeof(FieldValue) == sizeof(char16_t) * (OstrelNameUnits + OstrelTextUnits), "FieldValue is packed text");
