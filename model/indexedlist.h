#pragma once

#include <QHash>
#include <QtGlobal>

#include <cstddef>
#include <iterator>
#include <list>
#include <utility>
#include <vector>

namespace DB_NS {

/**
 * An ordered list of node pointers with a hash index by node id, so that
 * every by-id operation is O(1) while the order stays a plain linked list.
 *
 * No two entries share an id: an add or insert that would create a duplicate
 * is refused and the caller keeps the node. The list never deletes a node;
 * whether it owns its entries is up to the holder.
 *
 * The index keys on T::id() at the time of insertion: a listed node's id
 * must only change through rekey().
 */
template<typename T>
class IndexedList
{
    using Items = std::list<T *>;

public:
    using const_iterator = typename Items::const_iterator;

    const_iterator begin() const { return m_items.cbegin(); }
    const_iterator end() const { return m_items.cend(); }
    std::size_t size() const { return m_items.size(); }
    bool isEmpty() const { return m_items.empty(); }
    T *first() const { return m_items.empty() ? nullptr : m_items.front(); }
    T *last() const { return m_items.empty() ? nullptr : m_items.back(); }

    bool contains(quint32 id) const { return m_index.contains(id); }

    T *find(quint32 id) const
    {
        const auto it = m_index.constFind(id);
        return it == m_index.constEnd() ? nullptr : *it.value();
    }

    /** True when exactly this node (not merely its id) is listed. */
    bool holds(const T *node) const { return node && find(node->id()) == node; }

    bool append(T *node) { return insertAt(m_items.end(), node); }

    /** Inserts in front of the entry with id anchorId; false when it is absent. */
    bool insertBefore(quint32 anchorId, T *node)
    {
        const auto anchor = m_index.constFind(anchorId);
        if (anchor == m_index.constEnd())
            return false;
        return insertAt(anchor.value(), node);
    }

    /** Inserts right after the entry with id anchorId; false when it is absent. */
    bool insertAfter(quint32 anchorId, T *node)
    {
        const auto anchor = m_index.constFind(anchorId);
        if (anchor == m_index.constEnd())
            return false;
        return insertAt(std::next(anchor.value()), node);
    }

    /** Unlinks the entry with that id and returns it (null when absent). */
    T *take(quint32 id)
    {
        const auto it = m_index.find(id);
        if (it == m_index.end())
            return nullptr;
        T *node = *it.value();
        m_items.erase(it.value());
        m_index.erase(it);
        return node;
    }

    /** Unlinks this very node; an entry that merely shares its id stays. */
    bool takeNode(const T *node)
    {
        if (!holds(node))
            return false;
        take(node->id());
        return true;
    }

    bool moveUp(quint32 id)
    {
        const auto it = m_index.constFind(id);
        if (it == m_index.constEnd() || it.value() == m_items.begin())
            return false;
        const auto pos = it.value();
        m_items.splice(std::prev(pos), m_items, pos);
        return true;
    }

    bool moveDown(quint32 id)
    {
        const auto it = m_index.constFind(id);
        if (it == m_index.constEnd())
            return false;
        const auto pos = it.value();
        const auto next = std::next(pos);
        if (next == m_items.end())
            return false;
        m_items.splice(std::next(next), m_items, pos);
        return true;
    }

    /** The two places swap their nodes; false when either is absent or both are one. */
    bool exchange(quint32 a, quint32 b)
    {
        if (a == b)
            return false;
        const auto ia = m_index.find(a);
        const auto ib = m_index.find(b);
        if (ia == m_index.end() || ib == m_index.end())
            return false;
        std::swap(*ia.value(), *ib.value());
        std::swap(ia.value(), ib.value());
        return true;
    }

    /**
     * Moves this very node to the end of the list; false when it is not
     * listed (an entry that merely shares its id stays). The index stays valid.
     */
    bool moveToBack(const T *node)
    {
        if (!node)
            return false;
        const auto it = m_index.constFind(node->id());
        if (it == m_index.constEnd() || *it.value() != node)
            return false;
        m_items.splice(m_items.end(), m_items, it.value());
        return true;
    }

    /**
     * Puts the entries in the order given, which lists each of them once;
     * false, with nothing changed, when an entry there is not listed here or
     * the count differs. One look-up per entry; the index stays valid.
     */
    template<typename Nodes>
    bool setOrder(const Nodes &order)
    {
        return setOrderBy(
            order, [](const T *node) { return node ? node->id() : 0; },
            [](const T *node, const T *listed) { return node && listed == node; });
    }

