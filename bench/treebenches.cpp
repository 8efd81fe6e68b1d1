// Figures of the tree's operations on satellites and TPs, and the heap the
// undo history holds.

#include "benchcommon.h"

#include "channeldatabase.h"
#include "dbtreewidget.h"
#include "documentedits.h"

#include <QUndoStack>

#include <malloc.h>

#include <algorithm>
#include <functional>

namespace bench {

// ---- the tree's operations, as the user sees them ------------------------

// The satellite with the most TPs, and the one with the next most.
std::pair<quint32, quint32> twoBiggestSats(const ChannelDatabase &db)
{
    std::vector<const DB_NS::SatNode *> sats(db.sats().begin(), db.sats().end());
    std::stable_sort(sats.begin(), sats.end(), [](const DB_NS::SatNode *a, const DB_NS::SatNode *b) {
        return a->tps().size() > b->tps().size();
    });
    if (sats.size() < 2)
        return {DB_NS::NoId, DB_NS::NoId};
    return {sats[0]->id(), sats[1]->id()};
}

QModelIndex satRow(BenchSession &s, quint32 satId)
{
    return s.tree()->treeModel()->satelliteIndex(satId);
}

int tpRowCount(BenchSession &s, quint32 satId)
{
    return s.tree()->treeModel()->rowCount(satRow(s, satId));
}

// Makes the row current as a click does, so the table shows its view.
QModelIndex showRow(BenchSession &s, quint32 satId, int tpRow = -1)
{
    const QModelIndex sat = satRow(s, satId);
    const QModelIndex row = sat.isValid() && tpRow >= 0 ? s.tree()->treeModel()->index(tpRow, 0, sat) : sat;
    if (row.isValid()) {
        s.tree()->expand(sat);
        s.tree()->setCurrentIndex(row);
    }
    return row;
}

// Sets the scene untimed, then times the operation, or its undo, with the
// rows and the table brought up to date. The history is emptied again.
void treeEditBench(benchmark::State &state, int size, bool timeUndo, const std::function<bool(BenchSession &)> &prepare,
                   const std::function<void(BenchSession &)> &run)
{
    BenchSession *s = withWidgets(state, size);
    if (!s)
        return;
    QUndoStack *stack = s->document().undoStack();
    for (auto _ : state) {
        state.PauseTiming();
        if (!prepare(*s)) {
            fail(state, QStringLiteral("no scene for the operation"));
            break;
        }
        settle();
        if (!timeUndo)
            coldResume(state);
        run(*s);
        settle();
        if (timeUndo)
            coldResume(state);
        else
            state.PauseTiming();
        stack->undo();
        settle();
        if (timeUndo)
            state.PauseTiming();
        stack->clear();
        settle();
        state.ResumeTiming();
    }
}

void addTPBench(benchmark::State &state, int size, bool timeUndo)
{
    quint32 satId = DB_NS::NoId;
    treeEditBench(
        state, size, timeUndo,
        [&](BenchSession &s) {
            satId = twoBiggestSats(*s.document().database()).first;
            return showRow(s, satId).isValid();
        },
        [&](BenchSession &s) {
            DocumentEdits &edits = s.document().edits();
            std::unique_ptr<DB_NS::Node> tp = edits.newNode(NodeKind::Transponder, satId);
            tp->addAttribute(QStringLiteral("FRQ"), QStringLiteral("11111"));
            edits.addNode(NodeKind::Transponder, satId, std::move(tp));
        });
}

void benchAddTP(benchmark::State &state, int size) { addTPBench(state, size, false); }
void benchUndoAddTP(benchmark::State &state, int size) { addTPBench(state, size, true); }

// Delete on a TP in the middle, then the next row made current as the tree does.
void deleteTPBench(benchmark::State &state, int size, bool timeUndo)
{
    quint32 satId = DB_NS::NoId, tpId = DB_NS::NoId;
    int row = 0;
    treeEditBench(
        state, size, timeUndo,
        [&](BenchSession &s) {
            satId = twoBiggestSats(*s.document().database()).first;
            row = tpRowCount(s, satId) / 2;
            const QModelIndex tp = showRow(s, satId, row);
            tpId = tp.isValid() ? DBTreeModel::idOf(tp) : DB_NS::NoId;
            return tp.isValid();
        },
        [&](BenchSession &s) {
            s.document().edits().removeNodes(NodeKind::Transponder, satId, {tpId});
            showRow(s, satId, row);
        });
}

void benchDeleteTP(benchmark::State &state, int size) { deleteTPBench(state, size, false); }
void benchUndoDeleteTP(benchmark::State &state, int size) { deleteTPBench(state, size, true); }

// Every second TP of the first twenty, in front of the last TP; they stay selected.
void moveTo10Bench(benchmark::State &state, int size, bool timeUndo)
{
    quint32 satId = DB_NS::NoId, targetId = DB_NS::NoId;
    QVector<quint32> ids;
    treeEditBench(
        state, size, timeUndo,
        [&](BenchSession &s) {
            satId = twoBiggestSats(*s.document().database()).first;
            const int count = tpRowCount(s, satId);
            // Ten at the large size; fewer in a smoke run's small satellites.
            const int moved = std::min(10, (count - 1) / 2);
            if (moved < 1 || !showRow(s, satId, 1).isValid())
                return false;
            const DBTreeModel *rows = s.tree()->treeModel();
            const QModelIndex sat = satRow(s, satId);
            ids.clear();
            for (int i = 1; i < 2 * moved; i += 2) {
                s.tree()->selectionModel()->select(rows->index(i, 0, sat), QItemSelectionModel::Select);
                ids << DBTreeModel::idOf(rows->index(i, 0, sat));
            }
            targetId = DBTreeModel::idOf(rows->index(count - 1, 0, sat));
            return true;
        },
        [&](BenchSession &s) { s.document().edits().moveNodesBefore(NodeKind::Transponder, satId, ids, targetId); });
}

void benchMoveTo10TPs(benchmark::State &state, int size) { moveTo10Bench(state, size, false); }
void benchUndoMoveTo10TPs(benchmark::State &state, int size) { moveTo10Bench(state, size, true); }

void switchSatellitesBench(benchmark::State &state, int size, bool timeUndo)
{
    std::pair<quint32, quint32> sats;
    treeEditBench(
        state, size, timeUndo,
        [&](BenchSession &s) {
            sats = twoBiggestSats(*s.document().database());
            return showRow(s, sats.first).isValid() && satRow(s, sats.second).isValid();
        },
        [&](BenchSession &s) {
            s.document().edits().exchangeNodes(NodeKind::Satellite, DB_NS::NoId, sats.first, sats.second);
        });
}

void benchSwitchSatellites(benchmark::State &state, int size) { switchSatellitesBench(state, size, false); }
void benchUndoSwitchSatellites(benchmark::State &state, int size) { switchSatellitesBench(state, size, true); }

// Ten TPs of one satellite copied, pasted onto another shown satellite.
void paste10Bench(benchmark::State &state, int size, bool timeUndo)
{
    std::pair<quint32, quint32> sats;
    treeEditBench(
        state, size, timeUndo,
        [&](BenchSession &s) {
            sats = twoBiggestSats(*s.document().database());
            const QVector<quint32> order = s.document().nodeOrder(NodeKind::Transponder, sats.first);
            return s.document().edits().copyTransponders(sats.first, order.mid(0, 10)) == std::min(10, order.size())
                && showRow(s, sats.second).isValid();
        },
        [&](BenchSession &s) { s.document().edits().pasteTransponders(sats.second); });
}

void benchPaste10TPs(benchmark::State &state, int size) { paste10Bench(state, size, false); }
void benchUndoPaste10TPs(benchmark::State &state, int size) { paste10Bench(state, size, true); }

// The satellite with the most programmes, topped up to 1,000 with TPs of
// 100 programmes once (the sample's satellite limit allows no new one); the
// session keeps them, so these figures run last at each size.
quint32 thousandProgrammeSat(BenchSession &s)
{
    Document &doc = s.document();
    const quint32 satId = s.biggestSat();
    DocumentEdits &edits = doc.edits();
    quint32 pgId = 0x200000;
    for (int t = 0; doc.database()->findSat(satId)->allPGs().size() < 1000; ++t) {
        std::unique_ptr<DB_NS::Node> tp = edits.newNode(NodeKind::Transponder, satId);
        const quint32 tpId = tp->id();
        tp->addAttribute(QStringLiteral("FRQ"), QString::number(10000 + t));
        edits.addNode(NodeKind::Transponder, satId, std::move(tp));
        DB_NS::TPNode *node = doc.database()->findSat(satId)->findTP(tpId);
        for (int p = 0; p < 100; ++p, ++pgId) {
            auto *pg = new DB_NS::PGNode(pgId);
            pg->setParentId(tpId);
            pg->addAttribute(QStringLiteral("NAME"), QStringLiteral("P%1").arg(pgId));
            node->addPG(pg);
        }
    }
    doc.undoStack()->clear();
    return satId;
}

// Delete on that satellite, then the next row made current as the tree does.
void deleteSatelliteBench(benchmark::State &state, int size, bool timeUndo)
{
    quint32 satId = DB_NS::NoId;
    treeEditBench(
        state, size, timeUndo,
        [&](BenchSession &s) {
            satId = thousandProgrammeSat(s);
            return s.document().database()->findSat(satId)->allPGs().size() >= 1000
                && showRow(s, satId).isValid();
        },
        [&](BenchSession &s) {
            const QModelIndex row = satRow(s, satId);
            const QPersistentModelIndex root = row.parent();
            const int index = row.row();
            s.document().edits().removeNodes(NodeKind::Satellite, DB_NS::NoId, {satId});
            const QModelIndex next = s.tree()->treeModel()->index(index, 0, root);
            s.tree()->setCurrentIndex(next.isValid() ? next : QModelIndex(root));
        });
}

void benchDeleteSatellite1000(benchmark::State &state, int size) { deleteSatelliteBench(state, size, false); }
void benchUndoDeleteSatellite1000(benchmark::State &state, int size) { deleteSatelliteBench(state, size, true); }

// Heap held on the undo stack by 100 Move Down: of one row, held down (the
// table selects the moved row again), or of 100 rows across the list, one
// step each. Not a timed figure.
double undoHistoryMiB(int size, bool held)
{
    BenchSession s(ctx->libraryName, ctx->dumpPaths[size], ctx->savePaths[size]);
    if (!s.ensureLoaded())
        return -1;
    QUndoStack *stack = s.document().undoStack();
    const QVector<quint32> rows = s.document().serviceOrder();
    QVector<int> selected{int(rows.size() / 2)};
    const size_t before = mallinfo2().uordblks;
    for (int i = 0; i < 100; ++i) {
        if (held) {
            selected = s.document().edits().moveDown(s.document().serviceOrder(), selected).rows;
        } else {
            s.document().edits().moveDown(rows, {int(i * (rows.size() - 1) / 100)});
        }
    }
    const double kept = double(mallinfo2().uordblks - before) / (1024.0 * 1024.0);
    stack->clear();
    return kept;
}

} // namespace bench
