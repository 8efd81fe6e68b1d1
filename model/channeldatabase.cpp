#include "channeldatabase.h"

#include <QHash>

#include <algorithm>
#include <iterator>

using namespace DB_NS;

ChannelDatabase::~ChannelDatabase()
{
    // Nothing needs unlinking from allPGs while everything goes.
    m_allPGs.clear();
    for (SatNode *sat : m_sats)
        delete sat;
    m_sats.clear();
}

std::unique_ptr<ChannelDatabase> ChannelDatabase::build(std::vector<std::unique_ptr<SatNode>> sats,
                                                        std::vector<std::unique_ptr<TPNode>> tps,
                                                        std::vector<std::unique_ptr<PGNode>> pgs)
{
    auto db = std::make_unique<ChannelDatabase>();
    db->m_sats.reserve(int(sats.size()));
    db->m_allPGs.reserve(int(pgs.size()));

    for (auto &sat : sats) {
        if (sat && db->addSat(sat.get()))
            static_cast<void>(sat.release()); // the list owns it now
    }

    // Two satellites may hold TPs with one id; a programme goes to the first
    // of them in record order.
    QHash<quint32, TPNode *> firstTp;
    firstTp.reserve(int(tps.size()));
    for (auto &tp : tps) {
        if (!tp)
            continue;
        SatNode *sat = db->findSat(tp->getParentId());
        if (!sat || !sat->addTP(tp.get()))
            continue;
        if (!firstTp.contains(tp->id()))
            firstTp.insert(tp->id(), tp.get());
        static_cast<void>(tp.release()); // the list owns it now
    }

    for (auto &pg : pgs) {
        if (!pg)
            continue;
        TPNode *tp = firstTp.value(pg->getParentId(), nullptr);
        if (tp && tp->addPG(pg.get(), NoId))
            static_cast<void>(pg.release()); // the list owns it now
    }
    // Whatever was left out is freed with the vectors.
    db->m_listsInOrder = true;
    return db;
}

bool ChannelDatabase::addSat(SatNode *node)
{
    return adoptSat(node, nullptr);
}

bool ChannelDatabase::insertSatBefore(quint32 beforeId, SatNode *node)
{
    return adoptSat(node, &beforeId);
}

bool ChannelDatabase::adoptSat(SatNode *node, const quint32 *beforeId)
{
    // New satellites may carry the id NoId, so "before" is told by a pointer.
    if (!node || m_sats.contains(node->id()) || (beforeId && !m_sats.contains(*beforeId)))
        return false;
    ChannelDatabase *old = node->m_parent;
    if (old && old->m_sats.holds(node))
        return false; // still owned there
    if (old != this) {
        for (PGNode *pg : node->m_allPGs) {
            const PGNode *here = m_allPGs.find(pg->id());
            if (here && here != pg)
                return false;
        }
    }

    orderChanged();
    if (beforeId)
        m_sats.insertBefore(*beforeId, node);
    else
        m_sats.append(node);

    if (old != this) {
        for (PGNode *pg : node->m_allPGs) {
            if (old)
                old->m_allPGs.takeNode(pg);
            if (!m_allPGs.holds(pg))
                m_allPGs.append(pg);
        }
    }
    node->m_parent = this;
    return true;
}

bool ChannelDatabase::removeSat(quint32 id)
{
    SatNode *sat = m_sats.take(id);
    delete sat; // its TPs unlink their programmes from allPGs
    return sat != nullptr;
}

SatNode *ChannelDatabase::detachSat(quint32 id)
{
    return m_sats.take(id);
}

bool ChannelDatabase::addPG(PGNode *node, quint32 anchorId, bool after)
{
    const bool added = anchorId == NoId ? m_allPGs.append(node)
        : after                         ? m_allPGs.insertAfter(anchorId, node)
                                        : m_allPGs.insertBefore(anchorId, node);
    m_positionsPass = 0;
    m_setOrder.clear();
    if (!m_trackMoves)
        orderChanged();
    else if (added)
        m_steps.push_back({OrderSpan::TakeOut, nullptr, nullptr, nullptr, {node}});
    return added;
}

