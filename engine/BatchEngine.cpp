#include "engine/BatchEngine.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

#include "modes/IvSearch.h"
#include "modes/SearchModes.h"

namespace {

constexpr int32_t C = kEngineChunk;
constexpr int32_t kBatchLanes = kSearchMaxBatch;
// A run of at least this many lanes of one second takes the second's shared
// digest; shorter runs (one lane a second without key input) go with the
// lanes that have messages of their own.
constexpr int32_t kSecondRunLanes = 8;
// Columns of the key-term rows: every mask, and the padding the widest
// vector reads past the last lane.
constexpr int32_t kKeyStride = 1024 + kEngineMaxLanes;

// The key terms of every mask (seed/SecondDigest.h), made once.
struct KeyTermTable {
    uint32_t terms[1024][kKeyTermRows];
    KeyTermTable() {
        for (uint32_t mask = 0; mask < 1024; ++mask) KeyScheduleTerms(mask, terms[mask]);
    }
};
const KeyTermTable& KeyTerms() {
    static const KeyTermTable table;
    return table;
}

// The engine's buffers, allocated at the first batch of a search.
struct BatchScratch {
    // The plan of the settings it was made for: made again only when a
    // dialog changed them during the search.
    SearchSettings planSettings;
    BatchPlan plan;
    bool planValid;
    std::vector<uint64_t> seeds;            // per lane, padded
    // Lanes with messages of their own, gathered.
    std::vector<int32_t> ownLanes;
    std::vector<uint32_t> w8, w9, w12;
    std::vector<uint64_t> ownSeeds;
    // The second whose digest part is at hand, and the key rows of the masks
    // in packed order (row t of packed entry p at t * kKeyStride + p).
    SecondDigest second;
    SeedMessagePrefix secondPrefix;
    uint32_t secondDate, secondTime;
    bool secondValid;
    std::vector<uint32_t> keyRows, laneTerms;
    std::vector<uint16_t> packedMasks;
    std::vector<int16_t> packedIndex;  // by mask; -1: not packed
    int32_t packedCount;
    // Draw windows: the jump to every row, from pidStart on.
    std::vector<LcgJumpRow> jumps, natureJumps;
    int64_t jumpsFrom, natureFrom;
    std::vector<uint8_t> screenScratch;
    std::vector<LaneSet> pass;
    std::vector<int32_t> survivors;         // lanes past the LCG screen, in walk order
    std::vector<uint64_t> inherited;        // breeding: inherited-stat sets per survivor
    std::vector<uint32_t> words, mtScratch; // MT words of one chunk
    std::vector<uint32_t> ivs;              // individual values of one chunk
    std::vector<LaneSet> ivPass;            // its lanes that pass, by position
};

void BatchScratchFree(void* scratch) { delete static_cast<BatchScratch*>(scratch); }

BatchScratch& BatchScratchOf(SearchRun& run) {
    if (!run.engineScratch) {
        auto* s = new BatchScratch;
        s->seeds.resize(kBatchLanes + C);
        s->ownLanes.resize(kBatchLanes);
        s->w8.resize(kBatchLanes + kEngineMaxLanes);
        s->w9.resize(kBatchLanes + kEngineMaxLanes);
        s->w12.resize(kBatchLanes + kEngineMaxLanes);
        s->ownSeeds.resize(kBatchLanes + kEngineMaxLanes);
        s->secondValid = false;
        s->planValid = false;
        s->keyRows.assign(static_cast<size_t>(kKeyTermRows) * kKeyStride, 0);
        s->laneTerms.assign(static_cast<size_t>(kKeyTermRows) * kKeyStride, 0);
        s->packedMasks.assign(1024, 0);
        s->packedIndex.assign(1024, -1);
        s->packedCount = 0;
        s->jumpsFrom = s->natureFrom = -1;
        s->screenScratch.resize(kLcgScreenScratchBytes + 64);
        s->pass.resize(kLcgScreenMaxRows);
        s->survivors.resize(kBatchLanes);
        s->inherited.resize(kBatchLanes);
        s->words.resize(static_cast<size_t>(kMtSize) * C);
        s->mtScratch.resize(static_cast<size_t>(kMtSize) * C);
        s->ivs.resize(static_cast<size_t>(kMtSize) * C);
        s->ivPass.resize(kMtSize);
        run.engineScratch = s;
        run.engineScratchFree = BatchScratchFree;
    }
    return *static_cast<BatchScratch*>(run.engineScratch);
}

// --- Seeds ----------------------------------------------------------------------

// Packs the key rows of masks in this order.
void PackKeyRows(BatchScratch& s, const uint32_t* masks, int32_t count) {
    const KeyTermTable& table = KeyTerms();
    std::fill(s.packedIndex.begin(), s.packedIndex.end(), int16_t{-1});
    for (int32_t p = 0; p < count; ++p) {
        const uint32_t mask = masks[p] & 1023u;
        s.packedMasks[static_cast<size_t>(p)] = static_cast<uint16_t>(mask);
        s.packedIndex[mask] = static_cast<int16_t>(p);
        for (int32_t t = 0; t < kKeyTermRows; ++t)
            s.keyRows[static_cast<size_t>(t) * kKeyStride + static_cast<size_t>(p)] = table.terms[mask][t];
        std::copy(table.terms[mask], table.terms[mask] + kKeyTermRows,
                  s.laneTerms.begin() + static_cast<std::ptrdiff_t>(p) * kKeyTermRows);
    }
    s.packedCount = count;
}

// The packed entry where the masks of lanes first .. first + n - 1 stand in
// order, or -1.
int32_t PackedRun(const BatchScratch& s, const CandidateMoment* moments, int32_t first, int32_t n) {
    const int32_t p0 = s.packedIndex[moments[first].keyMask & 1023u];
    if (p0 < 0 || p0 + n > s.packedCount) return -1;
    for (int32_t i = 0; i < n; ++i)
        if (s.packedMasks[static_cast<size_t>(p0 + i)] != (moments[first + i].keyMask & 1023u)) return -1;
    return p0;
}

// Packs the key rows of a run of one second's lanes whose masks do not stand
// in the packed order. The walk hands the masks the pattern allows in
// increasing order, so the pattern's masks, packed once, serve every second;
// a pattern changed during the search packs anew.
int32_t KeyRowsPacked(SearchRun& run, BatchScratch& s, const CandidateMoment* moments, int32_t first,
                      int32_t n) {
    uint32_t allowed[1024];
    int32_t count = 0;
    for (uint32_t mask = 0; mask < 1024; ++mask)
        if (KeyMaskAllowed(*run.settings, mask)) allowed[count++] = mask;
    PackKeyRows(s, allowed, count);
    const int32_t p0 = PackedRun(s, moments, first, n);
    if (p0 >= 0) return p0;
    for (int32_t i = 0; i < n; ++i) allowed[i] = moments[first + i].keyMask;
    PackKeyRows(s, allowed, n);
    return 0;
}

void ComputeSeeds(SearchRun& run, BatchScratch& s, const CandidateMoment* moments, int32_t count,
                  const EngineKernels& kernels) {
    const bool threeDs = run.settings->threeDsMode;
    int32_t own = 0;
    for (int32_t first = 0; first < count;) {
        // The lanes of this second, and in the same pass whether their masks
        // stand in the packed order from the first one's entry on.
        const int32_t packedFirst = s.packedIndex[moments[first].keyMask & 1023u];
        bool packed = packedFirst >= 0;
        int32_t end = first + 1;
        for (; end < count && CandidateMomentSameSecond(moments[end], moments[first]); ++end) {
            const int32_t p = packedFirst + (end - first);
            packed = packed && p < s.packedCount &&
                     s.packedMasks[static_cast<size_t>(p)] == (moments[end].keyMask & 1023u);
        }
        const int32_t n = end - first;
        const uint32_t date = SeedMessageDateWord(moments[first]);
        const uint32_t time = SeedMessageTimeWord(moments[first], threeDs);
        if (n < kSecondRunLanes) {
            for (int32_t i = first; i < end; ++i) {
                s.ownLanes[static_cast<size_t>(own)] = i;
                s.w8[static_cast<size_t>(own)] = date;
                s.w9[static_cast<size_t>(own)] = time;
                s.w12[static_cast<size_t>(own)] = SeedMessageKeyWord(moments[i].keyMask);
                ++own;
            }
        } else {
            if (!s.secondValid || s.secondDate != date || s.secondTime != time ||
                std::memcmp(s.secondPrefix.w, run.prefix.w, sizeof run.prefix.w) != 0) {
                s.second = SecondDigestOf(run.prefix, date, time);
                s.secondPrefix = run.prefix;
                s.secondDate = date;
                s.secondTime = time;
                s.secondValid = true;
            }
            const int32_t p0 = packed ? packedFirst : KeyRowsPacked(run, s, moments, first, n);
            Sha1SecondInput in{&s.second, s.keyRows.data() + p0, kKeyStride, n,
                               s.laneTerms.data() + static_cast<size_t>(p0) * kKeyTermRows};
            kernels.sha1SecondSeeds(in, s.seeds.data() + first);
        }
        first = end;
    }
    if (own == 0) return;
    // The kernels take whole vectors: the last lane repeated.
    int32_t padded = own;
    while (padded % kEngineMaxLanes != 0) {
        s.w8[static_cast<size_t>(padded)] = s.w8[static_cast<size_t>(own - 1)];
        s.w9[static_cast<size_t>(padded)] = s.w9[static_cast<size_t>(own - 1)];
        s.w12[static_cast<size_t>(padded)] = s.w12[static_cast<size_t>(own - 1)];
        ++padded;
    }
    Sha1BatchInput in{};
    std::copy(run.prefix.w, run.prefix.w + 8, in.prefix);
    in.w8 = s.w8.data();
    in.w9 = s.w9.data();
    in.w12 = s.w12.data();
    in.count = padded;
    kernels.sha1Seeds(in, s.ownSeeds.data());
    for (int32_t i = 0; i < own; ++i)
        s.seeds[static_cast<size_t>(s.ownLanes[static_cast<size_t>(i)])] = s.ownSeeds[static_cast<size_t>(i)];
}

// --- Draws of one candidate -------------------------------------------------------

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

// L and U at the top of a fill, where on-demand extension steps on from.
void SetFillTop(LcgStream& lcg, uint64_t seed, int32_t top) {
    uint64_t mul, add;
    LcgJump(static_cast<uint64_t>(top), mul, add);
    const uint64_t state = seed * mul + add;
    lcg.L[static_cast<size_t>(top)] = state;
    lcg.U[static_cast<size_t>(top)] = static_cast<uint32_t>(state >> 32);
    lcg.fillMark = top + 1;
}

// The streams of one candidate, as far as its mode reads them: MT words
// mtLo..mtHi from the chunk's kernel output; draws U from pidStart to the
// fill count (delivery: the two windows it reads). The modes read U only;
// L is set at the top of the fill.
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
    SetFillTop(run.lcg, seed, count);
}

