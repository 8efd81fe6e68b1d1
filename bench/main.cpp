// tavrin-bench: times loading, saving, the views and the programme operations
// of the editor at the large and the stress database size, offscreen, and
// prints one line per figure against its target.
//
// usage: tavrin-bench [--smoke] [--wall] [Google Benchmark flags]
//   --smoke  tiny databases and one iteration each: proves every figure still
//            runs, times nothing worth reading.
//   --wall   report wall-clock time instead of the GUI thread's CPU time. On
//            an idle machine they agree but for the disk waits of Save; on
//            a busy one only the CPU time is worth comparing.
// Exit status: 0 all figures pass (or, with --smoke, all ran), 1 a benchmark
// failed to run, 2 bad usage, 3 a figure misses its target.

#include "benchreport.h"
#include "benchsession.h"

#include "channeldatabase.h"
#include "dbtreewidget.h"
#include "dbtreewidgetitem.h"
#include "documentedits.h"
#include "documentio.h"
#include "filetyperegistry.h"
#include "parserconfig.h"
#include "qdbprogramwidget.h"
#include "qfavgroupeditdialog.h"
#include "recordconversion.h"
#include "samplegenerator.h"
#include "savefile.h"
#include "tpdisplayname.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>

#include <QAction>
#include <QTableWidget>
#include <QUndoStack>

#include <malloc.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