namespace {

// Past this many moved programmes a reorder relinks every list.
constexpr std::size_t MaxPlaced = 4096;
// How many allPGs entries placing the moved programmes may look at in all
// before the lists are sorted instead: far apart, a programme's neighbours
// in its lists are found faster that way.
constexpr std::size_t MaxLookedAt = 1 << 14;

// Puts pg back into list, which holds the entries that counts() holds for
// in allPGs order: next to the nearest of them in all.
template<typename Counts>
bool placeIn(const IndexedList<PGNode> &all, IndexedList<PGNode> &list, PGNode *pg, Counts counts,
             std::size_t &budget)
{
    if (list.isEmpty())
        return list.append(pg);
    bool ahead = false;
    const PGNode *near = all.nearest(pg, counts, budget, ahead);
    if (!near) {
        list.append(pg); // out of order: the caller sorts
        return false;
    }
    if (ahead ? list.insertBefore(near->id(), pg) : list.insertAfter(near->id(), pg))
        return true;
    list.append(pg);
    return false;
}

// The differing run of one list's two orders (same length), if any.
template<typename Owner>
void addSpan(std::vector<ChannelDatabase::OrderSpan> &spans, Owner owner, const PGNode *const *before,
             const PGNode *const *after, std::size_t size)
{
    std::size_t first = 0;
    while (first < size && before[first] == after[first])
        ++first;
    if (first == size)
        return;
    std::size_t last = size - 1;
    while (before[last] == after[last])
        --last;
    ChannelDatabase::OrderSpan span;
    owner(span);
    span.next = last + 1 < size ? const_cast<PGNode *>(after[last + 1]) : nullptr;
    span.entries.reserve(last - first + 1);
    for (std::size_t i = first; i <= last; ++i)
        span.entries.push_back(const_cast<PGNode *>(before[i]));
    spans.push_back(std::move(span));
}

void restoreSpan(IndexedList<PGNode> &list, const ChannelDatabase::OrderSpan &span)
{
    using Span = ChannelDatabase::OrderSpan;
    if (span.undo == Span::TakeOut) {
        for (const PGNode *pg : span.entries)
            list.takeNode(pg);
        return;
    }
    if (span.undo == Span::PutBack) {
        for (PGNode *pg : span.entries) {
            if (!span.next || !list.insertBefore(span.next->id(), pg))
                list.append(pg);
        }
        return;
    }
    // The run holds the same programmes in another order: each in turn goes
    // in front of the entry after the run. A run of the whole list is set
    // with one look-up per entry.
    if (!span.next && span.entries.size() == list.size() && list.setOrder(span.entries))
        return;
    for (const PGNode *pg : span.entries) {
        if (span.next)
            list.moveBefore(pg->id(), span.next->id());
        else
            list.moveToBack(pg);
    }
}

} // namespace

void ChannelDatabase::relinkProgrammes()
{
    m_listsInOrder = true;
    if (reorderProgrammesInPlace())
        return;
    std::vector<PGNode *> order(m_allPGs.begin(), m_allPGs.end());
    for (SatNode *sat : m_sats) {
        for (TPNode *tp : sat->m_tps) {
            for (PGNode *pg : tp->m_pgs) {
                // Dropping it would lose it from every list and leak it.
                if (!m_allPGs.holds(pg))
                    order.push_back(pg);
            }
            tp->m_pgs.clear();
        }
        sat->m_allPGs.clear();
    }
    // TPs and satellites that are detached just now still hold programmes of allPGs.
    for (PGNode *pg : order) {
        if (TPNode *tp = pg->m_parent) {
            tp->m_pgs.clear();
            if (SatNode *sat = tp->m_parent)
                sat->m_allPGs.clear();
        }
    }
    m_allPGs.clear();

    for (PGNode *pg : order) {
        TPNode *tp = pg->m_parent;
        if (!tp) {
            m_allPGs.append(pg);
            continue;
        }
        if (!tp->m_pgs.append(pg))
            continue;
        if (SatNode *sat = tp->m_parent)
            sat->m_allPGs.append(pg);
        m_allPGs.append(pg);
    }
}