// --- Screens ------------------------------------------------------------------------

LcgJumpRow JumpRowOf(uint64_t mul, uint64_t add) {
    return LcgJumpRow{static_cast<uint32_t>(mul), static_cast<uint32_t>(mul >> 32), add + (1ull << 63)};
}

// The jumps to rows from .. from + rows - 1, kept while they serve.
const LcgJumpRow* JumpRows(std::vector<LcgJumpRow>& rows, int64_t& madeFrom, int64_t from, int32_t count) {
    if (madeFrom != from || static_cast<int32_t>(rows.size()) < count) {
        rows.resize(static_cast<size_t>(std::max(count, 1)));
        uint64_t mul, add;
        LcgJump(static_cast<uint64_t>(from), mul, add);
        for (int32_t r = 0; r < count; ++r) {
            rows[static_cast<size_t>(r)] = JumpRowOf(mul, add);
            mul *= kLcgMultiplier;
            add = add * kLcgMultiplier + kLcgIncrement;
        }
        madeFrom = from;
    }
    return rows.data();
}

// The draws the positions first..last of an exactly screened mode read, from
// the jump rows of the screen that passed them: from first to last + the
// screen's reach, and delivery's nature draws beyond it.
void MaterialiseRange(SearchRun& run, const BatchPlan& plan, const BatchScratch& s, uint64_t seed,
                      int32_t first, int32_t last) {
    uint32_t* U = run.lcg.U.data();
    int32_t top = last + (plan.lcgRows - plan.lcg.positions);
    for (int32_t k = first; k <= top; ++k)
        U[k] = LcgJumpRowDraw(s.jumps[static_cast<size_t>(k - plan.pidStart)], seed);
    const LcgJumpRow* topRow = &s.jumps[static_cast<size_t>(top - plan.pidStart)];
    if (run.mode == kModeDelivery && plan.natureRow < 0) {
        const int32_t offset = SearchRunDeliveryOffset(run);
        for (int32_t v = first; v <= last; ++v)
            U[v + offset] = LcgJumpRowDraw(s.natureJumps[static_cast<size_t>(v - plan.pidStart)], seed);
        top = last + offset;
        topRow = &s.natureJumps[static_cast<size_t>(last - plan.pidStart)];
    }
    run.lcg.L[static_cast<size_t>(top)] = LcgJumpRowState(*topRow, seed);
    run.lcg.fillMark = top + 1;
}

