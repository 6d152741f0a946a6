#include "engine/BatchEngine.h"

#include <algorithm>
#include <vector>

#include "modes/SearchModes.h"

namespace {

constexpr int32_t C = kEngineChunk;
constexpr int32_t kBatchLanes = kSearchMaxBatch;
// Rows of a draw window: every position and the farthest any screen reads
// past its position.
constexpr int32_t kWindowReach = 32;
constexpr int32_t kWindowRows = kPidConsumptionEndLimit + 1 + kWindowReach;
static_assert(kGrottoReach <= kWindowReach && kDomeReach <= kWindowReach &&
                  kCometBaseWithout + kCometReach <= kWindowReach &&
                  kDeliveryShinyReach <= kWindowReach && kShinyReach <= kWindowReach,
              "draw window too short for a screen");
static_assert(BreedingScreenReach(BreedingFirstPickDraw(false, true)) <= kWindowReach,
              "draw window too short for the breeding screen");
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

}  // namespace

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
        // The draws of every position up to its shiny reach, and the nature
        // draws at the offset beyond them.
        FillDraws(run.lcg, seed, start, std::min(count, end + kDeliveryShinyReach));
        FillDraws(run.lcg, seed, std::max(start + offset, end + kDeliveryShinyReach + 1),
                  std::min(count, end + offset));
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
            have |= static_cast<uint32_t>(v >= plan.ivBounds.low[i] && v < plan.ivBounds.high[i]) << i;
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
        // A nature draw within the window's reach is a row of it; one beyond
        // (natureRow -1) gets a window of its own.
        const uint32_t* natures = s.natures.data();
        if (plan.natureRow >= 0)
            natures = s.draws.data() + static_cast<size_t>(plan.natureRow) * C;
        else
            kernels.lcgWindow(&s.seeds[static_cast<size_t>(base)], natureMul, natureAdd,
                              plan.lcg.positions, s.natures.data());
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
