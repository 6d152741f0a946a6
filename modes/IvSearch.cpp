#include "modes/IvSearch.h"

#include <algorithm>
#include <cstring>

#include "modes/BatchPlan.h"
#include "modes/Breeding.h"
#include "modes/ResultFile.h"
#include "modes/RowFormat.h"
#include "modes/ShinyPid.h"

IvColumnPieces::IvColumnPieces() {
    for (int32_t v = 0; v < 32; ++v) {
        value[v][0] = ',';
        valueLength[v] = static_cast<uint8_t>(RowAppendSmall(value[v] + 1, v) - value[v]);
    }
    for (int32_t sum = 0; sum < 64; ++sum) {
        IvSet parity, remainder;
        for (int i = 0; i < 6; ++i) {
            parity.v[i] = (sum & kHiddenPowerWeights[i]) ? 1 : 0;
            remainder.v[i] = (sum & kHiddenPowerWeights[i]) ? 2 : 0;
        }
        char* end = type[sum];
        *end++ = ',';
        end = RowAppendText(end, HiddenPowerTypeNameOf(HiddenPowerTypeOf(parity)));
        typeLength[sum] = static_cast<uint8_t>(end - type[sum]);
        power[sum][0] = ',';
        RowAppendSmall(power[sum] + 1, HiddenPowerPowerOf(remainder));  // 30..70: two digits
    }
}

// Its constructor reads constant tables only, so it may run at start-up in
// any order with the other units.
const IvColumnPieces kIvColumnPieces;

char* RowAppendIvValuesAny(char* out, const IvSet& ivs) {
    for (int32_t v : ivs.v) {
        *out++ = ',';
        out = RowAppendInt(out, v);
    }
    return out;
}

char* RowAppendIvSetAny(char* out, const IvSet& ivs) {
    out = RowAppendIvValuesAny(out, ivs);
    *out++ = ',';
    out = RowAppendText(out, HiddenPowerTypeNameOf(HiddenPowerTypeOf(ivs)));
    *out++ = ',';
    return RowAppendInt(out, HiddenPowerPowerOf(ivs));
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
    int32_t shinyPositions[kShinyPidPositionsMax];
    int32_t shinyCount = -1;  // found when a position first passes the filter
    for (int32_t c = SearchRunIvStart(run); c <= end; ++c) {
        IvSet ivs = IvSetAt(run.mt, c, s.roamerEnabled);
        if (s.breedingEnabled) {
            EvaluateBreeding(run, moment, seed, c, ivs);
            continue;
        }
        if (!IvFilterPasses(s, ivs)) continue;
        if (s.shinyPidEnabled) {
            if (shinyCount < 0) shinyCount = ShinyPidPositions(run, shinyPositions);
            WriteShinyPidRows(run, moment, seed, c, ivs, shinyPositions, shinyCount);
            continue;
        }
        IvSearchWriteRow(run, moment, seed, c, ivs);
    }
}
