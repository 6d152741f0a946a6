// The kernel bodies shared by every backend. A backend file defines its lane
// operations inside an unnamed namespace and includes this file there, so
// each backend gets its own copy compiled with its own instruction set and
// no copy can stand in for another at link time.
//
// Lane operations the includer provides:
//   V, kW: a vector of kW 32-bit lanes (kW divides kEngineChunk and is at
//   most kEngineMaxLanes); Load, Store, Set1, Add, Sub, Xor, And, Or, AndNot
//   (~a & b), Shr<n>, Shl<n>, MulLo (low 32 bits of the product), Gt (signed a > b, all-ones
//   lanes), Eq, and as lane bits (bit j for lane j) GtBits, EqBits and
//   SignBits (the lanes' top bits).
//   SeedLanes, SeedLanesOf(seeds): kW seeds made ready for LcgDraw(lanes,
//   row), which gives U XOR 0x80000000 of the jump row's draw for each lane.
//   kMtChains: vectors whose MT seeding runs side by side.
// The digests are apart (engine/EngineSha1Body.h), included by the backends
// that run them.
//
// The mode screens (modes/*Screen.h) are included at the end; they are lane
// loops over these operations and the bit rows below.

constexpr int kLanesPerChunk = kEngineChunk;
constexpr int kGroups = kEngineChunk / kW;
constexpr uint32_t kLaneBits = kW >= 32 ? 0xFFFFFFFFu : (1u << kW) - 1u;
static_assert(kEngineChunk % kW == 0 && kW <= kEngineMaxLanes && kEngineMaxLanes % kW == 0,
              "chunks and padded arrays must hold whole vectors");

// --- MT19937 words ------------------------------------------------------------

constexpr int kMtWords = 624;

// The chunk's vectors seed in blocks of kMtChains, whose steps are
// independent: the multiplications of one block overlap.
// The loops over a block are unrolled, so that its vectors stay in registers.
template <int n>
inline void MtSeedStep(V (&x)[n], V mul, V index) {
#pragma GCC unroll 16
    for (int g = 0; g < n; ++g) x[g] = Add(MulLo(Xor(x[g], Shr<30>(x[g])), mul), index);
}

template <int n>
inline void MtSeedRange(V (&x)[n], int32_t from, int32_t to, uint32_t* row, int32_t stride) {
    // The step's index as a vector of its own, counted up in it.
    const V mul = Set1(1812433253u), one = Set1(1u);
    V index = Set1(static_cast<uint32_t>(from));
    if (!row) {
        for (int32_t i = from; i <= to; ++i, index = Add(index, one)) MtSeedStep(x, mul, index);
        return;
    }
    for (int32_t i = from; i <= to; ++i, index = Add(index, one)) {
        MtSeedStep(x, mul, index);
#pragma GCC unroll 16
        for (int g = 0; g < n; ++g) Store(row + g * kW, x[g]);
        row += stride;
    }
}

// Regenerated word from seeding words i, i + 1 and i + 397 (rows of a chunk)
// for the first groups of lanes.
inline void MtRegenerateRow(const uint32_t* wi, const uint32_t* wi1, const uint32_t* wi397,
                            uint32_t* out, int groups = kGroups) {
    const V upper = Set1(0x80000000u), lower = Set1(0x7FFFFFFFu), one = Set1(1u),
            magic = Set1(0x9908B0DFu), zero = Set1(0);
    for (int g = 0; g < groups; ++g) {
        V y = Or(And(Load(wi + g * kW), upper), And(Load(wi1 + g * kW), lower));
        V v = Xor(Load(wi397 + g * kW), Shr<1>(y));
        v = Xor(v, And(Sub(zero, And(y, one)), magic));
        Store(out + g * kW, v);
    }
}

