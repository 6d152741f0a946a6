#include "modes/SearchModes.h"

#include <cstring>
#include <string>

#include "modes/BatchPlan.h"
#include "modes/BreedingDialog.h"
#include "modes/Comet.h"
#include "modes/CometDialog.h"
#include "modes/Delivery.h"
#include "modes/DeliveryDialog.h"
#include "modes/Dome.h"
#include "modes/DomeDialog.h"
#include "modes/Grotto.h"
#include "modes/GrottoDialog.h"
#include "modes/IvSearch.h"
#include "modes/ShinyPidDialog.h"
#include "res/resource.h"

namespace {

int32_t PidStreamCount(const SearchRun& run) { return run.pidEnd + kLcgFillBeyondPidEnd; }
int32_t NoStream(const SearchRun&) { return -1; }

// The batch plan of a mode with a draw screen of its own: its terms from its
// plan, and the screen's kind.
template <LcgScreenKind kind, typename Terms, Terms LcgScreenParams::*terms,
          void (*planMode)(const SearchRun&, Terms&, ScreenPlan&)>
void PlanScreen(const SearchRun& run, BatchPlan& plan) {
    ScreenPlan screen{};
    planMode(run, plan.lcg.*terms, screen);
    BatchPlanTakeScreen(plan, kind, screen);
}
constexpr auto kPlanGrotto =
    PlanScreen<kScreenGrotto, GrottoScreenParams, &LcgScreenParams::grotto, PlanGrotto>;
constexpr auto kPlanDome = PlanScreen<kScreenDome, DomeScreenParams, &LcgScreenParams::dome, PlanDome>;
constexpr auto kPlanComet =
    PlanScreen<kScreenComet, CometScreenParams, &LcgScreenParams::comet, PlanComet>;
constexpr auto kPlanDelivery =
    PlanScreen<kScreenDelivery, DeliveryScreenParams, &LcgScreenParams::delivery, PlanDelivery>;

const SearchModeDialog kGrottoDialog = {IDC_GROTTO_SETTINGS, IDD_GROTTO, GrottoDialogInit, GrottoDialogStore};
const SearchModeDialog kDomeDialog = {IDC_DOME_SETTINGS, IDD_DOME, DomeDialogInit, DomeDialogStore};
const SearchModeDialog kCometDialog = {IDC_COMET_SETTINGS, IDD_COMET, CometDialogInit, CometDialogStore};
const SearchModeDialog kDeliveryDialog = {IDC_DELIVERY_SETTINGS, IDD_DELIVERY, DeliveryDialogInit,
                                          DeliveryDialogStore};
const SearchModeDialog kBreedingDialog = {IDC_BREEDING_SETTINGS, IDD_BREEDING, BreedingDialogInit,
                                          BreedingDialogStore};
const SearchModeDialog kShinyDialog = {IDC_SHINY_PID_SETTINGS, IDD_SHINY_PID, ShinyPidDialogInit,
                                       ShinyPidDialogStore};

}  // namespace

