#pragma once

#include <cstdint>

#include "seed/SeedSearch.h"

void EvaluateDome(SearchRun& run, const CandidateMoment& moment, uint64_t seed);
