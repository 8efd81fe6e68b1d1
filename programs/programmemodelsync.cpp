// Following the document: each change it announces becomes the row
// notifications of the rows it concerns. The model's row list stands until
// the done signal of a move or an insertion, so the new places are worked out
// against the document as it is then; removals go while the programmes
// still exist.

#include "programmemodel.h"

#include "channeldatabase.h"

#include <QSet>

#include <algorithm>

namespace {

constexpr quint32 NoId = DB_NS::NoId;

// Past this many single moves one layout change is cheaper for the view
// than a notification per row, and it keeps the selection all the same.
constexpr int MaxSingleMoves = 64;
// A move updates the row index of the rows it passes while they are few.
constexpr int MaxIndexUpdate = 512;
// How many entries of the service order a move of a few rows may look at
// to check and place them before the whole view is compared instead.
constexpr std::size_t MaxLookedAt = 4096;
// Ids up to eight times as many as the rows, and this many more, are marked in a bitmap.
constexpr quint64 MaxBitmapSlack = 1 << 16;
// Past this many persistent indexes a new layout finds their rows through the row index.
constexpr int MaxLinearFinds = 32;
// Past this many separate runs of rows to insert or remove, each one's
// notification would cost the view more than one reset.
constexpr int MaxRuns = 64;

// How many separate runs of ids in rows the test picks out.
template<typename Picks>
int runsIn(const QVector<quint32> &rows, Picks picks)
{
    int runs = 0;
    bool inRun = false;
    for (const quint32 id : rows) {
        const bool picked = picks(id);
        runs += picked && !inRun ? 1 : 0;
        inRun = picked;
    }
    return runs;
}

int indexOf(const QVector<quint32> &ids, quint32 id, int from)
{
    const auto it = std::find(ids.cbegin() + from, ids.cend(), id);
    return it == ids.cend() ? -1 : int(it - ids.cbegin());
}

} // namespace

void ProgrammeModel::setDocument(const Document *document)
{
    if (m_document)
        disconnect(m_document, nullptr, this, nullptr);
    beginResetModel();
    m_document = document;
    forgetView();
    endResetModel();
    if (m_document)
        connectDocument();
}

void ProgrammeModel::connectDocument()
{
    const Document *document = m_document;
    const auto programmeRows = [this] { return m_view != None && m_view != NoSatellite && !isHotKeyView(); };
    connect(document, &Document::aboutToReset, this, &ProgrammeModel::documentAboutToReset);
    connect(document, &Document::documentReset, this, &ProgrammeModel::documentWasReset);
    connect(document, &Document::destroyed, this, [this] { setDocument(nullptr); });
    connect(document, &Document::programmesAboutToBeRemoved, this, [this, programmeRows](const QVector<quint32> &ids) {
        if (programmeRows())
            dropRows(ids);
    });
    connect(document, &Document::programmesRemoved, this, [this] {
        if (m_view == HotKeys)
            changeAllRows();
    });
    connect(document, &Document::programmesInserted, this, [this, programmeRows](const QVector<quint32> &ids) {
        if (programmeRows())
            syncRows(ids);
        else if (m_view == HotKeys)
            changeAllRows();
    });
    connect(document, &Document::programmesMoved, this, [this, programmeRows](const QVector<quint32> &ids) {
        if (programmeRows())
            followMove(ids);
    });
    connect(document, &Document::nodesChanged, this, [this, programmeRows] {
        // Satellites or TPs came or went with their programmes.
        if (programmeRows())
            syncRows();
        else if (m_view == HotKeys)
            changeAllRows();
    });
    connect(document, &Document::nodeChanged, this, [this](NodeKind kind, quint32 id, quint32) {
        if (kind == NodeKind::Programme)
            changeProgrammes({id});
    });
    connect(document, &Document::favouritesChanged, this, &ProgrammeModel::changeProgrammes);
    connect(document, &Document::favouriteGroupRenamed, this, [this] {
        if (m_view == FavHotKeys)
            changeAllRows();
    });
    connect(document, &Document::hotKeysChanged, this, [this] {
        if (!isHotKeyView())
            return;
        const int keys = m_view == HotKeys ? m_document->hotKeys().size() : m_document->favHotKeys().size();
        if (keys == m_keyRows)
            changeAllRows();
        else
            rebuild();
    });
}

