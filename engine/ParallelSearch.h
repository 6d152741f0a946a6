// The search on several cores. The calling thread walks the seconds of the
// ranges with seed/'s walk and cuts them into chunks; worker threads take
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
};

struct ParallelSearchResult {
    bool finished;        // every candidate of the walk was evaluated and its rows written
    uint64_t candidates;  // candidates whose rows were written (all of them when finished)
    uint64_t matches;     // rows written, or matches counted when there is no sink
};

// The cores the system reports, at least 1.
int32_t ParallelCoreCount();

// Runs one search: the header, then the rows in walk order. An abort (or an
// interrupt setting the flag) ends it with complete rows only: the bytes
// written are the start of RunSearch's, cut after a row; the rows of chunks
// after the last one written are dropped.
ParallelSearchResult ParallelSearchRun(const SearchSettings& settings,
                                       const ParallelSearchOptions& options);
