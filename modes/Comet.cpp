#include "modes/Comet.h"

#include "modes/ResultFile.h"
#include "modes/RowFormat.h"

const CometBand kCometBands[3] = {{0, 320}, {641, 800}, {961, 1280}};

bool CometBandAccepts(uint32_t v) {
    for (const CometBand& band : kCometBands)
        if (v >= band.low && v <= band.high) return true;
    return false;
}

static bool CometLastTestPasses(uint32_t draw, bool compoundEyes) {
    uint32_t v = ScaledDraw(draw, 100);
    return compoundEyes ? v >= 80 && v <= 84 : v == 55;
}

bool CometTestsPass(const uint32_t* U, int32_t b, bool compoundEyes) {
    return ScaledDraw(U[b], 100) < 40 && CometBandAccepts(ScaledDraw(U[b + 1], 1600)) &&
           CometBandAccepts(ScaledDraw(U[b + 3], 1600)) &&
           CometLastTestPasses(U[b + 7], compoundEyes) &&
           CometLastTestPasses(U[b + 10], compoundEyes);
}

void EvaluateComet(SearchRun& run, const CandidateMoment& moment, uint64_t seed) {
    // Draws up to pidEnd + 11 lie below the fill mark of pidEnd + 31.
    const uint32_t* U = run.lcg.U.data();
    const bool compoundEyes = run.settings->cometCompoundEyes;
    const int32_t end = SearchRunPidEnd(run);
    for (int32_t v = SearchRunPidStart(run); v <= end; ++v) {
        if (!CometTestsPass(U, compoundEyes ? v : v + 1, compoundEyes)) continue;
        char columns[64];
        char* out = RowAppendInt(columns, v);
        *out++ = ',';
        *RowAppendSeed(out, seed) = '\0';
        ResultWriteMatch(run, moment, columns);
    }
}
