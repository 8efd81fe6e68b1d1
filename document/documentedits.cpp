#include "documentedits.h"

#include "changevalues.h"
#include "fieldchecks.h"
#include "renamegroup.h"
#include "reorderprogrammes.h"

#include <algorithm>
#include <utility>

namespace {

QString editText(NodeKind kind)
{
    switch (kind) {
    case NodeKind::Satellite:
        return QStringLiteral("Edit Satellite");
    case NodeKind::Transponder:
        return QStringLiteral("Edit TP");
    case NodeKind::Programme:
        break;
    }
    return QStringLiteral("Edit Channel");
}

bool sameValues(const QVector<NodeAttribute> &a, const QVector<NodeAttribute> &b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        if (a.at(i).name != b.at(i).name || a.at(i).value != b.at(i).value)
            return false;
    }
    return true;
}

// Selected rows ascending and each once, without those outside the view.
QVector<int> cleanRows(QVector<int> rows, int rowCount)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.erase(std::remove_if(rows.begin(), rows.end(), [rowCount](int r) { return r < 0 || r >= rowCount; }),
               rows.end());
    return rows;
}

} // namespace

DocumentEdits::DocumentEdits(Document *document)
    : m_document(document) {}

void DocumentEdits::reset()
{
    resetTree();
    resetProgrammeIds();
}

bool DocumentEdits::editNode(NodeKind kind, quint32 id, quint32 satId, const QVector<NodeAttribute> &values,
                             QString *refusal)
{
    const DB_NS::Node *node = m_document->findNode(kind, id, satId);
    if (!node)
        return false;
    const QString why = valuesRefusal(m_document->fieldsOf(kind), node->attributes(), values);
    if (!why.isEmpty()) {
        if (refusal)
            *refusal = why;
        return false;
    }
    if (sameValues(node->attributes(), values))
        return true;
    m_document->undoStack()->push(
        new ChangeValues(m_document, editText(kind), kind, id, satId, node->attributes(), values));
    return true;
}

bool DocumentEdits::renameGroup(int index, const QString &name)
{
    const QStringList &names = m_document->favouriteNames();
    if (index < 0 || index >= names.size())
        return false;
    if (names.at(index) == name)
        return true;
    // A group saved without a name is gone after a reload, while its
    // members keep its bit.
    if (!isGroupName(name))
        return false;
    m_document->undoStack()->push(new RenameGroup(m_document, index, names.at(index), name));
    return true;
}

bool DocumentEdits::isGroupName(const QString &name)
{
    return !name.trimmed().isEmpty();
}

DocumentEdits::MoveOutcome DocumentEdits::moveUp(const QVector<quint32> &rowIds, QVector<int> selectedRows,
                                                 bool exchange)
{
    return moveBy(rowIds, std::move(selectedRows), true, exchange);
}

DocumentEdits::MoveOutcome DocumentEdits::moveDown(const QVector<quint32> &rowIds, QVector<int> selectedRows,
                                                   bool exchange)
{
    return moveBy(rowIds, std::move(selectedRows), false, exchange);
}

DocumentEdits::MoveOutcome DocumentEdits::moveBy(const QVector<quint32> &rowIds, QVector<int> selectedRows, bool up,
                                                 bool exchange)
{
    MoveOutcome outcome;
    ChannelDatabase *db = m_document->database();
    if (!db)
        return outcome;
    QVector<int> rows = cleanRows(std::move(selectedRows), rowIds.size());
    if (!up)
        std::reverse(rows.begin(), rows.end());
    if (rows.isEmpty() || rows.first() == (up ? 0 : rowIds.size() - 1))
        return outcome;

    // Each move is worked out on the rows as the earlier moves left them, so
    // a block of rows moves as one.
    QVector<quint32> shown = rowIds;
    QVector<std::pair<quint32, quint32>> moves; // (programme, neighbour)
    QVector<quint32> moved;
    QVector<int> newRows;
    for (const int r : qAsConst(rows)) {
        const int to = up ? r - 1 : r + 1;
        const quint32 a = shown.at(r);
        const quint32 b = shown.at(to);
        if (!db->findPG(a) || !db->findPG(b))
            continue;
        moves.append({a, b});
        moved.append(a);
        shown.move(r, to);
        newRows.append(to);
    }
    if (moves.isEmpty())
        return outcome;
    // A view grouped by TP shows neighbours that may lie far apart in the
    // service order; going next to one would carry the programme past all
    // between, so the two trade places instead.
    const ReorderProgrammes::Reorder reorder = [moves, up, exchange](ChannelDatabase &database) {
        for (const auto &move : moves) {
            if (exchange)
                database.exchangePGs(move.first, move.second);
            else if (up)
                database.movePGBefore(move.first, move.second);
            else
                database.movePGAfter(move.first, move.second);
        }
    };
    outcome.refusal = groupingRefusal(reorder, true, newRows.first() + 1);
    if (!outcome.refusal.isEmpty())
        return outcome;
    m_document->undoStack()->push(new ReorderProgrammes(
        m_document, up ? QStringLiteral("Move Up") : QStringLiteral("Move Down"), moved, reorder));
    std::sort(newRows.begin(), newRows.end());
    outcome.moved = true;
    outcome.rows = newRows;
    return outcome;
}
