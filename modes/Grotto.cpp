#include "modes/Grotto.h"

void EvaluateGrotto(SearchRun&, const CandidateMoment&, uint64_t) {}
