// The search as the window program, the benchmark and the tests run it: the
// result file and its header, seed/'s walk of the ranges with an engine
// evaluating its batches, the progress reported to the window, and the end
// (file closed and handed to the shell, the window told to restore its title).
#pragma once

#include <cstdint>

#include "modes/SearchRun.h"
#include "modes/SearchSettings.h"
#include "seed/SeedWalk.h"
#include "engine/WindowSystem.h"

// Evaluates batches of candidates in walk order. The plain engine takes one
// candidate per batch; faster engines take more and must give identical rows.
struct SearchEngine {
    const char* name;
    int32_t batchSize;  // at most kSearchMaxBatch
    void (*evaluateBatch)(SearchRun& run, const CandidateMoment* moments, int32_t count);
};

constexpr int32_t kSearchMaxBatch = kWalkMaxBatch;

extern const SearchEngine kPlainEngine;

// Fills the streams the run's mode reads and evaluates one candidate; the
// plain engine is this in a loop.
void SearchEvaluateCandidatePlain(SearchRun& run, const CandidateMoment& moment);

// Evaluates one chunk of walked candidates, in order, on the engine into the
// run: its rows have reached the run's sink (or file) when this returns, and
// run.candidateCount has grown by its matches. A parallel search gives each
// worker its own run (SearchRunInit, a sink of its own, SearchRunRelease at
// the end) and hands it chunks; the settings are read-only meanwhile.
void SearchEvaluateChunk(SearchRun& run, const SearchEngine& engine,
                         const CandidateMoment* moments, int32_t count);

struct SearchOptions {
    const char* resultPath;   // "result.txt"
    const SearchEngine* engine;
};

// Runs one search. running is SearchRunning: cleared by an abort from the
// pump, and the walk stops at its next check. Returns the match count.
int32_t RunSearch(const SearchSettings& settings, bool& running, const WindowSystem& window,
                  const SearchOptions& options);
