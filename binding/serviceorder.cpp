#include "serviceorder.h"

#include "recordconversion.h"

#include <QCoreApplication>
#include <QHash>

#include <algorithm>
#include <utility>
#include <vector>

namespace ServiceOrder {

namespace {

// The key of "default_order", looked for first where the last programme had
// it: every programme of one file carries its fields in one order, so the
// name is compared once instead of against every field before it.
class DefaultOrderKeys
{
public:
    qint64 operator()(const DB_NS::PGNode &programme)
    {
        const QVector<DB_NS::NodeAttribute> &attributes = programme.attributes();
        const DB_NS::NodeAttribute *attribute = nullptr;
        if (m_at < attributes.size() && DB_NS::NodeAttribute::namesEqual(attributes.at(m_at).name, DefaultOrderField)) {
            attribute = &attributes.at(m_at);
        } else {
            attribute = programme.findAttribute(DefaultOrderField);
            if (attribute)
                m_at = int(attribute - attributes.constData());
        }
        return attribute ? keyOf(attribute->value) : 0;
    }

    static qint64 keyOf(const QString &value)
    {
        // Plain digits, what a file holds, are read here without a copy.
        if (!value.isEmpty() && value.size() <= 18) {
            qint64 key = 0;
            const QChar *c = value.constData(), *end = c + value.size();
            for (; c != end && c->unicode() >= u'0' && c->unicode() <= u'9'; ++c)
                key = key * 10 + (c->unicode() - u'0');
            if (c == end)
                return key;
        }
        bool ok = false;
        const qint64 key = value.midRef(0).trimmed().toLongLong(&ok);
        return ok ? key : 0;
    }

private:
    int m_at = 0;
};

} // namespace

qint64 defaultOrderKey(const DB_NS::PGNode &programme)
{
    const DB_NS::NodeAttribute *attribute = programme.findAttribute(DefaultOrderField);
    return attribute ? DefaultOrderKeys::keyOf(attribute->value) : 0;
}

void sortByDefaultOrder(ChannelDatabase &database)
{
    // Each key is read once; the sort then compares integers only.
    std::vector<std::pair<qint64, DB_NS::PGNode *>> keyed;
    keyed.reserve(database.allPGs().size());
    DefaultOrderKeys keyOf;
    for (DB_NS::PGNode *programme : database.allPGs())
        keyed.emplace_back(keyOf(*programme), programme);
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    std::vector<DB_NS::PGNode *> order;
    order.reserve(keyed.size());
    for (const auto &entry : keyed)
        order.push_back(entry.second);
    database.setAllPGsOrder(order);
}

bool matchesDefaultOrder(const ChannelDatabase &database)
{
    qint64 previous = 0;
    bool first = true;
    DefaultOrderKeys keyOf;
    for (const DB_NS::PGNode *programme : database.allPGs()) {
        const qint64 key = keyOf(*programme);
        if (!first && key < previous)
            return false;
        previous = key;
        first = false;
    }
    return true;
}

bool renumbersOnSave(const ChannelDatabase &database, int kind)
{
    return kind == OstrelUserDump && !matchesDefaultOrder(database);
}

QHash<const DB_NS::PGNode *, int> positions(const ChannelDatabase &database)
{
    QHash<const DB_NS::PGNode *, int> position;
    position.reserve(int(database.allPGs().size()));
    for (const DB_NS::PGNode *pg : database.allPGs())
        position.insert(pg, position.size());
    return position;
}

bool keepsGrouping(int kind)
{
    return kind == OstrelDefaultDatabase || kind == OstrelFlashImage;
}

QHash<const DB_NS::TPNode *, int> transponderRanks(const ChannelDatabase &database)
{
    QHash<const DB_NS::TPNode *, int> rank;
    for (const DB_NS::SatNode *sat : database.sats()) {
        for (const DB_NS::TPNode *tp : sat->tps())
            rank.insert(tp, rank.size());
    }
    return rank;
}

bool crossesGrouping(const ChannelDatabase &database)
{
    const QHash<const DB_NS::TPNode *, int> rank = transponderRanks(database);
    int last = -1;
    for (const DB_NS::PGNode *programme : database.allPGs()) {
        const int r = rank.value(programme->parent(), -1);
        if (r < last)
            return true;
        last = r;
    }
    return false;
}

QString groupingNote()
{
    return QCoreApplication::translate("ServiceOrder",
                                       "The service order moves programmes across transponders or satellites, which this "
                                       "file type cannot store: each programme was saved under its own transponder, in the "
                                       "service order within it.");
}

} // namespace ServiceOrder
