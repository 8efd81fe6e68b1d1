// Figures of the favourite groups: the group editor and Remove channel, each
// as the user reaches it, and the editor's OK with its undo.

#include "benchcommon.h"

#include "channeldatabase.h"
#include "documentedits.h"
#include "qdbprogramwidget.h"
#include "qfavgroupeditdialog.h"

#include <QUndoStack>

namespace bench {

// The lowest group some programme belongs to, shown in the table; 0 when no
// programme is in a group.
static quint32 showSomeGroup(BenchSession &s)
{
    for (const DB_NS::PGNode *pg : s.document().database()->allPGs()) {
        const quint32 mask = pg->value(QStringLiteral("FAV")).toUInt();
        if (mask != 0) {
            const quint32 group = mask & (~mask + 1);
            s.table()->favSelected(group);
            settle();
            return group;
        }
    }
    return 0;
}

void benchGroupEditorOpen(benchmark::State &state, int size)
{
    BenchSession *s = withWidgets(state, size);
    if (!s)
        return;
    for (auto _ : state) {
        coldStart(state);
        QFavGroupEditDialog dialog(s->table(), s->document().database(), 1);
        dialog.show();
        settle();
        state.PauseTiming();
        dialog.hide();
        state.ResumeTiming();
    }
}

// OK of the group editor with 100 programmes spread over the list joining
// or leaving the shown group (timedStep 0), or its undo (1).
static void groupEditBench(benchmark::State &state, int size, int timedStep)
{
    BenchSession *s = withWidgets(state, size);
    if (!s)
        return;
    const quint32 group = showSomeGroup(*s);
    if (!group) {
        fail(state, QStringLiteral("no programme in a group"));
        return;
    }
    Document &doc = s->document();
    const std::vector<quint32> ids = shuffledProgrammeIds(*doc.database());
    QVector<DocumentEdits::Membership> changes;
    for (std::size_t i = 0; i < ids.size() && changes.size() < 100; ++i) {
        const quint32 mask = doc.database()->findPG(ids[i])->value(QStringLiteral("FAV")).toUInt();
        changes.append({ids[i], (mask & group) == 0});
    }
    timeEditOrUndo(state, doc, timedStep, [&doc, group, &changes] { doc.edits().editGroup(group, changes); });
}

void benchGroupEdit100(benchmark::State &state, int size) { groupEditBench(state, size, 0); }
void benchUndoGroupEdit100(benchmark::State &state, int size) { groupEditBench(state, size, 1); }

// Remove channel on the first row of a group view, as the user sees it.
void benchRemoveFromGroup(benchmark::State &state, int size)
{
    BenchSession *s = withWidgets(state, size);
    if (!s)
        return;
    const quint32 group = showSomeGroup(*s);
    if (!group) {
        fail(state, QStringLiteral("no programme in a group"));
        return;
    }
    Document &doc = s->document();
    for (auto _ : state) {
        state.PauseTiming();
        const DB_NS::PGNode *first = s->table()->programmeAt(0);
        if (!first) {
            fail(state, QStringLiteral("the group view is empty"));
            break;
        }
        const quint32 id = first->id();
        coldResume(state);
        doc.edits().removeFromGroup(group, id);
        settle();
        state.PauseTiming();
        doc.undoStack()->undo();
        doc.undoStack()->clear();
        settle();
        state.ResumeTiming();
    }
}

} // namespace bench
