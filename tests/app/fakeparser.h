#pragma once
// A stand-in parser library for the window tests: hands out a small fixed
// database and records what the editor asked of it. Tests load it themselves
// too, so its state survives the editor unloading it.

#include <cstdint>

struct FakeParserState
{
    // Set by the test.
    int32_t loadResult = 0;
    int32_t saveResult = 0;
    bool nullLists = false;
    char16_t errorText[128] = {};   // what GetErrorText hands out
    int32_t programmeNameUnits = 0; // GetTextCapacities: NAME of a programme; 0 leaves it out
    int32_t favouriteNameUnits = 0;
    // Called first thing in Load, to look at the editor while the load blocks it.
    void (*onLoad)() = nullptr;

    // Recorded by the library.
    int loadCalls = 0;
    int saveCalls = 0;
    int cleanCalls = 0;
    int32_t lastLoadKind = -1;
    char16_t lastLoadPath[512] = {};
    int32_t lastSaveKind = -1;
    char16_t lastSavePath[512] = {};
    uint32_t lastSaveSatellites = 0;
    uint32_t lastSaveProgrammes = 0;
};

extern "C" {
typedef FakeParserState *(*FakeParserStateFn)();
}
