#include "modes/Dome.h"

void EvaluateDome(SearchRun&, const CandidateMoment&, uint64_t) {}
