#include "modes/Comet.h"

void EvaluateComet(SearchRun&, const CandidateMoment&, uint64_t) {}
