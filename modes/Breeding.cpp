#include "modes/Breeding.h"

#include "modes/IvSearch.h"
#include "modes/ResultFile.h"
#include "modes/RowFormat.h"
#include "modes/ShinyPid.h"

const char* const BreedingGenderNames[8] = {
    "♂(7/8)", "♂(3/4)", "♂(1/2)", "♂(1/4)", "♀(3/4)", "♀(1/2)", "♀(1/4)", "♀(1/8)",
};

const char* const BreedingAbilityNames[4] = {"指定無し", "1", "2", "夢"};

// 64, not 63, for the quarter ratios.
const int32_t kBreedingGenderThresholds[4] = {31, 64, 127, 191};

// An inheritance column is a stat's name and a parent's, five bytes.
static constexpr char kBreedingStatNames[6][3] = {"H-", "A-", "B-", "C-", "D-", "S-"};
static constexpr char kBreedingParentNames[2][4] = {"\x90\xE6," /* 先, */, "\x8C\xE3," /* 後, */};

bool BreedingGenderAccepts(int32_t entry, uint32_t g) {
    if (entry >= 1 && entry <= 4)
        return g >= static_cast<uint32_t>(kBreedingGenderThresholds[entry - 1]);
    if (entry >= 5 && entry <= 8)
        return g < static_cast<uint32_t>(kBreedingGenderThresholds[8 - entry]);
    return true;
}

bool BreedingPrefilterPasses(const SearchSettings& s, const IvSet& ivs) {
    for (int i = 0; i < 6; ++i) {
        auto within = [&](int32_t v) { return v >= s.ivMin[i] && v <= s.ivMax[i]; };
        if (!within(ivs.v[i]) && !within(s.parentIv[0][i]) && !within(s.parentIv[1][i]))
            return false;
    }
    return true;
}

// Draw j of the current candidate, produced first when it lies beyond the
// fill; false when j is outside the stream.
static bool BreedingDrawAt(LcgStream& lcg, int32_t j, uint32_t& draw) {
    if (j >= lcg.fillMark && !LcgStreamExtend(lcg, j)) return false;
    draw = lcg.U[static_cast<size_t>(j)];
    return true;
}

bool BreedingInheritanceDraw(LcgStream& lcg, int32_t p, BreedingInheritance& out) {
    int32_t count = 0;
    while (count < kBreedingInheritedStats) {
        uint32_t statDraw, parentDraw;
        if (!BreedingDrawAt(lcg, p + 1, parentDraw) || !BreedingDrawAt(lcg, p, statDraw))
            return false;
        int32_t stat = static_cast<int32_t>(ScaledDraw(statDraw, 6));
        bool repeated = false;
        for (int32_t e = 0; e < count; ++e) repeated = repeated || out.stat[e] == stat;
        if (!repeated) {
            out.stat[count] = stat;
            out.parent[count] = static_cast<int32_t>(parentDraw >> 31);
            ++count;
        }
        p += kBreedingPickDraws;
    }
    out.nextDraw = p;
    return true;
}

// The hidden ability needs the ability draw scaled to 5 at 2 or more.
constexpr uint32_t kBreedingHiddenAbilityLow = 2;

// The nature and hidden-ability conditions of consumption n.
static bool BreedingNatureAndAbilityPass(const SearchSettings& s, LcgStream& lcg, int32_t n) {
    const bool unchanged = s.breedingNature == kBreedingNatureUnchanged;
    uint32_t d;
    if (unchanged) {
        if (!BreedingDrawAt(lcg, n + kBreedingUnchangedDraw, d) || (d >> 31) == 0) return false;
    } else if (s.breedingNature >= 1) {
        if (!BreedingDrawAt(lcg, n + kBreedingNatureDraw, d) ||
            static_cast<int32_t>(ScaledDraw(d, 25)) + 1 != s.breedingNature)
            return false;
    } else if (s.breedingNature != kBreedingNatureAny) {
        return false;  // no list entry: nothing matches
    }
    if (s.breedingNoDitto && s.breedingAbility == kBreedingAbilityHidden) {
        if (!BreedingDrawAt(lcg, n + BreedingAbilityDraw(unchanged), d) ||
            ScaledDraw(d, 5) < kBreedingHiddenAbilityLow)
            return false;
    }
    return true;
}

