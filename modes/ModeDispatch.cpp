#include "modes/ModeDispatch.h"

#include "modes/Comet.h"
#include "modes/Delivery.h"
#include "modes/Dome.h"
#include "modes/Grotto.h"
#include "modes/IvSearch.h"

void EvaluateCandidate(SearchRun& run, const CandidateMoment& moment, uint64_t seed) {
    switch (run.mode) {
    case kModeGrotto:
        EvaluateGrotto(run, moment, seed);
        break;
    case kModeDome:
        EvaluateDome(run, moment, seed);
        break;
    case kModeComet:
        EvaluateComet(run, moment, seed);
        break;
    case kModeDelivery:
        EvaluateDelivery(run, moment, seed);
        break;
    case kModeBreeding:
    case kModeShiny:
    case kModeIv:
        EvaluateIvBlock(run, moment, seed);
        break;
    }
}
