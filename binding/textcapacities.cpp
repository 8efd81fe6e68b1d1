#include "textcapacities.h"

#include "boundarytext.h"
#include "documentdata.h"
#include "parserlibrary.h"

#include <algorithm>

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
    return QStringLiteral("%1: %2 characters, %3 kept").arg(what).arg(length).arg(kept);
}

// The fewest units any field of a kind keeps: a value no longer than that fits
// whatever its field, without looking the field up.
int fewestUnits(const TextCapacities &capacities, int kind)
{
    int fewest = OstrelTextUnits - 1;
    for (const int units : capacities.fields[kind - 1])
        fewest = std::min(fewest, units);
    return fewest;
}

template<typename Node>
void checkNode(const Node &node, int kind, const char *kindName, const TextCapacities &capacities,
               int fewest, QStringList &lines)
{
    for (const NodeAttribute &attribute : node.attributes()) {
        if (attribute.value.size() <= fewest && attribute.name.size() <= capacities.nameUnits)
            continue;
        const int units = capacities.valueUnits(kind, attribute.name);
        if (attribute.value.size() <= units && attribute.name.size() <= capacities.nameUnits)
            continue;
        QString what = QStringLiteral("%1 %2").arg(QLatin1String(kindName)).arg(node.id());
        const QString name = node.value(QStringLiteral("NAME"));
        if (!name.isEmpty())
            what += QStringLiteral(" \"%1\"").arg(name.size() > 24 ? name.left(23) + QChar(0x2026) : name);
        what += QLatin1Char(' ') + attribute.name;
        if (attribute.value.size() > units)
            lines << cutLine(what, attribute.value.size(), units);
        if (attribute.name.size() > capacities.nameUnits)
            lines << cutLine(what + QStringLiteral(" (field name)"), attribute.name.size(), capacities.nameUnits);
    }
}

} // namespace

QStringList cutTexts(const DocumentData &doc, const TextCapacities &capacities)
{
    QStringList lines;
    if (!doc.database)
        return lines;
    const int fewest[3] = {fewestUnits(capacities, OstrelSatellite), fewestUnits(capacities, OstrelTransponder),
                           fewestUnits(capacities, OstrelProgramme)};
    for (const DB_NS::SatNode *sat : doc.database->sats()) {
        checkNode(*sat, OstrelSatellite, "satellite", capacities, fewest[0], lines);
        for (const DB_NS::TPNode *tp : sat->tps())
            checkNode(*tp, OstrelTransponder, "transponder", capacities, fewest[1], lines);
    }
    for (const DB_NS::PGNode *programme : doc.database->allPGs())
        checkNode(*programme, OstrelProgramme, "programme", capacities, fewest[2], lines);
    const int favouriteUnits = capacities.favouriteUnits();
    for (int i = 0; i < doc.favouriteNames.size(); ++i) {
        const QString &name = doc.favouriteNames.at(i);
        if (name.size() > favouriteUnits)
            lines << cutLine(QStringLiteral("favourite group %1 \"%2\"").arg(i + 1).arg(name), name.size(),
                             favouriteUnits);
    }
    return lines;
}
