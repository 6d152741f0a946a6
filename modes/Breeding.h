#pragma once

#include <cstdint>

#include "modes/IvSearch.h"

// One individual-value position c with its stream values.
void EvaluateBreeding(SearchRun& run, const CandidateMoment& moment, uint64_t seed, int32_t c,
                      const IvSet& ivs);
