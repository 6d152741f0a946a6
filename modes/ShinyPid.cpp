#include "modes/ShinyPid.h"

bool ShinyTestPasses(uint32_t, uint16_t, uint16_t) { return false; }
void EvaluateShinyPid(SearchRun&, const CandidateMoment&, uint64_t, int32_t, const IvSet&, int32_t, int32_t) {}
