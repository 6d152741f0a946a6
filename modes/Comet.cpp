#include "modes/Comet.h"

#include "modes/ResultFile.h"
#include "modes/RowFormat.h"

const CometBand kCometBands[3] = {{0, 320}, {641, 800}, {961, 1280}};

bool CometBandAccepts(uint32_t v) {
    for (const CometBand& band : kCometBands)
        if (v >= band.low && v <= band.high) return true;
    return false;
}

// The percentages the roll and the last two tests accept.
constexpr uint32_t kCometRollBelow = 40;
bool CometRollAccepts(uint32_t draw) { return ScaledDraw(draw, 100) < kCometRollBelow; }
constexpr CometBand kCometLast = {55, 55}, kCometLastCompoundEyes = {80, 84};

static bool CometLastTestPasses(uint32_t draw, bool compoundEyes) {
    const CometBand& last = compoundEyes ? kCometLastCompoundEyes : kCometLast;
    uint32_t v = ScaledDraw(draw, 100);
    return v >= last.low && v <= last.high;
}

bool CometTestsPass(const uint32_t* U, int32_t b, bool compoundEyes) {
    return CometRollAccepts(U[b + kCometRollDraw]) &&
           CometBandAccepts(ScaledDraw(U[b + kCometBandDraw1], 1600)) &&
           CometBandAccepts(ScaledDraw(U[b + kCometBandDraw2], 1600)) &&
           CometLastTestPasses(U[b + kCometLastDraw1], compoundEyes) &&
           CometLastTestPasses(U[b + kCometLastDraw2], compoundEyes);
}

void PlanComet(const SearchRun& run, CometScreenParams& p, ScreenPlan& plan) {
    const bool compoundEyes = run.settings->cometCompoundEyes;
    p.base = compoundEyes ? 0 : kCometBaseWithout;
    const CometBand& last = compoundEyes ? kCometLastCompoundEyes : kCometLast;
    p.last = DrawRangeOf(last.low, last.high, 100);
    plan.reach = kCometBaseWithout + kCometReach;
}

void EvaluateCometRange(SearchRun& run, const CandidateMoment& moment, uint64_t seed, int32_t first,
                        int32_t last) {
    // Draws up to last + 11 lie below the fill mark.
    const uint32_t* U = run.lcg.U.data();
    const bool compoundEyes = run.settings->cometCompoundEyes;
    for (int32_t v = first; v <= last; ++v) {
        if (!CometTestsPass(U, compoundEyes ? v : v + kCometBaseWithout, compoundEyes)) continue;
        char* out = ResultRowStart(run, moment);
        if (!out) continue;
        out = RowAppendInt(out, v);
        *out++ = ',';
        ResultRowFinish(run, moment, RowAppendSeed(out, seed));
    }
}

void EvaluateComet(SearchRun& run, const CandidateMoment& moment, uint64_t seed) {
    EvaluateCometRange(run, moment, seed, SearchRunPidStart(run), SearchRunPidEnd(run));
}
