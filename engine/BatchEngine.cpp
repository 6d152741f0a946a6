#include "engine/BatchEngine.h"

#include <algorithm>
#include <vector>

#include "modes/Breeding.h"
#include "modes/Comet.h"
#include "modes/Dome.h"
#include "modes/Grotto.h"
#include "modes/SearchModes.h"

namespace {

constexpr int32_t C = kEngineChunk;
constexpr int32_t kBatchLanes = kSearchMaxBatch;
constexpr int32_t kWindowRows = kPidConsumptionEndLimit + 1 + 32;  // positions + farthest reach
// The farthest reach: breeding's last inheritance pick from n + 4 and the
// personality-value draw after it.
static_assert(4 + 2 * kBreedingPicks + 1 <= 32, "draw window too short for the breeding screen");
constexpr int32_t kRowTextBytes = 1 << 20;  // few writes: each one is a system call

// The engine's buffers, allocated at the first batch of a search.
struct BatchScratch {
    std::vector<uint32_t> w8, w9, w12;      // message words per lane
    std::vector<uint64_t> seeds;            // per lane
    std::vector<int32_t> survivors;         // lanes past the LCG screen, in walk order
    std::vector<uint64_t> inherited;        // breeding: inherited-stat sets per survivor
    std::vector<uint32_t> draws, natures;   // LCG windows of one chunk
    std::vector<uint32_t> words, mtScratch; // MT words of one chunk
    std::vector<uint8_t> ivs, ivPass;       // individual values and pass flags of one chunk
    std::vector<char> rowText;
    RowBuffer rows;
};

void BatchScratchFree(void* scratch) { delete static_cast<BatchScratch*>(scratch); }

BatchScratch& BatchScratchOf(SearchRun& run) {
    if (!run.engineScratch) {
        auto* s = new BatchScratch;
        s->w8.resize(kBatchLanes + C);
        s->w9.resize(kBatchLanes + C);
        s->w12.resize(kBatchLanes + C);
        s->seeds.resize(kBatchLanes + C);
        s->survivors.resize(kBatchLanes);
        s->inherited.resize(kBatchLanes);
        s->draws.resize(static_cast<size_t>(kWindowRows) * C);
        s->natures.resize(static_cast<size_t>(kWindowRows) * C);
        s->words.resize(static_cast<size_t>(kMtSize) * C);
        s->mtScratch.resize(static_cast<size_t>(kMtSize) * C);
        s->ivs.resize(static_cast<size_t>(kMtSize) * C);
        s->ivPass.resize(static_cast<size_t>(kMtSize) * C);
        s->rowText.resize(kRowTextBytes);
        RowBufferInit(s->rows, s->rowText.data(), kRowTextBytes);
        run.engineScratch = s;
        run.engineScratchFree = BatchScratchFree;
    }
    return *static_cast<BatchScratch*>(run.engineScratch);
}

uint8_t ClampIv(int64_t v) { return static_cast<uint8_t>(std::min<int64_t>(std::max<int64_t>(v, 0), 32)); }

// Bounds, minimum power and type of the main window's filter, in the terms
// the kernels test: low <= iv < high, weight sums p and t.
void IvFilterTermsOf(const SearchSettings& s, uint8_t* low, uint8_t* high, uint8_t& powerMinimum,
                     bool& typeTest, uint8_t& typeLow, uint8_t& typeHigh) {
    for (int i = 0; i < 6; ++i) {
        low[i] = ClampIv(s.ivMin[i]);
        high[i] = ClampIv(static_cast<int64_t>(s.ivMax[i]) + 1);
    }
    powerMinimum = 64;
    for (int p = 63; p >= 0; --p)
        if (40 * p / 63 + 30 >= s.hiddenPowerMinimum) powerMinimum = static_cast<uint8_t>(p);
    typeTest = s.hiddenPowerType != -1;
    typeLow = 1;
    typeHigh = 0;
    for (int t = 0; t < 64; ++t) {
        if (15 * t / 63 != s.hiddenPowerType) continue;
        if (typeLow > typeHigh) typeLow = static_cast<uint8_t>(t);
        typeHigh = static_cast<uint8_t>(t);
    }
}

void PlanIvBlock(const SearchRun& run, BatchPlan& plan) {
    const SearchSettings& s = *run.settings;
    const int32_t start = SearchRunIvStart(run), end = SearchRunIvEnd(run);
    if (start > end) {
        plan.nothing = true;
        return;
    }
    IvScreenParams& iv = plan.iv;
    static const int32_t kPlain[6] = {0, 1, 2, 3, 4, 5}, kRoamer[6] = {1, 2, 3, 6, 4, 5};
    const int32_t reach = s.roamerEnabled ? 6 : 5;
    iv.positions = end - start + 1;
    iv.rows = iv.positions + reach;
    std::copy(s.roamerEnabled ? kRoamer : kPlain, (s.roamerEnabled ? kRoamer : kPlain) + 6,
              iv.offsets);
    IvFilterTermsOf(s, iv.low, iv.high, iv.powerMinimum, iv.typeTest, iv.typeLow, iv.typeHigh);
    plan.mtNeeded = true;
    plan.mtLo = start;
    plan.mtHi = end + reach;
    plan.ivStart = start;
    std::copy(iv.low, iv.low + 6, plan.ivLow);
    std::copy(iv.high, iv.high + 6, plan.ivHigh);
    if (s.breedingEnabled) {
        // The breeding prefilter: a stat passes when its stream value or
        // either parent's value lies within the bounds; no hidden power.
        for (int i = 0; i < 6; ++i) {
            auto within = [&](int32_t v) { return v >= s.ivMin[i] && v <= s.ivMax[i]; };
            if (within(s.parentIv[0][i]) || within(s.parentIv[1][i])) {
                iv.low[i] = 0;
                iv.high[i] = 32;
            }
        }
        iv.powerMinimum = 0;
        iv.typeTest = false;
    }
    plan.ivRows = !s.breedingEnabled && !s.shinyPidEnabled;
}

void PlanGrotto(const SearchSettings& s, LcgScreenParams& p, BatchPlan& plan) {
    if (s.grottoKind < 0 || s.grottoKind >= kGrottoKindCount) {
        plan.nothing = true;
        return;
    }
    p.grottoFirst = DrawRangeOf(0, 4, 100);
    const GrottoKindBand& band = kGrottoKindBands[s.grottoKind];
    p.grottoKind = DrawRangeOf(band.low, band.high, 100);
    const int32_t ratio = s.grottoFemaleRatio;
    p.grottoFemale = ratio >= 1 && ratio < kGrottoFemaleRatioCount
                         ? DrawRangeOf(0, static_cast<int64_t>(kGrottoFemaleThresholds[ratio]) - 1, 100)
                         : DrawRange{0, 0xFFFFFFFFu};
    p.grottoSlotMask = 0;
    for (int i = 0; i < 4; ++i)
        if (s.grottoSlots[i]) p.grottoSlotMask |= 1u << i;
    plan.lcgRows = p.positions + 3;
}

void PlanComet(const SearchSettings& s, LcgScreenParams& p, BatchPlan& plan) {
    p.cometBase = s.cometCompoundEyes ? 0 : 1;
    p.cometFirst = DrawRangeOf(0, 39, 100);
    for (int i = 0; i < 3; ++i) p.cometBand[i] = DrawRangeOf(kCometBands[i].low, kCometBands[i].high, 1600);
    p.cometLast = s.cometCompoundEyes ? DrawRangeOf(80, 84, 100) : DrawRangeOf(55, 55, 100);
    plan.lcgRows = p.positions + 11;
}

void PlanDome(const SearchSettings& s, LcgScreenParams& p, BatchPlan& plan) {
    if (s.domeShiftWidth < 0) {
        plan.nothing = true;  // the run counter never equals a negative width
        return;
    }
    p.domeWidth = s.domeShiftWidth;
    for (int q = 0; q < 6; ++q) {
        const int32_t choice = s.domeTrainers[q];
        if (choice < 0 || choice > kDomeTrainerCount) {
            plan.nothing = true;  // a choice no pick can satisfy
            return;
        }
        p.domeTrainer[q] = choice == 0 ? kDomeNoTrainer : static_cast<uint32_t>(choice - 1);
    }
    plan.lcgRows = p.positions + 5;
}

void PlanDelivery(const SearchRun& run, LcgScreenParams& p, BatchPlan& plan) {
    const SearchSettings& s = *run.settings;
    if (s.deliveryShinyMethod > 2) {
        plan.nothing = true;
        return;
    }
    p.deliveryNature = s.deliveryNature == 0
                           ? DrawRange{0, 0xFFFFFFFFu}
                           : DrawRangeOf(s.deliveryNature - 1, s.deliveryNature - 1, 25);
    IvFilterTermsOf(s, p.ivLow, p.ivHigh, p.powerMinimum, p.typeTest, p.typeLow, p.typeHigh);
    p.deliveryMethod = std::max(s.deliveryShinyMethod, 0);
    p.deliveryIds = static_cast<uint32_t>(s.deliveryTrainerId ^ s.deliverySecretId);
    const int32_t reach = p.deliveryMethod > 0 ? 9 : 5;
    const int32_t offset = SearchRunDeliveryOffset(run);
    plan.lcgRows = p.positions + reach;
    plan.natureRow = offset <= reach ? offset : -1;
}

void PlanShiny(const SearchSettings& s, LcgScreenParams& p, BatchPlan& plan) {
    const int32_t encounter = s.shinyEncounter;
    p.shinyRule = encounter == 1 ? 1 : encounter == 2 ? 2 : 3;
    p.shinyNatureTest = (encounter == 2 || encounter == 3) && s.shinyNature > 0;
    p.shinyNature = DrawRangeOf(s.shinyNature - 1, s.shinyNature - 1, 25);
    p.shinyIdAdjust = s.shinyIdAdjust;
    p.shinyIds = static_cast<uint32_t>(s.shinyTrainerId ^ s.shinySecretId);
    plan.lcgRows = p.positions + 1;
}

void PlanBreeding(const SearchSettings& s, LcgScreenParams& p, BatchPlan& plan) {
    const int32_t nature = s.breedingNature;
    if (nature < -1) {
        plan.nothing = true;
        return;
    }
    p.breedingNatureRule = nature <= 0 ? nature : 1;
    p.breedingNatureDraw = DrawRangeOf(nature - 1, nature - 1, 25);
    p.breedingAbilityTest = s.breedingNoDitto && s.breedingAbility == 3;
    p.breedingAbilityRow = nature == 0 ? 2 : 1;
    p.breedingAbilityLow = DrawRangeOf(2, 4, 5).lo;
    p.breedingFirstPick = (s.breedingNoDitto ? 2 : 3) + (nature == 0 ? 1 : 0);
    p.breedingParentOk = 0;
    for (int parent = 0; parent < 2; ++parent)
        for (int stat = 0; stat < 6; ++stat) {
            const int32_t v = s.parentIv[parent][stat];
            if (v >= s.ivMin[stat] && v <= s.ivMax[stat]) p.breedingParentOk |= 1u << (parent * 6 + stat);
        }
    // Gender entries 1..4 accept g >= threshold, 5..8 g < threshold.
    const int32_t gender = s.breedingGender;
    p.breedingGender = DrawRange{0, 0xFFu};
    if (gender >= 1 && gender <= 4)
        p.breedingGender.lo = static_cast<uint32_t>(kBreedingGenderThresholds[gender - 1]);
    if (gender >= 5 && gender <= 8)
        p.breedingGender.hi = static_cast<uint32_t>(kBreedingGenderThresholds[8 - gender]) - 1;
    p.breedingAbility = s.breedingAbility == 1 || s.breedingAbility == 2 ? static_cast<uint32_t>(s.breedingAbility) : 0;
    p.breedingShinyTest = s.shinyPidEnabled;
    p.shinyIds = static_cast<uint32_t>(s.shinyTrainerId ^ s.shinySecretId);
    plan.lcgRows = p.positions + p.breedingFirstPick + 2 * kBreedingPicks + 1;
    plan.breedingSets = true;
}

}  // namespace