// The usual case after a move: every list already holds exactly the
// programmes a rebuild would give it, only their order differs. Each list is
// then checked in one walk, and only those out of order are sorted by allPGs
// position, without look-ups, allocation or touching the indexes. False,
// with nothing changed, when any list differs. changes, when given, gets the
// runs of the lists it sorted, as changedSpans() gives them.
bool ChannelDatabase::reorderProgrammesInPlace(std::vector<OrderSpan> *changes, bool sortTps)
{
    std::size_t inTps = 0;
    std::size_t inSats = 0;
    for (const SatNode *sat : m_sats) {
        inSats += sat->m_allPGs.size();
        for (const TPNode *tp : sat->m_tps)
            inTps += tp->m_pgs.size();
    }
    if (inTps != m_allPGs.size() || inSats != m_allPGs.size())
        return false;

    // A whole new order set just now stamped every programme already.
    const bool stamped = m_positionsPass != 0 && m_positionsPass == m_relinkPass;
    m_positionsPass = 0;
    const quint64 pass = stamped ? m_relinkPass : ++m_relinkPass;
    quint32 position = 0;
    if (!stamped) {
        for (PGNode *pg : m_allPGs) {
            pg->m_relinkPass = pass;
            pg->m_allPosition = position++;
        }
    }
    // Every entry of a TP's (or satellite's) list is a programme of allPGs
    // whose own TP (or satellite) that is. Entries of different lists are then
    // different programmes, and with the counts equal they are all of allPGs,
    // each in exactly its own lists.
    struct Unsorted
    {
        IndexedList<PGNode> *list;
        SatNode *sat;
        TPNode *tp;
    };
    std::vector<Unsorted> unsorted;
    const auto check = [pass](const IndexedList<PGNode> &list, const auto &belongs, bool &sorted) {
        quint32 last = 0;
        bool first = true;
        sorted = true;
        for (const PGNode *pg : list) {
            if (pg->m_relinkPass != pass || !belongs(pg))
                return false;
            sorted = sorted && (first || pg->m_allPosition > last);
            last = pg->m_allPosition;
            first = false;
        }
        return true;
    };
    bool sorted = true;
    for (SatNode *sat : m_sats) {
        if (sat->m_parent != this)
            return false;
        for (TPNode *tp : sat->m_tps) {
            if (tp->m_parent != sat || !check(
                    tp->m_pgs, [tp](const PGNode *pg) { return pg->m_parent == tp; }, sorted))
                return false;
            if (!sorted)
                unsorted.push_back({&tp->m_pgs, nullptr, tp});
        }
        if (!check(
                sat->m_allPGs, [sat](const PGNode *pg) { return pg->m_parent && pg->m_parent->m_parent == sat; },
                sorted))
            return false;
        if (!sorted)
            unsorted.push_back({&sat->m_allPGs, sat, nullptr});
    }
    if (!sortTps && std::any_of(unsorted.begin(), unsorted.end(), [](const Unsorted &one) { return one.tp; }))
        return false;
    std::vector<PGNode *> before;
    for (const Unsorted &one : unsorted) {
        if (changes)
            before.assign(one.list->begin(), one.list->end());
        one.list->sort([](const PGNode *a, const PGNode *b) { return a->m_allPosition < b->m_allPosition; });
        if (!changes)
            continue;
        const std::vector<PGNode *> after(one.list->begin(), one.list->end());
        addSpan(
            *changes,
            [&one](OrderSpan &span) {
                span.sat = one.sat;
                span.tp = one.tp;
            },
            before.data(), after.data(), after.size());
    }
    return true;
}

