#pragma once

#include "document.h"

#include <QString>
#include <QVector>

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

private:
    QVector<int> moveBy(const QVector<quint32> &rowIds, QVector<int> selectedRows, bool up);

    Document *m_document;
};
