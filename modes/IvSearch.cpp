#include "modes/IvSearch.h"

#include <algorithm>
#include <cstdio>

#include "modes/BatchPlan.h"
#include "modes/Breeding.h"
#include "modes/ResultFile.h"
#include "modes/ShinyPid.h"

void IvSearchWriteRow(SearchRun& run, const CandidateMoment& moment, uint64_t seed, int32_t c,
                      const IvSet& ivs) {
    char columns[160];
    std::snprintf(columns, sizeof columns, "%d,%d,%d,%d,%d,%d,%d,%s,%d,%08X%08X", c, ivs.v[0],
                  ivs.v[1], ivs.v[2], ivs.v[3], ivs.v[4], ivs.v[5],
                  HiddenPowerTypeNameOf(HiddenPowerTypeOf(ivs)), HiddenPowerPowerOf(ivs),
                  static_cast<unsigned>(seed >> 32), static_cast<unsigned>(seed & 0xFFFFFFFFu));
    ResultWriteMatch(run, moment, columns);
}

// The positions' individual values: the main window's filter, or for
// breeding its prefilter, which lets a stat pass when its stream value or
// either parent's value lies within the bounds, and has no hidden power.
static void PlanIvPositions(const SearchRun& run, BatchPlan& plan) {
    const SearchSettings& s = *run.settings;
    const int32_t start = SearchRunIvStart(run), end = SearchRunIvEnd(run);
    if (start > end) {
        plan.nothing = true;
        return;
    }
    IvScreenParams& iv = plan.iv;
    const int32_t reach = IvOutputReach(s.roamerEnabled);
    iv.positions = end - start + 1;
    iv.rows = iv.positions + reach;
    const int32_t* offsets = s.roamerEnabled ? kRoamerIvOutputOffsets : kIvOutputOffsets;
    std::copy(offsets, offsets + 6, iv.offsets);
    iv.terms = IvFilterTermsOf(s);
    plan.mtNeeded = true;
    plan.mtLo = start;
    plan.mtHi = end + reach;
    plan.ivStart = start;
    plan.ivBounds = iv.terms;
    if (s.breedingEnabled) {
        for (int i = 0; i < 6; ++i) {
            auto within = [&](int32_t v) { return v >= s.ivMin[i] && v <= s.ivMax[i]; };
            if (within(s.parentIv[0][i]) || within(s.parentIv[1][i])) {
                iv.terms.low[i] = 0;
                iv.terms.high[i] = 32;
            }
        }
        iv.terms.powerMinimum = 0;
        iv.terms.typeTest = false;
    }
    plan.ivRows = !s.breedingEnabled && !s.shinyPidEnabled;
}

void PlanIvBlock(const SearchRun& run, BatchPlan& plan) {
    const SearchSettings& s = *run.settings;
    ScreenPlan screen{};
    if (s.breedingEnabled) {
        PlanBreeding(run, plan.lcg.breeding, screen);
        BatchPlanTakeScreen(plan, kScreenBreeding, screen);
        plan.breedingSets = true;
    } else if (s.shinyPidEnabled) {
        PlanShiny(run, plan.lcg.shiny, screen);
        BatchPlanTakeScreen(plan, kScreenShiny, screen);
    }
    if (!plan.nothing) PlanIvPositions(run, plan);
}

void EvaluateIvBlock(SearchRun& run, const CandidateMoment& moment, uint64_t seed) {
    const SearchSettings& s = *run.settings;
    const int32_t end = SearchRunIvEnd(run);
    for (int32_t c = SearchRunIvStart(run); c <= end; ++c) {
        IvSet ivs = IvSetAt(run.mt, c, s.roamerEnabled);
        if (s.breedingEnabled) {
            EvaluateBreeding(run, moment, seed, c, ivs);
            continue;
        }
        if (!IvFilterPasses(s, ivs)) continue;
        if (s.shinyPidEnabled) {
            EvaluateShinyPid(run, moment, seed, c, ivs, HiddenPowerTypeOf(ivs),
                             HiddenPowerPowerOf(ivs));
            continue;
        }
        IvSearchWriteRow(run, moment, seed, c, ivs);
    }
}
