#include "programmeorder.h"

#include "channeldatabase.h"

#include <algorithm>
#include <utility>
#include <vector>

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
    // Membership through one sorted array and a flag per entry: a hash set
    // of every programme would cost an allocation per programme on each save.
    std::vector<const DB_NS::PGNode *> sorted(full.cbegin(), full.cend());
    std::sort(sorted.begin(), sorted.end());
    const auto slotOf = [&sorted](const DB_NS::PGNode *programme) -> std::ptrdiff_t {
        const auto it = std::lower_bound(sorted.cbegin(), sorted.cend(), programme);
        return it != sorted.cend() && *it == programme ? it - sorted.cbegin() : -1;
    };
    std::vector<char> isShown(sorted.size(), 0);
    QVector<DB_NS::PGNode *> shownInFull;
    shownInFull.reserve(shown.size());
    for (DB_NS::PGNode *programme : shown) {
        const std::ptrdiff_t slot = slotOf(programme);
        if (slot >= 0 && !isShown[size_t(slot)]) {
            isShown[size_t(slot)] = 1;
            shownInFull.append(programme);
        }
    }
    QVector<DB_NS::PGNode *> merged;
    merged.reserve(full.size());
    int next = 0;
    for (DB_NS::PGNode *programme : full)
        merged.append(isShown[size_t(slotOf(programme))] && next < shownInFull.size() ? shownInFull.at(next++)
                                                                                      : programme);
    return merged;
}

} // namespace ProgrammeOrder
