// The state of one running search as the mode evaluations read it: the
// settings, the mode, the clamped ranges, where the rows go, the match count
// and the two random streams of the candidate at hand.
//
// Threading: a SearchRun belongs to one thread. A parallel search gives
// every worker its own run (own streams, own engine buffers, own sink), and
// the SearchSettings record they share is read-only while it runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "modes/SearchSettings.h"
#include "seed/RandomStreams.h"
#include "seed/SeedMessage.h"

// The mode that evaluates every candidate of a search, in the driver's
// precedence (modes/SearchModes.h has the table). The header of the result
// file follows the same choice.
enum SearchMode {
    kModeGrotto,
    kModeDome,
    kModeComet,
    kModeDelivery,
    kModeBreeding,
    kModeShiny,
    kModeIv,
};

// Bounds that keep every read inside the tables.
constexpr int32_t kPidConsumptionEndLimit = 2800;
constexpr int32_t kDeliveryNatureOffsetLimit = 65535;
constexpr int32_t kLcgCapacity = kDeliveryNatureOffsetLimit + kPidConsumptionEndLimit + 10 + 1;

// Takes the result bytes instead of the file. Every call hands whole lines,
// each ending in CR LF: the header, one row, or a run of rows.
using ResultSinkWrite = void (*)(void* context, const char* bytes, size_t length);

struct SearchRun {
    const SearchSettings* settings;  // read at every use: dialogs may change it mid-search
    SearchMode mode;                 // fixed when the search starts
    int32_t pidEnd;                  // pidConsumptionEnd clamped to at most 2800
    FILE* resultFile;                // null when "result.txt" did not open
    ResultSinkWrite sink;            // when set, the bytes go here instead of resultFile
    void* sinkContext;
    int32_t candidateCount;          // matches so far
    SeedMessagePrefix prefix;        // W0..W7, fixed for the search
    LcgStream lcg;
    MtTable mt;
    void* engineScratch;                       // the engine's buffers for this run, or null
    void (*engineScratchFree)(void* scratch);  // releases them when the run ends
    // Rows not yet written (whole lines), and the row prefix of the moment
    // written last, which the rows of one second share.
    std::vector<char> rowText;
    size_t rowUsed;
    CandidateMoment prefixMoment;
    char prefixText[80];
    uint8_t prefixLength;
    bool prefixValid;
};

// SearchRunInit (modes/SearchModes.h) sets a run up; this writes its
// pending rows and frees the engine's buffers at its end.
void SearchRunRelease(SearchRun& run);

// True when the run's rows go anywhere; the evaluations skip the formatting
// otherwise (the match still counts).
inline bool SearchRunWrites(const SearchRun& run) { return run.sink || run.resultFile; }

// The one way result bytes leave a run: they join its row text, which goes
// to the file in one fwrite, or to the sink in one call, with whole lines,
// when it fills and at SearchRunFlush.
void SearchRunWrite(SearchRun& run, const char* bytes, size_t length);
void SearchRunFlush(SearchRun& run);

// The longest row any mode writes, with its prefix, key suffix and line end.
constexpr size_t kSearchRunRowMost = 512;
// Room for one row at the end of the row text (written out first when
// full); SearchRunRowEnd takes the row that ends at end.
char* SearchRunRowBegin(SearchRun& run);
inline void SearchRunRowEnd(SearchRun& run, const char* end) {
    run.rowUsed = static_cast<size_t>(end - run.rowText.data());
}

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
