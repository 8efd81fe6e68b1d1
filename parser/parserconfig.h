#pragma once
// The dump layout and editor-facing field properties read from the parser
// configuration file (tavrin_ostrel_config.xml).

#include "ostrel_api.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace ostrel {

class TemplateStore;

enum class FieldType { Text = 0,
                       Integer = 1,
                       Combobox = 2 };

struct FieldDescriptor
{
    FieldType type = FieldType::Text;
    QString name;        // at most OstrelNameUnits - 1 units
    QString defaultText; // at most OstrelTextUnits - 1 units
    bool open = true;
    bool readOnly = false;
    bool editHidden = false;
    bool duplicateCheck = false;
    bool hasEditorSpec = false;
    QString editorSpec;                 // meaningful only when hasEditorSpec
    QStringList optionNames;            // Combobox: one per option, may be empty texts
    std::vector<uint32_t> optionValues; // Combobox: in option order
    uint32_t offset = 0;                // bits after the end of the previous field of the group
    uint32_t size = 0;                  // width in bits
    uint32_t order = 0;                 // 0: no order

    // The first option's name with that value; empty when none has it.
    QString optionName(uint32_t value, bool *found = nullptr) const;
    // The value of the first option with exactly that name; 0 when none has it.
    uint32_t optionValue(QStringView name, bool *found = nullptr) const;

    // The field's number as shown to the editor: Integer as decimal, Combobox as the
    // option name, or the decimal number when no option has it. Text fields give "".
    QString valueToText(uint32_t value) const;
    // The number a text stands for: Integer read as leading decimal digits, Combobox
    // as the named option's value, or the text's own number when it names none.
    uint32_t textToValue(QStringView text) const;
};

struct TriggerRule
{
    uint32_t from = 0;
    uint32_t to = 0;
    QString target; // at most OstrelNameUnits - 1 units
    uint32_t value = 0;
};

// Element name -> its rules in document order.
using TriggerTable = QHash<QString, std::vector<TriggerRule>>;

// One group of the configuration: the header or one node kind.
struct NodeLayout
{
    uint32_t bytes = 0;                  // the group's `size` in bits, divided by 8
    std::vector<FieldDescriptor> fields; // document order
    std::vector<uint64_t> starts;        // bit position of each field inside the node
    uint64_t usedBits = 0;               // end of the last field
    std::vector<int> order;              // presentation permutation (node kinds only)
    TriggerTable triggers;               // node kinds only

    // Index of the first field with that name, or -1.
    int indexOf(const QString &name, Qt::CaseSensitivity cs = Qt::CaseSensitive) const;
    void clear();
};

struct ParserConfig
{
    uint32_t favOffset = 0; // bytes into the trailing block
    uint32_t favCount = 0;
    uint32_t favLength = 0; // bytes per name
    int32_t satMaxNum = -1; // -1 until a configuration was read
    NodeLayout head;
    NodeLayout sat;
    NodeLayout tp;
    NodeLayout pg;

    // The layout of a RecordKind, or null for another number.
    const NodeLayout *layout(int32_t kind) const;
};

// Reads a configuration file into config. The layouts are emptied first; fav values
// and satMaxNum are kept unless the file sets them. On failure *errorString says
// where, and the parts read before the failure stay in config.
bool readConfigFile(const QString &path, ParserConfig &config, QString *errorString = nullptr);
bool readConfigXml(const QByteArray &xml, ParserConfig &config, QString *errorString = nullptr,
                   const QString &sourceName = QStringLiteral("configuration"));

// Fields with orders o0..on-1 ordered: ordered ones ascending (stable), then the rest.
std::vector<int> buildOrder(const std::vector<uint32_t> &orders);

// Fills store with the templates of one node kind in presentation order.
void buildTemplates(int32_t kind, const NodeLayout &layout, TriggerCallback trigger,
                    TemplateStore &store);

// Attribute conversions shared by the configuration and the dump.
uint32_t scanUnsigned(QStringView text); // leading decimal digits, 0 when none
bool parseBoolean(const char *text, bool fallback);

} // namespace ostrel
