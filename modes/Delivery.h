// The delivery search: the delivery man's creature, whose nature, individual
// values and (for a shiny distribution) personality value all come from the
// LCG draws of one personality-value consumption.
#pragma once

#include <cstdint>

#include "modes/IndividualValues.h"
#include "modes/ScreenPlan.h"
#include "modes/SearchRun.h"

// Entries of the dialog's method list; deliveryShinyMethod is entry + 1.
extern const char* const DeliveryShinyMethodNames[2];

// The draws of consumption V, relative to V: the six values from V on, the
// shiny distribution's personality value, and its low byte for method 1.
// The nature draw lies at the dialog's offset P.
enum : int32_t {
    kDeliveryIvDraw = 0,     // H A B C D S: top five bits of draws V .. V + 5
    kDeliveryIvReach = 5,
    kDeliveryPidDraw = 8,
    kDeliveryPidLowDraw = 9,
    kDeliveryShinyReach = 9, // the farthest draw with a shiny test
};
// The farthest draw besides the nature's, for a method (0: no shiny test).
constexpr int32_t DeliveryReach(int32_t method) {
    return method > 0 ? kDeliveryShinyReach : kDeliveryIvReach;
}

// The personality value of the shiny distribution: method 1 replaces the
// lowest byte of draw V + 8 by draw V + 9 scaled to 126, method 2 keeps
// draw V + 8 as it is.
uint32_t DeliveryPidOf(int32_t method, uint32_t draw8, uint32_t draw9);

// The six values of consumption V: the top five bits of draws V .. V + 5.
IvSet DeliveryIvsAt(const uint32_t* U, int32_t v);

// Count n of the stream fill: P + E + 3 (P the nature offset, E the
// personality-value end).
int32_t DeliveryLcgCount(const SearchRun& run);

void EvaluateDelivery(SearchRun& run, const CandidateMoment& moment, uint64_t seed);
// The positions first..last only (their draws and nature draws filled).
void EvaluateDeliveryRange(SearchRun& run, const CandidateMoment& moment, uint64_t seed, int32_t first,
                           int32_t last);

// The batch screen's terms: the accepted nature draws (from a window of its
// own when the offset lies beyond the reach), the individual-value filter
// and the shiny test of method 1 or 2 (0: none).
struct DeliveryScreenParams {
    DrawRange nature;
    int32_t natureOffset;  // the nature draw, relative to V, when within the reach
    IvFilterTerms iv;
    int32_t method;
    uint32_t ids;  // trainer ID XOR secret ID
};
void PlanDelivery(const SearchRun& run, DeliveryScreenParams& terms, ScreenPlan& plan);
