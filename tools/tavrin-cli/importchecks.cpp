#include "importchecks.h"

#include "fieldchecks.h"

namespace {

QString nodeRefusal(const DB_NS::Node &node, const DB_NS::Node *old, int kind, const char *kindName,
                    const FieldRanges &ranges)
{
    for (const NodeAttribute &value : node.attributes()) {
        const NodeAttribute *same = old ? old->findAttribute(value.name) : nullptr;
        if (same && same->value == value.value)
            continue;
        const QString refusal = valueRefusal(value.name, ranges.of(kind, value.name), value.value);
        if (!refusal.isEmpty())
            return QStringLiteral("%1 %2: %3").arg(QLatin1String(kindName)).arg(node.id()).arg(refusal);
    }
    return QString();
}

} // namespace

QString importRefusal(const ChannelDatabase &imported, const ChannelDatabase *base, const FieldRanges &ranges)
{
    for (const DB_NS::SatNode *sat : imported.sats()) {
        const DB_NS::SatNode *oldSat = base ? base->findSat(sat->id()) : nullptr;
        QString refusal = nodeRefusal(*sat, oldSat, OstrelSatellite, "satellite", ranges);
        if (!refusal.isEmpty())
            return refusal;
        for (const DB_NS::TPNode *tp : sat->tps()) {
            refusal = nodeRefusal(*tp, oldSat ? oldSat->findTP(tp->id()) : nullptr, OstrelTransponder,
                                  "transponder", ranges);
            if (!refusal.isEmpty())
                return refusal;
        }
    }
    for (const DB_NS::PGNode *programme : imported.allPGs()) {
        QString refusal = nodeRefusal(*programme, base ? base->findPG(programme->id()) : nullptr,
                                      OstrelProgramme, "programme", ranges);
        if (!refusal.isEmpty())
            return refusal;
    }
    return QString();
}
