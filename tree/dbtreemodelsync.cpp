// Brings the satellite rows, or one satellite's TP rows, in line with the
// document after a change to the tree's structure. The document only says
// which list changed, so the rows are compared with it: absent ones are
// removed, new ones inserted, and of the rest only those out of order are
// moved, one row each, so views keep their selection and expanded rows.

#include "dbtreemodel.h"

#include "channeldatabase.h"

#include <QSet>

#include <algorithm>

namespace {

// Which of the places keep their relative order in a longest increasing run;
// every other row has to move.
QVector<bool> longestIncreasingRun(const QVector<int> &places)
{
    const int count = places.size();
    QVector<int> tails, tailAt, previous(count, -1);
    for (int i = 0; i < count; ++i) {
        const auto pos = int(std::lower_bound(tails.begin(), tails.end(), places.at(i)) - tails.begin());
        if (pos > 0)
            previous[i] = tailAt.at(pos - 1);
        if (pos == tails.size()) {
            tails.append(places.at(i));
            tailAt.append(i);
        } else {
            tails[pos] = places.at(i);
            tailAt[pos] = i;
        }
    }
    QVector<bool> stays(count, false);
    for (int i = tailAt.isEmpty() ? -1 : tailAt.last(); i >= 0; i = previous.at(i))
        stays[i] = true;
    return stays;
}

} // namespace

void DBTreeModel::showNodes(NodeKind kind, quint32 satId)
{
    const ChannelDatabase *db = m_document ? m_document->database() : nullptr;
    if (!db || !m_satelliteRoot || m_resetting)
        return;
    QVector<quint32> wanted;
    if (kind == NodeKind::Satellite) {
        for (const DB_NS::SatNode *sat : db->sats()) {
            if (sat->hasAttribute(QStringLiteral("NAME")))
                wanted << sat->id();
        }
        syncChildren(m_satelliteRoot, SatItem, wanted);
    } else if (kind == NodeKind::Transponder) {
        Row *satRow = m_satRows.value(satId);
        const DB_NS::SatNode *sat = db->findSat(satId);
        if (!satRow || !sat)
            return;
        for (const DB_NS::TPNode *tp : sat->tps())
            wanted << tp->id();
        syncChildren(satRow, TPItem, wanted);
    }
}

void DBTreeModel::syncChildren(Row *parent, TreeItemKind kind, const QVector<quint32> &wanted)
{
    removeAbsent(parent, wanted);

    QHash<quint32, int> place;
    place.reserve(wanted.size());
    for (int i = 0; i < wanted.size(); ++i)
        place.insert(wanted.at(i), i);
    QVector<int> places;
    places.reserve(int(parent->children.size()));
    for (const auto &child : parent->children)
        places << place.value(child->id);
    const QVector<bool> stays = longestIncreasingRun(places);
    QSet<quint32> staying;
    for (int i = 0; i < stays.size(); ++i) {
        if (stays.at(i))
            staying.insert(parent->children[size_t(i)]->id);
    }

    // Each other row goes right after the one it follows in the document,
    // taken in the document's order: that one is in place by then, so the
    // rows end up in the document's order.
    for (int i = 0; i < wanted.size(); ++i) {
        if (staying.contains(wanted.at(i)))
            continue;
        const int after = i > 0 ? findChild(parent, wanted.at(i - 1))->row : -1;
        placeRow(parent, kind, wanted.at(i), after);
    }
}

void DBTreeModel::removeAbsent(Row *parent, const QVector<quint32> &wanted)
{
    const QSet<quint32> kept(wanted.begin(), wanted.end());
    const QModelIndex parentIndex = indexOf(parent);
    auto &children = parent->children;
    // Runs of absent rows from the end, so the rows before keep their numbers.
    for (int last = int(children.size()) - 1; last >= 0;) {
        if (kept.contains(children[size_t(last)]->id)) {
            --last;
            continue;
        }
        int first = last;
        while (first > 0 && !kept.contains(children[size_t(first - 1)]->id))
            --first;
        beginRemoveRows(parentIndex, first, last);
        for (int i = first; i <= last; ++i) {
            if (children[size_t(i)]->kind == SatItem)
                m_satRows.remove(children[size_t(i)]->id);
        }
        children.erase(children.begin() + first, children.begin() + last + 1);
        renumber(parent, first, int(children.size()) - 1);
        endRemoveRows();
        last = first - 1;
    }
}

void DBTreeModel::placeRow(Row *parent, TreeItemKind kind, quint32 id, int after)
{
    auto &children = parent->children;
    const QModelIndex parentIndex = indexOf(parent);
    const int destination = after + 1;
    Row *existing = findChild(parent, id);
    if (!existing) {
        beginInsertRows(parentIndex, destination, destination);
        auto row = std::make_unique<Row>();
        row->kind = kind;
        row->id = id;
        row->parent = parent;
        Row *added = row.get();
        children.insert(children.begin() + destination, std::move(row));
        renumber(parent, destination, int(children.size()) - 1);
        if (kind == SatItem) {
            m_satRows.insert(id, added);
            addTransponderRows(added);
        }
        endInsertRows();
        return;
    }
    const int from = existing->row;
    if (from == destination)
        return;
    beginMoveRows(parentIndex, from, from, parentIndex, destination);
    std::unique_ptr<Row> moving = std::move(children[size_t(from)]);
    children.erase(children.begin() + from);
    const int to = destination > from ? destination - 1 : destination;
    children.insert(children.begin() + to, std::move(moving));
    renumber(parent, std::min(from, to), std::max(from, to));
    endMoveRows();
}

void DBTreeModel::renumber(Row *parent, int from, int to)
{
    for (int i = from; i <= to; ++i)
        parent->children[size_t(i)]->row = i;
}
