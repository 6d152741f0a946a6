// Six individual values and what the individual-value based searches test
// on them: the main window's bounds and the hidden power. The plain search,
// the shiny search, breeding and delivery all read them.
#pragma once

#include <cstdint>

#include "modes/SearchSettings.h"
#include "seed/RandomStreams.h"

// H, A, B, C, D, S.
struct IvSet {
    int32_t v[6];
};

extern const char* const StatNames[6];  // "H" .. "S"

// Hidden-power weights by stat H A B C D S (S counts before C and D).
constexpr int32_t kHiddenPowerWeights[6] = {1, 2, 4, 16, 32, 8};

int32_t HiddenPowerPowerOf(const IvSet& ivs);  // 30..70
int32_t HiddenPowerTypeOf(const IvSet& ivs);   // 0..15

// MT output c + offsets[i] gives stat i of position c: H A B C D S in order,
// and for the roamer H A B D S from c + 1 on and C last, at c + 6.
constexpr int32_t kIvOutputOffsets[6] = {0, 1, 2, 3, 4, 5};
constexpr int32_t kRoamerIvOutputOffsets[6] = {1, 2, 3, 6, 4, 5};
// The farthest output a position reads past c.
constexpr int32_t IvOutputReach(bool roamer) { return roamer ? 6 : 5; }

// The six values at consumption c.
IvSet IvSetAt(const MtTable& table, int32_t c, bool roamer);

// Bounds, minimum power and wanted type, as the main window set them.
bool IvFilterPasses(const SearchSettings& settings, const IvSet& ivs);

// The same filter in the terms the batch screens test on values 0..31:
// low <= iv < high per stat, and the hidden-power weight sums (p of the
// remainder bits, t of the parity bits) against the power and the type.
struct IvFilterTerms {
    uint8_t low[6], high[6];
    uint8_t powerMinimum;  // p must be at least this (64: no p passes)
    bool typeTest;
    uint8_t typeLow, typeHigh;  // t within, both inclusive, when typeTest
};
IvFilterTerms IvFilterTermsOf(const SearchSettings& settings);

// The batch screen's terms: the values of positions c = 0 .. positions - 1
// of a window of MT outputs (output row c + offsets[i] is stat i of c).
struct IvScreenParams {
    int32_t positions;
    int32_t rows;        // output rows in the window: positions + the reach
    int32_t offsets[6];  // H A B C D S
    IvFilterTerms terms;
};