bool LaneIn(const LaneSet& set, int32_t lane) { return (set.w[lane / 64] >> (lane % 64)) & 1u; }

// The first lane of the set from lane on, or kEngineChunk.
int32_t NextLane(const LaneSet& set, int32_t lane) {
    for (int32_t word = lane / 64; word < kEngineChunk / 64; ++word) {
        const uint64_t bits = lane / 64 == word ? set.w[word] & (~0ull << (lane % 64)) : set.w[word];
        if (bits) return word * 64 + __builtin_ctzll(bits);
    }
    return kEngineChunk;
}

// Masks m of three inherited stats (a record always ends with three) that,
// with the stats of mask P whose stream values lie within the bounds, cover
// all six: compatible[P] bit m.
struct InheritanceCover {
    uint64_t compatible[64];
    InheritanceCover() {
        for (uint32_t have = 0; have < 64; ++have) {
            compatible[have] = 0;
            for (uint32_t inherited = 0; inherited < 64; ++inherited)
                if ((have | inherited) == 63u && __builtin_popcount(inherited) == kBreedingInheritedStats)
                    compatible[have] |= 1ull << inherited;
        }
    }
};
const InheritanceCover kInheritanceCover;

// The draw screen of a chunk of seeds.
void ScreenChunk(SearchRun& run, const BatchPlan& plan, const EngineKernels& kernels, BatchScratch& s,
                 const uint64_t* seeds, LcgScreenOutput& out) {
    LcgScreenInput in{};
    in.params = &plan.lcg;
    in.rows = JumpRows(s.jumps, s.jumpsFrom, plan.pidStart, plan.lcgRows);
    if (plan.natureRow < 0)
        in.natureRows = JumpRows(s.natureJumps, s.natureFrom,
                                 int64_t{plan.pidStart} + SearchRunDeliveryOffset(run), plan.lcg.positions);
    in.seeds = seeds;
    // The screens cut their scratch into rows of 8-byte words.
    uintptr_t at = reinterpret_cast<uintptr_t>(s.screenScratch.data());
    in.scratch = reinterpret_cast<uint8_t*>((at + 63) & ~uintptr_t{63});
    out.pass = s.pass.data();
    kernels.lcgScreen(in, out);
}

