// The dome search: six successive LCG draws pick six of the 52 dome
// trainers; windows of shift width + 1 consecutive consumptions that all
// pick every chosen trainer are reported by their two bounds.
#pragma once

#include <cstdint>

#include "modes/ScreenPlan.h"
#include "modes/SearchRun.h"

constexpr int32_t kDomeTrainerCount = 52;
// Draws i .. i + kDomePicks - 1 pick the trainers of consumption i.
constexpr int32_t kDomePicks = 6;
constexpr int32_t kDomeReach = kDomePicks - 1;

// Index order is behaviour: the picks are indices into it.
extern const char* const DomeTrainerNames[52];

// The six trainer indices that draws i .. i + 5 pick: draw i + t chooses
// among the 52 - t indices left, in order, and removes its choice.
void DomePick(const uint32_t* U, int32_t i, int32_t picks[kDomePicks]);

// Every choice satisfied: 0 always is, 1..52 when trainer choice - 1 is
// among the picks; any other choice never is.
bool DomeChoicesSatisfied(const int32_t choices[6], const int32_t picks[kDomePicks]);

void EvaluateDome(SearchRun& run, const CandidateMoment& moment, uint64_t seed);
// The positions first..last only, as if the range began at first (draws
// first .. last + 5 filled): a row at i needs first <= i - width, so
// first = i - width, last = i gives the row at i and no other.
void EvaluateDomeRange(SearchRun& run, const CandidateMoment& moment, uint64_t seed, int32_t first,
                       int32_t last);

// The batch screen's terms: the trainer index each choice requires
// (kDomeNoTrainer: none), and the width: rows need a run of width + 1
// satisfied positions.
constexpr uint32_t kDomeNoTrainer = 0xFFu;
struct DomeScreenParams {
    uint32_t trainer[6];
    int32_t width;
};
void PlanDome(const SearchRun& run, DomeScreenParams& terms, ScreenPlan& plan);
