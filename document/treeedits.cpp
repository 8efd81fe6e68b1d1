// The tree's operations on satellites and TPs: add, delete, move, switch,
// move to, copy and paste.

#include "documentedits.h"

#include "addnodes.h"
#include "fieldchecks.h"
#include "removenodes.h"
#include "reordernodes.h"

#include <QHash>
#include <QSet>

#include <algorithm>

using DB_NS::NoId;

namespace {

bool isTreeKind(NodeKind kind)
{
    return kind == NodeKind::Satellite || kind == NodeKind::Transponder;
}

bool hasName(const DB_NS::SatNode *sat)
{
    return sat->hasAttribute(QStringLiteral("NAME"));
}

// A missing or unreadable FRQ counts as 0.
quint64 frequencyOf(const DB_NS::Node &tp)
{
    bool ok = false;
    const uint value = tp.value(QStringLiteral("FRQ")).toUInt(&ok);
    return ok ? value : 0;
}

} // namespace

void DocumentEdits::resetTree()
{
    m_nextTempId = NoId;
    m_copyBuffer.clear();
}

std::unique_ptr<DB_NS::Node> DocumentEdits::newNode(NodeKind kind, quint32 satId)
{
    if (!isTreeKind(kind))
        return nullptr;
    const QVector<quint32> used = m_document->nodeOrder(kind, satId);
    const QSet<quint32> taken(used.begin(), used.end());
    quint32 id = m_nextTempId--;
    while (taken.contains(id))
        id = m_nextTempId--;
    if (kind == NodeKind::Satellite)
        return std::make_unique<DB_NS::SatNode>(id);
    auto tp = std::make_unique<DB_NS::TPNode>(id);
    tp->setParentId(satId);
    return tp;
}

bool DocumentEdits::satelliteLimitReached() const
{
    const ChannelDatabase *db = m_document->database();
    const quint32 limit = m_document->satMaxNum();
    if (!db || limit == NoId)
        return false;
    const auto shown = std::count_if(db->sats().begin(), db->sats().end(), hasName);
    return qint64(shown) >= qint64(qint32(limit));
}

EditOutcome DocumentEdits::addNode(NodeKind kind, quint32 satId, std::unique_ptr<DB_NS::Node> node, QString *refusal)
{
    const ChannelDatabase *db = m_document->database();
    if (!db || !node || !isTreeKind(kind))
        return EditOutcome::refusedWith();
    QString why;
    const QVector<NodeAttribute> ruled = ruledValues(kind, node.get(), defaultValues(m_document->templateOf(kind)), node->attributes(), &why);
    if (!why.isEmpty()) {
        if (refusal)
            *refusal = why;
        return EditOutcome::refusedWith(why);
    }
    node->setAttributes(ruled);
    if (kind == NodeKind::Satellite) {
        if (!dynamic_cast<DB_NS::SatNode *>(node.get()) || db->findSat(node->id()))
            return EditOutcome::refusedWith();
        if (satelliteLimitReached())
            return EditOutcome::refusedWith(tr("Can't add satellite anymore!"));
    } else {
        const DB_NS::SatNode *sat = db->findSat(satId);
        if (!dynamic_cast<DB_NS::TPNode *>(node.get()) || !sat || sat->findTP(node->id()))
            return EditOutcome::refusedWith();
    }
    std::vector<std::unique_ptr<DB_NS::Node>> nodes;
    nodes.push_back(std::move(node));
    m_document->undoStack()->push(
        new AddNodes(m_document, kind == NodeKind::Satellite ? tr("Add Satellite") : tr("Add TP"),
                     DetachedNodes::appending(kind, satId, std::move(nodes))));
    return EditOutcome::pushedStep();
}

EditOutcome DocumentEdits::removeNodes(NodeKind kind, quint32 satId, const QVector<quint32> &ids)
{
    if (!isTreeKind(kind))
        return EditOutcome::refusedWith();
    QVector<quint32> present;
    for (const quint32 id : ids) {
        if (m_document->findNode(kind, id, satId) && !present.contains(id))
            present.append(id);
    }
    if (present.isEmpty())
        return EditOutcome::refusedWith();
    m_document->undoStack()->push(new RemoveNodes(m_document, kind, satId, present));
    return EditOutcome::pushedStep();
}

