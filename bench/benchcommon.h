#pragma once

// What the figures of tavrin-bench share: the sizes, the one session held at a
// time, the cold start of each timed run, and the figures themselves, one
// function per figure, defined in the file of its area.

#include "benchsession.h"

#include <benchmark/benchmark.h>

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class ChannelDatabase;

namespace bench {

enum Size { Large = 0,
            Stress = 1 };
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
    double heldMovesMiB[2] = {-1, -1};
    QStringList errors;
};

extern Context *ctx;

BenchSession *sessionFor(benchmark::State &state, int size);
/** Marks the run as failed with message; returns false. */
bool fail(benchmark::State &state, const QString &message);
void settle();
BenchSession *withDocument(benchmark::State &state, int size);
BenchSession *withWidgets(benchmark::State &state, int size);
QString firstNameLetter(const BenchSession &s);
std::vector<quint32> shuffledProgrammeIds(const ChannelDatabase &db);
void evictCaches();
void coldResume(benchmark::State &state);
void coldStart(benchmark::State &state);
/**
 * Times edit (timedStep 0) or its undo (1) from cold caches, each followed by
 * the view's update; the undo history is emptied after every run.
 */
void timeEditOrUndo(benchmark::State &state, Document &doc, int timedStep, const std::function<void()> &edit);
/** Saves the session's document through the parser library once. */
bool saveOnce(benchmark::State &state, BenchSession &s);

void benchLoad(benchmark::State &state, int size);
void benchBuildDatabase(benchmark::State &state, int size);
void benchSave(benchmark::State &state, int size);
void benchRecoveryWrite(benchmark::State &state, int size);
void benchTreeSetDatabase(benchmark::State &state, int size);
void benchTableSetDatabase(benchmark::State &state, int size);
void benchAllServicesView(benchmark::State &state, int size);
void benchSatelliteView(benchmark::State &state, int size);
void benchTransponderView(benchmark::State &state, int size);
void benchFilterKeystroke(benchmark::State &state, int size);
void benchFilterErase(benchmark::State &state, int size);
void benchTpFilterKeystroke(benchmark::State &state, int size);
void benchFindKeystroke(benchmark::State &state, int size);
void benchFindNext(benchmark::State &state, int size);
void benchStoreRowOrder(benchmark::State &state, int size);
void benchEditorSave(benchmark::State &state, int size);
void benchTreeFilterKeystroke(benchmark::State &state, int size);
void benchTreeFilterErase(benchmark::State &state, int size);
void benchMovePGUp(benchmark::State &state, int size);
void benchMovePGBefore(benchmark::State &state, int size);
void benchExchangePGs(benchmark::State &state, int size);
void benchRemovePG(benchmark::State &state, int size);
void benchRelinkProgrammes(benchmark::State &state, int size);
void benchMoveUpChannel(benchmark::State &state, int size);
void benchUndoMoveUp(benchmark::State &state, int size);
void benchRedoMoveUp(benchmark::State &state, int size);
void benchMoveUpEditing(benchmark::State &state, int size);
void benchUndoMoveUpEditing(benchmark::State &state, int size);
void benchRedoMoveUpEditing(benchmark::State &state, int size);
void benchMoveDown100(benchmark::State &state, int size);
void benchEditChannel(benchmark::State &state, int size);
void benchAddTP(benchmark::State &state, int size);
void benchUndoAddTP(benchmark::State &state, int size);
void benchDeleteTP(benchmark::State &state, int size);
void benchUndoDeleteTP(benchmark::State &state, int size);
void benchMoveTo10TPs(benchmark::State &state, int size);
void benchUndoMoveTo10TPs(benchmark::State &state, int size);
void benchSwitchSatellites(benchmark::State &state, int size);
void benchUndoSwitchSatellites(benchmark::State &state, int size);
void benchPaste10TPs(benchmark::State &state, int size);
void benchUndoPaste10TPs(benchmark::State &state, int size);
void benchMoveChannel(benchmark::State &state, int size);
void benchUndoMoveChannel(benchmark::State &state, int size);
void benchMoveChannel100(benchmark::State &state, int size);
void benchSwitchChannel(benchmark::State &state, int size);
void benchInsertChannel(benchmark::State &state, int size);
void benchUndoInsertChannel(benchmark::State &state, int size);
void benchDeleteChannel(benchmark::State &state, int size);
void benchUndoDeleteChannel(benchmark::State &state, int size);
void benchDelete100(benchmark::State &state, int size);
void benchCopyChannelTo(benchmark::State &state, int size);
void benchCutChannelTo(benchmark::State &state, int size);
void benchUndoCutChannelTo(benchmark::State &state, int size);
void benchPaste100(benchmark::State &state, int size);
void benchGroupEditorOpen(benchmark::State &state, int size);
void benchGroupEdit100(benchmark::State &state, int size);
void benchUndoGroupEdit100(benchmark::State &state, int size);
void benchRemoveFromGroup(benchmark::State &state, int size);
void benchDedupe(benchmark::State &state, int size);
void benchUndoDedupe(benchmark::State &state, int size);
void benchSortByName(benchmark::State &state, int size);
void benchUndoSortByName(benchmark::State &state, int size);
void benchOrderLike(benchmark::State &state, int size);
void benchUndoOrderLike(benchmark::State &state, int size);
void benchDeleteSatellite1000(benchmark::State &state, int size);
void benchUndoDeleteSatellite1000(benchmark::State &state, int size);

// Heap held on the undo stack by 100 Move Down, of one row held (one step) or
// of 100 rows (100 steps); not a timed figure.
double undoHistoryMiB(int size, bool held);

} // namespace bench
