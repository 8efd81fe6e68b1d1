#pragma once

#include "indexedlist.h"
#include "satnode.h"

#include <QVector>

#include <memory>
#include <vector>

/**
 * The loaded channel database: satellites own transponders, transponders own
 * programmes. allPGs holds every programme in the saved order.
 */
class ChannelDatabase
{
public:
    ChannelDatabase() = default;
    ~ChannelDatabase();

    /**
     * Builds a database from converted records, each vector in record order.
     * Satellites with a duplicate id, TPs without their satellite or with an
     * id already in it, and programmes without their TP or with an id already
     * listed are left out and freed. A programme goes to the first TP added
     * with its parent id. Linear in the number of nodes.
     */
    static std::unique_ptr<ChannelDatabase> build(std::vector<std::unique_ptr<DB_NS::SatNode>> sats,
                                                  std::vector<std::unique_ptr<DB_NS::TPNode>> tps,
                                                  std::vector<std::unique_ptr<DB_NS::PGNode>> pgs);

    /** Display order; owning. */
    const DB_NS::IndexedList<DB_NS::SatNode> &sats() const { return m_sats; }
    /** Every programme in saved order; not owning. */
    const DB_NS::IndexedList<DB_NS::PGNode> &allPGs() const { return m_allPGs; }

    DB_NS::SatNode *findSat(quint32 id) const { return m_sats.find(id); }
    DB_NS::PGNode *findPG(quint32 id) const { return m_allPGs.find(id); }

    bool exchangeSats(quint32 a, quint32 b) { return m_sats.exchange(a, b); }
    bool exchangePGs(quint32 a, quint32 b)
    {
        return noteStep(a, [&] { return noteStep(b, [&] { return m_allPGs.exchange(a, b); }); });
    }

    /**
     * Appends and takes ownership. Refused for null, a duplicate id, or a
     * satellite whose programmes clash by id with those listed here.
     */
    bool addSat(DB_NS::SatNode *node);
    /** As addSat, but in front of the satellite beforeId; nothing when it is absent. */
    bool insertSatBefore(quint32 beforeId, DB_NS::SatNode *node);

    bool moveSatUp(quint32 id) { return m_sats.moveUp(id); }
    bool moveSatDown(quint32 id) { return m_sats.moveDown(id); }

    /** Deletes the satellite with its TPs and programmes. */
    bool removeSat(quint32 id);
    /** Unlinks from sats; its programmes stay in allPGs until it is inserted again or deleted. */
    DB_NS::SatNode *detachSat(quint32 id);

    /**
     * Lists a programme in allPGs only. anchorId NoId appends; otherwise
     * before the anchor, or right after it when after is set; nothing when the
     * anchor is absent.
     */
    bool addPG(DB_NS::PGNode *node, quint32 anchorId = DB_NS::NoId, bool after = false);
    /** Unlinks from allPGs only, without deleting; relinkProgrammes() or addPG() puts it back. */
    bool removePGFromAll(quint32 id)
    {
        return noteStep(
            id, [&] { return m_allPGs.take(id) != nullptr; }, OrderSpan::PutBack);
    }

    bool movePGUp(quint32 id)
    {
        return noteStep(id, [&] { return m_allPGs.moveUp(id); });
    }
    bool movePGDown(quint32 id)
    {
        return noteStep(id, [&] { return m_allPGs.moveDown(id); });
    }
    bool movePGBefore(quint32 id, quint32 targetId)
    {
        return noteStep(id, [&] { return m_allPGs.moveBefore(id, targetId); });
    }
    bool movePGAfter(quint32 id, quint32 targetId)
    {
        return noteStep(id, [&] { return m_allPGs.moveAfter(id, targetId); });
    }

    /**
     * Rebuilds every TP's pgs and every satellite's allPGs in the order of
     * the database's allPGs. A programme that its TP holds but allPGs lost is
     * appended to allPGs rather than dropped.
     */
    void relinkProgrammes();

    /**
     * Gives a listed satellite, TP or programme a new id and keeps every
     * index that holds it in step; children's parent ids follow. False when
     * the new id is taken in one of those lists.
     */
    bool renumber(DB_NS::Node *node, quint32 newId);

    /**
     * The order of every programme list: allPGs, each satellite's allPGs and
     * each TP's pgs. Holds pointers, so it may only be restored while the
     * same nodes are listed in the same places (an undo step's contract).
     */
    struct OrderSnapshot
    {
        std::vector<DB_NS::PGNode *> all;
        // Each satellite's and each TP's list, one after the other, with its length.
        std::vector<std::pair<DB_NS::SatNode *, std::size_t>> sats;
        std::vector<std::pair<DB_NS::TPNode *, std::size_t>> tps;
        std::vector<DB_NS::PGNode *> satOrders;
        std::vector<DB_NS::PGNode *> tpOrders;
    };
    OrderSnapshot saveOrder() const;
    /** Puts each list back in the snapshot's order; entries it does not hold keep their places at the front. */
    void restoreOrder(const OrderSnapshot &snapshot);

