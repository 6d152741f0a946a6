// The delivery search: the delivery man's creature, whose nature, individual
// values and (for a shiny distribution) personality value all come from the
// LCG draws of one personality-value consumption.
#pragma once

#include <cstdint>

#include "modes/IndividualValues.h"
#include "modes/SearchRun.h"

// Entries of the dialog's method list; deliveryShinyMethod is entry + 1.
extern const char* const DeliveryShinyMethodNames[2];

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
