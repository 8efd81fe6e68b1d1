#include "documentedits.h"

#include "changevalues.h"
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

bool DocumentEdits::editNode(NodeKind kind, quint32 id, quint32 satId, const QVector<NodeAttribute> &values)
{
    const DB_NS::Node *node = m_document->findNode(kind, id, satId);
    if (!node)
        return false;
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

QVector<int> DocumentEdits::moveUp(const QVector<quint32> &rowIds, QVector<int> selectedRows)
{
    return moveBy(rowIds, std::move(selectedRows), true);
}

QVector<int> DocumentEdits::moveDown(const QVector<quint32> &rowIds, QVector<int> selectedRows)
{
    return moveBy(rowIds, std::move(selectedRows), false);
}

QVector<int> DocumentEdits::moveBy(const QVector<quint32> &rowIds, QVector<int> selectedRows, bool up)
{
    ChannelDatabase *db = m_document->database();
    if (!db)
        return {};
    QVector<int> rows = cleanRows(std::move(selectedRows), rowIds.size());
    if (!up)
        std::reverse(rows.begin(), rows.end());
    if (rows.isEmpty() || rows.first() == (up ? 0 : rowIds.size() - 1))
        return {};

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
        return {};
    m_document->undoStack()->push(new ReorderProgrammes(
        m_document, up ? QStringLiteral("Move Up") : QStringLiteral("Move Down"), moved,
        [moves, up](ChannelDatabase &database) {
            for (const auto &move : moves) {
                if (up)
                    database.movePGBefore(move.first, move.second);
                else
                    database.movePGAfter(move.first, move.second);
            }
        }));
    std::sort(newRows.begin(), newRows.end());
    return newRows;
}
