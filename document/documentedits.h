#pragma once

#include "document.h"
#include "editoutcome.h"

#include <QCoreApplication>
#include <QSet>
#include <QString>
#include <QVector>

#include <functional>
#include <memory>
#include <vector>

class QUndoCommand;
struct ReferenceEntry;
struct SortRequest;

/**
 * One method per menu entry and key that edits the document. Each checks
 * its preconditions and the rules of the edit, pushes one undo step (a
 * multi-row operation is one step) and says so in its EditOutcome; the
 * widgets' slots gather the selection and run the dialogs, and tavrin-cli's
 * edit command calls the same methods with the answers as data, so both
 * give the same data.
 */
class DocumentEdits
{
    Q_DECLARE_TR_FUNCTIONS(DocumentEdits)

public:
    explicit DocumentEdits(Document *document);

    /** Forgets what refers to the old content; a load or a close calls it. */
    void reset();

    /**
     * The property dialog's OK: values replace the node's attributes, after
     * the field triggers of the values that differ have run (withTriggers()).
     * Refused when the node is gone, when a changed value cannot be stored,
     * or when a changed duplicate-checked field of a programme holds what
     * another programme has ("Duplicate PG Index = 5, NAME = Sport");
     * unchanged when nothing differs.
     */
    EditOutcome editNode(NodeKind kind, quint32 id, quint32 satId, const QVector<NodeAttribute> &values,
                         QString *refusal = nullptr);
    /**
     * The duplicate refusal for a programme's field: another programme than
     * self holds text there (a "0" never clashes); empty when none does.
     */
    QString duplicateRefusal(const DB_NS::PGNode *self, const QString &field, const QString &text) const;

    /**
     * Rename Group and the tree's in-place rename of favourite group index.
     * Refused for a missing group or a name isGroupName() refuses.
     */
    EditOutcome renameGroup(int index, const QString &name);
    /** A group needs a name: one that is empty or only spaces is refused. */
    static bool isGroupName(const QString &name);

    /** What Move Up, Move Down, Move Channel and Switch Channel did: the rows to select, or the refusal to show. */
    struct MoveOutcome : EditOutcome
    {
        MoveOutcome() = default;
        MoveOutcome(EditOutcome outcome, QVector<int> rows = {})
            : EditOutcome(std::move(outcome)), rows(std::move(rows)) {}
        // refusal: "Can't move to 4"; empty unless the target was refused
        QVector<int> rows;
    };

    /**
     * Move Up and Move Down of the selected rows of a programme view whose
     * rows show rowIds. Each selected programme goes before (after) the one
     * shown above (below) it, or, with exchange (a view grouped by TP, not in
     * service order), takes that one's place in the service order and gives
     * it its own. A selection that holds the first (last) row moves nothing,
     * and a move that a grouped file could not store is refused; neither is
     * a step.
     */
    MoveOutcome moveUp(const QVector<quint32> &rowIds, QVector<int> selectedRows, bool exchange = false);
    MoveOutcome moveDown(const QVector<quint32> &rowIds, QVector<int> selectedRows, bool exchange = false);

    // --- the tree's operations (treeedits.cpp) -----------------------------
    /**
     * A new satellite (kind Satellite) or TP with a temporary id: the
     * counter starts at 4294967295 and counts down for both kinds; an id
     * already in the list it goes to is passed over. Null for a programme.
     */
    std::unique_ptr<DB_NS::Node> newNode(NodeKind kind, quint32 satId = DB_NS::NoId);
    /** No satellite may be added: the limit is reached by the satellites that are shown (those with a NAME). */
    bool satelliteLimitReached() const;
    /**
     * Add Satellite / Add TP: appends node to the satellites or to satellite satId. One step.
     * The field triggers run and the values are checked as editNode() does,
     * from the fields' defaults.
     */
    EditOutcome addNode(NodeKind kind, quint32 satId, std::unique_ptr<DB_NS::Node> node, QString *refusal = nullptr);
    /** Delete: the satellites, or TPs of satellite satId, with their programmes. One step. */
    EditOutcome removeNodes(NodeKind kind, quint32 satId, const QVector<quint32> &ids);
    /** Move Up / Move Down: one place among the shown neighbours. */
    EditOutcome moveNode(NodeKind kind, quint32 satId, quint32 id, bool up);
    /** Switch To: the two change places. */
    EditOutcome exchangeNodes(NodeKind kind, quint32 satId, quint32 id, quint32 otherId);
    /** Move To: ids, in their present order, right in front of targetId (no step when they are there). */
    EditOutcome moveNodesBefore(NodeKind kind, quint32 satId, const QVector<quint32> &ids, quint32 targetId);
    /** Copy: copies of the satellite's TPs, last position first; the buffer is emptied first. */
    int copyTransponders(quint32 satId, const QVector<quint32> &tpIds);
    bool hasCopiedTransponders() const { return !m_copyBuffer.empty(); }
    /** Paste: the copies appended to the satellite, each FRQ made unique there. The new TPs' ids. */
    EditValue<QVector<quint32>> pasteTransponders(quint32 satId);