bool ChannelDatabase::renumber(Node *node, quint32 newId)
{
    if (!node || node->id() == newId)
        return false;
    const quint32 oldId = node->id();

    if (auto *pg = dynamic_cast<PGNode *>(node)) {
        TPNode *tp = pg->m_parent;
        SatNode *sat = tp ? tp->m_parent : nullptr;
        IndexedList<PGNode> *lists[] = {tp ? &tp->m_pgs : nullptr, sat ? &sat->m_allPGs : nullptr, &m_allPGs};
        bool listed = false;
        for (IndexedList<PGNode> *list : lists) {
            if (!list || !list->holds(pg))
                continue;
            if (list->contains(newId))
                return false;
            listed = true;
        }
        if (!listed)
            return false;
        for (IndexedList<PGNode> *list : lists) {
            if (list && list->holds(pg))
                list->rekey(oldId, newId);
        }
        pg->setId(newId);
        return true;
    }

    if (auto *tp = dynamic_cast<TPNode *>(node)) {
        SatNode *sat = tp->m_parent;
        if (!sat || !sat->m_parent || sat->m_parent != this || !sat->m_tps.holds(tp))
            return false;
        if (!sat->m_tps.rekey(oldId, newId))
            return false;
        tp->setId(newId);
        for (PGNode *pg : tp->m_pgs)
            pg->setParentId(newId);
        return true;
    }

    if (auto *sat = dynamic_cast<SatNode *>(node)) {
        if (!m_sats.holds(sat) || !m_sats.rekey(oldId, newId))
            return false;
        sat->setId(newId);
        for (TPNode *tp : sat->m_tps)
            tp->setParentId(newId);
        return true;
    }
    return false;
}

ChannelDatabase::OrderSnapshot ChannelDatabase::saveOrder() const
{
    // Flat arrays: one allocation per kind of list, not one per TP.
    OrderSnapshot snapshot;
    snapshot.all.assign(m_allPGs.begin(), m_allPGs.end());
    snapshot.satOrders.reserve(m_allPGs.size());
    snapshot.tpOrders.reserve(m_allPGs.size());
    snapshot.sats.reserve(m_sats.size());
    for (SatNode *sat : m_sats) {
        snapshot.sats.emplace_back(sat, sat->m_allPGs.size());
        snapshot.satOrders.insert(snapshot.satOrders.end(), sat->m_allPGs.begin(), sat->m_allPGs.end());
        for (TPNode *tp : sat->m_tps) {
            snapshot.tps.emplace_back(tp, tp->m_pgs.size());
            snapshot.tpOrders.insert(snapshot.tpOrders.end(), tp->m_pgs.begin(), tp->m_pgs.end());
        }
    }
    return snapshot;
}

void ChannelDatabase::restoreOrder(const OrderSnapshot &snapshot)
{
    orderChanged();
    for (PGNode *pg : snapshot.all)
        m_allPGs.moveToBack(pg);
    std::size_t at = 0;
    for (const auto &sat : snapshot.sats) {
        for (std::size_t i = 0; i < sat.second && at < snapshot.satOrders.size(); ++i)
            sat.first->m_allPGs.moveToBack(snapshot.satOrders[at++]);
    }
    at = 0;
    for (const auto &tp : snapshot.tps) {
        for (std::size_t i = 0; i < tp.second && at < snapshot.tpOrders.size(); ++i)
            tp.first->m_pgs.moveToBack(snapshot.tpOrders[at++]);
    }
}

