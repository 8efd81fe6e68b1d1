#pragma once
// One harness per reader: the same function runs under libFuzzer (fuzzentry.cpp)
// and in the replay test over the kept inputs (replay.cpp).

#include <cstddef>
#include <cstdint>

// Feeds one input through the reader. Returns null when every check held,
// otherwise what broke; crashes and sanitizer reports stop the program anyway.
const char *fuzzOne(const uint8_t *data, size_t size);
