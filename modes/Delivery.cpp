#include "modes/Delivery.h"

void EvaluateDelivery(SearchRun&, const CandidateMoment&, uint64_t) {}
