#include "textcapacities.h"

#include "boundarytext.h"
#include "documentdata.h"
#include "parserlibrary.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <QCoreApplication>

int TextCapacities::valueUnits(int recordKind, const QString &field) const
{
    if (recordKind < OstrelSatellite || recordKind > OstrelProgramme)
        return OstrelTextUnits - 1;
    // Names are kept as written and in lower case: the usual exact hit needs no copy.
    const QHash<QString, int> &kind = fields[recordKind - 1];
    const auto exact = kind.constFind(field);
    if (exact != kind.constEnd())
        return exact.value();
    return kind.value(field.toLower(), OstrelTextUnits - 1);
}

TextCapacities TextCapacities::query(ParserLibrary &library, int fileKind)
{
    TextCapacities capacities;
    CapacityList *list = nullptr;
    if (library.getTextCapacities(fileKind, &list) != 0 || !list)
        return capacities;
    if (list->nameUnits > 0)
        capacities.nameUnits = std::min<int>(list->nameUnits, OstrelNameUnits - 1);
    capacities.favouriteNameUnits = std::max<int>(list->favouriteNameUnits, 0);
    for (uint32_t i = 0; list->items && i < list->count; ++i) {
        const FieldCapacity &c = list->items[i];
        if (c.kind < OstrelSatellite || c.kind > OstrelProgramme || c.units < 0)
            continue;
        const QString name = ostrel::readText(c.name, OstrelNameUnits);
        const int units = std::min<int>(c.units, OstrelTextUnits - 1);
        capacities.fields[c.kind - 1].insert(name, units);
        capacities.fields[c.kind - 1].insert(name.toLower(), units);
    }
    return capacities;
}

void applyTextCapacities(DocumentData &doc, const TextCapacities &capacities)
{
    const auto apply = [&capacities](int kind, TemplateVector &vector, TemplateMap &map) {
        for (TemplateField &field : vector)
            field.maxLength = capacities.valueUnits(kind, field.name);
        for (TemplateField &field : map)
            field.maxLength = capacities.valueUnits(kind, field.name);
    };
    apply(OstrelSatellite, doc.satTemplate, doc.satFields);
    apply(OstrelTransponder, doc.tpTemplate, doc.tpFields);
    apply(OstrelProgramme, doc.pgTemplate, doc.pgFields);
    doc.favouriteNameUnits = capacities.favouriteUnits();
}

namespace {

QString cutLine(const QString &what, int length, int kept)
{
    return QCoreApplication::translate("TextCapacities", "%1: %2 characters, %3 kept").arg(what).arg(length).arg(kept);
}

// What each field of one kind keeps, looked up once per position while the
// nodes carry their fields in the same order (as every node of a file does).
class KindCapacities
{
public:
    KindCapacities(const TextCapacities &capacities, int kind)
        : m_capacities(capacities), m_kind(kind) {}

    int valueUnits(int position, const QString &name)
    {
        if (size_t(position) >= m_known.size())
            m_known.resize(size_t(position) + 1);
        auto &known = m_known[size_t(position)];
        // Names are mostly one shared text per position: compare the text only when not.
        const bool shared = known.first.constData() == name.constData() && known.first.size() == name.size();
        if (known.first.isNull() || (!shared && known.first != name))
            known = {name, m_capacities.valueUnits(m_kind, name)};
        return known.second;
    }

private:
    const TextCapacities &m_capacities;
    int m_kind;
    std::vector<std::pair<QString, int>> m_known;
};

template<typename Node>
void checkNode(const Node &node, const char *kindName, const TextCapacities &capacities, KindCapacities &kind,
               QStringList &lines)
{
    const QVector<NodeAttribute> &attributes = node.attributes();
    for (int i = 0; i < attributes.size(); ++i) {
        const NodeAttribute &attribute = attributes.at(i);
        const int units = kind.valueUnits(i, attribute.name);
        if (attribute.value.size() <= units && attribute.name.size() <= capacities.nameUnits)
            continue;
        QString what = QStringLiteral("%1 %2").arg(QCoreApplication::translate("TextCapacities", kindName)).arg(node.id());
        const QString name = node.value(QStringLiteral("NAME"));
        if (!name.isEmpty())
            what += QStringLiteral(" \"%1\"").arg(name.size() > 24 ? name.left(23) + QChar(0x2026) : name);
        what += QLatin1Char(' ') + attribute.name;
        if (attribute.value.size() > units)
            lines << cutLine(what, attribute.value.size(), units);
        if (attribute.name.size() > capacities.nameUnits)
            lines << cutLine(what + QCoreApplication::translate("TextCapacities", " (field name)"), attribute.name.size(), capacities.nameUnits);
    }
}

} // namespace

QStringList cutTexts(const DocumentData &doc, const TextCapacities &capacities)
{
    QStringList lines;
    if (!doc.database)
        return lines;
    KindCapacities sats(capacities, OstrelSatellite), tps(capacities, OstrelTransponder),
        pgs(capacities, OstrelProgramme);
    for (const DB_NS::SatNode *sat : doc.database->sats()) {
        checkNode(*sat, QT_TRANSLATE_NOOP("TextCapacities", "satellite"), capacities, sats, lines);
        for (const DB_NS::TPNode *tp : sat->tps())
            checkNode(*tp, QT_TRANSLATE_NOOP("TextCapacities", "transponder"), capacities, tps, lines);
    }
    for (const DB_NS::PGNode *programme : doc.database->allPGs())
        checkNode(*programme, QT_TRANSLATE_NOOP("TextCapacities", "programme"), capacities, pgs, lines);
    const int favouriteUnits = capacities.favouriteUnits();
    for (int i = 0; i < doc.favouriteNames.size(); ++i) {
        const QString &name = doc.favouriteNames.at(i);
        if (name.size() > favouriteUnits)
            lines << cutLine(QCoreApplication::translate("TextCapacities", "favourite group %1 \"%2\"").arg(i + 1).arg(name), name.size(),
                             favouriteUnits);
    }
    return lines;
}
