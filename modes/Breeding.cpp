#include "modes/Breeding.h"

void EvaluateBreeding(SearchRun&, const CandidateMoment&, uint64_t, int32_t, const IvSet&) {}
