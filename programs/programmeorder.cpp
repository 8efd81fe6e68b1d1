#include "programmeorder.h"

#include "channeldatabase.h"

#include <QSet>

#include <algorithm>
#include <utility>

namespace ProgrammeOrder {

bool passesService(const DB_NS::PGNode &programme, int serviceFilter)
{
    if (serviceFilter != 0 && serviceFilter != 1)
        return true;
    const bool radio = programme.value(QStringLiteral("V_PID")) == QLatin1String("0");
    return serviceFilter == 0 ? !radio : radio;
}

bool passesNameFilter(const DB_NS::PGNode &programme, const QString &filter)
{
    if (filter.isEmpty())
        return true;
    return programme.value(QStringLiteral("name")).startsWith(filter, Qt::CaseInsensitive);
}

qint64 defaultOrderKey(const DB_NS::PGNode &programme)
{
    const DB_NS::NodeAttribute *attribute = programme.findAttribute(QStringLiteral("default_order"));
    if (!attribute)
        return 0;
    bool ok = false;
    const qint64 key = attribute->value.trimmed().toLongLong(&ok);
    return ok ? key : 0;
}

QVector<DB_NS::PGNode *> allServicesOrder(const ChannelDatabase &database, int fileKind)
{
    const auto &all = database.allPGs();
    QVector<DB_NS::PGNode *> order;
    order.reserve(int(all.size()));
    if (fileKind != 2) {
        for (DB_NS::PGNode *programme : all)
            order.append(programme);
        return order;
    }
    // Each key is read once; the sort then compares integers only.
    std::vector<std::pair<qint64, DB_NS::PGNode *>> keyed;
    keyed.reserve(all.size());
    for (DB_NS::PGNode *programme : all)
        keyed.emplace_back(defaultOrderKey(*programme), programme);
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    for (const auto &entry : keyed)
        order.append(entry.second);
    return order;
}

QVector<DB_NS::PGNode *> mergeShownOrder(const QVector<DB_NS::PGNode *> &full,
                                         const QVector<DB_NS::PGNode *> &shown)
{
    QSet<const DB_NS::PGNode *> inFull;
    inFull.reserve(full.size());
    for (const DB_NS::PGNode *programme : full)
        inFull.insert(programme);
    QSet<const DB_NS::PGNode *> shownSet;
    QVector<DB_NS::PGNode *> shownInFull;
    shownSet.reserve(shown.size());
    shownInFull.reserve(shown.size());
    for (DB_NS::PGNode *programme : shown) {
        if (inFull.contains(programme) && !shownSet.contains(programme)) {
            shownSet.insert(programme);
            shownInFull.append(programme);
        }
    }
    QVector<DB_NS::PGNode *> merged;
    merged.reserve(full.size());
    int next = 0;
    for (DB_NS::PGNode *programme : full)
        merged.append(shownSet.contains(programme) && next < shownInFull.size()
                          ? shownInFull.at(next++) : programme);
    return merged;
}

} // namespace ProgrammeOrder