EditOutcome DocumentEdits::moveNode(NodeKind kind, quint32 satId, quint32 id, bool up)
{
    if (!isTreeKind(kind) || !m_document->findNode(kind, id, satId))
        return EditOutcome::refusedWith();
    QVector<quint32> order = m_document->nodeOrder(kind, satId);
    const int from = order.indexOf(id);
    // Satellites without a NAME have no row: the neighbour is the next shown one.
    const auto shown = [this, kind](quint32 other) {
        return kind != NodeKind::Satellite || hasName(m_document->database()->findSat(other));
    };
    int to = from;
    do {
        to += up ? -1 : 1;
    } while (to >= 0 && to < order.size() && !shown(order.at(to)));
    if (to < 0 || to >= order.size())
        return EditOutcome::refusedWith();
    const QVector<quint32> before = order;
    order.move(from, to);
    m_document->undoStack()->push(new ReorderNodes(m_document, up ? tr("Move Up") : tr("Move Down"),
                                                   kind, satId, before, order));
    return EditOutcome::pushedStep();
}

EditOutcome DocumentEdits::exchangeNodes(NodeKind kind, quint32 satId, quint32 id, quint32 otherId)
{
    if (!isTreeKind(kind) || id == otherId || !m_document->findNode(kind, id, satId)
        || !m_document->findNode(kind, otherId, satId))
        return EditOutcome::refusedWith();
    const QVector<quint32> before = m_document->nodeOrder(kind, satId);
    QVector<quint32> after = before;
    std::swap(after[after.indexOf(id)], after[after.indexOf(otherId)]);
    m_document->undoStack()->push(
        new ReorderNodes(m_document, tr("Switch To"), kind, satId, before, after));
    return EditOutcome::pushedStep();
}

EditOutcome DocumentEdits::moveNodesBefore(NodeKind kind, quint32 satId, const QVector<quint32> &ids, quint32 targetId)
{
    if (!isTreeKind(kind) || ids.contains(targetId) || !m_document->findNode(kind, targetId, satId))
        return EditOutcome::refusedWith();
    const QVector<quint32> before = m_document->nodeOrder(kind, satId);
    const QSet<quint32> moving(ids.begin(), ids.end());
    QVector<quint32> moved, after;
    for (const quint32 id : before)
        (moving.contains(id) ? moved : after).append(id);
    if (moved.isEmpty())
        return EditOutcome::refusedWith();
    const int target = after.indexOf(targetId);
    for (int k = 0; k < moved.size(); ++k)
        after.insert(target + k, moved.at(k));
    // Already in front of the target: done, with nothing to undo.
    if (after == before)
        return EditOutcome();
    m_document->undoStack()->push(new ReorderNodes(m_document, tr("Move To"), kind, satId, before, after));
    return EditOutcome::pushedStep();
}

int DocumentEdits::copyTransponders(quint32 satId, const QVector<quint32> &tpIds)
{
    m_copyBuffer.clear();
    const ChannelDatabase *db = m_document->database();
    const DB_NS::SatNode *sat = db ? db->findSat(satId) : nullptr;
    if (!sat)
        return 0;
    const QSet<quint32> wanted(tpIds.begin(), tpIds.end());
    // The last position first, so a paste appends the block reversed.
    for (const DB_NS::TPNode *tp : sat->tps()) {
        if (!wanted.contains(tp->id()))
            continue;
        auto copy = std::make_unique<DB_NS::TPNode>(0);
        copy->setAttributes(tp->attributes());
        m_copyBuffer.insert(m_copyBuffer.begin(), std::move(copy));
    }
    return int(m_copyBuffer.size());
}

EditValue<QVector<quint32>> DocumentEdits::pasteTransponders(quint32 satId)
{
    const ChannelDatabase *db = m_document->database();
    const DB_NS::SatNode *sat = db ? db->findSat(satId) : nullptr;
    if (!sat)
        return EditOutcome::refusedWith();
    if (m_copyBuffer.empty())
        return EditOutcome();
    QSet<quint64> frequencies;
    for (const DB_NS::TPNode *tp : sat->tps())
        frequencies.insert(frequencyOf(*tp));

    std::vector<std::unique_ptr<DB_NS::Node>> nodes;
    QVector<quint32> ids;
    for (const auto &copied : m_copyBuffer) {
        std::unique_ptr<DB_NS::Node> node = newNode(NodeKind::Transponder, satId);
        // newNode() does not see the TPs of this paste yet.
        while (ids.contains(node->id()))
            node = newNode(NodeKind::Transponder, satId);
        node->setAttributes(copied->attributes());
        quint64 frequency = frequencyOf(*node);
        while (frequencies.contains(frequency))
            ++frequency;
        if (NodeAttribute *frq = node->findAttribute(QStringLiteral("FRQ")))
            frq->value = QString::number(frequency);
        frequencies.insert(frequencyOf(*node));
        ids.append(node->id());
        nodes.push_back(std::move(node));
    }
    m_document->undoStack()->push(new AddNodes(m_document, tr("Paste TP"),
                                               DetachedNodes::appending(NodeKind::Transponder, satId, std::move(nodes))));
    return {EditOutcome::pushedStep(), ids};
}