    /** As setOrder(), by ids; accept(entry) may refuse an entry (a repeated one). */
    template<typename Ids, typename Accept>
    bool setOrderOfIds(const Ids &ids, Accept accept)
    {
        return setOrderBy(
            ids, [](quint32 id) { return id; }, [&accept](quint32, T *listed) { return accept(listed); });
    }

    /** Places the entry id just before the entry targetId. */
    bool moveBefore(quint32 id, quint32 targetId) { return moveNextTo(id, targetId, false); }

    /** Places the entry id just after the entry targetId. */
    bool moveAfter(quint32 id, quint32 targetId) { return moveNextTo(id, targetId, true); }

    /** Changes the key of a listed entry; false when absent or newId is taken. */
    bool rekey(quint32 oldId, quint32 newId)
    {
        if (oldId == newId)
            return m_index.contains(oldId);
        if (m_index.contains(newId))
            return false;
        const auto it = m_index.find(oldId);
        if (it == m_index.end())
            return false;
        const auto pos = it.value();
        m_index.erase(it);
        m_index.insert(newId, pos);
        return true;
    }

    /** Orders the entries by less; the index stays valid, as no entry moves in memory. */
    template<typename Less>
    void sort(Less less)
    {
        m_items.sort(less);
    }

    /** The entry right after this very node; null at the end or when node is not listed. */
    T *after(const T *node) const
    {
        const auto it = node ? m_index.constFind(node->id()) : m_index.constEnd();
        if (it == m_index.constEnd() || *it.value() != node)
            return nullptr;
        const auto next = std::next(it.value());
        return next == m_items.end() ? nullptr : *next;
    }

    /** The entry right before this very node; null at the start or when node is not listed. */
    T *before(const T *node) const
    {
        const auto it = node ? m_index.constFind(node->id()) : m_index.constEnd();
        if (it == m_index.constEnd() || *it.value() != node || it.value() == m_items.begin())
            return nullptr;
        return *std::prev(it.value());
    }

    /**
     * The entry nearest to node that counts(entry) holds for, looking one
     * entry back and one ahead in turn, and ahead says on which side it
     * lies. Each entry looked at takes one from budget; null when none
     * counts or the budget ran out first (then budget is 0).
     */
    template<typename Counts>
    T *nearest(const T *node, Counts counts, std::size_t &budget, bool &ahead) const
    {
        const auto it = node ? m_index.constFind(node->id()) : m_index.constEnd();
        if (it == m_index.constEnd() || *it.value() != node)
            return nullptr;
        auto back = it.value();
        auto next = std::next(it.value());
        while (budget > 0 && (back != m_items.begin() || next != m_items.end())) {
            if (back != m_items.begin()) {
                --budget;
                if (counts(*--back)) {
                    ahead = false;
                    return *back;
                }
            }
            if (next != m_items.end() && budget > 0) {
                --budget;
                if (counts(*next)) {
                    ahead = true;
                    return *next;
                }
                ++next;
            }
        }
        return nullptr;
    }

    /** Forgets every entry without deleting any node. */
    void clear()
    {
        m_items.clear();
        m_index.clear();
    }

    void reserve(int n) { m_index.reserve(n); }

private:
    template<typename Keys, typename IdOf, typename Accept>
    bool setOrderBy(const Keys &keys, IdOf idOf, Accept accept)
    {
        if (std::size_t(keys.size()) != m_items.size())
            return false;
        std::vector<typename Items::iterator> places;
        places.reserve(m_items.size());
        for (const auto &key : keys) {
            const auto it = m_index.constFind(idOf(key));
            if (it == m_index.constEnd() || !accept(key, *it.value()))
                return false;
            places.push_back(it.value());
        }
        for (const auto &place : places)
            m_items.splice(m_items.end(), m_items, place);
        return true;
    }

    bool insertAt(typename Items::iterator pos, T *node)
    {
        if (!node || m_index.contains(node->id()))
            return false;
        m_index.insert(node->id(), m_items.insert(pos, node));
        return true;
    }

    bool moveNextTo(quint32 id, quint32 targetId, bool after)
    {
        if (id == targetId)
            return false;
        const auto from = m_index.constFind(id);
        const auto to = m_index.constFind(targetId);
        if (from == m_index.constEnd() || to == m_index.constEnd())
            return false;
        const auto pos = from.value();
        const auto dest = after ? std::next(to.value()) : to.value();
        if (dest == pos || dest == std::next(pos))
            return false; // already there
        m_items.splice(dest, m_items, pos);
        return true;
    }

    Items m_items;
    QHash<quint32, typename Items::iterator> m_index;
};

} // namespace DB_NS