// Seeding of the block of vectors from group g0 on, keeping the two windows
// lo .. hi + 1 and lo + 397 .. hi + 397 and stopping after the second.
template <int n>
inline void MtSeedWindows(const uint32_t* first, int g0, int32_t lo, int32_t hi, uint32_t* near,
                          uint32_t* far) {
    const int32_t C = kLanesPerChunk;
    V x[n];
#pragma GCC unroll 16
    for (int g = 0; g < n; ++g) x[g] = Load(first + (g0 + g) * kW);
    near += g0 * kW;
    far += g0 * kW;
    if (lo == 0) {
#pragma GCC unroll 16
        for (int g = 0; g < n; ++g) Store(near + g * kW, x[g]);
        MtSeedRange(x, 1, hi + 1, near + C, C);
    } else {
        MtSeedRange(x, 1, lo - 1, nullptr, C);
        MtSeedRange(x, lo, hi + 1, near, C);
    }
    MtSeedRange(x, hi + 2, lo + 396, nullptr, C);
    MtSeedRange(x, lo + 397, hi + 397, far, C);
}

// A block of n vectors (1 <= n <= kMtChains) from group g0 on.
template <int n>
inline void MtSeedBlock(int count, const uint32_t* first, int g0, int32_t lo, int32_t hi, uint32_t* near,
                        uint32_t* far) {
    if constexpr (n > 1) {
        if (count < n) return MtSeedBlock<n - 1>(count, first, g0, lo, hi, near, far);
    }
    MtSeedWindows<n>(first, g0, lo, hi, near, far);
}

void MtWordsBody(const uint64_t* seeds, int32_t lanes, int32_t lo, int32_t hi, uint32_t* words,
                 uint32_t* scratch) {
    alignas(64) uint32_t first[kLanesPerChunk];
    for (int j = 0; j < kLanesPerChunk; ++j) first[j] = static_cast<uint32_t>(seeds[j] >> 32);
    const int32_t C = kLanesPerChunk;
    if (hi + 397 < kMtWords) {
        // Words below 227 read seeding words only: i, i + 1 and i + 397.
        // Only the groups that hold the lanes asked for: a chunk with a few
        // survivors costs a few chains.
        const int groups = lanes <= 0 ? 1 : lanes >= C ? kGroups : (lanes + kW - 1) / kW;
        uint32_t* near = scratch;
        uint32_t* far = scratch + (hi - lo + 2) * C;
        for (int g0 = 0; g0 < groups; g0 += kMtChains)
            MtSeedBlock<kMtChains>(groups - g0, first, g0, lo, hi, near, far);
        for (int32_t k = lo; k <= hi; ++k) {
            const int32_t r = k - lo;
            MtRegenerateRow(near + r * C, near + (r + 1) * C, far + r * C, words + r * C, groups);
        }
        return;
    }
    // Later words read regenerated ones: seed the whole table and
    // regenerate in place in order, as the generator itself does.
    V x[kGroups];
    for (int g = 0; g < kGroups; ++g) x[g] = Load(first + g * kW);
    for (int g = 0; g < kGroups; ++g) Store(scratch + g * kW, x[g]);
    MtSeedRange(x, 1, kMtWords - 1, scratch + C, C);
    for (int32_t i = 0; i <= hi; ++i)
        MtRegenerateRow(scratch + i * C, scratch + ((i + 1) % kMtWords) * C,
                        scratch + ((i + 397) % kMtWords) * C, scratch + i * C);
    for (int32_t k = lo; k <= hi; ++k)
        for (int j = 0; j < C; ++j) words[(k - lo) * C + j] = scratch[k * C + j];
}

// --- Individual values of MT words ----------------------------------------------

// The top five bits of the tempered words y, from the first two tempering
// steps.
inline V TemperTop5(V y) {
    y = Xor(y, Shr<11>(y));
    y = Xor(y, And(Shl<7>(y), Set1(0x9D2C5680u)));
    return Xor(Shr<27>(y), And(Shr<12>(y), Set1(0x1Du)));
}

// --- Draw screens ---------------------------------------------------------------
//
// A screen runs lane group by lane group (kW lanes): the group's draws row
// by row straight from the seeds (LcgDraw), each row's tests kept as lane
// bits in bit rows; then the positions combine the bit rows of all 128 lanes
// at once. Draws are U XOR 0x80000000 ("biased"), so that signed comparisons
// with biased bounds order them as unsigned draws.

