// The kernels of the batch engines, one family per backend: the digest and
// initial seeds of a batch, the MT words a mode reads and the screens that
// find the candidates worth handing to a mode. Arrays of several rows are
// lane-major: row r holds kEngineChunk lanes, so row r of lane j sits at
// [r * kEngineChunk + j]. Only SearchEngine.cpp decides which family runs.
#pragma once

#include <cstdint>

#include "modes/BatchPlan.h"
#include "seed/RandomStreams.h"
#include "seed/SecondDigest.h"

// Lanes of one screen or MT call; a batch is cut into chunks of this many
// candidates (the last one padded by repeating its last candidate).
constexpr int32_t kEngineChunk = 128;
// Lanes of the widest vector of any backend: seed and key arrays are padded
// to a multiple of it.
constexpr int32_t kEngineMaxLanes = 16;

// Message words of lanes with messages of their own: W0..W7 fixed for the
// search, then per lane the date (W8), time (W9) and key (W12) words. A
// search over several consoles gives each lane its own VCount and Timer0
// word (W5) and MAC/GxStat/Frame word (W7) too; null takes the prefix's.
// count is a multiple of kEngineMaxLanes.
struct Sha1BatchInput {
    uint32_t prefix[8];
    const uint32_t* w8;
    const uint32_t* w9;
    const uint32_t* w12;
    int32_t count;
    const uint32_t* w5;
    const uint32_t* w7;
};

// Lanes of one second: the second's part of the digest (seed/SecondDigest.h)
// and each lane's key terms, row t of lane j at keyRows[t * keyStride + j]
// for t < kKeyTermRows. count lanes, their key rows readable up to the next
// multiple of kEngineMaxLanes.
struct Sha1SecondInput {
    const SecondDigest* second;
    const uint32_t* keyRows;  // term t of lane i at keyRows[t * keyStride + i]
    int32_t keyStride;
    int32_t count;
    // The same terms lane by lane (lane i's at laneTerms[i * kKeyTermRows]),
    // for kernels that take one lane's words together. Both are readable
    // kEngineMaxLanes lanes past count.
    const uint32_t* laneTerms;
};

// One row of a draw window: draw U of LCG index i is the upper half of
// mul * seed + add (mul, add: the jump from the seed to i). add carries 2^63
// more, so that the kernels read U XOR 0x80000000, which signed comparisons
// order as U is ordered.
struct LcgJumpRow {
    uint32_t mulLo, mulHi;
    uint64_t add;
};
LcgJumpRow LcgJumpRowOf(uint64_t index);
// The LCG state a jump row leads the seed to (its draw is the upper half).
inline uint64_t LcgJumpRowState(const LcgJumpRow& row, uint64_t seed) {
    const uint64_t mul = (static_cast<uint64_t>(row.mulHi) << 32) | row.mulLo;
    return mul * seed + (row.add - (1ull << 63));
}
// Its draw.
inline uint32_t LcgJumpRowDraw(const LcgJumpRow& row, uint64_t seed) {
    return static_cast<uint32_t>(LcgJumpRowState(row, seed) >> 32);
}

// Lanes of a chunk as bits, bit j % 64 of word j / 64 for lane j.
struct LaneSet {
    uint64_t w[kEngineChunk / 64];
};

// A draw screen over one chunk of seeds: rows[r] is the jump to draw row r
// of the window (LCG index pidStart + r, plan.lcgRows rows); natureRows, for
// delivery's nature drawn beyond the window's reach, one row per position.
struct LcgScreenInput {
    const LcgScreenParams* params;
    const LcgJumpRow* rows;
    const LcgJumpRow* natureRows;
    const uint64_t* seeds;  // kEngineChunk lanes
    uint8_t* scratch;       // kLcgScreenScratchBytes
};
// What a screen finds: the lanes where some position might give a row; for
// the exact screens, which positions of which lanes do (positions of them,
// position k of the range at pass[k]); for breeding, per lane, bit m of
// inherited when a passing position inherits exactly the stats of the
// 6-bit mask m.
struct LcgScreenOutput {
    LaneSet any;
    LaneSet* pass;
    uint64_t inherited[kEngineChunk];
};
// Scratch of one screen call: up to twelve bit rows a draw row, a group's
// draws and two lane sets a position.
constexpr int32_t kLcgScreenMaxRows = 2800 + 1 + 64;
constexpr int32_t kLcgScreenScratchBytes =
    kLcgScreenMaxRows * (12 * (kEngineChunk / 8) + 4 * kEngineMaxLanes + 2 * (kEngineChunk / 8));

struct EngineKernels {
    // seeds[i] = initial seed of lane i, for in.count lanes.
    void (*sha1Seeds)(const Sha1BatchInput& in, uint64_t* seeds);
    // seeds[i] = initial seed of lane i of the second, for in.count lanes
    // (written up to the next multiple of kEngineMaxLanes).
    void (*sha1SecondSeeds)(const Sha1SecondInput& in, uint64_t* seeds);
    // Regenerated MT words lo..hi (0 <= lo <= hi <= 623) of the first lanes
    // of one chunk (at least those, at most the chunk), row k - lo; scratch
    // holds kMtSize rows of the chunk.
    void (*mtWords)(const uint64_t* seeds, int32_t lanes, int32_t lo, int32_t hi, uint32_t* words,
                    uint32_t* scratch);
    // Individual values of every word row into ivs (row r of the chunk), the
    // lanes whose position c passes into pass[c], and those of any position.
    void (*ivScreen)(const IvScreenParams& p, const uint32_t* words, uint32_t* ivs, LaneSet* pass,
                     LaneSet& any);
    // The mode's draw screen over one chunk.
    void (*lcgScreen)(const LcgScreenInput& in, LcgScreenOutput& out);
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
