#include "modes/IndividualValues.h"

#include <algorithm>

const char* const StatNames[6] = {"H", "A", "B", "C", "D", "S"};

// Power and type from the weight sums of the remainder and parity bits;
// both grow with the sum.
static int32_t PowerOfSum(int32_t p) { return 40 * p / 63 + 30; }
static int32_t TypeOfSum(int32_t t) { return 15 * t / 63; }

int32_t HiddenPowerPowerOf(const IvSet& ivs) {
    int32_t p = 0;
    for (int i = 0; i < 6; ++i) {
        int32_t r = ivs.v[i] % 4;  // truncating: negative values add nothing
        if (r == 2 || r == 3) p += kHiddenPowerWeights[i];
    }
    return PowerOfSum(p);
}

int32_t HiddenPowerTypeOf(const IvSet& ivs) {
    int32_t t = 0;
    for (int i = 0; i < 6; ++i)
        if (ivs.v[i] % 2 == 1) t += kHiddenPowerWeights[i];
    return TypeOfSum(t);
}

IvSet IvSetAt(const MtTable& table, int32_t c, bool roamer) {
    const int32_t* offsets = roamer ? kRoamerIvOutputOffsets : kIvOutputOffsets;
    IvSet ivs;
    for (int i = 0; i < 6; ++i) ivs.v[i] = static_cast<int32_t>(MtIv(table, c + offsets[i]));
    return ivs;
}

IvFilterTerms IvFilterTermsOf(const SearchSettings& s) {
    auto clamp = [](int64_t v) { return static_cast<uint8_t>(std::min<int64_t>(std::max<int64_t>(v, 0), 32)); };
    IvFilterTerms t;
    for (int i = 0; i < 6; ++i) {
        t.low[i] = clamp(s.ivMin[i]);
        t.high[i] = clamp(static_cast<int64_t>(s.ivMax[i]) + 1);
    }
    t.powerMinimum = 64;
    for (int p = 63; p >= 0; --p)
        if (PowerOfSum(p) >= s.hiddenPowerMinimum) t.powerMinimum = static_cast<uint8_t>(p);
    t.typeTest = s.hiddenPowerType != -1;
    t.typeLow = 1;
    t.typeHigh = 0;
    for (int sum = 0; sum < 64; ++sum) {
        if (TypeOfSum(sum) != s.hiddenPowerType) continue;
        if (t.typeLow > t.typeHigh) t.typeLow = static_cast<uint8_t>(sum);
        t.typeHigh = static_cast<uint8_t>(sum);
    }
    return t;
}

bool IvFilterPasses(const SearchSettings& s, const IvSet& ivs) {
    for (int i = 0; i < 6; ++i)
        if (ivs.v[i] < s.ivMin[i] || ivs.v[i] > s.ivMax[i]) return false;
    // Every power is at least the one of sum 0: a minimum up to it asks nothing.
    if (s.hiddenPowerMinimum > PowerOfSum(0) && HiddenPowerPowerOf(ivs) < s.hiddenPowerMinimum) return false;
    return s.hiddenPowerType == -1 || HiddenPowerTypeOf(ivs) == s.hiddenPowerType;
}
