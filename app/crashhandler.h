#pragma once

#include <cstddef>
#include <cstdint>

// Writes a text report (signal, local time, backtrace) to
// Tavrin_Crash_YYYY_MM_DD_hh_mm_ss_mmm.dmp in the current folder when the
// program dies on SIGSEGV, SIGABRT, SIGFPE, SIGILL, SIGBUS or std::terminate,
// prints "*** Unhandled Exception! ***" on stderr and exits with 128 + signal.
void installCrashHandler();

// Broken-down civil time; the pieces the dump name is made of.
struct CrashTime
{
    int year;
    int month; // 1..12
    int day;   // 1..31
    int hour;
    int minute;
    int second;
    int millisecond;
};

// Splits seconds since 1970-01-01 00:00 (already shifted to local time) into
// a civil date and time. Async-signal-safe: pure arithmetic.
CrashTime crashTimeFromLocalSeconds(int64_t localSeconds, int millisecond);

// Fills buf with the dump file name for t; returns false when it does not fit.
// Async-signal-safe.
bool crashDumpFileName(const CrashTime &t, char *buf, size_t size);
