#include "modes/ShinyPid.h"

#include "modes/IvSearch.h"
#include "modes/ResultFile.h"
#include "modes/RowFormat.h"

const char* const ShinyEncounterNames[3] = {"孵化", "徘徊", "固定"};

bool ShinyTestPasses(uint32_t pid, uint16_t trainerId, uint16_t secretId) {
    uint32_t t = ((pid >> 16) ^ pid ^ trainerId ^ secretId) & 0xFFFFu;
    return t <= 7;
}

uint32_t ShinyEggPidOf(uint32_t draw) { return ScaledDraw(draw, 0xFFFFFFFFu); }

uint32_t ShinyPidOf(int32_t encounter, uint32_t draw) {
    if (encounter == kShinyEncounterEgg) return ShinyEggPidOf(draw);
    if (encounter == kShinyEncounterRoamer) return draw;
    // Fixed encounters flip bit 16 and keep bit 31 equal to bit 0.
    uint32_t v = draw ^ 0x10000u;
    if ((v >> 31) != (v & 1u)) v ^= 0x80000000u;
    return v;
}

uint32_t ShinyPidIdAdjusted(uint32_t pid, uint16_t trainerId, uint16_t secretId) {
    uint32_t bit = (static_cast<uint32_t>(trainerId) ^ secretId ^ pid) & 1u;
    return (pid & 0x7FFFFFFFu) | (bit << 31);
}

// The nature is tested for the roamer and the fixed encounter only.
static bool ShinyNatureTested(const SearchSettings& s) {
    return (s.shinyEncounter == kShinyEncounterRoamer || s.shinyEncounter == kShinyEncounterFixed) &&
           s.shinyNature > 0;
}

void PlanShiny(const SearchRun& run, ShinyScreenParams& p, ScreenPlan& plan) {
    const SearchSettings& s = *run.settings;
    const int32_t encounter = s.shinyEncounter;
    p.rule = encounter == kShinyEncounterEgg      ? kShinyEncounterEgg
             : encounter == kShinyEncounterRoamer ? kShinyEncounterRoamer
                                                  : kShinyEncounterFixed;
    p.natureTest = ShinyNatureTested(s);
    p.nature = DrawRangeOf(int64_t{s.shinyNature} - 1, int64_t{s.shinyNature} - 1, 25);
    p.idAdjust = s.shinyIdAdjust;
    p.ids = static_cast<uint32_t>(s.shinyTrainerId ^ s.shinySecretId);
    plan.reach = kShinyReach;
}

int32_t ShinyPidPositions(const SearchRun& run, int32_t* positions) {
    const SearchSettings& s = *run.settings;
    // Draws up to pidEnd + 1 lie below the fill mark of pidEnd + 31.
    const uint32_t* U = run.lcg.U.data();
    const bool natureTest = ShinyNatureTested(s);
    const int32_t end = SearchRunPidEnd(run);
    int32_t count = 0;
    for (int32_t k = SearchRunPidStart(run); k <= end && count < kShinyPidPositionsMax; ++k) {
        if (natureTest &&
            static_cast<int32_t>(ScaledDraw(U[k + kShinyNatureDraw], 25)) + 1 != s.shinyNature)
            continue;
        uint32_t v = ShinyPidOf(s.shinyEncounter, U[k + kShinyPidDraw]);
        if (s.shinyIdAdjust) v = ShinyPidIdAdjusted(v, s.shinyTrainerId, s.shinySecretId);
        if (ShinyTestPasses(v, s.shinyTrainerId, s.shinySecretId)) positions[count++] = k;
    }
    return count;
}

void WriteShinyPidRows(SearchRun& run, const CandidateMoment& moment, uint64_t seed, int32_t c,
                       const IvSet& ivs, const int32_t* positions, int32_t count) {
    const SearchSettings& s = *run.settings;
    const uint32_t* U = run.lcg.U.data();
    for (int32_t i = 0; i < count; ++i) {
        const int32_t k = positions[i];
        uint32_t v = ShinyPidOf(s.shinyEncounter, U[k + kShinyPidDraw]);
        if (s.shinyIdAdjust) v = ShinyPidIdAdjusted(v, s.shinyTrainerId, s.shinySecretId);
        char* out = ResultRowStart(run, moment);
        if (!out) continue;
        out = RowAppendIvColumns(out, c, ivs);
        *out++ = ',';
        out = RowAppendSeed(out, seed);
        *out++ = ',';
        out = RowAppendInt(out, k - 1);
        *out++ = ',';
        out = RowAppendHex8(out, U[k + kShinyPidDraw]);
        *out++ = ',';
        ResultRowFinish(run, moment, RowAppendHex8(out, v));
    }
}
