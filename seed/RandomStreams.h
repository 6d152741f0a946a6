// The two pseudo-random generators run from one initial seed: the 64-bit
// LCG whose upper halves drive personality values and the special modes,
// and MT19937 whose outputs' top five bits are the individual values.
#pragma once

#include <cstdint>
#include <vector>

// One step of the 64-bit LCG; the same step turns the digest into the
// initial seed.
constexpr uint64_t kLcgMultiplier = 0x5D588B656C078965ull;
constexpr uint64_t kLcgIncrement = 0x269EC3ull;
inline uint64_t LcgNext(uint64_t x) { return x * kLcgMultiplier + kLcgIncrement; }

// (mul, add) such that n LCG steps take x to x * mul + add.
void LcgJump(uint64_t n, uint64_t& mul, uint64_t& add);

// L[i] and U[i] = L[i] >> 32 below fillMark. The plain fill sets every such
// index; a batch engine sets only what the modes read (U from the first
// personality-value position on, and L at fillMark - 1, where an extension
// continues). The arrays are allocated once per search with a fixed capacity
// and never grow; entries at or above fillMark are stale and never read.
struct LcgStream {
    std::vector<uint64_t> L;
    std::vector<uint32_t> U;
    int32_t capacity;  // number of entries, indices 0..capacity-1
    int32_t fillMark;  // first index not valid for the current candidate
};

// Smallest capacity the stream ever has: E + 30 with E clamped to 2800.
constexpr int32_t kLcgMinimumCapacity = 2831;

void LcgStreamInit(LcgStream& stream, int32_t capacity);
// L[0..n] valid (n <= 0: only L[0]); n is cut to the capacity.
void LcgStreamFill(LcgStream& stream, uint64_t initialSeed, int32_t n);
// Makes index j valid; false when j lies outside the stream's capacity (or
// below 0), in which case the caller must not read it.
bool LcgStreamExtend(LcgStream& stream, int32_t j);

// The number 0..n-1 a draw gives: the upper half of draw * n.
inline uint32_t ScaledDraw(uint32_t draw, uint32_t n) {
    return static_cast<uint32_t>((static_cast<uint64_t>(draw) * n) >> 32);
}

// Draws u with lo <= u <= hi; lo > hi is the empty range.
struct DrawRange {
    uint32_t lo, hi;
};

// The draws u whose scaled value (u * n) >> 32 lies in low..high.
DrawRange DrawRangeOf(int64_t low, int64_t high, uint32_t n);

constexpr int kMtSize = 624;

// mt[] after seeding and one regeneration: output k is tempered mt[k].
struct MtTable {
    uint32_t mt[kMtSize];
};

void MtTableFill(MtTable& table, uint64_t initialSeed);
uint32_t MtTemper(uint32_t y);
// Top five bits of tempered y, computed from the first two tempering steps.
uint32_t MtTemperTop5(uint32_t y);
// Individual value of output k, 0 <= k < 624.
inline uint32_t MtIv(const MtTable& table, int k) { return MtTemperTop5(table.mt[k]); }
