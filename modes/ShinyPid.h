#pragma once

#include <cstdint>

#include "modes/IvSearch.h"

bool ShinyTestPasses(uint32_t pid, uint16_t trainerId, uint16_t secretId);

// One individual-value position c that passed the filter.
void EvaluateShinyPid(SearchRun& run, const CandidateMoment& moment, uint64_t seed, int32_t c,
                      const IvSet& ivs, int32_t type, int32_t power);
