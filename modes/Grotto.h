#pragma once

#include <cstdint>

#include "seed/SeedSearch.h"

void EvaluateGrotto(SearchRun& run, const CandidateMoment& moment, uint64_t seed);
