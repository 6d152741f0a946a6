// The one place the command line runs a search: one walk of the window's
// search (one VCount and Timer0) on one thread, its result bytes handed on
// as the run writes them. The parallel walk on every core replaces
// CliSearchWalk; the front end around it stays as it is.
#pragma once

#include <cstddef>
#include <cstdint>

#include "modes/SearchSettings.h"
#include "engine/SeedSearch.h"

struct CliSearchHooks {
    void* context;
    // Result bytes in the order of the window's file: the header line first,
    // then the rows as they are found; whole lines, each ending in CR LF.
    void (*write)(void* context, const char* bytes, size_t length);
    // After each batch: the last candidate evaluated, candidates evaluated in
    // this walk so far, and the rows it has found.
    void (*progress)(void* context, const CandidateMoment& moment, uint64_t candidates, uint64_t rows);
    // Looked at before every batch; true ends the walk (the rows written so
    // far are complete).
    bool (*stopRequested)(void* context);
};

// threads: the workers the parallel walk will use (1 for now; any N >= 1
// gives the same bytes). engine: the batch engine. False when stopped.
bool CliSearchWalk(const SearchSettings& settings, int threads, const SearchEngine* engine,
                   const CliSearchHooks& hooks);
