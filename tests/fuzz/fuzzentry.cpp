#include "fuzzharness.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // A broken check is a finding like a crash: stop so libFuzzer keeps the input.
    if (const char *broken = fuzzOne(data, size)) {
        std::fprintf(stderr, "fuzz check failed: %s\n", broken);
        std::abort();
    }
    return 0;
}