// The modes with an exact screen: the candidates that pass it are evaluated
// over the positions that pass (with the positions their rows depend on),
// in walk order.
void EvaluateScreenedPositions(SearchRun& run, const BatchPlan& plan, BatchScratch& s,
                               const CandidateMoment* moments, int32_t count, int32_t padded,
                               const EngineKernels& kernels) {
    const SearchModeEntry& entry = SearchModeEntryOf(run.mode);
    for (int32_t base = 0; base < padded; base += C) {
        LcgScreenOutput out;
        ScreenChunk(run, plan, kernels, s, &s.seeds[static_cast<size_t>(base)], out);
        // Each lane's first and last passing position, from one walk over
        // the positions' bits (few are set).
        int32_t firstPass[C], lastPass[C];
        LaneSet seen{};
        for (int32_t k = 0; k < plan.lcg.positions; ++k) {
            for (int32_t word = 0; word < C / 64; ++word) {
                const uint64_t bits = out.pass[k].w[word];
                if (!bits) continue;
                for (uint64_t fresh = bits & ~seen.w[word]; fresh; fresh &= fresh - 1)
                    firstPass[word * 64 + __builtin_ctzll(fresh)] = k;
                seen.w[word] |= bits;
                for (uint64_t set = bits; set; set &= set - 1) lastPass[word * 64 + __builtin_ctzll(set)] = k;
            }
        }
        for (int32_t j = NextLane(out.any, 0); j < C && base + j < count; j = NextLane(out.any, j + 1)) {
            // The draws from the first passing position (less the positions
            // its row depends on) to the last, then each passing position.
            const uint64_t seed = s.seeds[static_cast<size_t>(base + j)];
            MaterialiseRange(run, plan, s, seed, plan.pidStart + firstPass[j] - plan.lead,
                             plan.pidStart + lastPass[j]);
            for (int32_t k = firstPass[j]; k <= lastPass[j]; ++k) {
                if (!LaneIn(out.pass[k], j)) continue;
                const int32_t last = plan.pidStart + k;
                entry.evaluateRange(run, moments[base + j], seed, last - plan.lead, last);
            }
        }
    }
}

