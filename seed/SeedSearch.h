// The search driver: walks every day, hour, minute, second and key mask of
// the ranges, computes each candidate's initial seed, fills the random
// streams and hands the candidate to the one mode that evaluates it.
#pragma once

#include <cstdint>
#include <cstdio>

#include "modes/SearchSettings.h"
#include "seed/RandomStreams.h"
#include "seed/SeedMessage.h"
#include "seed/WindowSystem.h"

// The mode that evaluates every candidate of a search, in the driver's
// precedence. The header of the result file follows the same choice.
enum SearchMode {
    kModeGrotto,
    kModeDome,
    kModeComet,
    kModeDelivery,
    kModeBreeding,
    kModeShiny,
    kModeIv,
};

SearchMode SearchModeOf(const SearchSettings& settings);

// Bounds that keep every read inside the tables.
constexpr int32_t kPidConsumptionEndLimit = 2800;
constexpr int32_t kDeliveryNatureOffsetLimit = 65535;
constexpr int32_t kLcgCapacity = kDeliveryNatureOffsetLimit + kPidConsumptionEndLimit + 10 + 1;

struct SearchEngine;

// The state of one running search.
struct SearchRun {
    const SearchSettings* settings;  // read at every use: dialogs may change it mid-search
    SearchMode mode;                 // fixed when the search starts
    int32_t pidEnd;                  // pidConsumptionEnd clamped to at most 2800
    FILE* resultFile;                // null when "result.txt" did not open
    int32_t candidateCount;          // matches so far
    SeedMessagePrefix prefix;        // W0..W7, fixed for the search
    LcgStream lcg;
    MtTable mt;
    const SearchEngine* engine;
    void* engineScratch;                       // the engine's buffers for this search, or null
    void (*engineScratchFree)(void* scratch);  // releases them when the search ends
};

// The personality-value range as every mode reads it: start clamped to 0.
inline int32_t SearchRunPidStart(const SearchRun& run) {
    int32_t start = run.settings->pidConsumptionStart;
    return start < 0 ? 0 : start;
}
inline int32_t SearchRunPidEnd(const SearchRun& run) { return run.pidEnd; }
// The individual-value range: start clamped to 0, end to the last position
// whose six (roamer: seven) outputs lie in the table.
int32_t SearchRunIvStart(const SearchRun& run);
int32_t SearchRunIvEnd(const SearchRun& run);
// deliveryNatureOffset clamped into 0..65535.
int32_t SearchRunDeliveryOffset(const SearchRun& run);
// Count n of the LcgStream fill (L[0..n]) for the run's mode; -1: not filled.
int32_t SearchRunLcgCount(const SearchRun& run);

// Evaluates batches of candidates in walk order. The plain engine takes one
// candidate per batch; faster engines take more and must give identical rows.
struct SearchEngine {
    const char* name;
    int32_t batchSize;  // at most kSearchMaxBatch
    void (*evaluateBatch)(SearchRun& run, const CandidateMoment* moments, int32_t count);
};

constexpr int32_t kSearchMaxBatch = 1024;

extern const SearchEngine kPlainEngine;

// Fills the streams the run's mode reads and evaluates one candidate; the
// plain engine is this in a loop.
void SearchEvaluateCandidatePlain(SearchRun& run, const CandidateMoment& moment);

// True when the key-input pattern lets the search walk this mask.
bool KeyMaskAllowed(const SearchSettings& settings, uint32_t keyMask);

// Day advance as the walk counts days (February always 28).
void SearchAdvanceDate(int32_t& year, int32_t& month, int32_t& day);

struct SearchOptions {
    const char* resultPath;   // "result.txt"
    const SearchEngine* engine;
};

// Runs one search. running is SearchRunning: cleared by an abort from the
// pump, and the walk stops at its next check. Returns the match count.
int32_t RunSearch(const SearchSettings& settings, bool& running, const WindowSystem& window,
                  const SearchOptions& options);

// Writes the progress text of a day into buffer (256 bytes).
void SearchProgressText(char* buffer, int32_t year, int32_t month, int32_t day, int32_t count);

extern const char kMainWindowTitle[];  // "Morvane ver2.01c"