std::vector<ChannelDatabase::OrderSpan> ChannelDatabase::changedSpans(const OrderSnapshot &before,
                                                                      const OrderSnapshot &after)
{
    std::vector<OrderSpan> spans;
    if (before.all.size() != after.all.size() || before.sats.size() != after.sats.size()
        || before.tps.size() != after.tps.size() || before.satOrders.size() != after.satOrders.size()
        || before.tpOrders.size() != after.tpOrders.size())
        return spans;
    addSpan(
        spans, [](OrderSpan &) {}, before.all.data(), after.all.data(), before.all.size());
    std::size_t at = 0;
    for (std::size_t i = 0; i < before.sats.size(); ++i) {
        const auto &sat = before.sats[i];
        if (sat != after.sats[i] || at + sat.second > before.satOrders.size())
            return {};
        addSpan(
            spans, [&sat](OrderSpan &span) { span.sat = sat.first; }, before.satOrders.data() + at,
            after.satOrders.data() + at, sat.second);
        at += sat.second;
    }
    at = 0;
    for (std::size_t i = 0; i < before.tps.size(); ++i) {
        const auto &tp = before.tps[i];
        if (tp != after.tps[i] || at + tp.second > before.tpOrders.size())
            return {};
        addSpan(
            spans, [&tp](OrderSpan &span) { span.tp = tp.first; }, before.tpOrders.data() + at,
            after.tpOrders.data() + at, tp.second);
        at += tp.second;
    }
    return spans;
}

void ChannelDatabase::relinkMoved(std::vector<OrderSpan> *changes)
{
    std::vector<OrderSpan> steps;
    steps.swap(m_steps);
    // A step that set the whole order (setAllPGsOrder()) moved everything.
    const bool whole = std::any_of(steps.begin(), steps.end(), [](const OrderSpan &step) { return step.entries.size() > 1; });
    std::vector<PGNode *> moved;
    if (!whole) {
        moved.reserve(steps.size());
        for (const OrderSpan &step : steps)
            moved.push_back(step.entries.front());
        std::sort(moved.begin(), moved.end());
        moved.erase(std::unique(moved.begin(), moved.end()), moved.end());
    }
    noteMoves(moved, whole);
    // allPGs goes back by undoing each edit, last first.
    const auto undoAllPGs = [&] {
        if (changes)
            changes->assign(std::make_move_iterator(steps.rbegin()), std::make_move_iterator(steps.rend()));
    };
    const auto listed = [this](const PGNode *pg) {
        const TPNode *tp = pg->m_parent;
        const SatNode *sat = tp ? tp->m_parent : nullptr;
        return m_allPGs.holds(pg) && tp && tp->m_pgs.holds(pg) && sat && sat->m_parent == this
            && m_sats.holds(sat) && sat->m_allPGs.holds(pg);
    };
    const bool inOrder = m_listsInOrder;
    if (whole || !inOrder || moved.size() > MaxPlaced || !std::all_of(moved.begin(), moved.end(), listed)) {
        // Every list holds the programmes it should: only those out of order
        // are sorted, and only their runs are kept.
        std::vector<OrderSpan> sortedLists;
        if (reorderProgrammesInPlace(changes ? &sortedLists : nullptr)) {
            m_listsInOrder = true;
            if (!changes)
                return;
            undoAllPGs();
            std::move(sortedLists.begin(), sortedLists.end(), std::back_inserter(*changes));
            if (!inOrder)
                changes->push_back({OrderSpan::Unordered, nullptr, nullptr, nullptr, {}});
            return;
        }
        // The satellites' and TPs' lists still hold the order before the reorder.
        OrderSnapshot was;
        if (changes)
            was = saveOrder();
        const std::size_t listedBefore = m_allPGs.size();
        relinkProgrammes();
        if (!changes)
            return;
        OrderSnapshot now = saveOrder();
        was.all = now.all;
        std::vector<OrderSpan> lists = changedSpans(was, now);
        // A programme the reorder left out of allPGs is back at its end.
        for (std::size_t i = listedBefore; i < now.all.size(); ++i)
            steps.push_back({OrderSpan::TakeOut, nullptr, nullptr, nullptr, {now.all[i]}});
        undoAllPGs();
        std::move(lists.begin(), lists.end(), std::back_inserter(*changes));
        if (!inOrder)
            changes->push_back({OrderSpan::Unordered, nullptr, nullptr, nullptr, {}});
        return;
    }

    // Only the lists of the moved programmes can change.
    std::vector<TPNode *> tps;
    std::vector<SatNode *> sats;
    for (const PGNode *pg : moved) {
        tps.push_back(pg->m_parent);
        sats.push_back(pg->m_parent->m_parent);
    }
    std::sort(tps.begin(), tps.end());
    tps.erase(std::unique(tps.begin(), tps.end()), tps.end());
    std::sort(sats.begin(), sats.end());
    sats.erase(std::unique(sats.begin(), sats.end()), sats.end());
    std::vector<std::vector<PGNode *>> tpsBefore;
    std::vector<std::vector<PGNode *>> satsBefore;
    if (changes) {
        for (const TPNode *tp : tps)
            tpsBefore.emplace_back(tp->m_pgs.begin(), tp->m_pgs.end());
        for (const SatNode *sat : sats)
            satsBefore.emplace_back(sat->m_allPGs.begin(), sat->m_allPGs.end());
    }

    if (!placeMoved(moved) && !reorderProgrammesInPlace())
        relinkProgrammes();

    if (!changes)
        return;
    undoAllPGs();
    for (std::size_t i = 0; i < tps.size(); ++i) {
        const std::vector<PGNode *> now(tps[i]->m_pgs.begin(), tps[i]->m_pgs.end());
        if (now.size() == tpsBefore[i].size())
            addSpan(
                *changes, [tp = tps[i]](OrderSpan &span) { span.tp = tp; }, tpsBefore[i].data(), now.data(),
                now.size());
    }
    for (std::size_t i = 0; i < sats.size(); ++i) {
        const std::vector<PGNode *> now(sats[i]->m_allPGs.begin(), sats[i]->m_allPGs.end());
        if (now.size() == satsBefore[i].size())
            addSpan(
                *changes, [sat = sats[i]](OrderSpan &span) { span.sat = sat; }, satsBefore[i].data(), now.data(),
                now.size());
    }
}

