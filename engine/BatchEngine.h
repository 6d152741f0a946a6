// The batch engine shared by every backend: the walk-ordered evaluation of a
// batch through one kernel family, as the mode's plan (modes/BatchPlan.h)
// says.
#pragma once

#include <cstdint>

#include "engine/EngineKernels.h"
#include "modes/BatchPlan.h"
#include "modes/SearchModes.h"
#include "engine/SeedSearch.h"

// Evaluates count candidates in walk order through the kernel family; the
// engine's buffers live in run.engineScratch from the first batch on.
void BatchEngineEvaluate(SearchRun& run, const CandidateMoment* moments, int32_t count,
                         const EngineKernels& kernels);