void ProgrammeModel::documentAboutToReset()
{
    beginResetModel();
}

void ProgrammeModel::documentWasReset()
{
    forgetView();
    endResetModel();
}

void ProgrammeModel::forgetView()
{
    m_view = None;
    m_satId = m_tpId = m_favId = NoId;
    m_nameFilter.clear();
    m_sortColumn = -1;
    m_sortOrder = Qt::AscendingOrder;
    m_headers.clear();
    m_rows.clear();
    m_keyRows = 0;
    m_layoutNames.clear();
    forgetRowIndex();
}

void ProgrammeModel::dropRows(const QVector<quint32> &ids)
{
    const QSet<quint32> gone(ids.cbegin(), ids.cend());
    if (runsIn(m_rows, [&gone](quint32 id) { return gone.contains(id); }) > MaxRuns) {
        QVector<quint32> kept;
        for (const quint32 id : qAsConst(m_rows)) {
            if (!gone.contains(id))
                kept.append(id);
        }
        resetRows(kept);
        return;
    }
    // From the bottom, a run of neighbouring rows at a time.
    for (int end = m_rows.size(); end > 0;) {
        if (!gone.contains(m_rows.at(end - 1))) {
            --end;
            continue;
        }
        int begin = end - 1;
        while (begin > 0 && gone.contains(m_rows.at(begin - 1)))
            --begin;
        beginRemoveRows(QModelIndex(), begin, end - 1);
        m_rows.remove(begin, end - begin);
        forgetRowIndex();
        endRemoveRows();
        end = begin;
    }
}

bool ProgrammeModel::followsServiceOrder() const
{
    // A move keeps which programmes these views show, and their rows in the
    // service order; a view sort orders them by something else, and a view
    // grouped by TP by the TPs first.
    const bool listsAll = m_view == AllServices || m_view == AllFavourites || m_view == FavouriteGroup;
    return listsAll && !isSorted() && m_document && m_document->database();
}

void ProgrammeModel::followMove(const QVector<quint32> &ids)
{
    if (followsServiceOrder()) {
        // The database knows every programme whose place changed; the step
        // may name fewer (a trade of places names the one it selects).
        const ChannelDatabase::Moves &moves = m_document->database()->lastMoves();
        if (moves.known && !moves.many && moves.programmes.size() <= std::size_t(MaxSingleMoves)) {
            QVector<quint32> moved;
            moved.reserve(int(moves.programmes.size()));
            for (const DB_NS::PGNode *programme : moves.programmes)
                moved.append(programme->id());
            if (placeMovedRows(moved))
                return;
        } else if (moves.known) {
            // Much of the list moved: one new layout, the same rows.
            const QVector<quint32> target = rowsInServiceOrder(moves.order);
            if (target.size() == m_rows.size()) {
                if (target != m_rows)
                    relayout(target);
                return;
            }
        }
    }
    syncRows(ids);
}

QVector<quint32> ProgrammeModel::rowsInServiceOrder(const QVector<quint32> &order) const
{
    // The service order read against the ids shown rather than each
    // programme's values, which lie elsewhere in memory: a bitmap of the
    // ids, while they are not too sparse for one.
    quint32 highest = 0;
    for (const quint32 id : m_rows)
        highest = std::max(highest, id);
    if (quint64(highest) > 8 * quint64(m_rows.size()) + MaxBitmapSlack)
        return shownIds();
    std::vector<bool> shown(std::size_t(highest) + 1, false);
    for (const quint32 id : m_rows)
        shown[id] = true;
    QVector<quint32> rows;
    rows.reserve(m_rows.size());
    const auto add = [&](quint32 id) {
        if (id <= highest && shown[id])
            rows.append(id);
    };
    // The order the database was given, when it says so, spares reading every programme again.
    if (!order.isEmpty()) {
        std::for_each(order.cbegin(), order.cend(), add);
        return rows;
    }
    for (const DB_NS::PGNode *programme : m_document->database()->allPGs())
        add(programme->id());
    return rows;
}