namespace {

enum Size { Large = 0, Stress = 1 };
const char *const sizeNames[] = {"large", "stress"};

struct Context
{
    QString libraryName;
    QString dumpPaths[2];
    QString savePaths[2];
    bool smoke = false;
    bool wall = false;
    std::unique_ptr<BenchSession> session;
    int sessionSize = -1;
    double undoHistoryMiB[2] = {-1, -1};
    QStringList errors;
};

Context *ctx = nullptr;

// Only one size is held at a time, so that the peak memory is the stress
// size's own.
BenchSession *sessionFor(benchmark::State &state, int size)
{
    if (ctx->sessionSize != size) {
        ctx->session.reset();
        ctx->session = std::make_unique<BenchSession>(ctx->libraryName, ctx->dumpPaths[size], ctx->savePaths[size]);
        ctx->sessionSize = size;
    }
    if (!ctx->session->isBound()) {
        state.SkipWithError(ctx->session->errorString().toUtf8().constData());
        return nullptr;
    }
    return ctx->session.get();
}

bool fail(benchmark::State &state, const QString &message)
{
    state.SkipWithError(message.toUtf8().constData());
    return false;
}

// Lets deferred layout and painting happen, so that a figure includes
// what the user waits for, not only the call.
void settle()
{
    QCoreApplication::processEvents();
}

BenchSession *withDocument(benchmark::State &state, int size)
{
    BenchSession *s = sessionFor(state, size);
    if (s && !s->ensureLoaded()) {
        fail(state, s->errorString());
        return nullptr;
    }
    return s;
}

BenchSession *withWidgets(benchmark::State &state, int size)
{
    BenchSession *s = sessionFor(state, size);
    if (s && !s->ensureWidgets()) {
        fail(state, s->errorString());
        return nullptr;
    }
    return s;
}

// The first letter of the first programme's name: a prefix that matches a
// share of the rows, as a typed letter does.
QString firstNameLetter(const BenchSession &s)
{
    const ChannelDatabase *db = const_cast<BenchSession &>(s).document().database();
    if (db && db->allPGs().first())
        return db->allPGs().first()->value(QStringLiteral("NAME")).left(1);
    return QStringLiteral("A");
}

// Programme ids in a fixed shuffled order, so that operations hit places all
// over the list.
std::vector<quint32> shuffledProgrammeIds(const ChannelDatabase &db)
{
    std::vector<quint32> ids;
    ids.reserve(db.allPGs().size());
    for (const DB_NS::PGNode *pg : db.allPGs())
        ids.push_back(pg->id());
    std::mt19937 random(12345);
    std::shuffle(ids.begin(), ids.end(), random);
    return ids;
}

// Every figure times one user action, and an action comes between much
// other work, so each timed run starts with cold caches. Timed warm, a
// database that fits the cache at the large size and not at the stress size
// would show the cache rather than the code.
void evictCaches()
{
    static std::vector<unsigned char> buffer(std::size_t(64) << 20, 1); // twice the last-level cache
    for (std::size_t i = 0; i < buffer.size(); i += 64)
        ++buffer[i];
    benchmark::ClobberMemory();
}

// Ends a paused reset.
void coldResume(benchmark::State &state)
{
    evictCaches();
    state.ResumeTiming();
}

void coldStart(benchmark::State &state)
{
    state.PauseTiming();
    coldResume(state);
}

// ---- parser and binding --------------------------------------------------

void benchLoad(benchmark::State &state, int size)
{
    BenchSession *s = sessionFor(state, size);
    if (!s)
        return;
    for (auto _ : state) {
        state.PauseTiming();
        s->releaseDocument();
        coldResume(state);
        if (!s->ensureLoaded()) {
            fail(state, s->errorString());
            break;
        }
    }
}

void benchBuildDatabase(benchmark::State &state, int size)
{
    BenchSession *s = sessionFor(state, size);
    if (!s)
        return;
    s->releaseDocument();
    RecordList *sats = nullptr, *tps = nullptr, *pgs = nullptr;
    NameList *names = nullptr;
    HotKeyList *keys = nullptr;
    const std::u16string path = s->dumpPath().toStdU16String();
    if (s->library().load(OstrelUserDump, path.c_str(), &sats, &tps, &pgs, &names, &keys) != 0 || !sats || !tps
        || !pgs) {
        fail(state, QStringLiteral("Load failed"));
        return;
    }
    for (auto _ : state) {
        coldStart(state);
        std::unique_ptr<ChannelDatabase> db = databaseFromRecords(*sats, *tps, *pgs);
        benchmark::DoNotOptimize(db.get());
        state.PauseTiming();
        db.reset();
        state.ResumeTiming();
    }
    s->library().clean();
}

bool saveOnce(benchmark::State &state, BenchSession &s)
{
    int rc = -1;
    if (saveDocument(&s.library(), ctx->libraryName, OstrelUserDump, s.savePath(), s.document().data(), &rc)
        != SaveOutcome::Saved)
        return fail(state, QStringLiteral("Save returned %1").arg(rc));
    return true;
}

void benchSave(benchmark::State &state, int size)
{
    BenchSession *s = withDocument(state, size);
    if (!s)
        return;
    for (auto _ : state) {
        coldStart(state);
        if (!saveOnce(state, *s))
            break;
    }
}

// ---- tree and table --------------------------------------------------------

void benchTreeSetDatabase(benchmark::State &state, int size)
{
    BenchSession *s = withWidgets(state, size);
    if (!s)
        return;
    Document &doc = s->document();
    for (auto _ : state) {
        coldStart(state);
        s->tree()->setDocument(&doc);
        settle();
    }
}

// From a table that shows every programme, the worst case of opening a file.
void benchTableSetDatabase(benchmark::State &state, int size)
{
    BenchSession *s = withWidgets(state, size);
    if (!s)
        return;
    Document &doc = s->document();
    for (auto _ : state) {
        state.PauseTiming();
        s->table()->allSrvSelected();
        settle();
        coldResume(state);
        s->table()->setDocument(&doc);
        settle();
    }
}

void benchAllServicesView(benchmark::State &state, int size)
{
    BenchSession *s = withWidgets(state, size);
    if (!s)
        return;
    for (auto _ : state) {
        coldStart(state);
        s->table()->allSrvSelected();
        settle();
    }
}

// Switching away from All Services: the rows to clear make it the worst case.
void benchSatelliteView(benchmark::State &state, int size)
{
    BenchSession *s = withWidgets(state, size);
    if (!s)
        return;
    const quint32 sat = s->biggestSat();
    for (auto _ : state) {
        state.PauseTiming();
        s->table()->allSrvSelected();
        settle();
        coldResume(state);
        s->table()->satSelected(sat);
        settle();
    }
}

void benchTransponderView(benchmark::State &state, int size)
{
    BenchSession *s = withWidgets(state, size);
    if (!s)
        return;
    const auto tp = s->biggestTp();
    for (auto _ : state) {
        state.PauseTiming();
        s->table()->allSrvSelected();
        settle();
        coldResume(state);
        s->table()->tpSelected(tp.first, tp.second);
        settle();
    }
}

// One letter typed into an empty line edit of the table's bar, with the
// filter cleared and All Services shown.
void benchTypeLetter(benchmark::State &state, int size, QLineEdit *(BenchSession::*editOf)() const,
                     const char *missing)
{
    BenchSession *s = withWidgets(state, size);
    if (!s)
        return;
    const QString letter = firstNameLetter(*s);
    QLineEdit *edit = (s->*editOf)();
    if (!edit) {
        fail(state, QString::fromLatin1(missing));
        return;
    }
    s->filterEdit()->clear();
    s->table()->allSrvSelected();
    for (auto _ : state) {
        state.PauseTiming();
        edit->clear();
        settle();
        coldResume(state);
        edit->insert(letter);
        settle();
    }
    edit->clear();
}

void benchFilterKeystroke(benchmark::State &state, int size)
{
    benchTypeLetter(state, size, &BenchSession::filterEdit, "no filter line edit");
}

void benchFilterErase(benchmark::State &state, int size)
{
    BenchSession *s = withWidgets(state, size);
    if (!s)
        return;
    const QString letter = firstNameLetter(*s);
    QLineEdit *edit = s->filterEdit();
    if (!edit) {
        fail(state, QStringLiteral("no filter line edit"));
        return;
    }
    edit->clear();
    s->table()->allSrvSelected();
    for (auto _ : state) {
        state.PauseTiming();
        edit->setText(letter);
        settle();
        coldResume(state);
        edit->backspace();
        settle();
    }
}

void benchFindKeystroke(benchmark::State &state, int size)
{
    benchTypeLetter(state, size, &BenchSession::findEdit, "no find line edit");
}

void benchFindNext(benchmark::State &state, int size)
{
    BenchSession *s = withWidgets(state, size);
    if (!s)
        return;
    QLineEdit *edit = s->findEdit();
    QPushButton *next = s->findNextButton();
    if (!edit || !next) {
        fail(state, QStringLiteral("no find line edit or button"));
        return;
    }
    s->filterEdit()->clear();
    s->table()->allSrvSelected();
    edit->setText(firstNameLetter(*s));
    for (auto _ : state) {
        coldStart(state);
        next->click();
        settle();
    }
    edit->clear();
}

void benchStoreRowOrder(benchmark::State &state, int size)
{
    BenchSession *s = withWidgets(state, size);
    if (!s)
        return;
    s->table()->allSrvSelected();
    for (auto _ : state) {
        coldStart(state);
        s->table()->storeRowOrder();
    }
}

// What File, Save does for a dump: the row order first, then Save.
void benchEditorSave(benchmark::State &state, int size)
{
    BenchSession *s = withWidgets(state, size);
    if (!s)
        return;
    s->table()->allSrvSelected();
    for (auto _ : state) {
        coldStart(state);
        s->table()->storeRowOrder();
        if (!saveOnce(state, *s))
            break;
    }
}

// TP names share their first letters; the keystroke that hides most is the
// first one past the common "TP_".
QString tpPrefix(const BenchSession &s, int length)
{
    const ChannelDatabase *db = const_cast<BenchSession &>(s).document().database();
    const DB_NS::SatNode *sat = db ? db->sats().first() : nullptr;
    const DB_NS::TPNode *tp = sat ? sat->tps().first() : nullptr;
    return tp ? tpDisplayName(*tp).left(length) : QString();
}

void treeFilterBench(benchmark::State &state, int size, int fromLength, int toLength)
{
    BenchSession *s = withWidgets(state, size);
    if (!s)
        return;
    const QString from = tpPrefix(*s, fromLength);
    const QString to = tpPrefix(*s, toLength);
    s->tree()->slotSearchTypeChanged(1);
    for (auto _ : state) {
        state.PauseTiming();
        s->tree()->slotFilterChanged(from);
        settle();
        coldResume(state);
        s->tree()->slotFilterChanged(to);
        settle();
    }
    s->tree()->slotFilterChanged(QString());
    s->tree()->slotSearchTypeChanged(0);
}

void benchTreeFilterKeystroke(benchmark::State &state, int size)
{
    treeFilterBench(state, size, 3, 4);
}

void benchTreeFilterErase(benchmark::State &state, int size)
{
    treeFilterBench(state, size, 4, 3);
}

// ---- programme operations of the model ----------------------------------------

// The model operations change the database under the widgets, so those go first.
ChannelDatabase *modelFor(benchmark::State &state, int size)
{
    BenchSession *s = withDocument(state, size);
    if (!s)
        return nullptr;
    s->dropWidgets();
    return s->document().database();
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
    QTableWidget *table = s.table()->table();
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
void documentMoveBench(benchmark::State &state, int size, const char *action, int rows, int timedStep)
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

QTreeWidgetItem *satItem(BenchSession &s, quint32 satId)
{
    QTreeWidgetItem *root = s.tree()->topLevelItem(0)->child(0);
    for (int i = 0; i < root->childCount(); ++i) {
        if (DBTreeWidgetItem::from(root->child(i))->id() == satId)
            return root->child(i);
    }
    return nullptr;
}

// Makes the row current as a click does, so the table shows its view.
QTreeWidgetItem *showRow(BenchSession &s, quint32 satId, int tpRow = -1)
{
    QTreeWidgetItem *sat = satItem(s, satId);
    QTreeWidgetItem *row = sat && tpRow >= 0 ? sat->child(tpRow) : sat;
    if (row) {
        sat->setExpanded(true);
        s.tree()->setCurrentItem(row);
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
    treeEditBench(state, size, timeUndo,
                  [&](BenchSession &s) {
                      satId = twoBiggestSats(*s.document().database()).first;
                      return showRow(s, satId) != nullptr;
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
    treeEditBench(state, size, timeUndo,
                  [&](BenchSession &s) {
                      satId = twoBiggestSats(*s.document().database()).first;
                      QTreeWidgetItem *sat = satItem(s, satId);
                      row = sat ? sat->childCount() / 2 : 0;
                      QTreeWidgetItem *tp = showRow(s, satId, row);
                      tpId = tp ? DBTreeWidgetItem::from(tp)->id() : DB_NS::NoId;
                      return tp != nullptr;
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
    treeEditBench(state, size, timeUndo,
                  [&](BenchSession &s) {
                      satId = twoBiggestSats(*s.document().database()).first;
                      QTreeWidgetItem *sat = satItem(s, satId);
                      // Ten at the large size; fewer in a smoke run's small satellites.
                      const int moved = sat ? std::min(10, (sat->childCount() - 1) / 2) : 0;
                      if (moved < 1 || !showRow(s, satId, 1))
                          return false;
                      ids.clear();
                      for (int i = 1; i < 2 * moved; i += 2) {
                          sat->child(i)->setSelected(true);
                          ids << DBTreeWidgetItem::from(sat->child(i))->id();
                      }
                      targetId = DBTreeWidgetItem::from(sat->child(sat->childCount() - 1))->id();
                      return true;
                  },
                  [&](BenchSession &s) { s.document().edits().moveNodesBefore(NodeKind::Transponder, satId, ids, targetId); });
}

void benchMoveTo10TPs(benchmark::State &state, int size) { moveTo10Bench(state, size, false); }
void benchUndoMoveTo10TPs(benchmark::State &state, int size) { moveTo10Bench(state, size, true); }

void switchSatellitesBench(benchmark::State &state, int size, bool timeUndo)
{
    std::pair<quint32, quint32> sats;
    treeEditBench(state, size, timeUndo,
                  [&](BenchSession &s) {
                      sats = twoBiggestSats(*s.document().database());
                      return showRow(s, sats.first) != nullptr && satItem(s, sats.second) != nullptr;
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
    treeEditBench(state, size, timeUndo,
                  [&](BenchSession &s) {
                      sats = twoBiggestSats(*s.document().database());
                      const QVector<quint32> order = s.document().nodeOrder(NodeKind::Transponder, sats.first);
                      return s.document().edits().copyTransponders(sats.first, order.mid(0, 10)) == std::min(10, order.size())
                          && showRow(s, sats.second) != nullptr;
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
    treeEditBench(state, size, timeUndo,
                  [&](BenchSession &s) {
                      satId = thousandProgrammeSat(s);
                      return s.document().database()->findSat(satId)->allPGs().size() >= 1000
                          && showRow(s, satId) != nullptr;
                  },
                  [&](BenchSession &s) {
                      QTreeWidgetItem *row = satItem(s, satId);
                      QTreeWidgetItem *root = row->parent();
                      const int index = root->indexOfChild(row);
                      s.document().edits().removeNodes(NodeKind::Satellite, DB_NS::NoId, {satId});
                      s.tree()->setCurrentItem(index < root->childCount() ? root->child(index) : root);
                  });
}

void benchDeleteSatellite1000(benchmark::State &state, int size) { deleteSatelliteBench(state, size, false); }
void benchUndoDeleteSatellite1000(benchmark::State &state, int size) { deleteSatelliteBench(state, size, true); }

// Heap held by 100 single-row moves on the undo stack; not a timed figure.
double undoHistoryMiB(int size)
{
    BenchSession s(ctx->libraryName, ctx->dumpPaths[size], ctx->savePaths[size]);
    if (!s.ensureLoaded())
        return -1;
    QUndoStack *stack = s.document().undoStack();
    const QVector<quint32> rows = s.document().serviceOrder();
    const size_t before = mallinfo2().uordblks;
    for (int i = 0; i < 100; ++i)
        s.document().edits().moveDown(rows, {int(i * (rows.size() - 1) / 100)});
    const double held = double(mallinfo2().uordblks - before) / (1024.0 * 1024.0);
    stack->clear();
    return held;
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

// ---- favourite groups ----------------------------------------------------

// The lowest group some programme belongs to, shown in the table; 0 when no
// programme is in a group.
quint32 showSomeGroup(BenchSession &s)
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
void groupEditBench(benchmark::State &state, int size, int timedStep)
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
    for (auto _ : state) {
        if (timedStep == 0)
            coldStart(state);
        else
            state.PauseTiming();
        doc.edits().editGroup(group, changes);
        settle();
        if (timedStep == 0)
            state.PauseTiming();
        else
            coldResume(state);
        doc.undoStack()->undo();
        settle();
        if (timedStep == 1)
            state.PauseTiming();
        doc.undoStack()->clear();
        state.ResumeTiming();
    }
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

struct Figure
{
    const char *name;
    double targetMs;
    void (*run)(benchmark::State &, int);
    int iterations; // fixed: each one pays for a cold start and often a reset
};

// Targets: Load and Save 100 ms; a view filled, a filter keystroke or a find
// 150 ms; a single programme or tree operation 20 ms.
const Figure figures[] = {
    {"Load", 100, benchLoad, 10},
    {"BuildDatabase", 100, benchBuildDatabase, 10},
    {"Save", 100, benchSave, 10},
    {"TreeSetDatabase", 150, benchTreeSetDatabase, 10},
    {"TableSetDatabase", 150, benchTableSetDatabase, 10},
    {"AllServicesView", 150, benchAllServicesView, 10},
    {"SatelliteView", 150, benchSatelliteView, 10},
    {"TransponderView", 150, benchTransponderView, 10},
    {"FilterKeystroke", 150, benchFilterKeystroke, 10},
    {"FilterErase", 150, benchFilterErase, 10},
    {"FindKeystroke", 150, benchFindKeystroke, 10},
    {"FindNext", 150, benchFindNext, 20},
    {"StoreRowOrder", 100, benchStoreRowOrder, 10},
    {"EditorSave", 100, benchEditorSave, 10},
    {"TreeFilterKeystroke", 20, benchTreeFilterKeystroke, 10},
    {"TreeFilterErase", 20, benchTreeFilterErase, 10},
    {"MovePGUp", 20, benchMovePGUp, 200},
    {"MovePGBefore", 20, benchMovePGBefore, 200},
    {"ExchangePGs", 20, benchExchangePGs, 200},
    {"RemovePG", 20, benchRemovePG, 200},
    {"RelinkProgrammes", 20, benchRelinkProgrammes, 20},
    {"MoveUpChannel", 20, benchMoveUpChannel, 20},
    {"UndoMoveUp", 20, benchUndoMoveUp, 20},
    {"RedoMoveUp", 20, benchRedoMoveUp, 20},
    {"MoveDown100Rows", 100, benchMoveDown100, 10},
    {"EditChannel", 20, benchEditChannel, 20},
    {"AddTP", 20, benchAddTP, 20},
    {"UndoAddTP", 20, benchUndoAddTP, 20},
    {"DeleteTP", 20, benchDeleteTP, 20},
    {"UndoDeleteTP", 20, benchUndoDeleteTP, 20},
    {"MoveTo10TPs", 20, benchMoveTo10TPs, 20},
    {"UndoMoveTo10TPs", 20, benchUndoMoveTo10TPs, 20},
    {"SwitchSatellites", 20, benchSwitchSatellites, 20},
    {"UndoSwitchSatellites", 20, benchUndoSwitchSatellites, 20},
    {"Paste10TPs", 20, benchPaste10TPs, 20},
    {"UndoPaste10TPs", 20, benchUndoPaste10TPs, 20},
    {"MoveChannel", 20, benchMoveChannel, 20},
    {"UndoMoveChannel", 20, benchUndoMoveChannel, 20},
    {"MoveChannel100Rows", 100, benchMoveChannel100, 10},
    {"SwitchChannel", 20, benchSwitchChannel, 20},
    {"InsertChannel", 20, benchInsertChannel, 20},
    {"UndoInsertChannel", 20, benchUndoInsertChannel, 20},
    {"DeleteChannel", 20, benchDeleteChannel, 20},
    {"UndoDeleteChannel", 20, benchUndoDeleteChannel, 20},
    {"Delete100Rows", 100, benchDelete100, 10},
    {"CopyChannelTo", 20, benchCopyChannelTo, 20},
    {"CutChannelTo", 20, benchCutChannelTo, 20},
    {"UndoCutChannelTo", 20, benchUndoCutChannelTo, 20},
    {"Paste100", 100, benchPaste100, 10},
    {"GroupEditorOpen", 150, benchGroupEditorOpen, 10},
    {"GroupEdit100Rows", 100, benchGroupEdit100, 10},
    {"UndoGroupEdit100Rows", 100, benchUndoGroupEdit100, 10},
    {"RemoveFromGroup", 20, benchRemoveFromGroup, 20},
    // These add a satellite to the session, so they come last.
    {"DeleteSatellite1000", 100, benchDeleteSatellite1000, 10},
    {"UndoDeleteSatellite1000", 100, benchUndoDeleteSatellite1000, 10},
};

double toMs(double value, benchmark::TimeUnit unit)
{
    switch (unit) {
    case benchmark::kNanosecond:
        return value / 1e6;
    case benchmark::kMicrosecond:
        return value / 1e3;
    case benchmark::kMillisecond:
        return value;
    case benchmark::kSecond:
        return value * 1e3;
    }
    return value;
}

class FigureReporter : public benchmark::ConsoleReporter
{
public:
    explicit FigureReporter(BenchReport &report) : m_report(report) {}

    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.run_type != Run::RT_Iteration)
                continue;
            const QString name = QString::fromStdString(run.run_name.function_name);
            if (run.error_occurred)
                ctx->errors << name + QStringLiteral(": ") + QString::fromStdString(run.error_message);
            else
                m_report.record(name, toMs(ctx->wall ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime(),
                                           run.time_unit));
        }
    }

private:
    BenchReport &m_report;
};

bool writeDump(const ostrel::ParserConfig &config, const SampleSize &size, const QString &path, QString *error)
{
    const QByteArray dump = generateUserDump(config, size, error);
    if (dump.isNull())
        return false;
    return ostrel::saveFileAtomically(path, dump, error);
}

double peakMemoryMiB()
{
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0)
        return -1;
    return double(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);

    Context context;
    ctx = &context;
    QTextStream err(stderr);
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--smoke") == 0) {
            context.smoke = true;
        } else if (qstrcmp(argv[i], "--wall") == 0) {
            context.wall = true;
        } else {
            err << "tavrin-bench: unknown option " << argv[i] << "\nusage: tavrin-bench [--smoke] [--wall] "
                << "[--benchmark_filter=REGEX] [other Google Benchmark flags]\n";
            return 2;
        }
    }

    const QString dir = QCoreApplication::applicationDirPath();
    ostrel::ParserConfig config;
    QString error;
    if (!ostrel::readConfigFile(dir + QStringLiteral("/conf/tavrin_ostrel_config.xml"), config, &error)) {
        err << "tavrin-bench: " << error << '\n';
        return 1;
    }
    const FileTypeRegistry registry = FileTypeRegistry::fromFile(FileTypeRegistry::defaultIniPath());
    context.libraryName = registry.libraryForPath(QStringLiteral("bench.udf"));
    if (context.libraryName.isEmpty()) {
        err << "tavrin-bench: no parser library for .udf in " << FileTypeRegistry::defaultIniPath() << '\n';
        return 1;
    }

    QTemporaryDir temp;
    if (!temp.isValid()) {
        err << "tavrin-bench: no temporary folder\n";
        return 1;
    }
    SampleSize sizes[2] = {SampleSize::large(), SampleSize::stress()};
    if (context.smoke) {
        sizes[Large] = SampleSize::small();
        sizes[Stress] = SampleSize::small();
        sizes[Stress].programmes *= 2;
        sizes[Stress].transponders *= 2;
    }
    for (int size : {Large, Stress}) {
        const QString name = QLatin1String(sizeNames[size]);
        context.dumpPaths[size] = temp.filePath(name + QStringLiteral(".udf"));
        context.savePaths[size] = temp.filePath(name + QStringLiteral("-saved.udf"));
        if (!writeDump(config, sizes[size], context.dumpPaths[size], &error)) {
            err << "tavrin-bench: " << error << '\n';
            return 1;
        }
    }

    BenchReport report;
    for (const Figure &figure : figures)
        report.addFigure(QLatin1String(figure.name), figure.targetMs);
    for (int size : {Large, Stress}) {
        for (const Figure &figure : figures) {
            const std::string name = std::string(figure.name) + '/' + sizeNames[size];
            auto *bench = benchmark::RegisterBenchmark(name.c_str(), figure.run, size);
            bench->Unit(benchmark::kMillisecond);
            if (context.wall)
                bench->UseRealTime();
            bench->Iterations(context.smoke ? 1 : figure.iterations);
        }
    }

    FigureReporter reporter(report);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    context.session.reset();
    for (int size : {Large, Stress})
        context.undoHistoryMiB[size] = undoHistoryMiB(size);
    benchmark::Shutdown();
    report.setPeakMemoryMiB(peakMemoryMiB());

    QTextStream out(stdout);
    out << '\n';
    for (const QString &line : report.lines())
        out << line << '\n';
    out << "heap held by 100 undo steps (MiB, limit 200): large " << context.undoHistoryMiB[Large] << ", stress "
        << context.undoHistoryMiB[Stress] << '\n';
    out.flush();

    for (const QString &e : qAsConst(context.errors))
        err << "tavrin-bench: " << e << '\n';
    if (!context.errors.isEmpty())
        return 1;
    if (context.smoke) {
        const QStringList missing = report.incomplete();
        if (!missing.isEmpty()) {
            err << "tavrin-bench: not measured: " << missing.join(QStringLiteral(", ")) << '\n';
            return 1;
        }
        return 0;
    }
    return report.allPass() ? 0 : 3;
}