    /**
     * The run of one programme list that a reorder changed: what it held
     * there before, and the entry right after it (null: the list's end). The
     * list is the satellite's allPGs, the TP's pgs, or allPGs when both are
     * null. Holds pointers, under the same contract as OrderSnapshot.
     */
    struct OrderSpan
    {
        // How the run is put back: its entries go in front of next, or
        // (allPGs only) go back in there, or are taken out. Unordered puts
        // nothing back: the lists were out of service order before.
        enum Undo { Reorder,
                    PutBack,
                    TakeOut,
                    Unordered };
        Undo undo = Reorder;
        DB_NS::SatNode *sat = nullptr;
        DB_NS::TPNode *tp = nullptr;
        DB_NS::PGNode *next = nullptr;
        std::vector<DB_NS::PGNode *> entries;
    };
    /**
     * The runs where after differs from before, two snapshots of this
     * database around a reorder (the same lists, each with the same programmes).
     */
    static std::vector<OrderSpan> changedSpans(const OrderSnapshot &before, const OrderSnapshot &after);
    /** Puts each run back as it was, while the lists are as the reorder left them. */
    void restoreSpans(const std::vector<OrderSpan> &spans);
    /** Undoes reorders, last first, from the runs each changed. */
    void restoreSpans(const std::vector<std::vector<OrderSpan>> &changes);

    /**
     * The programmes whose place in allPGs the last reorderProgrammes() or
     * restoreSpans() changed: every other programme kept its order among
     * the rest. Not known once allPGs changed any other way since; more
     * than MaxListedMoves are not listed, only said to be many.
     */
    struct Moves
    {
        bool known = false;
        bool many = false;
        std::vector<DB_NS::PGNode *> programmes;
        // The whole new order by id, when the reorder set one by ids last.
        QVector<quint32> order;
    };
    static constexpr std::size_t MaxListedMoves = 256;
    const Moves &lastMoves() const { return m_lastMoves; }

    /**
     * Runs reorder, which may only change places in allPGs (the movePG
     * calls, exchangePGs, setAllPGsOrder, and removePGFromAll with addPG
     * putting the same programme back), and relinks as relinkProgrammes()
     * does. With every list in allPGs order before (listsInServiceOrder()),
     * only the lists of the programmes it moved are looked at, while those
     * are few; otherwise only the lists out of order are sorted. When
     * changes is given, it gets the runs that changed, as changedSpans()
     * gives them.
     */
    template<typename Reorder>
    void reorderProgrammes(Reorder &&reorder, std::vector<OrderSpan> *changes = nullptr)
    {
        m_steps.clear();
        m_setOrder.clear();
        m_trackMoves = true;
        reorder(*this);
        m_trackMoves = false;
        relinkMoved(changes);
    }

    /**
     * True while every satellite's and TP's list is known to be in the
     * order of allPGs: after a build or a relink, until allPGs or a list
     * gains an entry or changes order other than by a relink.
     */
    bool listsInServiceOrder() const { return m_listsInOrder; }

    /**
     * For a database whose allPGs was put in another order after the build
     * (a dump's stored service order): when every TP's list already follows
     * allPGs, the satellites' lists are sorted to follow it too, so that
     * listsInServiceOrder() holds and the first move is as quick as the
     * next. A save writes the TPs' lists, never the satellites', and they
     * keep their order either way; false, with nothing changed, when one of
     * them does not follow allPGs.
     */
    bool orderSatelliteLists();

    /** Reorders allPGs only, as order lists them; false (nothing changed) unless it holds exactly allPGs. */
    bool setAllPGsOrder(const std::vector<DB_NS::PGNode *> &order);
    /** As above, by programme ids: one look-up each. */
    bool setAllPGsOrder(const QVector<quint32> &order);

private:
    Q_DISABLE_COPY(ChannelDatabase)

    friend class DB_NS::SatNode;
    friend class DB_NS::TPNode;

    bool adoptSat(DB_NS::SatNode *node, const quint32 *beforeId);
    bool reorderProgrammesInPlace(std::vector<OrderSpan> *changes = nullptr, bool sortTps = true);
    void relinkMoved(std::vector<OrderSpan> *changes);
    static void listsChanged(ChannelDatabase *db)
    {
        if (db)
            db->orderChanged();
    }
    // allPGs or a list changed other than by a reorder or its undo.
    void orderChanged()
    {
        m_listsInOrder = false;
        m_lastMoves.known = false;
        m_positionsPass = 0;
    }
    void noteMoves(std::vector<DB_NS::PGNode *> moved, bool many);
    bool placeMoved(const std::vector<DB_NS::PGNode *> &moved);
    template<typename Order, typename IdOf, typename Set>
    bool setAllPGsOrderBy(const Order &order, IdOf idOf, Set set);

    // Runs an allPGs edit of the programme id; while a reorder runs, notes
    // how to put it back: undo, in front of the entry after it now.
    template<typename Edit>
    bool noteStep(quint32 id, Edit edit, OrderSpan::Undo undo = OrderSpan::Reorder)
    {
        if (!m_trackMoves) {
            orderChanged();
            return edit();
        }
        DB_NS::PGNode *pg = m_allPGs.find(id);
        DB_NS::PGNode *next = m_allPGs.after(pg);
        m_positionsPass = 0;
        m_setOrder.clear();
        if (!edit())
            return false;
        m_steps.push_back({undo, nullptr, nullptr, next, {pg}});
        return true;
    }

    DB_NS::IndexedList<DB_NS::SatNode> m_sats;
    DB_NS::IndexedList<DB_NS::PGNode> m_allPGs;
    quint64 m_relinkPass = 0;
    // The pass whose stamps hold every allPGs programme's place, when a
    // whole new order set them and allPGs has not changed since; else 0.
    quint64 m_positionsPass = 0;
    // The order a running reorder set by ids, while it is the last edit.
    QVector<quint32> m_setOrder;
    // How to put back each allPGs edit of a running reorderProgrammes(), in order.
    std::vector<OrderSpan> m_steps;
    bool m_trackMoves = false;
    bool m_listsInOrder = true;
    Moves m_lastMoves;
};