    // --- programme operations (programmeedits.cpp) -------------------------

    /**
     * Move Channel / Switch Channel of the selected rows of a view whose rows
     * show rowIds to the 1-based position, as entered in the dialog. A target
     * that is a selected row (or outside the view) is refused, and a row
     * without its programme moves nothing; neither is a step. A move that a
     * grouped file could not store is refused too.
     */
    MoveOutcome moveTo(const QVector<quint32> &rowIds, QVector<int> selectedRows, int position);
    MoveOutcome switchTo(const QVector<quint32> &rowIds, QVector<int> selectedRows, int position);

    /** Delete Channel, confirmed: one step for all of them. Returns how many were removed. */
    EditValue<int> deleteProgrammes(const QVector<quint32> &ids);
    /**
     * Insert Channel: a programme with values in the TP, before the programme
     * beforeId (NoId appends), with the rules of editNode() from the fields'
     * defaults. Its id, or NoId when the TP is gone or the values are refused.
     */
    EditValue<quint32> insertProgramme(quint32 satId, quint32 tpId, quint32 beforeId, const QVector<NodeAttribute> &values,
                                       QString *refusal = nullptr);
    /** Copy Channel: the clipboard holds copies of these programmes' values. It outlives a load. */
    void copyProgrammes(const QVector<quint32> &ids);
    bool hasClipboard() const { return !m_programmeClipboard.isEmpty(); }
    void clearClipboard() { m_programmeClipboard.clear(); }
    /** Paste Channel into the TP; the ids of the copies, empty (no step) when nothing was pasted. */
    EditValue<QVector<quint32>> paste(quint32 satId, quint32 tpId);
    /** Copy Channel To another TP of the programme's satellite; the copy's id or NoId. */
    EditValue<quint32> copyTo(quint32 programmeId, quint32 tpId);
    /**
     * Cut Channel To: the programme itself goes to another TP of its
     * satellite, with its id, values, place in the service order and hot
     * key; only its NAME changes when the TP has that name already. In a
     * grouped file it goes last in the TP, where the save puts it. Its id,
     * or NoId.
     */
    EditValue<quint32> cutTo(quint32 programmeId, quint32 tpId);
    // --- orders the table's view hands over (vieworderedits.cpp) -----------
    /**
     * A drop of rows: the programmes, keeping their order among themselves,
     * go in front of beforeId (NoId: to the end; one of them: in front of the
     * next programme that stays). "Move Channel"; refused as a move is when
     * a grouped file could not store it.
     */
    EditOutcome moveBefore(const QVector<quint32> &ids, quint32 beforeId);
    /**
     * Use This Order: the programmes share out the places they hold in the
     * service order, in the order given; refused as a move is when a grouped
     * file could not store it.
     */
    EditOutcome useOrder(const QVector<quint32> &ids);
    // --- favourite groups and hot keys (favouriteedits.cpp) -----------------
    /** A programme's wish for one group: join (true) or leave (false). */
    using Membership = QPair<quint32, bool>;
    /**
     * The group editor's OK for the group with the single-bit id groupId:
     * programmes without "FAV" are left alone. Refused for an id that is not
     * one bit; unchanged when nothing changes.
     */
    EditOutcome editGroup(quint32 groupId, const QVector<Membership> &memberships);
    /** Remove channel in a favourite group: the programme leaves it and stays in the database. */
    EditOutcome removeFromGroup(quint32 groupId, quint32 programmeId);
    /**
     * Edit HotKey, or Edit Group in the hot-key view (programmeId NoId: the
     * dialog was accepted without a choice, the key keeps its assignment).
     * Every other key that pointed at the same programme is unassigned.
     * Unchanged when nothing changes.
     */
    EditOutcome assignHotKey(int key, quint32 programmeId);
    /** Remove channel in the hot-key view. */
    EditOutcome unassignHotKey(int key);
    /** Edit Group in the favourite hot-key view: the key points at group favIndex (-1: none). */
    EditOutcome assignFavHotKey(int key, int favIndex);