bool ChannelDatabase::placeMoved(const std::vector<PGNode *> &moved)
{
    // Out of their lists first, so that every entry left there is in order.
    const quint64 out = ++m_relinkPass;
    for (PGNode *pg : moved) {
        pg->m_parent->m_pgs.takeNode(pg);
        pg->m_parent->m_parent->m_allPGs.takeNode(pg);
        pg->m_relinkPass = out;
    }
    std::size_t budget = MaxLookedAt;
    bool inOrder = true;
    for (PGNode *pg : moved) {
        TPNode *tp = pg->m_parent;
        SatNode *sat = tp->m_parent;
        // The satellite's list first: in order, it orders the TP's too, with
        // the TP's neighbours far nearer there than in allPGs.
        inOrder = placeIn(
                      m_allPGs, sat->m_allPGs, pg,
                      [sat, out](const PGNode *other) {
                          return other->m_parent && other->m_parent->m_parent == sat && other->m_relinkPass != out;
                      },
                      budget)
            && inOrder;
        inOrder = placeIn(
                      sat->m_allPGs, tp->m_pgs, pg,
                      [tp, out](const PGNode *other) { return other->m_parent == tp && other->m_relinkPass != out; },
                      budget)
            && inOrder;
        pg->m_relinkPass = 0;
    }
    return inOrder;
}

void ChannelDatabase::noteMoves(std::vector<PGNode *> moved, bool many)
{
    m_lastMoves.order.clear();
    m_lastMoves.order.swap(m_setOrder);
    m_lastMoves.known = true;
    m_lastMoves.many = many || moved.size() > MaxListedMoves;
    m_lastMoves.programmes.clear();
    if (!m_lastMoves.many)
        m_lastMoves.programmes = std::move(moved);
}

