#include "modes/IndividualValues.h"

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
    const int32_t* offsets = roamer ? kRoamerIvOutputOffsets : kIvOutputOffsets;
    IvSet ivs;
    for (int i = 0; i < 6; ++i) ivs.v[i] = static_cast<int32_t>(MtIv(table, c + offsets[i]));
    return ivs;
}

bool IvFilterPasses(const SearchSettings& s, const IvSet& ivs) {
    for (int i = 0; i < 6; ++i)
        if (ivs.v[i] < s.ivMin[i] || ivs.v[i] > s.ivMax[i]) return false;
    if (HiddenPowerPowerOf(ivs) < s.hiddenPowerMinimum) return false;
    return s.hiddenPowerType == -1 || HiddenPowerTypeOf(ivs) == s.hiddenPowerType;
}
