// The comet-shard search: five fixed tests on LCG draws from one
// personality-value consumption; "ふくがん有り" moves them one draw earlier
// and widens the last two from 55 to 80..84.
#pragma once

#include <cstdint>

#include "modes/ScreenPlan.h"
#include "modes/SearchRun.h"

// Bands of draws scaled to 1600 that tests 2 and 3 accept, bounds inclusive.
struct CometBand {
    uint32_t low, high;
};
extern const CometBand kCometBands[3];

bool CometBandAccepts(uint32_t scaled1600);
// The roll's test of its draw.
bool CometRollAccepts(uint32_t draw);

// The draws the five tests read, relative to the base b of consumption V:
// b = V with compound eyes, V + 1 without.
enum : int32_t {
    kCometRollDraw = 0,   // scaled to 100: below 40
    kCometBandDraw1 = 1,  // scaled to 1600: within a band
    kCometBandDraw2 = 3,
    kCometLastDraw1 = 7,  // scaled to 100: 55, or 80..84 with compound eyes
    kCometLastDraw2 = 10,
    kCometReach = 10,     // the farthest of them
    kCometBaseWithout = 1,  // b - V without compound eyes; 0 with them
};

// All five tests for the draws from base b on.
bool CometTestsPass(const uint32_t* U, int32_t b, bool compoundEyes);

void EvaluateComet(SearchRun& run, const CandidateMoment& moment, uint64_t seed);
// The positions first..last only (draws first .. last + 11 filled).
void EvaluateCometRange(SearchRun& run, const CandidateMoment& moment, uint64_t seed, int32_t first,
                        int32_t last);

// The batch screen's terms: the base offset and the accepted draws of the
// last two tests (the few positions they leave take the roll and the band
// tests above one lane at a time).
struct CometScreenParams {
    int32_t base;
    DrawRange last;
};
void PlanComet(const SearchRun& run, CometScreenParams& terms, ScreenPlan& plan);