static void BreedingWriteRow(SearchRun& run, const CandidateMoment& moment, uint64_t seed,
                             int32_t c, const IvSet& ivs, int32_t n,
                             const BreedingInheritance& inheritance, uint32_t g, uint32_t a) {
    // c, the six stream values, the seed and n, each with its comma; the
    // three inheritance columns carry their own commas.
    char* out = ResultRowStart(run, moment);
    if (!out) return;
    out = RowAppendIvValues(RowAppendInt(out, c), ivs);
    *out++ = ',';
    out = RowAppendSeed(out, seed);
    *out++ = ',';
    out = RowAppendInt(out, n);
    *out++ = ',';
    for (int e = 0; e < kBreedingInheritedStats; ++e) {
        constexpr size_t stat = sizeof kBreedingStatNames[0] - 1, parent = sizeof kBreedingParentNames[0] - 1;
        std::memcpy(out, kBreedingStatNames[inheritance.stat[e]], stat);
        std::memcpy(out + stat, kBreedingParentNames[inheritance.parent[e]], parent);
        out += stat + parent;
    }
    out = RowAppendInt(out, static_cast<int32_t>(g));
    *out++ = ',';
    ResultRowFinish(run, moment, RowAppendInt(out, static_cast<int32_t>(a)));
}

void PlanBreeding(const SearchRun& run, BreedingScreenParams& p, ScreenPlan& plan) {
    const SearchSettings& s = *run.settings;
    const int32_t nature = s.breedingNature;
    if (nature < kBreedingNatureAny) {
        plan.nothing = true;
        return;
    }
    const bool unchanged = nature == kBreedingNatureUnchanged;
    p.natureRule = nature <= 0 ? nature : 1;
    p.natureDraw = DrawRangeOf(nature - 1, nature - 1, 25);
    p.abilityTest = s.breedingNoDitto && s.breedingAbility == kBreedingAbilityHidden;
    p.abilityDraw = BreedingAbilityDraw(unchanged);
    p.abilityLow = DrawRangeOf(kBreedingHiddenAbilityLow, 4, 5).lo;
    p.firstPick = BreedingFirstPickDraw(s.breedingNoDitto, unchanged);
    p.parentOk = 0;
    for (int parent = 0; parent < 2; ++parent)
        for (int stat = 0; stat < 6; ++stat) {
            const int32_t v = s.parentIv[parent][stat];
            if (v >= s.ivMin[stat] && v <= s.ivMax[stat]) p.parentOk |= 1u << (parent * 6 + stat);
        }
    // Gender entries 1..4 accept g >= threshold, 5..8 g < threshold.
    const int32_t gender = s.breedingGender;
    p.gender = DrawRange{0, 0xFFu};
    if (gender >= 1 && gender <= 4)
        p.gender.lo = static_cast<uint32_t>(kBreedingGenderThresholds[gender - 1]);
    if (gender >= 5 && gender <= 8)
        p.gender.hi = static_cast<uint32_t>(kBreedingGenderThresholds[8 - gender]) - 1;
    p.ability = s.breedingAbility == 1 || s.breedingAbility == 2 ? static_cast<uint32_t>(s.breedingAbility) : 0;
    p.shinyTest = s.shinyPidEnabled;
    p.ids = static_cast<uint32_t>(s.shinyTrainerId ^ s.shinySecretId);
    plan.reach = BreedingScreenReach(p.firstPick);
}

void EvaluateBreeding(SearchRun& run, const CandidateMoment& moment, uint64_t seed, int32_t c,
                      const IvSet& ivs) {
    const SearchSettings& s = *run.settings;
    if (!BreedingPrefilterPasses(s, ivs)) return;
    const int32_t end = SearchRunPidEnd(run);
    for (int32_t n = SearchRunPidStart(run); n <= end; ++n) {
        if (!BreedingNatureAndAbilityPass(s, run.lcg, n)) continue;
        int32_t p = n + BreedingFirstPickDraw(s.breedingNoDitto,
                                              s.breedingNature == kBreedingNatureUnchanged);
        BreedingInheritance inheritance;
        if (!BreedingInheritanceDraw(run.lcg, p, inheritance)) continue;
        IvSet egg = ivs;
        for (int e = 0; e < kBreedingInheritedStats; ++e)
            egg.v[inheritance.stat[e]] = s.parentIv[inheritance.parent[e]][inheritance.stat[e]];
        if (!IvFilterPasses(s, egg)) continue;
        uint32_t d;
        if (!BreedingDrawAt(run.lcg, inheritance.nextDraw, d)) continue;
        const uint32_t v = ShinyEggPidOf(d);
        const uint32_t g = v & 0xFFu;
        const uint32_t a = ((v >> 16) & 1u) + 1;
        if (!BreedingGenderAccepts(s.breedingGender, g)) continue;
        if ((s.breedingAbility == 1 || s.breedingAbility == 2) &&
            a != static_cast<uint32_t>(s.breedingAbility))
            continue;
        if (s.shinyPidEnabled && !ShinyTestPasses(v, s.shinyTrainerId, s.shinySecretId)) continue;
        BreedingWriteRow(run, moment, seed, c, ivs, n, inheritance, g, a);
    }
}
