// The hidden-grotto search: four LCG draws from one personality-value
// consumption give the grotto's appearance, slot, kind of content and
// female check.
#pragma once

#include <cstdint>

#include "modes/ScreenPlan.h"
#include "modes/SearchRun.h"

constexpr int32_t kGrottoKindCount = 11;
constexpr int32_t kGrottoFemaleRatioCount = 5;

// Entries of the dialog's "種類：" and "♀判定：" lists.
extern const char* const GrottoKindNames[11];
extern const char* const GrottoFemaleRatioNames[5];
extern const char* const GrottoSlotNames[4];  // the dialog's slot boxes, A first

// Kind values (draw scaled to 100) each kind entry accepts, bounds inclusive.
struct GrottoKindBand {
    uint32_t low, high;
};
extern const GrottoKindBand kGrottoKindBands[11];
// The female value must lie below the entry's threshold; entry 0 tests nothing.
extern const uint32_t kGrottoFemaleThresholds[5];

// A kind entry outside 0..10 accepts nothing.
bool GrottoKindAccepts(int32_t kind, uint32_t value);
// A ratio entry outside 1..4 makes no test.
bool GrottoFemaleAccepts(int32_t ratio, uint32_t value);

// The draws the four tests of consumption N read, relative to N.
enum : int32_t {
    kGrottoAppearDraw = 0,  // scaled to 100: below kGrottoAppearPercent
    kGrottoSlotDraw = 1,    // its top two bits: slot A..D
    kGrottoKindDraw = 2,    // scaled to 100: within the kind's band
    kGrottoFemaleDraw = 3,  // scaled to 100: below the ratio's threshold
    kGrottoReach = 3,       // the farthest of them
};
constexpr uint32_t kGrottoAppearPercent = 5;

// The four tests of consumption N in order, against the settings' choices.
bool GrottoPositionMatches(const SearchSettings& settings, const uint32_t* U, int32_t n);

void EvaluateGrotto(SearchRun& run, const CandidateMoment& moment, uint64_t seed);
// The positions first..last only (draws first .. last + 3 filled).
void EvaluateGrottoRange(SearchRun& run, const CandidateMoment& moment, uint64_t seed, int32_t first,
                         int32_t last);

// The batch screen's terms: the accepted draws of the appearance, kind and
// female tests, and the allowed slots as bits by the slot draw's top two bits.
struct GrottoScreenParams {
    DrawRange appear, kind, female;
    uint32_t slotMask;
};
void PlanGrotto(const SearchRun& run, GrottoScreenParams& terms, ScreenPlan& plan);
