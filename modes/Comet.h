#pragma once

#include <cstdint>

#include "seed/SeedSearch.h"

void EvaluateComet(SearchRun& run, const CandidateMoment& moment, uint64_t seed);
