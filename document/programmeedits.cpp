// DocumentEdits' programme operations: Move and Switch Channel, Delete,
// Insert, Copy and Paste, Copy and Cut Channel To.

#include "documentedits.h"

#include "addprogrammes.h"
#include "changehotkeys.h"
#include "fieldchecks.h"
#include "removeprogrammes.h"
#include "reorderprogrammes.h"
#include "serviceorder.h"
#include "transferprogramme.h"

#include <QHash>

#include <algorithm>

namespace {

constexpr quint32 NoId = DB_NS::NoId;
const QString NameField = QStringLiteral("NAME");

// Ids at or above this are rare in files; only those can meet the ids that
// new programmes count down through.
constexpr quint32 HighIds = 0x80000000u;

QVector<int> ascendingRows(QVector<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

DB_NS::TPNode *findTp(const ChannelDatabase &database, quint32 satId, quint32 tpId)
{
    const DB_NS::SatNode *sat = database.findSat(satId);
    return sat ? sat->findTP(tpId) : nullptr;
}

QSet<QString> namesIn(const DB_NS::TPNode &tp)
{
    QSet<QString> names;
    names.reserve(int(tp.pgs().size()));
    for (const DB_NS::PGNode *programme : tp.pgs())
        names.insert(programme->value(NameField));
    return names;
}

} // namespace

void DocumentEdits::resetProgrammeIds()
{
    m_nextNewId = NoId;
    m_highFileIds.clear();
    if (const ChannelDatabase *db = m_document->database()) {
        for (const DB_NS::PGNode *programme : db->allPGs()) {
            if (programme->id() >= HighIds)
                m_highFileIds.insert(programme->id());
        }
    }
}

quint32 DocumentEdits::takeNewId()
{
    const ChannelDatabase *db = m_document->database();
    // A file's own id is never given again, even after its programme was deleted.
    do {
        --m_nextNewId;
    } while (m_highFileIds.contains(m_nextNewId) || (db && db->findPG(m_nextNewId)));
    return m_nextNewId;
}

// ---- Move Channel and Switch Channel -------------------------------------

DocumentEdits::MoveOutcome DocumentEdits::moveTo(const QVector<quint32> &rowIds, QVector<int> selectedRows,
                                                 int position)
{
    return moveOrSwitch(rowIds, std::move(selectedRows), position, true);
}

DocumentEdits::MoveOutcome DocumentEdits::switchTo(const QVector<quint32> &rowIds, QVector<int> selectedRows,
                                                   int position)
{
    return moveOrSwitch(rowIds, std::move(selectedRows), position, false);
}

DocumentEdits::MoveOutcome DocumentEdits::moveOrSwitch(const QVector<quint32> &rowIds, QVector<int> selectedRows,
                                                       int position, bool move)
{
    MoveOutcome outcome;
    const ChannelDatabase *db = m_document->database();
    if (!db)
        return outcome;
    // A refused target or a row without its programme changes nothing.
    const auto nothing = [&outcome] { return outcome; };
    const int target = position - 1;
    const QVector<int> rows = ascendingRows(std::move(selectedRows));
    if (target < 0 || target >= rowIds.size() || rows.contains(target))
        return MoveOutcome(EditOutcome::refusedWith(
            (move ? tr("Can't move to %1") : tr("Can't switch to %1")).arg(position)));
    if (rows.isEmpty() || rows.first() < 0 || rows.last() >= rowIds.size())
        return nothing();
    const quint32 b = rowIds.at(target);
    const quint32 a = rowIds.at(rows.first());
    if (!db->findPG(a) || !db->findPG(b))
        return nothing();
    QVector<quint32> followers; // every selected programme after the first
    for (int i = 1; i < rows.size(); ++i) {
        const quint32 id = rowIds.at(rows.at(i));
        if (!db->findPG(id))
            return nothing();
        followers.append(id);
    }
    const int n = rows.size();
    QVector<quint32> moved{a};
    moved << followers;
    if (!move)
        moved << b;

    ReorderProgrammes::Reorder reorder;
    if (move && n == 1) {
        const bool down = rows.first() < target;
        reorder = [a, b, down](ChannelDatabase &database) {
            down ? database.movePGAfter(a, b) : database.movePGBefore(a, b);
        };
        outcome.rows = {target};
    } else if (move) {
        const bool down = target > rows.last();
        const int adjusted = target - int(std::count_if(rows.cbegin(), rows.cend(), [target](int r) { return r < target; }));
        reorder = [all = moved, b, down](ChannelDatabase &database) {
            QVector<DB_NS::PGNode *> nodes;
            for (const quint32 id : all) {
                nodes.append(database.findPG(id));
                database.removePGFromAll(id);
            }
            quint32 anchor = b;
            for (DB_NS::PGNode *node : qAsConst(nodes)) {
                database.addPG(node, anchor, down);
                if (down)
                    anchor = node->id();
            }
        };
        for (int i = 0; i < n; ++i)
            outcome.rows.append(down ? adjusted + 1 + i : adjusted + i);
    } else {
        const int adjusted = target - int(std::count_if(rows.cbegin() + 1, rows.cend(), [target](int r) { return r < target; }));
        reorder = [a, b, followers](ChannelDatabase &database) {
            database.exchangePGs(a, b);
            QVector<DB_NS::PGNode *> nodes;
            for (const quint32 id : followers) {
                nodes.append(database.findPG(id));
                database.removePGFromAll(id);
            }
            quint32 anchor = a;
            for (DB_NS::PGNode *node : qAsConst(nodes)) {
                database.addPG(node, anchor, true);
                anchor = node->id();
            }
        };
        for (int i = 0; i < n; ++i)
            outcome.rows.append(adjusted + i);
    }
    const QString refusal = groupingRefusal(reorder, move, position);
    if (!refusal.isEmpty())
        return MoveOutcome(EditOutcome::refusedWith(refusal));
    m_document->undoStack()->push(new ReorderProgrammes(
        m_document, move ? tr("Move Channel") : tr("Switch Channel"), moved, reorder));
    return MoveOutcome(EditOutcome::pushedStep(), outcome.rows);
}

QString DocumentEdits::groupingRefusal(const std::function<void(ChannelDatabase &)> &reorder, bool move,
                                       int position) const
{
    if (storableReorder(reorder))
        return QString();
    return (move ? tr("Can't move to %1: a default database keeps each transponder's programmes together")
                 : tr("Can't switch to %1: a default database keeps each transponder's programmes together"))
        .arg(position);
}

bool DocumentEdits::storableReorder(const std::function<void(ChannelDatabase &)> &reorder) const
{
    ChannelDatabase *db = m_document->mutableDatabase();
    if (!db || !ServiceOrder::keepsGrouping(m_document->kind()))
        return true;
    // Tried out on allPGs, which is all a reorder touches, and put back.
    const std::vector<DB_NS::PGNode *> before(db->allPGs().begin(), db->allPGs().end());
    reorder(*db);
    // Programmes that only change places within their TPs' places are
    // stored as shown, whatever the order around them.
    bool sameTps = true;
    auto was = before.cbegin();
    for (const DB_NS::PGNode *programme : db->allPGs()) {
        if (programme->parent() != (*was++)->parent()) {
            sameTps = false;
            break;
        }
    }
    const bool storable = sameTps || !ServiceOrder::crossesGrouping(*db);
    db->setAllPGsOrder(before);
    return storable;
}

// ---- Delete and Insert -----------------------------------------------------

EditValue<int> DocumentEdits::deleteProgrammes(const QVector<quint32> &ids)
{
    const ChannelDatabase *db = m_document->database();
    if (!db)
        return EditOutcome::refusedWith();
    QVector<quint32> present;
    QSet<quint32> seen;
    for (const quint32 id : ids) {
        if (db->findPG(id) && !seen.contains(id)) {
            seen.insert(id);
            present.append(id);
        }
    }
    if (present.isEmpty())
        return EditOutcome::refusedWith();
    const QString text = tr("Delete Channel");
    auto *step = new QUndoCommand(text);
    new RemoveProgrammes(m_document, text, present, step);
    repointHotKeys(step, seen, HotKey());
    m_document->undoStack()->push(step);
    return {EditOutcome::pushedStep(), present.size()};
}

// A hot key names its programme by id; one that pointed at a programme that
// goes would send the receiver to nothing, so it follows the programme to
// `target` (unassigned when that is empty). No key involved, no child step.
void DocumentEdits::repointHotKeys(QUndoCommand *step, const QSet<quint32> &programmeIds, const HotKey &target)
{
    QVector<HotKey> keys = m_document->hotKeys();
    bool changed = false;
    for (HotKey &key : keys) {
        if (key.pgId == NoId || !programmeIds.contains(key.pgId))
            continue;
        key.satId = target.satId;
        key.tpId = target.tpId;
        key.pgId = target.pgId;
        changed = true;
    }
    if (changed)
        new ChangeHotKeys(m_document, step->text(), keys, m_document->favHotKeys(), step);
}

EditValue<quint32> DocumentEdits::insertProgramme(quint32 satId, quint32 tpId, quint32 beforeId,
                                                  const QVector<NodeAttribute> &values, QString *refusal)
{
    const ChannelDatabase *db = m_document->database();
    const DB_NS::TPNode *tp = db ? findTp(*db, satId, tpId) : nullptr;
    if (!tp)
        return {EditOutcome::refusedWith(), NoId};
    QString why;
    const QVector<NodeAttribute> ruled = ruledValues(
        NodeKind::Programme, nullptr, defaultValues(m_document->templateOf(NodeKind::Programme)), values, &why);
    if (!why.isEmpty()) {
        if (refusal)
            *refusal = why;
        return {EditOutcome::refusedWith(why), NoId};
    }
    Document::DetachedProgramme entry;
    entry.satId = satId;
    entry.tpId = tpId;
    entry.anchorId = tp->findPG(beforeId) ? beforeId : NoId;
    entry.node = std::make_unique<DB_NS::PGNode>(takeNewId());
    entry.node->setAttributes(ruled);
    entry.node->setParentId(tpId);
    const quint32 id = entry.node->id();
    std::vector<Document::DetachedProgramme> entries;
    entries.push_back(std::move(entry));
    m_document->undoStack()->push(
        new AddProgrammes(m_document, tr("Insert Channel"), std::move(entries)));
    return {EditOutcome::pushedStep(), id};
}

// ---- Copy, Paste, Copy To and Cut To -------------------------------------

void DocumentEdits::copyProgrammes(const QVector<quint32> &ids)
{
    const ChannelDatabase *db = m_document->database();
    if (!db || ids.isEmpty())
        return;
    m_programmeClipboard.clear();
    for (const quint32 id : ids) {
        if (const DB_NS::PGNode *programme = db->findPG(id))
            m_programmeClipboard.append(programme->attributes());
    }
}

/**
 * A copy of values for the TP: duplicate-checked fields reset to "0" and
 * NAME made unique among names (Sport, Sport_1, ...), which takes the new
 * name in. A copy without NAME is named from "".
 */
static std::unique_ptr<DB_NS::PGNode> copyFor(const QVector<NodeAttribute> &values, const TemplateMap &fields,
                                              QSet<QString> &names)
{
    auto copy = std::make_unique<DB_NS::PGNode>(0);
    copy->reserveAttributes(values.size() + 1);
    for (const NodeAttribute &attribute : values) {
        const auto field = fields.constFind(attribute.name);
        const bool reset = field != fields.constEnd() && field->duplicateCheck;
        copy->addAttribute(attribute.name, reset ? QStringLiteral("0") : attribute.value);
    }
    const QString base = copy->value(NameField);
    QString candidate = base;
    for (int n = 1; names.contains(candidate); ++n)
        candidate = QStringLiteral("%1_%2").arg(base).arg(n);
    copy->setValue(NameField, candidate);
    names.insert(candidate);
    return copy;
}

EditValue<QVector<quint32>> DocumentEdits::paste(quint32 satId, quint32 tpId)
{
    const ChannelDatabase *db = m_document->database();
    const DB_NS::TPNode *tp = db ? findTp(*db, satId, tpId) : nullptr;
    if (!tp)
        return EditOutcome::refusedWith();
    if (m_programmeClipboard.isEmpty())
        return EditOutcome();
    QSet<QString> names = namesIn(*tp);
    std::vector<Document::DetachedProgramme> entries;
    entries.reserve(std::size_t(m_programmeClipboard.size()));
    for (const QVector<NodeAttribute> &values : qAsConst(m_programmeClipboard)) {
        Document::DetachedProgramme entry;
        entry.satId = satId;
        entry.tpId = tpId;
        entry.node = copyFor(values, m_document->fieldsOf(NodeKind::Programme), names);
        entry.node->setId(takeNewId());
        entry.node->setParentId(tpId);
        entries.push_back(std::move(entry));
    }
    auto *command = new AddProgrammes(m_document, tr("Paste Channel"), std::move(entries));
    const QVector<quint32> ids = command->ids();
    m_document->undoStack()->push(command);
    return {EditOutcome::pushedStep(), ids};
}

// The other TP of the programme's satellite that Copy and Cut Channel To
// take it to; null for its own TP (the TP choice does not offer it) or none.
static const DB_NS::TPNode *otherTpOf(const DB_NS::PGNode *programme, quint32 tpId)
{
    const DB_NS::TPNode *from = programme ? programme->parent() : nullptr;
    const DB_NS::SatNode *sat = from ? from->parent() : nullptr;
    const DB_NS::TPNode *to = sat ? sat->findTP(tpId) : nullptr;
    return to == from ? nullptr : to;
}

EditValue<quint32> DocumentEdits::copyTo(quint32 programmeId, quint32 tpId)
{
    const ChannelDatabase *db = m_document->database();
    const DB_NS::PGNode *source = db ? db->findPG(programmeId) : nullptr;
    const DB_NS::TPNode *to = otherTpOf(source, tpId);
    if (!to)
        return {EditOutcome::refusedWith(), NoId};
    QSet<QString> names = namesIn(*to);
    Document::DetachedProgramme entry;
    entry.satId = to->parent()->id();
    entry.tpId = tpId;
    entry.node = copyFor(source->attributes(), m_document->fieldsOf(NodeKind::Programme), names);
    entry.node->setId(takeNewId());
    entry.node->setParentId(tpId);
    const quint32 id = entry.node->id();
    std::vector<Document::DetachedProgramme> entries;
    entries.push_back(std::move(entry));
    m_document->undoStack()->push(new AddProgrammes(m_document, tr("Copy Channel To"), std::move(entries)));
    return {EditOutcome::pushedStep(), id};
}

// Where a grouped file's save puts a programme that joins tp: after the
// programmes of tp and every TP written before it, so the anchor is the
// first programme of the service order from a TP written later (NoId: last).
static quint32 groupedAnchor(const ChannelDatabase &database, const DB_NS::TPNode *tp, const DB_NS::PGNode *self)
{
    const QHash<const DB_NS::TPNode *, int> rank = ServiceOrder::transponderRanks(database);
    const int target = rank.value(tp, -1);
    for (const DB_NS::PGNode *programme : database.allPGs()) {
        if (programme != self && rank.value(programme->parent(), -1) > target)
            return programme->id();
    }
    return NoId;
}

EditValue<quint32> DocumentEdits::cutTo(quint32 programmeId, quint32 tpId)
{
    const ChannelDatabase *db = m_document->database();
    const DB_NS::PGNode *programme = db ? db->findPG(programmeId) : nullptr;
    const DB_NS::TPNode *to = otherTpOf(programme, tpId);
    if (!to)
        return {EditOutcome::refusedWith(), NoId};
    const quint32 satId = to->parent()->id();
    // Nothing is duplicated, so the checked fields stay; only a NAME that
    // the TP has already is made unique there, as for a paste.
    QVector<NodeAttribute> values = programme->attributes();
    const NodeAttribute *name = programme->findAttribute(NameField);
    if (name) {
        const QSet<QString> names = namesIn(*to);
        QString candidate = name->value;
        for (int n = 1; names.contains(candidate); ++n)
            candidate = QStringLiteral("%1_%2").arg(name->value).arg(n);
        values[int(name - programme->attributes().constData())].value = candidate;
    }
    quint32 anchor = NoId;
    if (ServiceOrder::keepsGrouping(m_document->kind())) {
        anchor = groupedAnchor(*db, to, programme);
    } else {
        const auto it = std::find(db->allPGs().begin(), db->allPGs().end(), programme);
        if (it != db->allPGs().end() && std::next(it) != db->allPGs().end())
            anchor = (*std::next(it))->id();
    }
    const QString text = tr("Cut Channel To");
    auto *step = new QUndoCommand(text);
    new TransferProgramme(m_document, text, programmeId, satId, tpId, anchor, values, step);
    HotKey target;
    target.satId = satId;
    target.tpId = tpId;
    target.pgId = programmeId;
    repointHotKeys(step, {programmeId}, target);
    m_document->undoStack()->push(step);
    return {EditOutcome::pushedStep(), programmeId};
}
