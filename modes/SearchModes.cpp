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
#include "modes/ResultFile.h"
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
    // 年,月,日,時,分,秒,性格値乱数消費,初期seed
    {kModeGrotto, "grotto", &SearchSettings::grottoEnabled, IDC_GROTTO, &kGrottoDialog,
     "\x94N," "\x8C\x8E," "\x93\xFA," "\x8E\x9E," "\x95\xAA," "\x95" "b,"
     "\x90\xAB\x8Ai\x92l\x97\x90\x90\x94\x8F\xC1\x94\xEF," "\x8F\x89\x8A\xFAseed",
     PidStreamCount, EvaluateGrotto, EvaluateGrottoRange, kPlanGrotto},
    // 年,月,日,時,分,秒,性格値乱数消費下限,上限,初期seed
    {kModeDome, "dome", &SearchSettings::domeEnabled, IDC_DOME, &kDomeDialog,
     "\x94N," "\x8C\x8E," "\x93\xFA," "\x8E\x9E," "\x95\xAA," "\x95" "b,"
     "\x90\xAB\x8Ai\x92l\x97\x90\x90\x94\x8F\xC1\x94\xEF\x89\xBA\x8C\xC0,"
     "\x8F\xE3\x8C\xC0," "\x8F\x89\x8A\xFAseed", PidStreamCount, EvaluateDome, EvaluateDomeRange, kPlanDome},
    // 年,月,日,時,分,秒,性格値乱数消費,初期seed
    {kModeComet, "comet", &SearchSettings::cometEnabled, IDC_COMET, &kCometDialog,
     "\x94N," "\x8C\x8E," "\x93\xFA," "\x8E\x9E," "\x95\xAA," "\x95" "b,"
     "\x90\xAB\x8Ai\x92l\x97\x90\x90\x94\x8F\xC1\x94\xEF," "\x8F\x89\x8A\xFAseed",
     PidStreamCount, EvaluateComet, EvaluateCometRange, kPlanComet},
    // 年,月,日,時,分,秒,性格値乱数消費,性格,H,A,B,C,D,S,めざパ,威力,初期seed
    {kModeDelivery, "delivery", &SearchSettings::deliveryEnabled, IDC_DELIVERY, &kDeliveryDialog,
     "\x94N," "\x8C\x8E," "\x93\xFA," "\x8E\x9E," "\x95\xAA," "\x95" "b,"
     "\x90\xAB\x8Ai\x92l\x97\x90\x90\x94\x8F\xC1\x94\xEF," "\x90\xAB\x8Ai," "H," "A," "B,"
     "C," "D," "S," "\x82\xDF\x82\xB4\x83p," "\x88\xD0\x97\xCD," "\x8F\x89\x8A\xFAseed", DeliveryLcgCount,
     EvaluateDelivery, EvaluateDeliveryRange, kPlanDelivery},
    // 年,月,日,時,分,秒,個体値乱数消費,H,A,B,C,D,S,初期seed,性格値乱数消費,遺伝1,遺伝2,遺伝3,性別,特性
    {kModeBreeding, "breeding", &SearchSettings::breedingEnabled, IDC_BREEDING, &kBreedingDialog,
     "\x94N," "\x8C\x8E," "\x93\xFA," "\x8E\x9E," "\x95\xAA," "\x95" "b,"
     "\x8C\xC2\x91\xCC\x92l\x97\x90\x90\x94\x8F\xC1\x94\xEF," "H," "A," "B," "C," "D,"
     "S," "\x8F\x89\x8A\xFAseed," "\x90\xAB\x8Ai\x92l\x97\x90\x90\x94\x8F\xC1\x94\xEF,"
     "\x88\xE2\x93`1," "\x88\xE2\x93`2," "\x88\xE2\x93`3," "\x90\xAB\x95\xCA,"
     "\x93\xC1\x90\xAB",
     PidStreamCount, EvaluateIvBlock, nullptr, PlanIvBlock},
    // 年,月,日,時,分,秒,個体値乱数消費,H,A,B,C,D,S,めざパ,威力,初期seed,性格値乱数消費,乱数値,性格値
    {kModeShiny, "shiny", &SearchSettings::shinyPidEnabled, IDC_SHINY_PID, &kShinyDialog,
     "\x94N," "\x8C\x8E," "\x93\xFA," "\x8E\x9E," "\x95\xAA," "\x95" "b,"
     "\x8C\xC2\x91\xCC\x92l\x97\x90\x90\x94\x8F\xC1\x94\xEF," "H," "A," "B," "C," "D,"
     "S," "\x82\xDF\x82\xB4\x83p," "\x88\xD0\x97\xCD," "\x8F\x89\x8A\xFAseed,"
     "\x90\xAB\x8Ai\x92l\x97\x90\x90\x94\x8F\xC1\x94\xEF," "\x97\x90\x90\x94\x92l,"
     "\x90\xAB\x8Ai\x92l",
     PidStreamCount, EvaluateIvBlock, nullptr, PlanIvBlock},
    // 年,月,日,時,分,秒,消費数,H,A,B,C,D,S,めざパ,威力,初期seed
    {kModeIv, "iv", nullptr, 0, nullptr,
     "\x94N," "\x8C\x8E," "\x93\xFA," "\x8E\x9E," "\x95\xAA," "\x95" "b,"
     "\x8F\xC1\x94\xEF\x90\x94," "H," "A," "B," "C," "D," "S," "\x82\xDF\x82\xB4\x83p,"
     "\x88\xD0\x97\xCD," "\x8F\x89\x8A\xFAseed", NoStream,
     EvaluateIvBlock, nullptr, PlanIvBlock},
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
    if (run.settings->keyInputEnabled) line += kResultKeyInputColumn;
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
