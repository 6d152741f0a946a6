// The batch engine shared by every backend: what a batch must compute for
// the run's mode (its plan), the walk-ordered evaluation of a batch through
// one kernel family, and the pieces the tests check on their own.
#pragma once

#include <cstdint>

#include "engine/EngineKernels.h"
#include "engine/SeedSearch.h"

// What one batch computes, from the settings as they are when it starts.
struct BatchPlan {
    bool nothing;        // the mode can give no row with these settings
    bool lcgScreen;      // candidates are screened on an LCG draw window first
    LcgScreenParams lcg;
    int32_t lcgRows;     // rows of the draw window, from pidStart on
    int32_t natureRow;   // delivery: row offset of the nature draw; -1: own window
    bool mtNeeded;       // MT words mtLo..mtHi are produced
    int32_t mtLo, mtHi;
    IvScreenParams iv;   // when mtNeeded: the individual-value filter or prefilter
    bool ivRows;         // the plain individual-value search: rows written here
    bool breedingSets;   // breeding: the LCG screen's inherited-stat sets decide too
    uint8_t ivLow[6], ivHigh[6];  // the main window's bounds as low <= iv < high
    int32_t ivStart;     // consumption of IV position 0
    int32_t pidStart;
};

void BatchPlanOf(const SearchRun& run, BatchPlan& plan);

// Evaluates count candidates in walk order through the kernel family; the
// engine's buffers live in run.engineScratch from the first batch on.
void BatchEngineEvaluate(SearchRun& run, const CandidateMoment* moments, int32_t count,
                         const EngineKernels& kernels);

// --- Individual-value rows written without the stdio formatting ---------------

// A text of at most 23 bytes and its length.
struct RowPiece {
    char text[23];
    uint8_t length;
};

struct RowBuffer {
    char* text;
    int32_t used;
    int32_t capacity;
    RowPiece keySuffix[1024];  // KeyInputSuffix of every mask
    RowPiece typeName[64];     // hidden-power type name by parity weight sum
    RowPiece power[64];        // ",<power>," by remainder weight sum
    char prefix[80];           // row prefix of prefixMoment
    int32_t prefixLength;
    CandidateMoment prefixMoment;
    bool prefixValid;
};

void RowBufferInit(RowBuffer& rows, char* text, int32_t capacity);
// Appends the plain individual-value row of position c, as IvSearchWriteRow
// writes it, and counts the match.
void RowBufferAddIvRow(RowBuffer& rows, SearchRun& run, const CandidateMoment& moment,
                       uint64_t seed, int32_t c, const int32_t (&ivs)[6]);
void RowBufferFlush(RowBuffer& rows, SearchRun& run);
