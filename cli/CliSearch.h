// The one place the command line runs a search: the window's search over
// every VCount and Timer0 of the ranges (VCount outside, Timer0 inside) as
// one parallel walk (engine/ParallelSearch.h), or a shard of it, its result
// bytes handed on in the order of the window's files one after the other.
#pragma once

#include <cstddef>
#include <cstdint>

#include "modes/SearchSettings.h"
#include "engine/ParallelSearch.h"
#include "engine/SeedSearch.h"

struct CliSearchHooks {
    void* context;
    // Result bytes in the order of the window's file: the header line first,
    // then the rows as they are found; whole lines, each ending in CR LF.
    // Called from the worker threads, one call at a time.
    void (*write)(void* context, const char* bytes, size_t length);
    // Before the rows of each console, on the writing thread.
    void (*console)(void* context, uint32_t vCount, uint32_t timer0);
    // At most ten times a second, on the calling thread: the moment the walk
    // has reached, candidates evaluated so far, and the rows written.
    void (*progress)(void* context, const CandidateMoment& moment, uint64_t candidates, uint64_t rows);
    // Looked at after every write, on the writing thread (Ctrl-C is looked
    // at with the progress); true ends the walk with complete rows only.
    bool (*stopRequested)(void* context);
};

// Shard `index` (1..count) of `count`: the index-th of count contiguous
// parts of the sequence of seconds of every console; the header only in
// the first.
struct CliShard {
    uint64_t index;
    uint64_t count;
};

// The seconds of a shard, [first, end) of all `seconds`.
ParallelPart CliShardPart(const CliShard& shard, uint64_t seconds, uint64_t consoleSeconds);

// settings: the search record of the first console. threads: the worker
// threads (any N >= 1 gives the same bytes). engine: the batch engine.
// shard: null for the whole search. False when stopped.
bool CliSearchRun(const SearchSettings& settings, const ParallelConsoles& consoles, const CliShard* shard,
                  uint64_t consoleSeconds, uint64_t seconds, int threads, const SearchEngine* engine,
                  const CliSearchHooks& hooks);
