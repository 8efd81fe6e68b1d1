#pragma once
// The editor's own open figure for scripts/bench --cold: with TAVRIN_OPEN_TIMING
// set to the launch time (nanoseconds since the epoch, as `date +%s%N` prints),
// the editor opens its FILE argument, selects All Services, prints the time from
// launch to the filled table on standard error, and quits.

#include <QStringList>

class Tavrin;

bool openTimingRequested();
// Returns the exit status: 0 when the file opened and All Services was shown.
int runOpenTiming(Tavrin &window, const QStringList &arguments);
