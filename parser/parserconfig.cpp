#include "parserconfig.h"

#include "records.h"

#include <QFile>

#include <tinyxml2.h>

#include <limits>

namespace ostrel {

namespace {

using tinyxml2::XMLElement;

// Cut to at most units UTF-16 units without splitting a surrogate pair.
QString cutText(const QString &text, int units)
{
    if (text.size() <= units)
        return text;
    int end = units;
    if (end > 0 && text.at(end - 1).isHighSurrogate())
        --end;
    return text.left(end);
}

QString attributeText(const XMLElement *e, const char *name)
{
    const char *value = e->Attribute(name);
    return value ? QString::fromUtf8(value) : QString();
}

uint32_t attributeUnsigned(const XMLElement *e, const char *name)
{
    const char *value = e->Attribute(name);
    return value ? scanUnsigned(QString::fromUtf8(value)) : 0;
}

int32_t attributeSigned(const XMLElement *e, const char *name)
{
    const char *value = e->Attribute(name);
    if (!value)
        return 0;
    const char *p = value;
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r')
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    int64_t n = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        n = std::min<int64_t>(n * 10 + (*p - '0'), int64_t(1) << 32);
    n = negative ? -n : n;
    n = std::max<int64_t>(std::min<int64_t>(n, std::numeric_limits<int32_t>::max()),
                          std::numeric_limits<int32_t>::min());
    return int32_t(n);
}

bool attributeBoolean(const XMLElement *e, const char *name, bool missing)
{
    const char *value = e->Attribute(name);
    return value ? parseBoolean(value, false) : missing;
}

bool isDecimal(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

class ConfigReader
{
public:
    ConfigReader(ParserConfig &config, const QString &source, QString *error)
        : m_config(config), m_source(source), m_error(error)
    {
    }

    bool read(const QByteArray &xml);

private:
    bool fail(int line, const QString &message)
    {
        if (m_error)
            *m_error = QStringLiteral("%1:%2: %3").arg(m_source).arg(line).arg(message);
        return false;
    }
    const XMLElement *group(const XMLElement *root, const char *name);
    void readGroup(const XMLElement *groupElement, NodeLayout &layout, bool nodeKind);
    FieldDescriptor readField(const XMLElement *e) const;
    void readTriggers(const XMLElement *e, const QString &fieldName, TriggerTable &table) const;

    ParserConfig &m_config;
    QString m_source;
    QString *m_error;
};

const XMLElement *ConfigReader::group(const XMLElement *root, const char *name)
{
    const XMLElement *e = root->FirstChildElement(name);
    if (!e)
        fail(root->GetLineNum(),
             QStringLiteral("<userdb_dump> has no <%1> element").arg(QLatin1String(name)));
    return e;
}

bool ConfigReader::read(const QByteArray &xml)
{
    m_config.head.clear();
    m_config.sat.clear();
    m_config.tp.clear();
    m_config.pg.clear();

    tinyxml2::XMLDocument doc;
    if (doc.Parse(xml.constData(), size_t(xml.size())) != tinyxml2::XML_SUCCESS)
        return fail(doc.ErrorLineNum(), QStringLiteral("malformed XML: %1").arg(QString::fromUtf8(doc.ErrorStr())));
    const XMLElement *root = doc.FirstChildElement();
    if (!root)
        return fail(1, QStringLiteral("no root element"));
    if (qstrcmp(root->Name(), "userdb_dump") != 0)
        return fail(root->GetLineNum(), QStringLiteral("root element is <%1>, expected <userdb_dump>").arg(QString::fromUtf8(root->Name())));

    if (const XMLElement *fav = root->FirstChildElement("fav")) {
        m_config.favOffset = attributeUnsigned(fav, "offset");
        m_config.favCount = attributeUnsigned(fav, "size");
        m_config.favLength = attributeUnsigned(fav, "length");
    }

    const XMLElement *head = group(root, "head");
    if (!head)
        return false;
    readGroup(head, m_config.head, false);

    const XMLElement *sat = group(root, "sat");
    if (!sat)
        return false;
    m_config.satMaxNum = attributeSigned(sat, "max_num");
    readGroup(sat, m_config.sat, true);

    const XMLElement *tp = group(root, "tp");
    if (!tp)
        return false;
    readGroup(tp, m_config.tp, true);

    const XMLElement *pg = group(root, "pg");
    if (!pg)
        return false;
    readGroup(pg, m_config.pg, true);
    return true;
}

void ConfigReader::readGroup(const XMLElement *groupElement, NodeLayout &layout, bool nodeKind)
{
    layout.bytes = attributeUnsigned(groupElement, "size") / 8;
    std::vector<uint32_t> orders;
    uint64_t end = 0;
    for (const XMLElement *e = groupElement->FirstChildElement("elem"); e;
         e = e->NextSiblingElement("elem")) {
        FieldDescriptor d = readField(e);
        const uint64_t start = end + d.offset;
        end = start + d.size;
        layout.starts.push_back(start);
        if (nodeKind) {
            d.order = attributeUnsigned(e, "order");
            const char *type = e->Attribute("type");
            if (type && *type && qstrcmp(type, "Text") != 0)
                readTriggers(e, d.name, layout.triggers);
        }
        orders.push_back(d.order);
        layout.fields.push_back(std::move(d));
    }
    layout.usedBits = end;
    if (nodeKind)
        layout.order = buildOrder(orders);
}

FieldDescriptor ConfigReader::readField(const XMLElement *e) const
{
    FieldDescriptor d;
    d.name = cutText(attributeText(e, "name"), OstrelNameUnits - 1);
    d.offset = attributeUnsigned(e, "offset");
    d.size = attributeUnsigned(e, "size");
    d.open = attributeBoolean(e, "open", true);
    d.readOnly = attributeBoolean(e, "readonly", false);
    d.editHidden = attributeBoolean(e, "edithidden", false);
    d.duplicateCheck = attributeBoolean(e, "duplicatecheck", false);

    const char *type = e->Attribute("type");
    if (!type || !*type)
        return d;
    if (qstrcmp(type, "Text") == 0) {
        d.defaultText = cutText(attributeText(e, "default"), OstrelTextUnits - 1);
    } else if (qstrcmp(type, "Integer") == 0) {
        d.type = FieldType::Integer;
        d.defaultText = cutText(attributeText(e, "default"), OstrelTextUnits - 1);
        d.hasEditorSpec = true;
        if (d.name.compare(QLatin1String("FAV"), Qt::CaseInsensitive) == 0)
            d.editorSpec = QStringLiteral("#");
        else
            d.editorSpec = QLatin1String("Integer") + attributeText(e, "min") + QLatin1Char(':')
                + attributeText(e, "max") + QLatin1Char(':') + attributeText(e, "step");
    } else if (qstrcmp(type, "Combobox") == 0) {
        d.type = FieldType::Combobox;
        const uint32_t defaultIndex = attributeUnsigned(e, "default");
        uint32_t i = 0;
        for (const XMLElement *opt = e->FirstChildElement("opt"); opt;
             opt = opt->NextSiblingElement("opt"), ++i) {
            const QString name = attributeText(opt, "name");
            d.optionValues.push_back(attributeUnsigned(opt, "value"));
            d.optionNames.append(name);
            if (i == defaultIndex)
                d.defaultText = cutText(name, OstrelTextUnits - 1);
        }
        if (!d.optionValues.empty()) {
            d.hasEditorSpec = true;
            d.editorSpec = d.optionNames.join(QLatin1Char(';'));
        }
    }
    return d;
}

void ConfigReader::readTriggers(const XMLElement *e, const QString &fieldName,
                                TriggerTable &table) const
{
    for (const XMLElement *t = e->FirstChildElement("trigger"); t;
         t = t->NextSiblingElement("trigger")) {
        TriggerRule rule;
        rule.from = attributeUnsigned(t, "from");
        rule.to = attributeUnsigned(t, "to");
        rule.target = cutText(attributeText(t, "elem_name"), OstrelNameUnits - 1);
        rule.value = attributeUnsigned(t, "value");
        table[fieldName].push_back(rule);
    }
}

} // namespace

QString FieldDescriptor::optionName(uint32_t value, bool *found) const
{
    for (size_t i = 0; i < optionValues.size(); ++i) {
        if (optionValues[i] == value) {
            if (found)
                *found = true;
            return int(i) < optionNames.size() ? optionNames.at(int(i)) : QString();
        }
    }
    if (found)
        *found = false;
    return QString();
}

uint32_t FieldDescriptor::optionValue(QStringView name, bool *found) const
{
    const int count = std::min(int(optionValues.size()), int(optionNames.size()));
    for (int i = 0; i < count; ++i) {
        if (QStringView(optionNames.at(i)) == name) {
            if (found)
                *found = true;
            return optionValues[size_t(i)];
        }
    }
    if (found)
        *found = false;
    return 0;
}

QString FieldDescriptor::valueToText(uint32_t value) const
{
    switch (type) {
    case FieldType::Integer:
        return QString::number(value);
    case FieldType::Combobox: {
        // A value the configuration does not know stays visible as its number, so a
        // later save writes it back unchanged.
        bool found = false;
        const QString name = optionName(value, &found);
        return found ? name : QString::number(value);
    }
    case FieldType::Text:
        break;
    }
    return QString();
}

uint32_t FieldDescriptor::textToValue(QStringView text) const
{
    switch (type) {
    case FieldType::Integer:
        return scanUnsigned(text);
    case FieldType::Combobox: {
        bool found = false;
        const uint32_t value = optionValue(text, &found);
        if (found)
            return value;
        bool ok = false;
        const uint32_t number = isDecimal(text) ? text.toString().toUInt(&ok) : 0;
        return ok ? number : 0;
    }
    case FieldType::Text:
        break;
    }
    return 0;
}

int NodeLayout::indexOf(const QString &name, Qt::CaseSensitivity cs) const
{
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(name, cs) == 0)
            return int(i);
    return -1;
}

void NodeLayout::clear()
{
    bytes = 0;
    fields.clear();
    starts.clear();
    usedBits = 0;
    order.clear();
    triggers.clear();
}

const NodeLayout *ParserConfig::layout(int32_t kind) const
{
    switch (kind) {
    case OstrelSatellite:
        return &sat;
    case OstrelTransponder:
        return &tp;
    case OstrelProgramme:
        return &pg;
    default:
        return nullptr;
    }
}

bool readConfigXml(const QByteArray &xml, ParserConfig &config, QString *errorString,
                   const QString &sourceName)
{
    return ConfigReader(config, sourceName, errorString).read(xml);
}

bool readConfigFile(const QString &path, ParserConfig &config, QString *errorString)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        config.head.clear();
        config.sat.clear();
        config.tp.clear();
        config.pg.clear();
        if (errorString)
            *errorString = QStringLiteral("%1: cannot open: %2").arg(path, file.errorString());
        return false;
    }
    return readConfigXml(file.readAll(), config, errorString, path);
}

