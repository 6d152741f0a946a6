#include "modes/BatchPlan.h"

#include "modes/SearchModes.h"

void BatchPlanOf(const SearchRun& run, BatchPlan& plan) {
    plan = BatchPlan{};
    plan.natureRow = 0;
    plan.pidStart = SearchRunPidStart(run);
    const SearchSettings& s = *run.settings;
    plan.lcg.positions = SearchRunPidEnd(run) - plan.pidStart + 1;
    const bool ivBlock = run.mode == kModeBreeding || run.mode == kModeShiny || run.mode == kModeIv;
    const bool readsLcg = !ivBlock || s.breedingEnabled || s.shinyPidEnabled;
    if (readsLcg && plan.lcg.positions <= 0) {
        plan.nothing = true;  // every LCG evaluation walks the personality-value range
        return;
    }
    plan.lcgScreen = readsLcg;
    SearchModeEntryOf(run.mode).plan(run, plan);
}