// The seeds of survivors first .. first + C - 1 (the last one repeated past
// the end), as a chunk.
void GatherSeeds(const BatchScratch& s, int32_t first, int32_t survivors, uint64_t (&chunk)[C]) {
    const int32_t n = std::min(survivors - first, C);
    for (int32_t j = 0; j < C; ++j)
        chunk[j] = s.seeds[static_cast<size_t>(s.survivors[static_cast<size_t>(first + std::min(j, n - 1))])];
}

// Breeding. A position c of a lane can give a row only when the stats whose
// stream values lie outside the bounds are inherited (from a parent whose
// value lies within them, which the draw screen checks). The individual
// values come first, as they are cheap; the draw screen, which follows up to
// eight inheritance picks at every consumption, runs only for the lanes
// where some position leaves no more than three stats to inherit; the mode
// evaluates the lanes where a consumption inherits a set that completes one.
void EvaluateBreedingLanes(SearchRun& run, const BatchPlan& plan, BatchScratch& s,
                           const CandidateMoment* moments, int32_t count, int32_t padded,
                           const EngineKernels& kernels) {
    int32_t kept = 0;
    for (int32_t base = 0; base < padded; base += C) {
        const int32_t n = std::min(count - base, C);
        LaneSet any;
        kernels.mtWords(&s.seeds[static_cast<size_t>(base)], n, plan.mtLo, plan.mtHi, s.words.data(),
                        s.mtScratch.data());
        kernels.ivScreen(plan.iv, s.words.data(), s.ivs.data(), s.ivPass.data(), any);
        for (int32_t j = NextLane(any, 0); j < n; j = NextLane(any, j + 1)) {
            uint64_t needed = 0;
            for (int32_t c = 0; c < plan.iv.positions; ++c) {
                uint32_t have = 0;
                for (int i = 0; i < 6; ++i) {
                    const uint32_t v = s.ivs[static_cast<size_t>((c + plan.iv.offsets[i]) * C + j)];
                    have |= static_cast<uint32_t>(v >= plan.ivBounds.low[i] && v < plan.ivBounds.high[i]) << i;
                }
                needed |= kInheritanceCover.compatible[have];
            }
            if (!needed) continue;
            s.inherited[static_cast<size_t>(kept)] = needed;
            s.survivors[static_cast<size_t>(kept++)] = base + j;
        }
    }
    int32_t finals = 0;
    for (int32_t first = 0; first < kept; first += C) {
        uint64_t chunk[C];
        GatherSeeds(s, first, kept, chunk);
        LcgScreenOutput out;
        ScreenChunk(run, plan, kernels, s, chunk, out);
        const int32_t n = std::min(kept - first, C);
        for (int32_t j = NextLane(out.any, 0); j < n; j = NextLane(out.any, j + 1))
            if (out.inherited[j] & s.inherited[static_cast<size_t>(first + j)])
                s.survivors[static_cast<size_t>(finals++)] = s.survivors[static_cast<size_t>(first + j)];
    }
    for (int32_t first = 0; first < finals; first += C) {
        uint64_t chunk[C];
        GatherSeeds(s, first, finals, chunk);
        const int32_t n = std::min(finals - first, C);
        kernels.mtWords(chunk, n, plan.mtLo, plan.mtHi, s.words.data(), s.mtScratch.data());
        for (int32_t j = 0; j < n; ++j) {
            const int32_t lane = s.survivors[static_cast<size_t>(first + j)];
            Materialise(run, plan, chunk[j], s.words.data(), j);
            EvaluateCandidate(run, moments[lane], chunk[j]);
        }
    }
}