std::vector<int> buildOrder(const std::vector<uint32_t> &orders)
{
    // Stable: a field goes after every ordered field whose order is not greater.
    std::vector<int> permutation;
    permutation.reserve(orders.size());
    for (size_t i = 0; i < orders.size(); ++i) {
        if (orders[i] == 0)
            continue;
        auto at = std::find_if(permutation.begin(), permutation.end(),
                               [&](int j) { return orders[size_t(j)] > orders[i]; });
        permutation.insert(at, int(i));
    }
    for (size_t i = 0; i < orders.size(); ++i)
        if (orders[i] == 0)
            permutation.push_back(int(i));
    return permutation;
}

void buildTemplates(int32_t kind, const NodeLayout &layout, TriggerCallback trigger,
                    TemplateStore &store)
{
    store.clear();
    for (const int index : layout.order) {
        const FieldDescriptor &d = layout.fields[size_t(index)];
        FieldTemplate &t = store.append(kind, d.name, d.defaultText,
                                        d.hasEditorSpec ? &d.editorSpec : nullptr);
        t.open = d.open ? 1 : 0;
        t.flags = (d.readOnly ? OstrelFlagReadOnly : 0u) | (d.editHidden ? OstrelFlagEditHidden : 0u)
            | (d.duplicateCheck ? OstrelFlagDuplicateCheck : 0u);
        t.trigger = trigger;
    }
}

uint32_t scanUnsigned(QStringView text)
{
    int i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    if (i < text.size() && text.at(i) == QLatin1Char('+'))
        ++i;
    uint64_t n = 0;
    for (; i < text.size() && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9'); ++i)
        n = std::min<uint64_t>(n * 10 + uint64_t(text.at(i).unicode() - '0'), 0xFFFFFFFFu);
    return uint32_t(n);
}

bool parseBoolean(const char *text, bool fallback)
{
    if (!text)
        return fallback;
    const char *p = text;
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r')
        ++p;
    const char *digits = (*p == '+' || *p == '-') ? p + 1 : p;
    if (*digits >= '0' && *digits <= '9') {
        for (; *digits >= '0' && *digits <= '9'; ++digits)
            if (*digits != '0')
                return true;
        return false;
    }
    if (qstrcmp(text, "true") == 0)
        return true;
    return false;
}

} // namespace ostrel
