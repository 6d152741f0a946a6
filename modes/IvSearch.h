// The individual-value search: six values from the MT stream at every
// consumption position, within per-stat bounds and a hidden-power filter,
// with the roamer's layout; the block in which breeding and the shiny
// personality-value search take the positions instead.
#pragma once

#include <cstdint>

#include "seed/SeedSearch.h"

// H, A, B, C, D, S.
struct IvSet {
    int32_t v[6];
};

int32_t HiddenPowerPowerOf(const IvSet& ivs);  // 30..70
int32_t HiddenPowerTypeOf(const IvSet& ivs);   // 0..15

// The six values at consumption c (roamer: outputs c+1..c+6 as H A B D S C).
IvSet IvSetAt(const MtTable& table, int32_t c, bool roamer);

// Bounds, minimum power and wanted type, as the main window set them.
bool IvFilterPasses(const SearchSettings& settings, const IvSet& ivs);

// Writes the plain individual-value row of a passing position c.
void IvSearchWriteRow(SearchRun& run, const CandidateMoment& moment, uint64_t seed, int32_t c,
                      const IvSet& ivs);

// One candidate through the individual-value block.
void EvaluateIvBlock(SearchRun& run, const CandidateMoment& moment, uint64_t seed);