void BatchPlanOf(const SearchRun& run, BatchPlan& plan) {
    plan = BatchPlan{};
    plan.natureRow = 0;
    plan.pidStart = SearchRunPidStart(run);
    const SearchSettings& s = *run.settings;
    LcgScreenParams& p = plan.lcg;
    p.positions = SearchRunPidEnd(run) - plan.pidStart + 1;
    const bool ivBlock = run.mode == kModeBreeding || run.mode == kModeShiny || run.mode == kModeIv;
    const bool readsLcg = !ivBlock || s.breedingEnabled || s.shinyPidEnabled;
    if (readsLcg && p.positions <= 0) {
        plan.nothing = true;  // every LCG evaluation walks the personality-value range
        return;
    }
    plan.lcgScreen = readsLcg;
    switch (run.mode) {
    case kModeGrotto:
        p.kind = kScreenGrotto;
        PlanGrotto(s, p, plan);
        return;
    case kModeDome:
        p.kind = kScreenDome;
        PlanDome(s, p, plan);
        return;
    case kModeComet:
        p.kind = kScreenComet;
        PlanComet(s, p, plan);
        return;
    case kModeDelivery:
        p.kind = kScreenDelivery;
        PlanDelivery(run, p, plan);
        return;
    case kModeBreeding:
    case kModeShiny:
    case kModeIv:
        break;
    }
    if (s.breedingEnabled) {
        p.kind = kScreenBreeding;
        PlanBreeding(s, p, plan);
    } else if (s.shinyPidEnabled) {
        p.kind = kScreenShiny;
        PlanShiny(s, p, plan);
    }
    if (!plan.nothing) PlanIvBlock(run, plan);
}

