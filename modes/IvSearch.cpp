#include "modes/IvSearch.h"

#include <cstdio>

#include "modes/Breeding.h"
#include "modes/ResultFile.h"
#include "modes/ShinyPid.h"

// Hidden-power weights by stat H A B C D S (S counts before C and D).
static const int32_t kHiddenPowerWeights[6] = {1, 2, 4, 16, 32, 8};

int32_t HiddenPowerPowerOf(const IvSet& ivs) {
    int32_t p = 0;
    for (int i = 0; i < 6; ++i) {
        int32_t r = ivs.v[i] % 4;  // truncating: negative values add nothing
        if (r == 2 || r == 3) p += kHiddenPowerWeights[i];
    }
    return 40 * p / 63 + 30;
}

int32_t HiddenPowerTypeOf(const IvSet& ivs) {
    int32_t t = 0;
    for (int i = 0; i < 6; ++i)
        if (ivs.v[i] % 2 == 1) t += kHiddenPowerWeights[i];
    return 15 * t / 63;
}

IvSet IvSetAt(const MtTable& table, int32_t c, bool roamer) {
    IvSet ivs;
    if (!roamer) {
        for (int i = 0; i < 6; ++i) ivs.v[i] = static_cast<int32_t>(MtIv(table, c + i));
    } else {
        ivs.v[0] = static_cast<int32_t>(MtIv(table, c + 1));
        ivs.v[1] = static_cast<int32_t>(MtIv(table, c + 2));
        ivs.v[2] = static_cast<int32_t>(MtIv(table, c + 3));
        ivs.v[4] = static_cast<int32_t>(MtIv(table, c + 4));
        ivs.v[5] = static_cast<int32_t>(MtIv(table, c + 5));
        ivs.v[3] = static_cast<int32_t>(MtIv(table, c + 6));
    }
    return ivs;
}

bool IvFilterPasses(const SearchSettings& s, const IvSet& ivs) {
    for (int i = 0; i < 6; ++i)
        if (ivs.v[i] < s.ivMin[i] || ivs.v[i] > s.ivMax[i]) return false;
    if (HiddenPowerPowerOf(ivs) < s.hiddenPowerMinimum) return false;
    return s.hiddenPowerType == -1 || HiddenPowerTypeOf(ivs) == s.hiddenPowerType;
}

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
