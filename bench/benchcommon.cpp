#include "benchcommon.h"

#include "channeldatabase.h"
#include "document.h"

#include <QCoreApplication>
#include <QUndoStack>

#include <algorithm>
#include <random>

namespace bench {

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

void timeEditOrUndo(benchmark::State &state, Document &doc, int timedStep, const std::function<void()> &edit)
{
    for (auto _ : state) {
        if (timedStep == 0)
            coldStart(state);
        else
            state.PauseTiming();
        edit();
        settle();
        if (timedStep == 0)
            state.PauseTiming();
        else
            coldResume(state);
        if (doc.undoStack()->canUndo())
            doc.undoStack()->undo();
        settle();
        if (timedStep == 1)
            state.PauseTiming();
        doc.undoStack()->clear();
        state.ResumeTiming();
    }
}

} // namespace bench
