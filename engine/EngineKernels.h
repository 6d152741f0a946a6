// The kernels of the batch engines, one family per backend: the digest and
// initial seeds of a batch, the MT words a mode reads, LCG draw windows and
// the screens that find the candidates worth handing to a mode. Every array
// is lane-major: row r holds kEngineChunk lanes, so row r of lane j sits at
// [r * kEngineChunk + j]. Only SearchEngine.cpp decides which family runs.
#pragma once

#include <cstdint>

#include "modes/BatchPlan.h"
#include "seed/RandomStreams.h"

// Lanes of one kernel call; a batch is cut into chunks of this many
// candidates (the last one padded by repeating its last candidate).
constexpr int32_t kEngineChunk = 128;

// Message words of one batch: W0..W7 fixed for the search, then per lane the
// date (W8), time (W9) and key (W12) words. count is a multiple of the chunk.
struct Sha1BatchInput {
    uint32_t prefix[8];
    const uint32_t* w8;
    const uint32_t* w9;
    const uint32_t* w12;
    int32_t count;
};

struct EngineKernels {
    // seeds[i] = initial seed of lane i, for in.count lanes.
    void (*sha1Seeds)(const Sha1BatchInput& in, uint64_t* seeds);
    // Regenerated MT words lo..hi (0 <= lo <= hi <= 623) of one chunk, row
    // k - lo; scratch holds kMtSize rows of the chunk.
    void (*mtWords)(const uint64_t* seeds, int32_t lo, int32_t hi, uint32_t* words,
                    uint32_t* scratch);
    // Draws U[j] (row j, 0 <= j < rows) of LCG states seed * mul + add stepped on.
    void (*lcgWindow)(const uint64_t* seeds, uint64_t mul, uint64_t add, int32_t rows,
                      uint32_t* u);
    // Individual values of every word row into ivs, the positions' pass flags
    // into pass (row c) and any[lane] = some position passed.
    void (*ivScreen)(const IvScreenParams& p, const uint32_t* words, uint8_t* ivs, uint8_t* pass,
                     uint8_t* any);
    // any[lane] = some position might give a row. natureRows: delivery only.
    // inherited (breeding only, else unused): per lane, bit m set when a
    // passing position inherits exactly the stats of 6-bit mask m.
    void (*lcgScreen)(const LcgScreenParams& p, const uint32_t* rows, const uint32_t* natureRows,
                      uint8_t* any, uint64_t* inherited);
};

// Each backend file engine/EngineKernels_<id>.cpp defines kEngineKernels_<id>;
// SearchEngine.cpp declares and lists those the build holds
// (engine/Backends.def).

// Initial seed from the first two digest words.
// Internal linkage: every backend keeps its own copy, compiled with its flags.
static inline uint64_t EngineSeedOfDigest(uint32_t h0, uint32_t h1) {
    uint64_t d = (static_cast<uint64_t>(__builtin_bswap32(h1)) << 32) | __builtin_bswap32(h0);
    return d * 0x5D588B656C078965ull + 0x269EC3ull;
}
