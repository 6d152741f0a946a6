#include "modes/Grotto.h"

#include "modes/ResultFile.h"
#include "modes/RowFormat.h"

const char* const GrottoKindNames[11] = {
    "ポケモン(1%)",   "ポケモン(4%)",    "ポケモン(15%)",   "アイテム(1%)",
    "アイテム(4%)",   "アイテム(10%)",   "アイテム(25%)",   "ダウジング(1%)",
    "ダウジング(4%)", "ダウジング(10%)", "ダウジング(25%)",
};

const char* const GrottoFemaleRatioNames[5] = {"気にしない", "♀率5%", "♀率10%", "♀率30%", "♀率60%"};
const char* const GrottoSlotNames[4] = {"A", "B", "C", "D"};

const GrottoKindBand kGrottoKindBands[11] = {
    {0, 0},   {1, 4},   {5, 19},  {20, 20}, {21, 24}, {25, 34},
    {35, 59}, {60, 60}, {61, 64}, {65, 74}, {75, 99},
};

const uint32_t kGrottoFemaleThresholds[5] = {0, 5, 10, 30, 60};

bool GrottoKindAccepts(int32_t kind, uint32_t value) {
    if (kind < 0 || kind >= kGrottoKindCount) return false;
    return value >= kGrottoKindBands[kind].low && value <= kGrottoKindBands[kind].high;
}

bool GrottoFemaleAccepts(int32_t ratio, uint32_t value) {
    if (ratio < 1 || ratio >= kGrottoFemaleRatioCount) return true;
    return value < kGrottoFemaleThresholds[ratio];
}

bool GrottoPositionMatches(const SearchSettings& s, const uint32_t* U, int32_t n) {
    return ScaledDraw(U[n + kGrottoAppearDraw], 100) < kGrottoAppearPercent &&
           GrottoKindAccepts(s.grottoKind, ScaledDraw(U[n + kGrottoKindDraw], 100)) &&
           s.grottoSlots[U[n + kGrottoSlotDraw] >> 30] &&
           GrottoFemaleAccepts(s.grottoFemaleRatio, ScaledDraw(U[n + kGrottoFemaleDraw], 100));
}

void PlanGrotto(const SearchRun& run, GrottoScreenParams& p, ScreenPlan& plan) {
    const SearchSettings& s = *run.settings;
    if (s.grottoKind < 0 || s.grottoKind >= kGrottoKindCount) {
        plan.nothing = true;
        return;
    }
    p.appear = DrawRangeOf(0, kGrottoAppearPercent - 1, 100);
    const GrottoKindBand& band = kGrottoKindBands[s.grottoKind];
    p.kind = DrawRangeOf(band.low, band.high, 100);
    const int32_t ratio = s.grottoFemaleRatio;
    p.female = ratio >= 1 && ratio < kGrottoFemaleRatioCount
                   ? DrawRangeOf(0, static_cast<int64_t>(kGrottoFemaleThresholds[ratio]) - 1, 100)
                   : DrawRange{0, 0xFFFFFFFFu};
    p.slotMask = 0;
    for (int i = 0; i < 4; ++i)
        if (s.grottoSlots[i]) p.slotMask |= 1u << i;
    plan.reach = kGrottoReach;
}

void EvaluateGrottoRange(SearchRun& run, const CandidateMoment& moment, uint64_t seed, int32_t first,
                         int32_t last) {
    // Draws up to last + 3 lie below the fill mark.
    const uint32_t* U = run.lcg.U.data();
    for (int32_t n = first; n <= last; ++n) {
        if (!GrottoPositionMatches(*run.settings, U, n)) continue;
        char* out = ResultRowStart(run, moment);
        if (!out) continue;
        out = RowAppendInt(out, n - 1);
        *out++ = ',';
        ResultRowFinish(run, moment, RowAppendSeed(out, seed));
    }
}

void EvaluateGrotto(SearchRun& run, const CandidateMoment& moment, uint64_t seed) {
    EvaluateGrottoRange(run, moment, seed, SearchRunPidStart(run), SearchRunPidEnd(run));
}