constexpr uint32_t kDrawBias = 0x80000000u;
constexpr int32_t kChunkBytes = kEngineChunk / 8;

inline V Unbiased(V u) { return Xor(u, Set1(kDrawBias)); }

// A range of draws as the screens test it on biased draws u, without a
// branch: lo <= U <= hi is (U - lo) <= (hi - lo) unsigned, that is
// (u - lo) <= (hi - lo) ^ bias signed. An empty range keeps no lane.
struct DrawTest {
    V lo, span;
    uint32_t keep;
};

inline DrawTest DrawTestOf(DrawRange r) {
    if (r.lo > r.hi) return DrawTest{Set1(0), Set1(0), 0};
    return DrawTest{Set1(r.lo), Set1((r.hi - r.lo) ^ kDrawBias), kLaneBits};
}
inline bool DrawRangeAll(DrawRange r) { return r.lo == 0 && r.hi == 0xFFFFFFFFu; }

// Lane bits of the draws within the test's range.
inline uint32_t TestBits(V u, const DrawTest& t) { return ~GtBits(Sub(u, t.lo), t.span) & t.keep; }
// All-ones lanes where the draws fall outside the range, for tests combined
// in vectors before their bits are taken. Only for a range that keeps
// something: a screen whose required range is empty passes nothing and
// returns before its rows (ScreenPassesNothing), so that no row tests it.
inline V TestMisses(V u, const DrawTest& t) { return Gt(Sub(u, t.lo), t.span); }
// The same for a range from 0, which needs no subtraction.
inline V TestMissesFromZero(V u, const DrawTest& t) { return Gt(u, t.span); }

// One bit per lane of the chunk for each row of a window.
struct BitRows {
    uint8_t* bytes;  // kChunkBytes a row

    // The bits of group g of row r. With four-lane vectors two groups share a
    // byte: the even one (first in the loops) writes it, the odd one adds.
    void Put(int32_t r, int g, uint32_t bits) const {
        uint8_t* row = bytes + static_cast<size_t>(r) * kChunkBytes;
        if constexpr (kW >= 8) {
            for (int i = 0; i < kW / 8; ++i) row[g * (kW / 8) + i] = static_cast<uint8_t>(bits >> (8 * i));
        } else if (g % 2 == 0) {
            row[g / 2] = static_cast<uint8_t>(bits);
        } else {
            row[g / 2] = static_cast<uint8_t>(row[g / 2] | (bits << 4));
        }
    }
    LaneSet Row(int32_t r) const {
        LaneSet s;
        std::memcpy(s.w, bytes + static_cast<size_t>(r) * kChunkBytes, sizeof s.w);
        return s;
    }
    void Fill(int32_t rows) const { std::memset(bytes, 0xFF, static_cast<size_t>(rows) * kChunkBytes); }
};

// The screen's result from the bit rows of its positions' passing lanes,
// word by word (a whole set written and then read back would wait for its
// stores).
inline void ScreenOutputOf(const BitRows& rows, int32_t positions, LcgScreenOutput& out) {
    for (int32_t k = 0; k < positions; ++k) {
        for (int i = 0; i < kEngineChunk / 64; ++i) {
            uint64_t w;
            std::memcpy(&w, rows.bytes + static_cast<size_t>(k) * kChunkBytes + 8 * i, sizeof w);
            out.pass[k].w[i] = w;
            out.any.w[i] |= w;
        }
    }
}

// The result of a screen that passes no position.
inline void ScreenPassesNothing(int32_t positions, LcgScreenOutput& out) {
    for (int32_t k = 0; k < positions; ++k) out.pass[k] = LaneSet{};
}

inline LaneSet LaneSetAnd(LaneSet a, const LaneSet& b) {
    for (int i = 0; i < kEngineChunk / 64; ++i) a.w[i] &= b.w[i];
    return a;
}
inline void LaneSetAddTo(LaneSet& into, const LaneSet& s) {
    for (int i = 0; i < kEngineChunk / 64; ++i) into.w[i] |= s.w[i];
}

