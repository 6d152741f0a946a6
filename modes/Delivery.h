#pragma once

#include <cstdint>

#include "seed/SeedSearch.h"

void EvaluateDelivery(SearchRun& run, const CandidateMoment& moment, uint64_t seed);