bool ProgrammeModel::placeMovedRows(const QVector<quint32> &ids)
{
    const QSet<quint32> named(ids.cbegin(), ids.cend());
    // Each shown programme that moved goes next to its nearest neighbour
    // in the service order that is shown and in place already, on the side
    // it lies: between the two, no such programme lies in either order. The
    // rows then move as moveRowsInto() finds them, a block at a time.
    const auto &all = m_document->database()->allPGs();
    QVector<quint32> target = m_rows;
    QSet<quint32> placed;
    std::size_t budget = MaxLookedAt;
    for (const quint32 id : ids) {
        if (rowOf(id) < 0 || placed.contains(id))
            continue;
        const DB_NS::PGNode *programme = all.find(id);
        if (!programme)
            return false;
        bool ahead = false;
        const DB_NS::PGNode *near = all.nearest(
            programme,
            [&](const DB_NS::PGNode *other) {
                const quint32 otherId = other->id();
                return (!named.contains(otherId) || placed.contains(otherId)) && rowOf(otherId) >= 0;
            },
            budget, ahead);
        placed.insert(id);
        if (!near) {
            if (budget == 0)
                return false;
            continue; // the only row in place
        }
        target.remove(indexOf(target, id, 0));
        const int at = indexOf(target, near->id(), 0);
        target.insert(ahead ? at : at + 1, id);
    }
    return target == m_rows || moveRowsInto(target, ids);
}

void ProgrammeModel::syncRows(const QVector<quint32> &hint)
{
    const QVector<quint32> target = shownIds();
    if (target == m_rows)
        return;
    // The same rows in another order: a move.
    if (target.size() == m_rows.size() && moveRowsInto(target, hint))
        return;

    const QSet<quint32> wanted(target.cbegin(), target.cend());
    const QSet<quint32> had(m_rows.cbegin(), m_rows.cend());
    if (runsIn(m_rows, [&wanted](quint32 id) { return !wanted.contains(id); }) > MaxRuns
        || runsIn(target, [&had](quint32 id) { return !had.contains(id); }) > MaxRuns) {
        resetRows(target);
        return;
    }
    QVector<quint32> gone;
    for (const quint32 id : qAsConst(m_rows)) {
        if (!wanted.contains(id))
            gone.append(id);
    }
    dropRows(gone);

    const QSet<quint32> present(m_rows.cbegin(), m_rows.cend());
    QVector<quint32> kept;
    kept.reserve(m_rows.size());
    for (const quint32 id : target) {
        if (present.contains(id))
            kept.append(id);
    }
    if (kept != m_rows && !moveRowsInto(kept, hint))
        relayout(kept);

    // What is left to do is new rows, a run at a time, between the kept ones.
    for (int row = 0, next = 0; next < target.size();) {
        if (row < m_rows.size() && m_rows.at(row) == target.at(next)) {
            ++row;
            ++next;
            continue;
        }
        int end = next;
        while (end < target.size() && (row >= m_rows.size() || target.at(end) != m_rows.at(row)))
            ++end;
        beginInsertRows(QModelIndex(), row, row + end - next - 1);
        m_rows = m_rows.mid(0, row) + target.mid(next, end - next) + m_rows.mid(row);
        forgetRowIndex();
        endInsertRows();
        row += end - next;
        next = end;
    }
}

