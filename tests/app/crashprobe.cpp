// Installs the crash handler, then dies the way its argument says.
#include "crashhandler.h"

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace {

volatile int g_depth = 0;
volatile int g_limit = 1 << 30;

int recurse(int n)
{
    volatile char pad[4096];
    pad[0] = char(n);
    g_depth = n;
    return n < g_limit ? recurse(n + 1) + pad[0] : 0;
}

} // namespace

int main(int argc, char **argv)
{
    installCrashHandler();
    const char *mode = argc > 1 ? argv[1] : "";
    if (!std::strcmp(mode, "segv"))
        std::raise(SIGSEGV);
    else if (!std::strcmp(mode, "abort"))
        std::abort();
    else if (!std::strcmp(mode, "fpe"))
        std::raise(SIGFPE);
    else if (!std::strcmp(mode, "ill"))
        std::raise(SIGILL);
    else if (!std::strcmp(mode, "bus"))
        std::raise(SIGBUS);
    else if (!std::strcmp(mode, "terminate"))
        throw std::runtime_error("uncaught");
    else if (!std::strcmp(mode, "overflow"))
        return recurse(0);
    return 0;
}
