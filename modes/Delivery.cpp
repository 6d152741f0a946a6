#include "modes/Delivery.h"

#include <algorithm>

#include "modes/IvSearch.h"
#include "modes/ResultFile.h"
#include "modes/RowFormat.h"
#include "modes/ShinyPid.h"

const char* const DeliveryShinyMethodNames[2] = {"Method1(ピカチュウ等)", "Method2(グラードン等)"};

uint32_t DeliveryPidOf(int32_t method, uint32_t draw8, uint32_t draw9) {
    if (method == 1) return (draw8 & 0xFFFFFF00u) | ScaledDraw(draw9, 126);
    return draw8;
}

IvSet DeliveryIvsAt(const uint32_t* U, int32_t v) {
    IvSet ivs;
    for (int i = 0; i < 6; ++i) ivs.v[i] = static_cast<int32_t>(U[v + kDeliveryIvDraw + i] >> 27);
    return ivs;
}

// Draws the driver produces past P + E.
constexpr int32_t kDeliveryFillBeyond = 3;

int32_t DeliveryLcgCount(const SearchRun& run) {
    return SearchRunDeliveryOffset(run) + run.pidEnd + kDeliveryFillBeyond;
}

void PlanDelivery(const SearchRun& run, DeliveryScreenParams& p, ScreenPlan& plan) {
    const SearchSettings& s = *run.settings;
    if (s.deliveryShinyMethod > 2) {
        plan.nothing = true;
        return;
    }
    p.nature = s.deliveryNature == 0
                   ? DrawRange{0, 0xFFFFFFFFu}
                   : DrawRangeOf(int64_t{s.deliveryNature} - 1, int64_t{s.deliveryNature} - 1, 25);
    p.iv = IvFilterTermsOf(s);
    p.method = std::max(s.deliveryShinyMethod, 0);
    p.ids = static_cast<uint32_t>(s.deliveryTrainerId ^ s.deliverySecretId);
    const int32_t reach = DeliveryReach(p.method);
    const int32_t offset = SearchRunDeliveryOffset(run);
    plan.reach = reach;
    plan.natureRow = offset <= reach ? offset : -1;
    p.natureOffset = plan.natureRow;
}

void EvaluateDeliveryRange(SearchRun& run, const CandidateMoment& moment, uint64_t seed, int32_t first,
                           int32_t last) {
    const SearchSettings& s = *run.settings;
    const int32_t method = s.deliveryShinyMethod;
    // The dialog offers methods 1 and 2 only; any other positive method has
    // no personality value to test, so nothing matches.
    if (method > 2) return;
    const int32_t offset = SearchRunDeliveryOffset(run);
    const int32_t reach = std::max(offset, DeliveryReach(method));  // highest draw read, relative to V
    for (int32_t v = first; v <= last; ++v) {
        // Small offsets with a shiny test read past the driver's fill.
        if (v + reach >= run.lcg.fillMark && !LcgStreamExtend(run.lcg, v + reach)) continue;
        const uint32_t* U = run.lcg.U.data();
        const int32_t nature = static_cast<int32_t>(ScaledDraw(U[v + offset], 25));
        if (s.deliveryNature != 0 && nature + 1 != s.deliveryNature) continue;
        const IvSet ivs = DeliveryIvsAt(U, v);
        if (!IvFilterPasses(s, ivs)) continue;
        if (method > 0 && !ShinyTestPasses(DeliveryPidOf(method, U[v + kDeliveryPidDraw], U[v + kDeliveryPidLowDraw]),
                                           s.deliveryTrainerId, s.deliverySecretId))
            continue;
        char* out = ResultRowStart(run, moment);
        if (!out) continue;
        out = RowAppendInt(out, v);
        *out++ = ',';
        out = RowAppendNature(out, nature);
        out = RowAppendIvSet(out, ivs);
        *out++ = ',';
        ResultRowFinish(run, moment, RowAppendSeed(out, seed));
    }
}

void EvaluateDelivery(SearchRun& run, const CandidateMoment& moment, uint64_t seed) {
    EvaluateDeliveryRange(run, moment, seed, SearchRunPidStart(run), SearchRunPidEnd(run));
}
