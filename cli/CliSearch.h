// The one place the command line runs a search: one walk of the window's
// search (one VCount and Timer0) on the parallel walk (engine/ParallelSearch.h),
// its result bytes handed on in the order of the window's file.
#pragma once

#include <cstddef>
#include <cstdint>

#include "modes/SearchSettings.h"
#include "engine/SeedSearch.h"

struct CliSearchHooks {
    void* context;
    // Result bytes in the order of the window's file: the header line first,
    // then the rows as they are found; whole lines, each ending in CR LF.
    // Called from the worker threads, one call at a time.
    void (*write)(void* context, const char* bytes, size_t length);
    // At most ten times a second, on the calling thread: the moment the walk
    // has reached, candidates evaluated in this walk so far, and the rows it
    // has written.
    void (*progress)(void* context, const CandidateMoment& moment, uint64_t candidates, uint64_t rows);
    // Looked at after every write, on the writing thread (Ctrl-C is looked
    // at with the progress); true ends the walk with complete rows only.
    bool (*stopRequested)(void* context);
};

// threads: the worker threads (any N >= 1 gives the same bytes). engine:
// the batch engine. False when stopped.
bool CliSearchWalk(const SearchSettings& settings, int threads, const SearchEngine* engine,
                   const CliSearchHooks& hooks);
