// The search on several cores. The calling thread walks the seconds of the
// ranges with seed/'s walk (of each console in turn when several are
// searched, or of a part of that sequence) and cuts them into chunks, each
// of one console; worker threads take
// the chunks in walk order and walk the key masks of their seconds with the
// same walk, evaluating the candidates on a batch engine into a run of their
// own (own streams, own engine buffers). The rows reach the sink in exactly
// the order of a one-thread walk, so the bytes (header and rows) are those
// RunSearch writes, whatever the number of threads.
//
// A chunk keeps its rows in memory until every earlier chunk is written. A
// chunk whose rows would outgrow its buffer waits for its turn instead and
// then writes straight through, so memory stays bounded however many rows a
// chunk yields. The chunks in flight are bounded too: the walk waits while
// twice the threads and two more are walked but not yet written.
//
// Threading: the SearchSettings record is read by every worker and must not
// change while the search runs (the window's dialogs may change the
// settings of a RunSearch mid-search; nothing may here). The sink is called
// from the workers, one call at a time, in walk order; the progress only
// from the calling thread.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "engine/SeedSearch.h"
#include "modes/SearchSettings.h"

constexpr int32_t kParallelMaxThreads = 256;
// Candidates per chunk at most; fewer when the rows per candidate would
// outgrow a chunk's buffer.
constexpr int32_t kParallelChunkCandidates = 4096;

// The moment the walk has reached (its day is the day being walked), the
// candidates evaluated and the rows written so far.
using ParallelProgress = void (*)(void* context, const CandidateMoment& moment, uint64_t candidates,
                                  uint64_t rows);

// Several consoles searched as one walk: every VCount from vCountLow to
// vCountHigh, and for each every Timer0 from timer0Low to timer0High, each
// console walking the whole range. Their seconds, console after console,
// form one sequence; a part of it is a run of its seconds.
struct ParallelConsoles {
    uint32_t vCountLow, vCountHigh;
    uint32_t timer0Low, timer0High;
};
struct ParallelPart {
    uint64_t firstSecond;     // index in the sequence of seconds
    uint64_t endSecond;       // one past the last; equal to firstSecond: nothing
    uint64_t consoleSeconds;  // the seconds of one console: ParallelWalkSeconds
};

// Called on the writing thread, in walk order, before the rows of each
// console of ParallelConsoles (also one that has none).
using ParallelConsoleBegin = void (*)(void* sinkContext, uint32_t vCount, uint32_t timer0);

// Zero in a field takes its default, so ParallelSearchOptions{} searches on
// every core with the best engine and writes nothing.
struct ParallelSearchOptions {
    const SearchEngine* engine;      // null: SearchEngineBest()
    int32_t threads;                 // workers, 1..kParallelMaxThreads; 0: every core
    ResultSinkWrite sink;            // header and rows, whole lines; null: count only
    void* sinkContext;
    ParallelProgress progress;       // at most ten times a second; may be null
    void* progressContext;
    const std::atomic<bool>* abort;  // true stops the search within milliseconds; may be null
    size_t chunkBufferBytes;         // bytes a chunk holds before it writes through; 0: default
    int32_t chunkCandidates;         // fixed chunk size (tests), at most kParallelChunkCandidates;
                                     // 0: sized by the rows
    const ParallelConsoles* consoles;  // null: the settings' own VCount and Timer0
    ParallelConsoleBegin consoleBegin; // may be null
    const ParallelPart* part;        // null: every second
    bool noHeader;                   // the header is left out (a part after the first)
};

struct ParallelSearchResult {
    bool finished;        // every candidate of the walk was evaluated and its rows written
    uint64_t candidates;  // candidates whose rows were written (all of them when finished)
    uint64_t matches;     // rows written, or matches counted when there is no sink
};

// The seconds one console walks, its days counted up to maxDays.
uint64_t ParallelWalkSeconds(const SearchSettings& settings, uint64_t maxDays);

// The cores the system reports, at least 1.
int32_t ParallelCoreCount();

// Whether this build can start threads: a WebAssembly module built without
// them aborts on the first std::thread, so its walks run on the calling thread.
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
inline constexpr bool kParallelHasThreads = false;
#else
inline constexpr bool kParallelHasThreads = true;
#endif

// Runs one search: the header, then the rows in walk order (console after
// console, each with its rows in the order of its own one-thread walk). An abort (or an
// interrupt setting the flag) ends it with complete rows only: the bytes
// written are the start of RunSearch's, cut after a row; the rows of chunks
// after the last one written are dropped.
ParallelSearchResult ParallelSearchRun(const SearchSettings& settings,
                                       const ParallelSearchOptions& options);
