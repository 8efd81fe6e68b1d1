#include "crashhandler.h"

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <exception>

#include <execinfo.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kSignals[] = {SIGSEGV, SIGABRT, SIGFPE, SIGILL, SIGBUS};
constexpr int kMaxFrames = 128;

// Seconds east of UTC, taken when the handler was installed: localtime() is
// not async-signal-safe, so the handler cannot ask for it.
volatile sig_atomic_t g_utcOffset = 0;
volatile sig_atomic_t g_inHandler = 0;
// Room for the handler to run when the stack itself overflowed.
char g_altStack[64 * 1024];

const char *signalName(int sig)
{
    switch (sig) {
    case SIGSEGV: return "SIGSEGV";
    case SIGABRT: return "SIGABRT";
    case SIGFPE: return "SIGFPE";
    case SIGILL: return "SIGILL";
    case SIGBUS: return "SIGBUS";
    default: return "signal";
    }
}

// Appends text to a fixed buffer, truncating; the position stays within size.
struct Line
{
    char text[256];
    size_t used = 0;

    void add(const char *s)
    {
        while (*s && used + 1 < sizeof text)
            text[used++] = *s++;
    }
    void addNumber(long value, int width)
    {
        char digits[24];
        int n = 0;
        bool negative = value < 0;
        unsigned long v = negative ? 0ul - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
        do {
            digits[n++] = char('0' + v % 10);
            v /= 10;
        } while (v && n < 20);
        while (n < width && n < 20)
            digits[n++] = '0';
        if (negative && used + 1 < sizeof text)
            text[used++] = '-';
        while (n > 0 && used + 1 < sizeof text)
            text[used++] = digits[--n];
    }
};

void writeAll(int fd, const char *data, size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n <= 0)
            return;
        data += n;
        size -= size_t(n);
    }
}

void writeText(int fd, const char *s)
{
    writeAll(fd, s, std::strlen(s));
}

CrashTime currentLocalTime()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return crashTimeFromLocalSeconds(int64_t(now.tv_sec) + g_utcOffset, int(now.tv_nsec / 1000000));
}

// Everything below runs inside a signal handler (or a terminate handler that
// may have been reached from one): only async-signal-safe calls.
[[noreturn]] void reportAndExit(int sig, const char *reason)
{
    if (g_inHandler)
        _exit(128 + sig);
    g_inHandler = 1;

    const CrashTime t = currentLocalTime();
    char name[256];
    if (crashDumpFileName(t, name, sizeof name)) {
        const int fd = ::open(name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd >= 0) {
            Line head;
            head.add("*** Unhandled Exception! ***\nReason: ");
            head.add(reason);
            head.add("\nSignal: ");
            head.addNumber(sig, 0);
            head.add(" (");
            head.add(signalName(sig));
            head.add(")\nTime: ");
            head.addNumber(t.year, 4);
            head.add("-");
            head.addNumber(t.month, 2);
            head.add("-");
            head.addNumber(t.day, 2);
            head.add(" ");
            head.addNumber(t.hour, 2);
            head.add(":");
            head.addNumber(t.minute, 2);
            head.add(":");
            head.addNumber(t.second, 2);
            head.add(".");
            head.addNumber(t.millisecond, 3);
            head.add("\nProcess: ");
            head.addNumber(long(getpid()), 0);
            head.add("\nBacktrace:\n");
            writeAll(fd, head.text, head.used);

            void *frames[kMaxFrames];
            const int count = backtrace(frames, kMaxFrames);
            backtrace_symbols_fd(frames, count, fd);
            ::close(fd);
        }
    }
    writeText(STDERR_FILENO, "*** Unhandled Exception! ***\n");
    _exit(128 + sig);
}

void onSignal(int sig)
{
    reportAndExit(sig, "signal");
}

void onTerminate()
{
    reportAndExit(SIGABRT, "std::terminate");
}

bool isLeapYear(int64_t y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

} // namespace

CrashTime crashTimeFromLocalSeconds(int64_t localSeconds, int millisecond)
{
    int64_t days = localSeconds / 86400;
    int64_t rest = localSeconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    CrashTime t{};
    t.hour = int(rest / 3600);
    t.minute = int(rest % 3600 / 60);
    t.second = int(rest % 60);
    t.millisecond = millisecond;

    // Walk whole 400-year cycles (146097 days) first, then years, then months.
    int64_t year = 1970 + 400 * (days / 146097);
    days %= 146097;
    if (days < 0) {
        days += 146097;
        year -= 400;
    }
    for (;;) {
        const int64_t length = isLeapYear(year) ? 366 : 365;
        if (days < length)
            break;
        days -= length;
        ++year;
    }
    static constexpr int kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int month = 0;
    for (; month < 11; ++month) {
        const int length = kMonthDays[month] + (month == 1 && isLeapYear(year) ? 1 : 0);
        if (days < length)
            break;
        days -= length;
    }
    t.year = int(year);
    t.month = month + 1;
    t.day = int(days) + 1;
    return t;
}

bool crashDumpFileName(const CrashTime &t, char *buf, size_t size)
{
    Line line;
    line.add("Tavrin_Crash_");
    const int parts[] = {t.year, t.month, t.day, t.hour, t.minute, t.second, t.millisecond};
    const int widths[] = {4, 2, 2, 2, 2, 2, 3};
    for (int i = 0; i < 7; ++i) {
        if (i)
            line.add("_");
        line.addNumber(parts[i], widths[i]);
    }
    line.add(".dmp");
    if (line.used + 1 > size)
        return false;
    std::memcpy(buf, line.text, line.used);
    buf[line.used] = '\0';
    return true;
}

void installCrashHandler()
{
    tzset();
    const time_t now = time(nullptr);
    tm local{};
    if (localtime_r(&now, &local))
        g_utcOffset = sig_atomic_t(local.tm_gmtoff);

    // The first backtrace() loads the unwinder, which allocates: do it now,
    // not inside the handler.
    void *warmUp[1];
    backtrace(warmUp, 1);

    stack_t altStack{};
    altStack.ss_sp = g_altStack;
    altStack.ss_size = sizeof g_altStack;
    sigaltstack(&altStack, nullptr);

    struct sigaction action
    {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_ONSTACK;
    for (int sig : kSignals)
        sigaction(sig, &action, nullptr);

    std::set_terminate(onTerminate);
}
