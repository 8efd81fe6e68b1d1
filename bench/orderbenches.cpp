// Figures of bringing a list into order: Remove of Find Duplicates, Sort by
// NAME and Order Like against a shuffled copy of the list, each as the user
// sees it (data and the shown rows updated), and each one's undo.

#include "benchcommon.h"

#include "channeldatabase.h"
#include "documentedits.h"
#include "orderlike.h"
#include "sortorder.h"

#include <QUndoStack>

#include <functional>

namespace bench {

// Runs edit (timedStep 0) or its undo (1) on the All Services view, after
// prepare has set the list up outside the timing.
static void orderBench(benchmark::State &state, int size, int timedStep,
                       const std::function<void(Document &)> &edit,
                       const std::function<void(Document &)> &prepare = nullptr)
{
    BenchSession *s = withWidgets(state, size);
    if (!s)
        return;
    Document &doc = s->document();
    if (prepare) {
        prepare(doc);
        doc.undoStack()->clear();
        settle();
    }
    timeEditOrUndo(state, doc, timedStep, [&edit, &doc] { edit(doc); });
}

static void dedupe(Document &doc)
{
    doc.edits().removeDuplicates();
}

// 100 copies of the first TP's programmes pasted into it: a list scanned
// twice. Undo of each Remove gives them back for the next run.
static void addDuplicates(Document &doc)
{
    const DB_NS::PGNode *first = doc.database()->allPGs().isEmpty() ? nullptr : *doc.database()->allPGs().begin();
    const DB_NS::TPNode *tp = first ? first->parent() : nullptr;
    if (!tp || !tp->parent())
        return;
    QVector<quint32> ids;
    for (const DB_NS::PGNode *programme : tp->pgs())
        ids.append(programme->id());
    doc.edits().copyProgrammes(ids);
    for (int copies = 0; copies < 100; copies += ids.size())
        doc.edits().paste(tp->parent()->id(), tp->id());
}

static void sortByName(Document &doc)
{
    SortRequest request;
    request.keys = QStringList{QStringLiteral("NAME")};
    doc.edits().sortProgrammes(request);
}

// The reference: the same programmes in another order, read before the figure.
static std::function<void(Document &)> orderLikeShuffled(benchmark::State &state, int size)
{
    BenchSession *s = withWidgets(state, size);
    QVector<ReferenceEntry> reference;
    if (s) {
        const ChannelDatabase &db = *s->document().database();
        for (const quint32 id : shuffledProgrammeIds(db)) {
            const DB_NS::PGNode *programme = db.findPG(id);
            reference.append({programme->value(QStringLiteral("NAME")), programme->value(QStringLiteral("SID"))});
        }
    }
    return [reference](Document &doc) { doc.edits().orderLike(reference, QStringLiteral("REF")); };
}

void benchDedupe(benchmark::State &state, int size) { orderBench(state, size, 0, dedupe, addDuplicates); }
void benchUndoDedupe(benchmark::State &state, int size) { orderBench(state, size, 1, dedupe, addDuplicates); }
void benchSortByName(benchmark::State &state, int size) { orderBench(state, size, 0, sortByName); }
void benchUndoSortByName(benchmark::State &state, int size) { orderBench(state, size, 1, sortByName); }
void benchOrderLike(benchmark::State &state, int size) { orderBench(state, size, 0, orderLikeShuffled(state, size)); }
void benchUndoOrderLike(benchmark::State &state, int size) { orderBench(state, size, 1, orderLikeShuffled(state, size)); }

} // namespace bench
