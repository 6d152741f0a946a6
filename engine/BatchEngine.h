// The batch engine shared by every backend: the walk-ordered evaluation of a
// batch through one kernel family, as the mode's plan (modes/BatchPlan.h)
// says, and the rows of the plain individual-value search.
#pragma once

#include <cstdint>

#include "engine/EngineKernels.h"
#include "modes/BatchPlan.h"
#include "modes/SearchModes.h"
#include "engine/SeedSearch.h"

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
