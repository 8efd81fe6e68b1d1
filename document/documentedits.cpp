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
        return QCoreApplication::translate("DocumentEdits", "Edit Satellite");
    case NodeKind::Transponder:
        return QCoreApplication::translate("DocumentEdits", "Edit TP");
    case NodeKind::Programme:
        break;
    }
    return QCoreApplication::translate("DocumentEdits", "Edit Channel");
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

EditOutcome DocumentEdits::editNode(NodeKind kind, quint32 id, quint32 satId, const QVector<NodeAttribute> &values,
                                    QString *refusal)
{
    const DB_NS::Node *node = m_document->findNode(kind, id, satId);
    if (!node)
        return EditOutcome::refusedWith();
    QString why;
    const QVector<NodeAttribute> after = ruledValues(kind, node, node->attributes(), values, &why);
    if (!why.isEmpty()) {
        if (refusal)
            *refusal = why;
        return EditOutcome::refusedWith(why);
    }
    if (sameValues(node->attributes(), after))
        return EditOutcome();
    m_document->undoStack()->push(
        new ChangeValues(m_document, editText(kind), kind, id, satId, node->attributes(), after));
    return EditOutcome::pushedStep();
}

QVector<NodeAttribute> DocumentEdits::ruledValues(NodeKind kind, const DB_NS::Node *self,
                                                  const QVector<NodeAttribute> &before,
                                                  const QVector<NodeAttribute> &values, QString *refusal) const
{
    const TemplateMap &fields = m_document->fieldsOf(kind);
    // What the caller chose is checked; what the rules set comes from the configuration.
    *refusal = valuesRefusal(fields, before, values);
    if (!refusal->isEmpty())
        return values;
    const QVector<NodeAttribute> after = withTriggers(fields, before, values);
    if (kind != NodeKind::Programme)
        return after;
    for (const int i : changedValues(before, values)) {
        const NodeAttribute &value = values.at(i);
        const auto field = fields.constFind(value.name);
        if (field == fields.constEnd() || !field->duplicateCheck)
            continue;
        *refusal = duplicateRefusal(static_cast<const DB_NS::PGNode *>(self), value.name, value.value);
        if (!refusal->isEmpty())
            break;
    }
    return after;
}

QString DocumentEdits::duplicateRefusal(const DB_NS::PGNode *self, const QString &field, const QString &text) const
{
    const Document::Duplicate duplicate = m_document->findDuplicate(self, field, text);
    if (duplicate.position <= 0)
        return QString();
    return tr("Duplicate PG Index = %1, NAME = %2").arg(duplicate.position).arg(duplicate.name);
}

EditOutcome DocumentEdits::renameGroup(int index, const QString &name)
{
    const QStringList &names = m_document->favouriteNames();
    if (index < 0 || index >= names.size())
        return EditOutcome::refusedWith(tr("no favourite group %1").arg(index));
    if (names.at(index) == name)
        return EditOutcome();
    // A group saved without a name is gone after a reload, while its
    // members keep its bit.
    if (!isGroupName(name))
        return EditOutcome::refusedWith(tr("Can't rename group %1: a group needs a name").arg(index));
    m_document->undoStack()->push(new RenameGroup(m_document, index, names.at(index), name));
    return EditOutcome::pushedStep();
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
    const ChannelDatabase *db = m_document->database();
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
    const QString refusal = groupingRefusal(reorder, true, newRows.first() + 1);
    if (!refusal.isEmpty())
        return MoveOutcome(EditOutcome::refusedWith(refusal));
    // Held keys: the next move of the same programmes the same way joins this step.
    auto *step = new ReorderProgrammes(m_document, up ? tr("Move Up") : tr("Move Down"), moved,
                                       reorder);
    step->setMergeId(up ? ReorderProgrammes::MoveUpId : ReorderProgrammes::MoveDownId);
    m_document->undoStack()->push(step);
    std::sort(newRows.begin(), newRows.end());
    return MoveOutcome(EditOutcome::pushedStep(), newRows);
}
