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
// Exit status: 0 all figures run pass (or, with --smoke, all ran), 1 a
// benchmark failed to run or none was run, 2 bad usage, 3 a figure misses its
// target. Figures a --benchmark_filter leaves out are left out of the table;
// one run at one size only is "partial", judged on its target alone.

#include "benchcommon.h"
#include "benchreport.h"
#include "benchsession.h"

#include "filetyperegistry.h"
#include "parserconfig.h"
#include "samplegenerator.h"
#include "savefile.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTextStream>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>

using namespace bench;

namespace {

struct Figure
{
    const char *name;
    double targetMs;
    void (*run)(benchmark::State &, int);
    int iterations; // fixed: each one pays for a cold start and often a reset
    // Runs of that many iterations; more than one reports the median run. A
    // single operation takes a few milliseconds, so a burst of other work on
    // the machine (a compiler, a page-cache flush) over a few of its
    // iterations would otherwise move its mean by half.
    int repetitions = 1;
};

// Targets: Load and Save 100 ms; a view filled, a filter keystroke or a find
// 150 ms; a single programme or tree operation 20 ms, timed as the median of
// five runs of four; the recovery file of unsaved changes 50 ms.
const Figure figures[] = {
    {"Load", 100, benchLoad, 10},
    {"BuildDatabase", 100, benchBuildDatabase, 10},
    {"Save", 100, benchSave, 10},
    {"RecoveryWrite", 50, benchRecoveryWrite, 10},
    {"TreeSetDatabase", 150, benchTreeSetDatabase, 10},
    {"TableSetDatabase", 150, benchTableSetDatabase, 10},
    {"AllServicesView", 150, benchAllServicesView, 10},
    {"SatelliteView", 150, benchSatelliteView, 10},
    {"TransponderView", 150, benchTransponderView, 10},
    {"FilterKeystroke", 150, benchFilterKeystroke, 10},
    {"FilterErase", 150, benchFilterErase, 10},
    {"TpFilterKeystroke", 150, benchTpFilterKeystroke, 10},
    {"FindKeystroke", 150, benchFindKeystroke, 10},
    {"FindNext", 150, benchFindNext, 4, 5},
    {"StoreRowOrder", 100, benchStoreRowOrder, 10},
    {"EditorSave", 100, benchEditorSave, 10},
    {"TreeFilterKeystroke", 20, benchTreeFilterKeystroke, 10},
    {"TreeFilterErase", 20, benchTreeFilterErase, 10},
    {"MovePGUp", 20, benchMovePGUp, 200},
    {"MovePGBefore", 20, benchMovePGBefore, 200},
    {"ExchangePGs", 20, benchExchangePGs, 200},
    {"RemovePG", 20, benchRemovePG, 200},
    {"RelinkProgrammes", 20, benchRelinkProgrammes, 4, 5},
    {"MoveUpChannel", 20, benchMoveUpChannel, 4, 5},
    {"UndoMoveUp", 20, benchUndoMoveUp, 4, 5},
    {"RedoMoveUp", 20, benchRedoMoveUp, 4, 5},
    {"MoveUpEditing", 20, benchMoveUpEditing, 4, 5},
    {"UndoMoveUpEditing", 20, benchUndoMoveUpEditing, 4, 5},
    {"RedoMoveUpEditing", 20, benchRedoMoveUpEditing, 4, 5},
    {"MoveDown100Rows", 100, benchMoveDown100, 10},
    {"EditChannel", 20, benchEditChannel, 4, 5},
    {"AddTP", 20, benchAddTP, 4, 5},
    {"UndoAddTP", 20, benchUndoAddTP, 4, 5},
    {"DeleteTP", 20, benchDeleteTP, 4, 5},
    {"UndoDeleteTP", 20, benchUndoDeleteTP, 4, 5},
    {"MoveTo10TPs", 20, benchMoveTo10TPs, 4, 5},
    {"UndoMoveTo10TPs", 20, benchUndoMoveTo10TPs, 4, 5},
    {"SwitchSatellites", 20, benchSwitchSatellites, 4, 5},
    {"UndoSwitchSatellites", 20, benchUndoSwitchSatellites, 4, 5},
    {"Paste10TPs", 20, benchPaste10TPs, 4, 5},
    {"UndoPaste10TPs", 20, benchUndoPaste10TPs, 4, 5},
    {"MoveChannel", 20, benchMoveChannel, 4, 5},
    {"UndoMoveChannel", 20, benchUndoMoveChannel, 4, 5},
    {"MoveChannel100Rows", 100, benchMoveChannel100, 10},
    {"SwitchChannel", 20, benchSwitchChannel, 4, 5},
    {"InsertChannel", 20, benchInsertChannel, 4, 5},
    {"UndoInsertChannel", 20, benchUndoInsertChannel, 4, 5},
    {"DeleteChannel", 20, benchDeleteChannel, 4, 5},
    {"UndoDeleteChannel", 20, benchUndoDeleteChannel, 4, 5},
    {"Delete100Rows", 100, benchDelete100, 10},
    {"CopyChannelTo", 20, benchCopyChannelTo, 4, 5},
    {"CutChannelTo", 20, benchCutChannelTo, 4, 5},
    {"UndoCutChannelTo", 20, benchUndoCutChannelTo, 4, 5},
    {"Paste100", 100, benchPaste100, 10},
    {"GroupEditorOpen", 150, benchGroupEditorOpen, 10},
    {"GroupEdit100Rows", 100, benchGroupEdit100, 10},
    {"UndoGroupEdit100Rows", 100, benchUndoGroupEdit100, 10},
    {"RemoveFromGroup", 20, benchRemoveFromGroup, 4, 5},
    {"RemoveDuplicates", 100, benchDedupe, 4, 5},
    {"UndoRemoveDuplicates", 100, benchUndoDedupe, 4, 5},
    {"SortByName", 100, benchSortByName, 4, 5},
    {"UndoSortByName", 100, benchUndoSortByName, 4, 5},
    {"OrderLike", 100, benchOrderLike, 4, 5},
    {"UndoOrderLike", 100, benchUndoOrderLike, 4, 5},
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
    explicit FigureReporter(BenchReport &report)
        : m_report(report) {}

    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            const QString name = QString::fromStdString(run.run_name.function_name);
            if (run.error_occurred) {
                ctx->errors << name + QStringLiteral(": ") + QString::fromStdString(run.error_message);
                continue;
            }
            // A figure of one run reports its iterations; one of several runs, their median.
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (median || (run.run_type == Run::RT_Iteration && run.repetitions <= 1))
                m_report.record(name, toMs(ctx->wall ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime(), run.time_unit));
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
    // Both sizes of a figure run one after the other, so that a spell of
    // other work on the machine weighs on both and not on their ratio; each
    // size change loads that size afresh.
    for (const Figure &figure : figures) {
        for (int size : {Large, Stress}) {
            const std::string name = std::string(figure.name) + '/' + sizeNames[size];
            auto *bench = benchmark::RegisterBenchmark(name.c_str(), figure.run, size);
            bench->Unit(benchmark::kMillisecond);
            if (context.wall)
                bench->UseRealTime();
            bench->Iterations(context.smoke ? 1 : figure.iterations);
            if (!context.smoke && figure.repetitions > 1)
                bench->Repetitions(figure.repetitions)->ReportAggregatesOnly(true);
        }
    }

    FigureReporter reporter(report);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    context.session.reset();
    for (int size : {Large, Stress}) {
        context.undoHistoryMiB[size] = undoHistoryMiB(size, false);
        context.heldMovesMiB[size] = undoHistoryMiB(size, true);
    }
    benchmark::Shutdown();
    report.setPeakMemoryMiB(peakMemoryMiB());

    QTextStream out(stdout);
    out << '\n';
    for (const QString &line : report.lines())
        out << line << '\n';
    out << "heap held by 100 undo steps (MiB, limit 200): large " << context.undoHistoryMiB[Large] << ", stress "
        << context.undoHistoryMiB[Stress] << '\n';
    out << "heap held by 100 held Move Down steps (MiB, target 5 / 20): large " << context.heldMovesMiB[Large]
        << ", stress " << context.heldMovesMiB[Stress] << '\n';
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
    const QVector<BenchFigure> &run = report.figures();
    if (std::none_of(run.cbegin(), run.cend(), [](const BenchFigure &figure) { return figure.measured(); })) {
        err << "tavrin-bench: no figure was run\n";
        return 1;
    }
    return report.allPass() ? 0 : 3;
}
