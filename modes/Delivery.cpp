#include "modes/Delivery.h"

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
    for (int i = 0; i < 6; ++i) ivs.v[i] = static_cast<int32_t>(U[v + i] >> 27);
    return ivs;
}

int32_t DeliveryLcgCount(const SearchRun& run) {
    return SearchRunDeliveryOffset(run) + run.pidEnd + 3;
}

void EvaluateDelivery(SearchRun& run, const CandidateMoment& moment, uint64_t seed) {
    const SearchSettings& s = *run.settings;
    const int32_t method = s.deliveryShinyMethod;
    // The dialog offers methods 1 and 2 only; any other positive method has
    // no personality value to test, so nothing matches.
    if (method > 2) return;
    const int32_t offset = SearchRunDeliveryOffset(run);
    int32_t reach = offset > 5 ? offset : 5;  // highest draw read, relative to V
    if (method > 0 && reach < 9) reach = 9;
    const int32_t end = SearchRunPidEnd(run);
    for (int32_t v = SearchRunPidStart(run); v <= end; ++v) {
        // Small offsets with a shiny test read past the driver's fill.
        if (v + reach >= run.lcg.fillMark && !LcgStreamExtend(run.lcg, v + reach)) continue;
        const uint32_t* U = run.lcg.U.data();
        const int32_t nature = static_cast<int32_t>(ScaledDraw(U[v + offset], 25));
        if (s.deliveryNature != 0 && nature + 1 != s.deliveryNature) continue;
        const IvSet ivs = DeliveryIvsAt(U, v);
        if (!IvFilterPasses(s, ivs)) continue;
        if (method > 0 && !ShinyTestPasses(DeliveryPidOf(method, U[v + 8], U[v + 9]),
                                           s.deliveryTrainerId, s.deliverySecretId))
            continue;
        char columns[200];
        char* out = RowAppendInt(columns, v);
        *out++ = ',';
        out = RowAppendText(out, NatureNameOf(nature));
        for (int32_t value : ivs.v) {
            *out++ = ',';
            out = RowAppendInt(out, value);
        }
        *out++ = ',';
        out = RowAppendText(out, HiddenPowerTypeNameOf(HiddenPowerTypeOf(ivs)));
        *out++ = ',';
        out = RowAppendInt(out, HiddenPowerPowerOf(ivs));
        *out++ = ',';
        *RowAppendSeed(out, seed) = '\0';
        ResultWriteMatch(run, moment, columns);
    }
}
