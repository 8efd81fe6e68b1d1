#pragma once
// The edits of the recovery tests: the same in the editor that is killed and
// in the one that saves them directly.

#include "documentedits.h"

inline bool makeRecoveryEdits(Document &document)
{
    const ChannelDatabase *db = document.database();
    if (!db || db->allPGs().size() < 4)
        return false;
    QVector<quint32> rows;
    for (const DB_NS::PGNode *pg : db->allPGs())
        rows << pg->id();
    QVector<NodeAttribute> values = db->findPG(rows.at(1))->attributes();
    for (NodeAttribute &value : values) {
        if (NodeAttribute::namesEqual(value.name, QStringLiteral("NAME")))
            value.value = QStringLiteral("Recovered");
    }
    DocumentEdits &edits = document.edits();
    return edits.moveDown(rows, {0}).isPushed() && edits.editNode(NodeKind::Programme, rows.at(1), DB_NS::NoId, values)
        && edits.deleteProgrammes({rows.at(2)}) == 1
        && (document.favouriteNames().isEmpty() || edits.renameGroup(0, QStringLiteral("Kept")))
        && (document.hotKeys().isEmpty() || edits.assignHotKey(0, rows.at(3)));
}
