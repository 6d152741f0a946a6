#include "modes/SearchModes.h"

#include "modes/Comet.h"
#include "modes/Delivery.h"
#include "modes/Dome.h"
#include "modes/Grotto.h"
#include "modes/IvSearch.h"

namespace {

int32_t PidStreamCount(const SearchRun& run) { return run.pidEnd + kLcgFillBeyondPidEnd; }
int32_t NoStream(const SearchRun&) { return -1; }

}  // namespace

const SearchModeEntry kSearchModes[] = {
    {kModeGrotto, &SearchSettings::grottoEnabled, "年,月,日,時,分,秒,性格値乱数消費,初期seed",
     PidStreamCount, EvaluateGrotto, PlanGrotto},
    {kModeDome, &SearchSettings::domeEnabled,
     "年,月,日,時,分,秒,性格値乱数消費下限,上限,初期seed", PidStreamCount, EvaluateDome, PlanDome},
    {kModeComet, &SearchSettings::cometEnabled, "年,月,日,時,分,秒,性格値乱数消費,初期seed",
     PidStreamCount, EvaluateComet, PlanComet},
    {kModeDelivery, &SearchSettings::deliveryEnabled,
     "年,月,日,時,分,秒,性格値乱数消費,性格,H,A,B,C,D,S,めざパ,威力,初期seed", DeliveryLcgCount,
     EvaluateDelivery, PlanDelivery},
    {kModeBreeding, &SearchSettings::breedingEnabled,
     "年,月,日,時,分,秒,個体値乱数消費,H,A,B,C,D,S,初期seed,性格値乱数消費,遺伝1,遺伝2,遺伝3,"
     "性別,特性",
     PidStreamCount, EvaluateIvBlock, PlanIvBlock},
    {kModeShiny, &SearchSettings::shinyPidEnabled,
     "年,月,日,時,分,秒,個体値乱数消費,H,A,B,C,D,S,めざパ,威力,初期seed,性格値乱数消費,乱数値,"
     "性格値",
     PidStreamCount, EvaluateIvBlock, PlanIvBlock},
    {kModeIv, nullptr, "年,月,日,時,分,秒,消費数,H,A,B,C,D,S,めざパ,威力,初期seed", NoStream,
     EvaluateIvBlock, PlanIvBlock},
};
const int32_t kSearchModeCount = sizeof kSearchModes / sizeof kSearchModes[0];

const SearchModeEntry& SearchModeEntryOf(SearchMode mode) {
    const int32_t index = static_cast<int32_t>(mode);
    return kSearchModes[index >= 0 && index < kSearchModeCount ? index : kSearchModeCount - 1];
}

SearchMode SearchModeOf(const SearchSettings& s) {
    for (const SearchModeEntry& entry : kSearchModes)
        if (!entry.enabled || s.*entry.enabled) return entry.mode;
    return kModeIv;
}

const char* ResultHeaderOf(SearchMode mode) { return SearchModeEntryOf(mode).header; }

int32_t SearchRunLcgCount(const SearchRun& run) { return SearchModeEntryOf(run.mode).lcgCount(run); }

void EvaluateCandidate(SearchRun& run, const CandidateMoment& moment, uint64_t seed) {
    SearchModeEntryOf(run.mode).evaluate(run, moment, seed);
}