void ChannelDatabase::restoreSpans(const std::vector<std::vector<OrderSpan>> &changes)
{
    std::vector<PGNode *> moved;
    bool many = false;
    for (auto change = changes.rbegin(); change != changes.rend(); ++change) {
        restoreSpans(*change);
        for (const OrderSpan &span : *change) {
            if (span.sat || span.tp || span.undo == OrderSpan::Unordered || many)
                continue;
            moved.insert(moved.end(), span.entries.begin(), span.entries.end());
            many = moved.size() > MaxListedMoves * 4;
        }
    }
    if (!many) {
        std::sort(moved.begin(), moved.end());
        moved.erase(std::unique(moved.begin(), moved.end()), moved.end());
    }
    noteMoves(std::move(moved), many);
}

void ChannelDatabase::restoreSpans(const std::vector<OrderSpan> &spans)
{
    m_lastMoves.known = false;
    m_positionsPass = 0;
    for (const OrderSpan &span : spans) {
        if (span.undo == OrderSpan::Unordered) {
            m_listsInOrder = false;
            continue;
        }
        restoreSpan(span.tp ? span.tp->m_pgs : span.sat ? span.sat->m_allPGs
                                                        : m_allPGs,
                    span);
    }
}

bool ChannelDatabase::orderSatelliteLists()
{
    if (m_listsInOrder)
        return true;
    m_listsInOrder = reorderProgrammesInPlace(nullptr, false);
    return m_listsInOrder;
}

template<typename Order, typename IdOf, typename Set>
bool ChannelDatabase::setAllPGsOrderBy(const Order &order, IdOf idOf, Set set)
{
    if (std::size_t(order.size()) != m_allPGs.size())
        return false;
    // Nothing moves when it is in that order already: the other lists stay in step.
    if (std::equal(order.begin(), order.end(), m_allPGs.begin(),
                   [&idOf](const auto &wanted, const PGNode *pg) { return idOf(wanted) == pg->id(); }))
        return true;
    // The order before is noted as one step, so a reorder that sets the
    // whole order is undone as exactly.
    std::vector<PGNode *> before;
    if (m_trackMoves)
        before.assign(m_allPGs.begin(), m_allPGs.end());
    // Each programme once: stamped as it is met, with its new place, which
    // spares the relink that follows its own pass over them.
    const quint64 pass = ++m_relinkPass;
    quint32 position = 0;
    const auto once = [pass, &position](PGNode *pg) {
        if (pg->m_relinkPass == pass)
            return false;
        pg->m_relinkPass = pass;
        pg->m_allPosition = position++;
        return true;
    };
    if (!set(order, once))
        return false;
    if (m_trackMoves) {
        m_steps.push_back({OrderSpan::Reorder, nullptr, nullptr, nullptr, std::move(before)});
        m_positionsPass = pass;
    } else {
        orderChanged();
    }
    return true;
}

bool ChannelDatabase::setAllPGsOrder(const std::vector<PGNode *> &order)
{
    if (std::any_of(order.begin(), order.end(), [](const PGNode *pg) { return !pg; }))
        return false;
    return setAllPGsOrderBy(
        order, [](const PGNode *pg) { return pg->id(); },
        [this](const std::vector<PGNode *> &nodes, const auto &once) {
            // The stamps first: a repeated node must refuse before anything moves.
            for (PGNode *pg : nodes) {
                if (!once(pg))
                    return false;
            }
            return m_allPGs.setOrder(nodes);
        });
}

bool ChannelDatabase::setAllPGsOrder(const QVector<quint32> &order)
{
    m_setOrder.clear();
    const bool set = setAllPGsOrderBy(
        order, [](quint32 id) { return id; },
        [this](const QVector<quint32> &ids, const auto &once) { return m_allPGs.setOrderOfIds(ids, once); });
    if (set && m_trackMoves)
        m_setOrder = order;
    return set;
}