bool ProgrammeModel::moveRowsInto(const QVector<quint32> &target, const QVector<quint32> &hint)
{
    // Row by row from the top: where a row differs, either the row the target
    // wants there comes up (with the rows that follow it in both), or, when
    // only the row in the way was moved, that one goes down to follow the
    // row the target puts before it. The moved rows are the ones that move.
    const QSet<quint32> moved(hint.cbegin(), hint.cend());
    int moves = 0;
    for (int row = 0; row < target.size();) {
        if (m_rows.at(row) == target.at(row)) {
            ++row;
            continue;
        }
        const quint32 wanted = target.at(row);
        const quint32 inWay = m_rows.at(row);
        const int from = indexOf(m_rows, wanted, row + 1);
        if (from < 0)
            return false;
        if (++moves > MaxSingleMoves) {
            QVector<quint32> mine = m_rows, theirs = target;
            std::sort(mine.begin(), mine.end());
            std::sort(theirs.begin(), theirs.end());
            if (mine != theirs)
                return false;
            relayout(target);
            return true;
        }
        if (!moved.contains(wanted) && moved.contains(inWay)) {
            // The moved rows in the way that stay together go as one block.
            const int at = indexOf(target, inWay, row + 1);
            if (at < 0)
                return false;
            int count = 1;
            while (row + count < m_rows.size() && at + count < target.size()
                   && m_rows.at(row + count) == target.at(at + count))
                ++count;
            const int after = indexOf(m_rows, target.at(at - 1), row + count);
            if (after < 0)
                return false;
            shiftRows(row, count, after - count + 1);
            continue;
        }
        int count = 1;
        while (row + count < target.size() && from + count < m_rows.size()
               && target.at(row + count) == m_rows.at(from + count))
            ++count;
        shiftRows(from, count, row);
        row += count;
    }
    return true;
}

void ProgrammeModel::shiftRows(int from, int count, int to)
{
    // to is where the first of the rows ends up.
    if (from == to)
        return;
    beginMoveRows(QModelIndex(), from, from + count - 1, QModelIndex(), to > from ? to + count : to);
    const QVector<quint32> rows = m_rows.mid(from, count);
    m_rows.remove(from, count);
    for (int i = 0; i < count; ++i)
        m_rows.insert(to + i, rows.at(i));
    const int first = std::min(from, to);
    const int last = std::max(from, to) + count - 1;
    if (m_rowIndexValid && last - first < MaxIndexUpdate) {
        for (int row = first; row <= last; ++row)
            m_rowIndex[m_rows.at(row)] = row;
    } else {
        forgetRowIndex();
    }
    endMoveRows();
}

void ProgrammeModel::resetRows(const QVector<quint32> &rows)
{
    beginResetModel();
    m_rows = rows;
    forgetRowIndex();
    endResetModel();
}

void ProgrammeModel::relayout(const QVector<quint32> &target)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QVector<quint32> ids;
    ids.reserve(before.size());
    for (const QModelIndex &index : before)
        ids.append(index.row() < m_rows.size() ? m_rows.at(index.row()) : NoId);
    m_rows = target;
    forgetRowIndex();
    QModelIndexList after;
    after.reserve(before.size());
    for (int i = 0; i < before.size(); ++i) {
        // A few are found faster along the rows than through a new row index.
        const int row = before.size() > MaxLinearFinds ? rowOf(ids.at(i)) : indexOf(m_rows, ids.at(i), 0);
        after.append(row >= 0 ? index(row, before.at(i).column()) : QModelIndex());
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ProgrammeModel::changeProgrammes(const QVector<quint32> &ids)
{
    if (m_view == HotKeys) {
        changeAllRows();
        return;
    }
    if (isHotKeyView())
        return;
    // In a favourite view a programme may have joined or left the group;
    // the rows that stay are refreshed, new ones are new anyway.
    QVector<quint32> shown;
    for (const quint32 id : ids) {
        if (rowOf(id) >= 0)
            shown.append(id);
    }
    if (m_view == AllFavourites || m_view == FavouriteGroup)
        syncRows();
    const int lastColumn = columnCount() - 1;
    for (const quint32 id : qAsConst(shown)) {
        const int row = lastColumn < 0 ? -1 : rowOf(id);
        if (row >= 0)
            emit dataChanged(index(row, 0), index(row, lastColumn));
    }
}

void ProgrammeModel::changeAllRows()
{
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}