// Screens the individual-value block's chunks on their draws and keeps the
// passing lanes, in order.
int32_t ScreenLanes(SearchRun& run, const BatchPlan& plan, const EngineKernels& kernels,
                    BatchScratch& s, int32_t count, int32_t padded) {
    int32_t survivors = 0;
    if (!plan.lcgScreen) {
        for (int32_t i = 0; i < count; ++i) s.survivors[static_cast<size_t>(survivors++)] = i;
        return survivors;
    }
    for (int32_t base = 0; base < padded; base += C) {
        LcgScreenOutput out;
        ScreenChunk(run, plan, kernels, s, &s.seeds[static_cast<size_t>(base)], out);
        for (int32_t j = NextLane(out.any, 0); j < C && base + j < count; j = NextLane(out.any, j + 1)) {
            s.inherited[static_cast<size_t>(survivors)] = out.inherited[j];
            s.survivors[static_cast<size_t>(survivors++)] = base + j;
        }
    }
    return survivors;
}

}  // namespace

LcgJumpRow LcgJumpRowOf(uint64_t index) {
    uint64_t mul, add;
    LcgJump(index, mul, add);
    return JumpRowOf(mul, add);
}

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
    if (!s.planValid || std::memcmp(&s.planSettings, run.settings, sizeof s.planSettings) != 0) {
        std::memcpy(&s.planSettings, run.settings, sizeof s.planSettings);
        BatchPlanOf(run, s.plan);
        s.planValid = true;
    }
    const BatchPlan& plan = s.plan;
    if (plan.nothing) return;

    ComputeSeeds(run, s, moments, count, kernels);
    // The screens take whole chunks: the last seed repeated.
    const int32_t padded = (count + C - 1) / C * C;
    for (int32_t i = count; i < padded; ++i) s.seeds[static_cast<size_t>(i)] = s.seeds[static_cast<size_t>(count - 1)];

    if (plan.lcgScreen && SearchModeEntryOf(run.mode).evaluateRange) {
        EvaluateScreenedPositions(run, plan, s, moments, count, padded, kernels);
        return;
    }

    if (plan.breedingSets) {
        EvaluateBreedingLanes(run, plan, s, moments, count, padded, kernels);
        return;
    }
    const int32_t survivors = ScreenLanes(run, plan, kernels, s, count, padded);
    for (int32_t first = 0; first < survivors; first += C) {
        const int32_t n = std::min(survivors - first, C);
        LaneSet any;
        std::memset(&any, 0xFF, sizeof any);
        if (plan.mtNeeded) {
            // Without a draw screen the survivors are the lanes themselves.
            const uint64_t* chunkSeeds = &s.seeds[static_cast<size_t>(first)];
            uint64_t gathered[C];
            if (plan.lcgScreen) {
                GatherSeeds(s, first, survivors, gathered);
                chunkSeeds = gathered;
            }
            kernels.mtWords(chunkSeeds, n, plan.mtLo, plan.mtHi, s.words.data(), s.mtScratch.data());
            kernels.ivScreen(plan.iv, s.words.data(), s.ivs.data(), s.ivPass.data(), any);
        }
        for (int32_t j = NextLane(any, 0); j < n; j = NextLane(any, j + 1)) {
            const int32_t lane = s.survivors[static_cast<size_t>(first + j)];
            const CandidateMoment& moment = moments[lane];
            const uint64_t seed = s.seeds[static_cast<size_t>(lane)];
            if (plan.ivRows) {
                for (int32_t c = 0; c < plan.iv.positions; ++c) {
                    if (!LaneIn(s.ivPass[static_cast<size_t>(c)], j)) continue;
                    IvSet ivs;
                    for (int i = 0; i < 6; ++i)
                        ivs.v[i] = static_cast<int32_t>(s.ivs[static_cast<size_t>((c + plan.iv.offsets[i]) * C + j)]);
                    IvSearchWriteRow(run, moment, seed, plan.ivStart + c, ivs);
                }
                continue;
            }
            Materialise(run, plan, seed, s.words.data(), j);
            EvaluateCandidate(run, moment, seed);
        }
    }
}
