// Figures of the parser and the binding: load, build the database, save.

#include "benchcommon.h"

#include "channeldatabase.h"
#include "documentio.h"
#include "recordconversion.h"

namespace bench {

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
    // The form the binding loads with: compact when the library has it.
    const bool compact = s->library().hasCompactRecords();
    RecordList *sats = nullptr, *tps = nullptr, *pgs = nullptr;
    const CompactRecordSet *sets[3] = {nullptr, nullptr, nullptr};
    ostrel::CompactReader readers[3];
    NameList *names = nullptr;
    HotKeyList *keys = nullptr;
    const std::u16string path = s->dumpPath().toStdU16String();
    const bool loaded = compact
        ? s->library().loadCompact(OstrelUserDump, path.c_str(), &sets[0], &sets[1], &sets[2], &names, &keys) == 0
            && readers[0].open(sets[0]) && readers[1].open(sets[1]) && readers[2].open(sets[2])
        : s->library().load(OstrelUserDump, path.c_str(), &sats, &tps, &pgs, &names, &keys) == 0 && sats && tps && pgs;
    if (!loaded) {
        fail(state, QStringLiteral("Load failed"));
        return;
    }
    for (auto _ : state) {
        coldStart(state);
        std::unique_ptr<ChannelDatabase> db = compact ? databaseFromCompact(readers[0], readers[1], readers[2])
                                                      : databaseFromRecords(*sats, *tps, *pgs);
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

} // namespace bench
