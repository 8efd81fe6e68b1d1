// DocumentEdits' Sort… and Order Like…: a new service order as one step.

#include "documentedits.h"

#include "orderlike.h"
#include "reorderprogrammes.h"
#include "sortorder.h"

namespace {

} // namespace

EditOutcome DocumentEdits::applyOrder(const QVector<quint32> &order, const QString &text, const QString &refusal)
{
    const ChannelDatabase *db = m_document->database();
    if (!db)
        return EditOutcome::refusedWith();
    // Only the programmes whose place changes are named to the views.
    QVector<quint32> moved;
    int place = 0;
    for (const DB_NS::PGNode *programme : db->allPGs()) {
        if (programme->id() != order.at(place++))
            moved.append(programme->id());
    }
    if (moved.isEmpty())
        return EditOutcome();
    ReorderProgrammes::Reorder reorder = [order](ChannelDatabase &database) { database.setAllPGsOrder(order); };
    if (!storableReorder(reorder))
        return EditOutcome::refusedWith(refusal);
    m_document->undoStack()->push(new ReorderProgrammes(m_document, text, moved, reorder));
    return EditOutcome::pushedStep();
}

EditValue<QString> DocumentEdits::sortProgrammes(const SortRequest &request)
{
    const ChannelDatabase *db = m_document->database();
    if (!db)
        return EditOutcome::refusedWith();
    const QStringList offered = SortOrder::availableKeys(m_document->templateOf(NodeKind::Programme));
    if (request.keys.isEmpty() || request.keys.size() > 3)
        return EditOutcome::refusedWith(tr("Sort by one to three keys"));
    for (const QString &key : request.keys) {
        if (!offered.contains(key))
            return EditOutcome::refusedWith(tr("Can't sort by %1").arg(key));
    }
    int count = 0;
    for (const quint32 id : request.ids)
        count += db->findPG(id) ? 1 : 0;
    if (request.ids.isEmpty())
        count = int(db->allPGs().size());
    if (count == 0)
        return {EditOutcome(), tr("Nothing to sort")};
    const EditOutcome outcome = applyOrder(SortOrder::sorted(*db, request), tr("Sort"),
                                           tr("Can't sort: a default database keeps each transponder's programmes together"));
    if (outcome.isRefused())
        return outcome;
    return {outcome, outcome.isPushed() ? tr("%1 programmes sorted", nullptr, count).arg(count) : tr("The programmes are in that order already")};
}

EditValue<QString> DocumentEdits::orderLike(const QVector<ReferenceEntry> &reference, const QString &referenceName)
{
    const ChannelDatabase *db = m_document->database();
    if (!db)
        return EditOutcome::refusedWith();
    const OrderLike::Result result = OrderLike::arrange(*db, reference);
    if (result.matched == 0)
        return {EditOutcome(), tr("No programme found in %1").arg(referenceName)};
    const EditOutcome outcome = applyOrder(result.order, tr("Order Like"),
                                           tr("Can't order like %1: a default database keeps each transponder's programmes together").arg(referenceName));
    if (outcome.isRefused())
        return outcome;
    return {outcome, tr("%1 programmes ordered like %2, %3 not found in it", nullptr, result.matched).arg(result.matched).arg(referenceName).arg(result.order.size() - result.matched)};
}
