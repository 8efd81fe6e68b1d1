#pragma once

#include "document.h"

#include <QString>
#include <QVector>

#include <memory>
#include <vector>

/**
 * One method per menu entry and key that edits the document. Each checks
 * its preconditions and pushes one undo step (a multi-row operation is one
 * step); the widgets' slots gather the selection and run the dialogs, and
 * tavrin-cli's edit command calls the same methods with the answers as data.
 */
class DocumentEdits
{
public:
    explicit DocumentEdits(Document *document);

    /** Forgets what refers to the old content; a load or a close calls it. */
    void reset();

    /**
     * The property dialog's OK: values replace the node's attributes.
     * False when the node is gone; true with no step when nothing differs.
     */
    bool editNode(NodeKind kind, quint32 id, quint32 satId, const QVector<NodeAttribute> &values);

    /** Rename Group and the tree's in-place rename of favourite group index. */
    bool renameGroup(int index, const QString &name);

    /**
     * Move Up and Move Down of the selected rows of a programme view whose
     * rows show rowIds. Each selected programme goes before (after) the one
     * shown above (below) it; a selection that holds the first (last) row
     * moves nothing. The change flag is set either way. Returns the rows to
     * select afterwards, empty when nothing moved.
     */
    QVector<int> moveUp(const QVector<quint32> &rowIds, QVector<int> selectedRows);
    QVector<int> moveDown(const QVector<quint32> &rowIds, QVector<int> selectedRows);

    // --- the tree's operations (treeedits.cpp) -----------------------------
    /**
     * A new satellite (kind Satellite) or TP with a temporary id: the
     * counter starts at 4294967295 and counts down for both kinds; an id
     * already in the list it goes to is passed over. Null for a programme.
     */
    std::unique_ptr<DB_NS::Node> newNode(NodeKind kind, quint32 satId = DB_NS::NoId);
    /** No satellite may be added: the limit is reached by the satellites that are shown (those with a NAME). */
    bool satelliteLimitReached() const;
    /** Add Satellite / Add TP: appends node to the satellites or to satellite satId. One step. */
    bool addNode(NodeKind kind, quint32 satId, std::unique_ptr<DB_NS::Node> node);
    /** Delete: the satellites, or TPs of satellite satId, with their programmes. One step. */
    bool removeNodes(NodeKind kind, quint32 satId, const QVector<quint32> &ids);
    /** Move Up / Move Down: one place among the shown neighbours. */
    bool moveNode(NodeKind kind, quint32 satId, quint32 id, bool up);
    /** Switch To: the two change places. */
    bool exchangeNodes(NodeKind kind, quint32 satId, quint32 id, quint32 otherId);
    /** Move To: ids, in their present order, right in front of targetId. */
    bool moveNodesBefore(NodeKind kind, quint32 satId, const QVector<quint32> &ids, quint32 targetId);
    /** Move To asked for, or Switch To confirmed without a row: the change flag goes up without a step. */
    void noteTargetChoice();
    /** Copy: copies of the satellite's TPs, last position first; the buffer is emptied first. */
    int copyTransponders(quint32 satId, const QVector<quint32> &tpIds);
    bool hasCopiedTransponders() const { return !m_copyBuffer.empty(); }
    /** Paste: the copies appended to the satellite, each FRQ made unique there. The new TPs' ids. */
    QVector<quint32> pasteTransponders(quint32 satId);

private:
    void resetTree();

    QVector<int> moveBy(const QVector<quint32> &rowIds, QVector<int> selectedRows, bool up);

    Document *m_document;
    quint32 m_nextTempId = DB_NS::NoId;
    std::vector<std::unique_ptr<DB_NS::TPNode>> m_copyBuffer;
};