// The scratch of a screen cut into bit rows and draw windows.
struct ScreenScratch {
    uint8_t* next;
    BitRows Rows(int32_t rows) {
        BitRows r{next};
        next += static_cast<size_t>(rows) * kChunkBytes;
        return r;
    }
    uint32_t* Draws(int32_t words) {
        uint32_t* d = reinterpret_cast<uint32_t*>(next);
        next += static_cast<size_t>(words) * sizeof(uint32_t);
        return d;
    }
};

// The groups of a chunk with their seeds made ready for LcgDraw.
template <typename PerGroup>
inline void ForEachGroup(const uint64_t* seeds, PerGroup&& perGroup) {
    for (int g = 0; g < kGroups; ++g) perGroup(g, SeedLanesOf(seeds + g * kW));
}

// The screens' windows of the last draws move down one: d[i] = d[i + 1],
// one assignment after another. (Written as a loop, clang makes it a call to
// move the memory, which costs the WebAssembly screens a tenth of their time.)
template <int n, size_t... i>
inline void ShiftDownEach(V (&d)[n], std::index_sequence<i...>) {
    ((d[i] = d[i + 1]), ...);
}
template <int n>
inline void ShiftDown(V (&d)[n]) {
    ShiftDownEach(d, std::make_index_sequence<n - 1>());
}

// (u * n) >> 32 for n below 2^16 in 32-bit arithmetic: the upper half of u
// counts whole multiples of 2^16, the lower half only its carry.
inline uint32_t ScaledSmall(uint32_t u, uint32_t n) {
    return ((u >> 16) * n + (((u & 0xFFFFu) * n) >> 16)) >> 16;
}
inline V ScaledSmall(V u, uint32_t n) {
    const V m = Set1(n);
    return Shr<16>(Add(MulLo(Shr<16>(u), m), Shr<16>(MulLo(And(u, Set1(0xFFFFu)), m))));
}

inline uint32_t ShinyTest(uint32_t pid, uint32_t ids) {
    return static_cast<uint32_t>((((pid >> 16) ^ pid ^ ids) & 0xFFFFu) <= 7u);
}
// Lane bits of pid passing the shiny test for ids (trainer ID XOR secret ID):
// the 16-bit value (pid >> 16) ^ pid ^ ids is at most 7 when its bits above
// the lowest three are those of ids.
inline uint32_t ShinyBits(V pid, uint32_t ids) {
    return EqBits(And(Xor(Shr<16>(pid), pid), Set1(0xFFF8u)), Set1(ids & 0xFFF8u));
}

#include "modes/IvScreen.h"
#include "modes/GrottoScreen.h"
#include "modes/CometScreen.h"
#include "modes/DomeScreen.h"
#include "modes/DeliveryScreen.h"
#include "modes/ShinyScreen.h"
#include "modes/BreedingScreen.h"

void LcgScreenBody(const LcgScreenInput& in, LcgScreenOutput& out) {
    out.any = LaneSet{};
    ScreenScratch scratch{in.scratch};
    switch (in.params->kind) {
    case kScreenGrotto:
        GrottoScreen(in, scratch, out);
        break;
    case kScreenComet:
        CometScreen(in, scratch, out);
        break;
    case kScreenDome:
        DomeScreen(in, scratch, out);
        break;
    case kScreenDelivery:
        DeliveryScreen(in, scratch, out);
        break;
    case kScreenShiny:
        ShinyScreen(in, scratch, out);
        break;
    case kScreenBreeding:
        BreedingScreen(in, scratch, out);
        break;
    default:
        break;
    }
    if (in.params->kind != kScreenBreeding) std::memset(out.inherited, 0, sizeof out.inherited);
}

// The backend's kernel family, with the digests it runs on.
#define MORVANE_ENGINE_KERNELS(sha1Seeds, sha1SecondSeeds) \
    { sha1Seeds, sha1SecondSeeds, MtWordsBody, IvScreenBody, LcgScreenBody }