const SearchModeEntry kSearchModes[] = {
    {kModeGrotto, "grotto", &SearchSettings::grottoEnabled, IDC_GROTTO, &kGrottoDialog,
     "年,月,日,時,分,秒,性格値乱数消費,初期seed", PidStreamCount, EvaluateGrotto, EvaluateGrottoRange,
     kPlanGrotto},
    {kModeDome, "dome", &SearchSettings::domeEnabled, IDC_DOME, &kDomeDialog,
     "年,月,日,時,分,秒,性格値乱数消費下限,上限,初期seed", PidStreamCount, EvaluateDome, EvaluateDomeRange,
     kPlanDome},
    {kModeComet, "comet", &SearchSettings::cometEnabled, IDC_COMET, &kCometDialog,
     "年,月,日,時,分,秒,性格値乱数消費,初期seed", PidStreamCount, EvaluateComet, EvaluateCometRange,
     kPlanComet},
    {kModeDelivery, "delivery", &SearchSettings::deliveryEnabled, IDC_DELIVERY, &kDeliveryDialog,
     "年,月,日,時,分,秒,性格値乱数消費,性格,H,A,B,C,D,S,めざパ,威力,初期seed", DeliveryLcgCount,
     EvaluateDelivery, EvaluateDeliveryRange, kPlanDelivery},
    {kModeBreeding, "breeding", &SearchSettings::breedingEnabled, IDC_BREEDING, &kBreedingDialog,
     "年,月,日,時,分,秒,個体値乱数消費,H,A,B,C,D,S,初期seed,性格値乱数消費,遺伝1,遺伝2,遺伝3,"
     "性別,特性",
     PidStreamCount, EvaluateIvBlock, nullptr, PlanIvBlock},
    {kModeShiny, "shiny", &SearchSettings::shinyPidEnabled, IDC_SHINY_PID, &kShinyDialog,
     "年,月,日,時,分,秒,個体値乱数消費,H,A,B,C,D,S,めざパ,威力,初期seed,性格値乱数消費,乱数値,"
     "性格値",
     PidStreamCount, EvaluateIvBlock, nullptr, PlanIvBlock},
    {kModeIv, "iv", nullptr, 0, nullptr, "年,月,日,時,分,秒,消費数,H,A,B,C,D,S,めざパ,威力,初期seed",
     NoStream, EvaluateIvBlock, nullptr, PlanIvBlock},
};
const int32_t kSearchModeCount = sizeof kSearchModes / sizeof kSearchModes[0];

const SearchModeEntry& SearchModeEntryOf(SearchMode mode) {
    const int32_t index = static_cast<int32_t>(mode);
    return kSearchModes[index >= 0 && index < kSearchModeCount ? index : kSearchModeCount - 1];
}

const SearchModeEntry* SearchModeNamed(const char* name) {
    for (const SearchModeEntry& entry : kSearchModes)
        if (std::strcmp(entry.name, name) == 0) return &entry;
    return nullptr;
}

void SearchModeSelect(SearchSettings& s, SearchMode mode) {
    for (const SearchModeEntry& entry : kSearchModes)
        if (entry.enabled) s.*entry.enabled = entry.mode == mode;
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

void SearchRunInit(SearchRun& run, const SearchSettings& settings) {
    run.settings = &settings;
    run.mode = SearchModeOf(settings);
    run.pidEnd = settings.pidConsumptionEnd > kPidConsumptionEndLimit ? kPidConsumptionEndLimit
                                                                      : settings.pidConsumptionEnd;
    run.resultFile = nullptr;
    run.sink = nullptr;
    run.sinkContext = nullptr;
    run.candidateCount = 0;
    run.prefix = SeedMessagePrefixOf(StartupParametersOf(settings));
    LcgStreamInit(run.lcg, kLcgCapacity);
    run.engineScratch = nullptr;
    run.engineScratchFree = nullptr;
    run.rowUsed = 0;
    run.prefixValid = false;
}

void ResultWriteHeader(SearchRun& run) {
    std::string line = ResultHeaderOf(run.mode);
    if (run.settings->keyInputEnabled) line += ",キー入力";
    line += "\r\n";
    SearchRunWrite(run, line.data(), line.size());
    SearchRunFlush(run);
}

void BatchPlanOf(const SearchRun& run, BatchPlan& plan) {
    plan = BatchPlan{};
    plan.natureRow = 0;
    plan.pidStart = SearchRunPidStart(run);
    const SearchSettings& s = *run.settings;
    // The end may lie anywhere below the start (INT_MIN too): counted wide.
    const int64_t positions = int64_t{SearchRunPidEnd(run)} - plan.pidStart + 1;
    plan.lcg.positions = positions > 0 ? static_cast<int32_t>(positions) : 0;
    const bool ivBlock = run.mode == kModeBreeding || run.mode == kModeShiny || run.mode == kModeIv;
    const bool readsLcg = !ivBlock || s.breedingEnabled || s.shinyPidEnabled;
    if (readsLcg && plan.lcg.positions <= 0) {
        plan.nothing = true;  // every LCG evaluation walks the personality-value range
        return;
    }
    plan.lcgScreen = readsLcg;
    SearchModeEntryOf(run.mode).plan(run, plan);
}