namespace {

// Draws U[from..to] of one seed in four interleaved chains four steps apart,
// so that the multiplications do not wait for each other.
void FillDraws(LcgStream& lcg, uint64_t seed, int32_t from, int32_t to) {
    if (from > to) return;
    uint64_t mul, add, mul4, add4;
    LcgJump(static_cast<uint64_t>(from), mul, add);
    LcgJump(4, mul4, add4);
    uint64_t x[4];
    x[0] = seed * mul + add;
    for (int c = 1; c < 4; ++c) x[c] = LcgNext(x[c - 1]);
    uint32_t* u = lcg.U.data();
    int32_t i = from;
    for (; i + 3 <= to; i += 4) {
        for (int c = 0; c < 4; ++c) {
            u[i + c] = static_cast<uint32_t>(x[c] >> 32);
            x[c] = x[c] * mul4 + add4;
        }
    }
    for (int c = 0; i <= to; ++i, ++c) u[i] = static_cast<uint32_t>(x[c] >> 32);
}

// The streams of one candidate, as far as its mode reads them: MT words
// mtLo..mtHi from the chunk's kernel output; draws U from pidStart to the
// fill count (delivery: the two windows it reads). The modes read U only;
// L is set at the top of the fill, where on-demand extension steps on from.
void Materialise(SearchRun& run, const BatchPlan& plan, uint64_t seed, const uint32_t* words,
                 int32_t lane) {
    if (plan.mtNeeded)
        for (int32_t k = plan.mtLo; k <= plan.mtHi; ++k)
            run.mt.mt[k] = words[(k - plan.mtLo) * C + lane];
    int32_t count = SearchRunLcgCount(run);
    if (count < 0) return;
    if (count > run.lcg.capacity - 1) count = run.lcg.capacity - 1;
    const int32_t start = plan.pidStart;
    if (run.mode == kModeDelivery) {
        const int32_t offset = SearchRunDeliveryOffset(run);
        const int32_t end = SearchRunPidEnd(run);
        FillDraws(run.lcg, seed, start, std::min(count, end + 9));
        FillDraws(run.lcg, seed, std::max(start + offset, end + 10), std::min(count, end + offset));
    } else {
        FillDraws(run.lcg, seed, std::min(start, count), count);
    }
    uint64_t mul, add;
    LcgJump(static_cast<uint64_t>(count), mul, add);
    const uint64_t top = seed * mul + add;
    run.lcg.L[static_cast<size_t>(count)] = top;
    run.lcg.U[static_cast<size_t>(count)] = static_cast<uint32_t>(top >> 32);
    run.lcg.fillMark = count + 1;
}

// Masks m of inherited stats that, with the stats of mask P whose stream
// values lie within the bounds, cover all six: compatible[P] bit m.
struct InheritanceCover {
    uint64_t compatible[64];
    InheritanceCover() {
        for (uint32_t have = 0; have < 64; ++have) {
            compatible[have] = 0;
            for (uint32_t inherited = 0; inherited < 64; ++inherited)
                if ((have | inherited) == 63u) compatible[have] |= 1ull << inherited;
        }
    }
};
const InheritanceCover kInheritanceCover;

// A breeding candidate can match only at a position c whose stream values
// lie within the bounds for every stat that some passing consumption does
// not inherit from a parent.
bool BreedingStatsCanMatch(const BatchPlan& plan, const uint8_t* ivs, int32_t lane, uint64_t inherited) {
    for (int32_t c = 0; c < plan.iv.positions; ++c) {
        uint32_t have = 0;
        for (int i = 0; i < 6; ++i) {
            const uint8_t v = ivs[(c + plan.iv.offsets[i]) * C + lane];
            have |= static_cast<uint32_t>(v >= plan.ivLow[i] && v < plan.ivHigh[i]) << i;
        }
        if (inherited & kInheritanceCover.compatible[have]) return true;
    }
    return false;
}

// Screens the LCG modes' chunks and keeps the passing lanes, in order.
int32_t ScreenLanes(SearchRun& run, const BatchPlan& plan, const EngineKernels& kernels,
                    BatchScratch& s, int32_t count, int32_t padded) {
    int32_t survivors = 0;
    if (!plan.lcgScreen) {
        for (int32_t i = 0; i < count; ++i) s.survivors[static_cast<size_t>(survivors++)] = i;
        return survivors;
    }
    uint64_t mul, add;
    LcgJump(static_cast<uint64_t>(plan.pidStart), mul, add);
    uint64_t natureMul = 0, natureAdd = 0;
    if (plan.natureRow < 0)
        LcgJump(static_cast<uint64_t>(plan.pidStart + SearchRunDeliveryOffset(run)), natureMul,
                natureAdd);
    for (int32_t base = 0; base < padded; base += C) {
        kernels.lcgWindow(&s.seeds[static_cast<size_t>(base)], mul, add, plan.lcgRows, s.draws.data());
        const uint32_t* natures = s.draws.data() + static_cast<size_t>(plan.natureRow) * C;
        if (plan.natureRow < 0) {
            kernels.lcgWindow(&s.seeds[static_cast<size_t>(base)], natureMul, natureAdd,
                              plan.lcg.positions, s.natures.data());
            natures = s.natures.data();
        }
        uint8_t any[C];
        uint64_t inherited[C];
        kernels.lcgScreen(plan.lcg, s.draws.data(), natures, any, inherited);
        for (int32_t j = 0; j < C && base + j < count; ++j) {
            if (!any[j]) continue;
            s.inherited[static_cast<size_t>(survivors)] = inherited[j];
            s.survivors[static_cast<size_t>(survivors++)] = base + j;
        }
    }
    return survivors;
}

}  // namespace

