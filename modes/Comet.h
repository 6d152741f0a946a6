// The comet-shard search: five fixed tests on LCG draws from one
// personality-value consumption; "ふくがん有り" moves them one draw earlier
// and widens the last two from 55 to 80..84.
#pragma once

#include <cstdint>

#include "modes/SearchRun.h"

// Bands of draws scaled to 1600 that tests 2 and 3 accept, bounds inclusive.
struct CometBand {
    uint32_t low, high;
};
extern const CometBand kCometBands[3];

bool CometBandAccepts(uint32_t scaled1600);

// All five tests for the draws from base b on (b = V with compound eyes,
// V + 1 without).
bool CometTestsPass(const uint32_t* U, int32_t b, bool compoundEyes);

void EvaluateComet(SearchRun& run, const CandidateMoment& moment, uint64_t seed);
