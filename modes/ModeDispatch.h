// Hands one candidate to the mode its search evaluates.
#pragma once

#include <cstdint>

#include "seed/SeedSearch.h"

void EvaluateCandidate(SearchRun& run, const CandidateMoment& moment, uint64_t seed);