void BatchEngineEvaluate(SearchRun& run, const CandidateMoment* moments, int32_t count,
                         const EngineKernels& kernels) {
    if (count <= 0) return;
    if (count > kBatchLanes) {
        // The lane buffers hold kBatchLanes; a longer run goes in pieces.
        for (int32_t first = 0; first < count; first += kBatchLanes)
            BatchEngineEvaluate(run, moments + first, std::min(kBatchLanes, count - first), kernels);
        return;
    }
    BatchScratch& s = BatchScratchOf(run);
    BatchPlan plan;
    BatchPlanOf(run, plan);
    if (plan.nothing) return;

    const bool threeDs = run.settings->threeDsMode;
    const int32_t padded = (count + C - 1) / C * C;
    // The date and time words change once a second at most; the walk hands
    // the masks of one second in a row.
    const CandidateMoment* previous = nullptr;
    uint32_t w8 = 0, w9 = 0;
    for (int32_t i = 0; i < padded; ++i) {
        const CandidateMoment& m = moments[std::min(i, count - 1)];
        if (!previous || m.second != previous->second || m.minute != previous->minute ||
            m.hour != previous->hour || m.day != previous->day || m.month != previous->month ||
            m.year != previous->year || m.weekday != previous->weekday) {
            w8 = SeedMessageDateWord(m);
            w9 = SeedMessageTimeWord(m, threeDs);
            previous = &m;
        }
        s.w8[static_cast<size_t>(i)] = w8;
        s.w9[static_cast<size_t>(i)] = w9;
        s.w12[static_cast<size_t>(i)] = SeedMessageKeyWord(m.keyMask);
    }
    Sha1BatchInput input;
    std::copy(run.prefix.w, run.prefix.w + 8, input.prefix);
    input.w8 = s.w8.data();
    input.w9 = s.w9.data();
    input.w12 = s.w12.data();
    input.count = padded;
    kernels.sha1Seeds(input, s.seeds.data());

    const int32_t survivors = ScreenLanes(run, plan, kernels, s, count, padded);
    for (int32_t first = 0; first < survivors; first += C) {
        const int32_t n = std::min(survivors - first, C);
        uint8_t any[C];
        if (plan.mtNeeded) {
            uint64_t chunkSeeds[C];
            for (int32_t j = 0; j < C; ++j)
                chunkSeeds[j] = s.seeds[static_cast<size_t>(s.survivors[static_cast<size_t>(first + std::min(j, n - 1))])];
            kernels.mtWords(chunkSeeds, plan.mtLo, plan.mtHi, s.words.data(), s.mtScratch.data());
            kernels.ivScreen(plan.iv, s.words.data(), s.ivs.data(), s.ivPass.data(), any);
        }
        for (int32_t j = 0; j < n; ++j) {
            if (plan.mtNeeded && !any[j]) continue;
            if (plan.breedingSets && !BreedingStatsCanMatch(plan, s.ivs.data(), j, s.inherited[static_cast<size_t>(first + j)]))
                continue;
            const int32_t lane = s.survivors[static_cast<size_t>(first + j)];
            const CandidateMoment& moment = moments[lane];
            const uint64_t seed = s.seeds[static_cast<size_t>(lane)];
            if (plan.ivRows) {
                for (int32_t c = 0; c < plan.iv.positions; ++c) {
                    if (!s.ivPass[static_cast<size_t>(c * C + j)]) continue;
                    int32_t ivs[6];
                    for (int i = 0; i < 6; ++i)
                        ivs[i] = s.ivs[static_cast<size_t>((c + plan.iv.offsets[i]) * C + j)];
                    RowBufferAddIvRow(s.rows, run, moment, seed, plan.ivStart + c, ivs);
                }
                continue;
            }
            Materialise(run, plan, seed, s.words.data(), j);
            RowBufferFlush(s.rows, run);
            EvaluateCandidate(run, moment, seed);
        }
    }
    RowBufferFlush(s.rows, run);
}
