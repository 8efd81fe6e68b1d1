// DocumentEdits' orders that the table's view hands over: a drop of rows and
// Use This Order of a sorted view.

#include "documentedits.h"

#include "reorderprogrammes.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace {

// Ids that name a listed programme, each once, in the order given.
QVector<quint32> presentOnce(const ChannelDatabase &db, const QVector<quint32> &ids)
{
    QVector<quint32> present;
    QSet<quint32> seen;
    for (const quint32 id : ids) {
        if (db.findPG(id) && !seen.contains(id)) {
            seen.insert(id);
            present.append(id);
        }
    }
    return present;
}

QVector<quint32> currentOrder(const ChannelDatabase &db)
{
    QVector<quint32> order;
    order.reserve(int(db.allPGs().size()));
    for (const DB_NS::PGNode *programme : db.allPGs())
        order.append(programme->id());
    return order;
}

// Redo runs on the state the step was made on, so the whole order it asked
// for stands for the reorder.
ReorderProgrammes::Reorder toOrder(QVector<quint32> order)
{
    return [order = std::move(order)](ChannelDatabase &database) { database.setAllPGsOrder(order); };
}

} // namespace

EditOutcome DocumentEdits::moveBefore(const QVector<quint32> &ids, quint32 beforeId)
{
    const ChannelDatabase *db = m_document->database();
    if (!db)
        return EditOutcome::refusedWith();
    QVector<quint32> moved = presentOnce(*db, ids);
    if (moved.isEmpty())
        return EditOutcome();
    const QSet<quint32> moving(moved.cbegin(), moved.cend());
    // They keep the order they have among themselves.
    const QVector<quint32> before = currentOrder(*db);
    QHash<quint32, int> place;
    place.reserve(before.size());
    for (int i = 0; i < before.size(); ++i)
        place.insert(before.at(i), i);
    std::sort(moved.begin(), moved.end(), [&place](quint32 a, quint32 b) { return place.value(a) < place.value(b); });

    // A drop on one of the moved rows lands in front of the first row after it that stays.
    QVector<quint32> order;
    order.reserve(before.size());
    int landing = -1;
    bool pending = false;
    for (const quint32 id : before) {
        pending = pending || id == beforeId;
        if (moving.contains(id))
            continue;
        if (pending && landing < 0) {
            landing = order.size();
            order += moved;
        }
        order.append(id);
    }
    if (landing < 0) {
        landing = order.size();
        order += moved;
    }
    if (order == before)
        return EditOutcome();
    const ReorderProgrammes::Reorder reorder = toOrder(order);
    const QString refusal = groupingRefusal(reorder, true, landing + 1);
    if (!refusal.isEmpty())
        return EditOutcome::refusedWith(refusal);
    m_document->undoStack()->push(new ReorderProgrammes(m_document, tr("Move Channel"), moved, reorder));
    return EditOutcome::pushedStep();
}

EditOutcome DocumentEdits::useOrder(const QVector<quint32> &ids)
{
    const ChannelDatabase *db = m_document->database();
    if (!db)
        return EditOutcome::refusedWith();
    const QVector<quint32> wanted = presentOnce(*db, ids);
    const QSet<quint32> listed(wanted.cbegin(), wanted.cend());
    // The listed programmes share out the places they hold, in the order given.
    const QVector<quint32> before = currentOrder(*db);
    QVector<quint32> order = before;
    int next = 0;
    int first = -1;
    for (int i = 0; i < order.size(); ++i) {
        if (!listed.contains(order.at(i)))
            continue;
        order[i] = wanted.at(next++);
        if (first < 0 && order.at(i) != before.at(i))
            first = i;
    }
    if (first < 0)
        return EditOutcome();
    const ReorderProgrammes::Reorder reorder = toOrder(order);
    const QString refusal = groupingRefusal(reorder, true, first + 1);
    if (!refusal.isEmpty())
        return EditOutcome::refusedWith(refusal);
    m_document->undoStack()->push(new ReorderProgrammes(m_document, tr("Use This Order"), wanted, reorder));
    return EditOutcome::pushedStep();
}