    // --- bringing a list into order (dedupe.cpp, orderedits.cpp) ------------
    /**
     * Find Duplicates: the programmes that are the same service (under one
     * satellite, on TPs of the same POL whose FRQ are no more than 2 apart,
     * with equal SID, or equal NAME where programmes have no SID), group by
     * group, each in service order: the first is the one kept.
     */
    QVector<QVector<quint32>> findDuplicates() const;
    /**
     * Remove: all but the first of each group go in one step; the kept one
     * gains their favourite groups and, when it has none, a hot key of
     * theirs. The status text ("3 duplicates removed", "No duplicates found").
     */
    EditValue<QString> removeDuplicates();
    /**
     * Sort…: one step; refused where a grouped file could not store the
     * result. The status text, also when nothing is sorted or nothing moves.
     */
    EditValue<QString> sortProgrammes(const SortRequest &request);
    /**
     * Order Like…: the programmes found in the reference first, in its
     * order, the rest after them as they were; one step. The status text
     * ("412 programmes ordered like REF, 37 not found in it").
     */
    EditValue<QString> orderLike(const QVector<ReferenceEntry> &reference, const QString &referenceName);

    /**
     * Restore of recovered changes: state (database, favourite names, hot
     * keys) replaces the document's in one step; Undo gives the loaded file back.
     */
    void restoreState(DocumentData state);

    /** The id the next new programme gets: counting down from 4294967294, never one the file uses. */
    quint32 takeNewId();

private:
    void resetTree();
    /**
     * values as a new or edited node takes them: triggers run from before,
     * then the checks. Empty refusal when they can be stored.
     */
    QVector<NodeAttribute> ruledValues(NodeKind kind, const DB_NS::Node *self, const QVector<NodeAttribute> &before,
                                       const QVector<NodeAttribute> &values, QString *refusal) const;
    void resetProgrammeIds();
    /**
     * The refusal of a reorder that a default database or flash image could
     * not store: one that changes which TP each place of the service order
     * holds and leaves programmes outside the writer's grouping. Empty when
     * the reorder is fine, and always for a dump.
     */
    QString groupingRefusal(const std::function<void(ChannelDatabase &)> &reorder, bool move, int position) const;
    /** False when a grouped file could not store the order reorder leaves. */
    bool storableReorder(const std::function<void(ChannelDatabase &)> &reorder) const;
    /** Puts the service order in order (every programme id) as one step named text, unless refused or unchanged. */
    EditOutcome applyOrder(const QVector<quint32> &order, const QString &text, const QString &refusal);
    void repointHotKeys(QUndoCommand *step, const QSet<quint32> &programmeIds, const HotKey &target);
    MoveOutcome moveOrSwitch(const QVector<quint32> &rowIds, QVector<int> selectedRows, int position, bool move);

    QVector<QVector<NodeAttribute>> m_programmeClipboard;
    quint32 m_nextNewId = DB_NS::NoId;
    QSet<quint32> m_highFileIds;

    MoveOutcome moveBy(const QVector<quint32> &rowIds, QVector<int> selectedRows, bool up, bool exchange);

    Document *m_document;
    quint32 m_nextTempId = DB_NS::NoId;
    std::vector<std::unique_ptr<DB_NS::TPNode>> m_copyBuffer;
};
