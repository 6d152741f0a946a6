#include "modes/IvSearch.h"

#include <cstdio>

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
