// Figures of the programme operations: on the model, through the table's
// actions and through the document, each with its undo where the figure names it.

#include "benchcommon.h"

#include "channeldatabase.h"
#include "documentedits.h"
#include "qdbprogramwidget.h"

#include <QAction>
#include "programmetableview.h"
#include <QUndoStack>

#include <algorithm>
#include <functional>

namespace bench {

// ---- programme operations of the model ----------------------------------------

// The model operations change the database under the widgets, so those go first.
ChannelDatabase *modelFor(benchmark::State &state, int size)
{
    BenchSession *s = withDocument(state, size);
    if (!s)
        return nullptr;
    s->dropWidgets();
    // These time the lists themselves, beside the document's history.
    return const_cast<ChannelDatabase *>(s->document().database());
}

// One model operation per iteration, on programmes picked across the whole
// list: a, and b half the list away from it.
template<typename Operation>
void benchProgrammePairs(benchmark::State &state, int size, Operation operation)
{
    ChannelDatabase *db = modelFor(state, size);
    if (!db)
        return;
    const std::vector<quint32> ids = shuffledProgrammeIds(*db);
    const std::size_t half = ids.size() / 2;
    std::size_t i = 0;
    for (auto _ : state) {
        coldStart(state);
        benchmark::DoNotOptimize(operation(*db, ids[i], ids[(i + half) % ids.size()]));
        i = (i + 1) % ids.size();
    }
}

void benchMovePGUp(benchmark::State &state, int size)
{
    benchProgrammePairs(state, size, [](ChannelDatabase &db, quint32 a, quint32) { return db.movePGUp(a); });
}

void benchMovePGBefore(benchmark::State &state, int size)
{
    benchProgrammePairs(state, size, [](ChannelDatabase &db, quint32 a, quint32 b) { return db.movePGBefore(a, b); });
}

void benchExchangePGs(benchmark::State &state, int size)
{
    benchProgrammePairs(state, size, [](ChannelDatabase &db, quint32 a, quint32 b) { return db.exchangePGs(a, b); });
}

// Runs a fixed number of iterations, each removing another programme.
void benchRemovePG(benchmark::State &state, int size)
{
    ChannelDatabase *db = modelFor(state, size);
    if (!db)
        return;
    const std::vector<quint32> ids = shuffledProgrammeIds(*db);
    std::size_t i = 0;
    for (auto _ : state) {
        if (i >= ids.size()) {
            fail(state, QStringLiteral("ran out of programmes to remove"));
            break;
        }
        const quint32 id = ids[i++];
        coldStart(state);
        DB_NS::PGNode *pg = db->findPG(id);
        DB_NS::TPNode *tp = pg ? pg->parent() : nullptr;
        if (!tp || !tp->removePG(id)) {
            fail(state, QStringLiteral("programme %1 could not be removed").arg(id));
            break;
        }
    }
}

void benchRelinkProgrammes(benchmark::State &state, int size)
{
    ChannelDatabase *db = modelFor(state, size);
    if (!db)
        return;
    for (auto _ : state) {
        coldStart(state);
        db->relinkProgrammes();
    }
}

// ---- edits through the document, as the user sees them ---------------------

// All Services shown, and the rows from first to first + count - 1 selected.
bool selectServiceRows(benchmark::State &state, BenchSession &s, int first, int count)
{
    ProgrammeTableView *table = s.table()->table();
    if (first < 0 || first + count > table->rowCount())
        return fail(state, QStringLiteral("the view has too few rows"));
    table->clearSelection();
    QItemSelection rows(table->model()->index(first, 0),
                        table->model()->index(first + count - 1, table->columnCount() - 1));
    table->selectionModel()->select(rows, QItemSelectionModel::Select);
    return true;
}

QAction *tableAction(BenchSession &s, const char *name)
{
    return s.table()->findChild<QAction *>(QLatin1String(name));
}

// Moves rows with the table's action, then times what the figure names:
// the move itself, its undo, or its redo. The history is emptied again.
// editing: one move of the same rows went before, so that the lists are no
// longer as loaded (a dump's satellite lists are grouped by TP until the
// first move puts them in service order).
void documentMoveBench(benchmark::State &state, int size, const char *action, int rows, int timedStep,
                       bool editing = false)
{
    BenchSession *s = withWidgets(state, size);
    if (!s)
        return;
    s->table()->allSrvSelected();
    settle();
    QUndoStack *stack = s->document().undoStack();
    // The smoke run's tiny database has fewer rows than a figure asks for.
    const int rowCount = s->table()->table()->rowCount();
    rows = std::min(rows, rowCount - 2);
    const int first = std::max(1, std::min(rowCount / 2, rowCount - rows - 1));
    if (editing && selectServiceRows(state, *s, first, rows)) {
        tableAction(*s, action)->trigger();
        stack->clear();
        settle();
    }
    for (auto _ : state) {
        state.PauseTiming();
        if (!selectServiceRows(state, *s, first, rows))
            break;
        if (timedStep == 0)
            coldResume(state);
        tableAction(*s, action)->trigger();
        settle();
        if (timedStep == 0)
            state.PauseTiming();
        if (timedStep == 1)
            coldResume(state);
        stack->undo();
        settle();
        if (timedStep == 1)
            state.PauseTiming();
        if (timedStep == 2) {
            coldResume(state);
            stack->redo();
            settle();
            state.PauseTiming();
            stack->undo();
        }
        stack->clear();
        settle();
        state.ResumeTiming();
    }
}

void benchMoveUpChannel(benchmark::State &state, int size)
{
    documentMoveBench(state, size, "actMoveUp", 1, 0);
}

void benchUndoMoveUp(benchmark::State &state, int size)
{
    documentMoveBench(state, size, "actMoveUp", 1, 1);
}

void benchRedoMoveUp(benchmark::State &state, int size)
{
    documentMoveBench(state, size, "actMoveUp", 1, 2);
}

void benchMoveUpEditing(benchmark::State &state, int size)
{
    documentMoveBench(state, size, "actMoveUp", 1, 0, true);
}

void benchUndoMoveUpEditing(benchmark::State &state, int size)
{
    documentMoveBench(state, size, "actMoveUp", 1, 1, true);
}

void benchRedoMoveUpEditing(benchmark::State &state, int size)
{
    documentMoveBench(state, size, "actMoveUp", 1, 2, true);
}

void benchMoveDown100(benchmark::State &state, int size)
{
    documentMoveBench(state, size, "actMoveDown", 100, 0);
}

// The property dialog's OK on a shown programme: a new NAME, one step.
void benchEditChannel(benchmark::State &state, int size)
{
    BenchSession *s = withWidgets(state, size);
    if (!s)
        return;
    s->table()->allSrvSelected();
    settle();
    Document &doc = s->document();
    const DB_NS::PGNode *programme = s->table()->programmeAt(s->table()->table()->rowCount() / 2);
    if (!programme) {
        fail(state, QStringLiteral("no programme to edit"));
        return;
    }
    const quint32 id = programme->id();
    QVector<NodeAttribute> values = programme->attributes();
    for (NodeAttribute &value : values) {
        if (value.name == QLatin1String("NAME"))
            value.value += QStringLiteral(" HD");
    }
    for (auto _ : state) {
        coldStart(state);
        doc.edits().editNode(NodeKind::Programme, id, DB_NS::NoId, values);
        settle();
        state.PauseTiming();
        doc.undoStack()->undo();
        doc.undoStack()->clear();
        settle();
        state.ResumeTiming();
    }
}

// ---- programme operations -------------------------------------------------

// What the table's slot hands to the document once its dialog was answered:
// the view's rows, the selected rows and the programme under the current row.
struct ProgrammeOp
{
    QVector<quint32> rowIds;
    QVector<int> selected;
    const DB_NS::PGNode *current = nullptr;
    quint32 otherTp = DB_NS::NoId; // another TP of the current programme's satellite
};

// Runs op on rows selected in the middle of All Services and times what the
// figure names: the operation with the rows it changes in place (timedStep
// 0), or its undo (1). The history is emptied again after each.
void programmeOpBench(benchmark::State &state, int size, int rows, int timedStep,
                      const std::function<void(Document &, const ProgrammeOp &)> &op)
{
    BenchSession *s = withWidgets(state, size);
    if (!s)
        return;
    s->table()->allSrvSelected();
    settle();
    Document &doc = s->document();
    QUndoStack *stack = doc.undoStack();
    const int middle = s->table()->table()->rowCount() / 2;
    // The smoke run's tiny view has fewer rows than a figure selects.
    if (ctx->smoke)
        rows = std::max(1, std::min(rows, s->table()->table()->rowCount() - middle));
    for (auto _ : state) {
        state.PauseTiming();
        if (!selectServiceRows(state, *s, middle, rows))
            break;
        ProgrammeOp input;
        input.rowIds = s->table()->rowIds();
        input.selected = s->table()->selectedRows();
        input.current = s->table()->programmeAt(middle);
        const DB_NS::TPNode *own = input.current ? input.current->parent() : nullptr;
        if (!own || !own->parent()) {
            fail(state, QStringLiteral("no programme in the middle row"));
            break;
        }
        for (const DB_NS::TPNode *tp : own->parent()->tps()) {
            if (tp != own) {
                input.otherTp = tp->id();
                break;
            }
        }
        if (timedStep == 0)
            coldResume(state);
        op(doc, input);
        settle();
        if (timedStep == 0)
            state.PauseTiming();
        if (timedStep == 1)
            coldResume(state);
        stack->undo();
        settle();
        if (timedStep == 1)
            state.PauseTiming();
        stack->clear();
        settle();
        state.ResumeTiming();
    }
}

void moveChannel(Document &doc, const ProgrammeOp &op)
{
    doc.edits().moveTo(op.rowIds, op.selected, op.selected.first() / 2 + 1);
}

void switchChannel(Document &doc, const ProgrammeOp &op)
{
    doc.edits().switchTo(op.rowIds, op.selected, op.selected.first() / 2 + 1);
}

void deleteChannel(Document &doc, const ProgrammeOp &op)
{
    QVector<quint32> ids;
    for (const int row : op.selected)
        ids.append(op.rowIds.at(row));
    doc.edits().deleteProgrammes(ids);
}

void insertChannel(Document &doc, const ProgrammeOp &op)
{
    const DB_NS::TPNode *tp = op.current->parent();
    doc.edits().insertProgramme(tp->getParentId(), tp->id(), op.current->id(), op.current->attributes());
}

void copyChannelTo(Document &doc, const ProgrammeOp &op)
{
    doc.edits().copyTo(op.current->id(), op.otherTp);
}

void cutChannelTo(Document &doc, const ProgrammeOp &op)
{
    doc.edits().cutTo(op.current->id(), op.otherTp);
}

void pasteChannels(Document &doc, const ProgrammeOp &op)
{
    QVector<quint32> ids;
    for (const int row : op.selected)
        ids.append(op.rowIds.at(row));
    doc.edits().copyProgrammes(ids);
    doc.edits().paste(op.current->parent()->getParentId(), op.otherTp);
}

void benchMoveChannel(benchmark::State &state, int size) { programmeOpBench(state, size, 1, 0, moveChannel); }
void benchUndoMoveChannel(benchmark::State &state, int size) { programmeOpBench(state, size, 1, 1, moveChannel); }
void benchMoveChannel100(benchmark::State &state, int size) { programmeOpBench(state, size, 100, 0, moveChannel); }
void benchSwitchChannel(benchmark::State &state, int size) { programmeOpBench(state, size, 1, 0, switchChannel); }
void benchInsertChannel(benchmark::State &state, int size) { programmeOpBench(state, size, 1, 0, insertChannel); }
void benchUndoInsertChannel(benchmark::State &state, int size) { programmeOpBench(state, size, 1, 1, insertChannel); }
void benchDeleteChannel(benchmark::State &state, int size) { programmeOpBench(state, size, 1, 0, deleteChannel); }
void benchUndoDeleteChannel(benchmark::State &state, int size) { programmeOpBench(state, size, 1, 1, deleteChannel); }
void benchDelete100(benchmark::State &state, int size) { programmeOpBench(state, size, 100, 0, deleteChannel); }
void benchCopyChannelTo(benchmark::State &state, int size) { programmeOpBench(state, size, 1, 0, copyChannelTo); }
void benchCutChannelTo(benchmark::State &state, int size) { programmeOpBench(state, size, 1, 0, cutChannelTo); }
void benchUndoCutChannelTo(benchmark::State &state, int size) { programmeOpBench(state, size, 1, 1, cutChannelTo); }
void benchPaste100(benchmark::State &state, int size) { programmeOpBench(state, size, 100, 0, pasteChannels); }

} // namespace bench
