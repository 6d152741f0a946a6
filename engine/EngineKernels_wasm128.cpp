// The WebAssembly SIMD backend: 128-bit vectors of four 32-bit lanes, in pairs
// (the digests on single vectors), the LCG draws from 32 x 32 -> 64 products
// (extmul). Built only for the
// page's SIMD module (-msimd128); a browser without WebAssembly SIMD loads
// the module built without it, which holds the portable family alone.
#include <wasm_simd128.h>

#include <cstdint>
#include <cstring>
#include <utility>

#include "engine/EngineKernels.h"

namespace {

// A lane group is two 128-bit vectors, eight lanes: every operation runs on
// both halves, which gives the browser's code two independent streams, and
// each row of a screen, its loop and its lane bits (a whole byte) serve
// eight lanes.
struct V {
    v128_t lo, hi;
};
constexpr int kW = 8;

inline V Load(const uint32_t* p) { return {wasm_v128_load(p), wasm_v128_load(p + 4)}; }
inline void Store(uint32_t* p, V v) {
    wasm_v128_store(p, v.lo);
    wasm_v128_store(p + 4, v.hi);
}
inline V Set1(uint32_t x) {
    const v128_t s = wasm_u32x4_splat(x);
    return {s, s};
}
inline V Add(V a, V b) { return {wasm_i32x4_add(a.lo, b.lo), wasm_i32x4_add(a.hi, b.hi)}; }
inline V Sub(V a, V b) { return {wasm_i32x4_sub(a.lo, b.lo), wasm_i32x4_sub(a.hi, b.hi)}; }
inline V Xor(V a, V b) { return {wasm_v128_xor(a.lo, b.lo), wasm_v128_xor(a.hi, b.hi)}; }
inline V And(V a, V b) { return {wasm_v128_and(a.lo, b.lo), wasm_v128_and(a.hi, b.hi)}; }
inline V Or(V a, V b) { return {wasm_v128_or(a.lo, b.lo), wasm_v128_or(a.hi, b.hi)}; }
template <int n> inline V Shr(V x) { return {wasm_u32x4_shr(x.lo, n), wasm_u32x4_shr(x.hi, n)}; }
template <int n> inline V Shl(V x) { return {wasm_i32x4_shl(x.lo, n), wasm_i32x4_shl(x.hi, n)}; }
inline V MulLo(V a, V b) { return {wasm_i32x4_mul(a.lo, b.lo), wasm_i32x4_mul(a.hi, b.hi)}; }
// andnot(x, y) is x & ~y
inline V AndNot(V a, V b) { return {wasm_v128_andnot(b.lo, a.lo), wasm_v128_andnot(b.hi, a.hi)}; }
inline V Gt(V a, V b) { return {wasm_i32x4_gt(a.lo, b.lo), wasm_i32x4_gt(a.hi, b.hi)}; }
inline V Eq(V a, V b) { return {wasm_i32x4_eq(a.lo, b.lo), wasm_i32x4_eq(a.hi, b.hi)}; }
inline uint32_t SignBits(V a) { return wasm_i32x4_bitmask(a.lo) | (wasm_i32x4_bitmask(a.hi) << 4); }
inline uint32_t GtBits(V a, V b) { return SignBits(Gt(a, b)); }
inline uint32_t EqBits(V a, V b) { return SignBits(Eq(a, b)); }

// Four seeding chains of eight lanes (eight of 128 bits) keep the
// multiplications' latency hidden, as the wider backends' chains do. The
// digests run on single vectors (below).
constexpr int kMtChains = 4;

// Four seeds as their lower halves (lane j) and upper halves.
struct SeedHalves {
    v128_t low, high;
};
struct SeedLanes {
    SeedHalves lo, hi;
};

inline SeedHalves SeedHalvesOf(const uint64_t* seeds) {
    const v128_t a = wasm_v128_load(seeds), b = wasm_v128_load(seeds + 2);
    return {wasm_i32x4_shuffle(a, b, 0, 2, 4, 6), wasm_i32x4_shuffle(a, b, 1, 3, 5, 7)};
}
inline SeedLanes SeedLanesOf(const uint64_t* seeds) { return {SeedHalvesOf(seeds), SeedHalvesOf(seeds + 4)}; }

// A value the compiler cannot look into (no instruction). The widening
// product below is one instruction only while both its operands are
// widened right there: the compiler widens a splat, or a seed held across
// a loop, once and ahead, and then multiplies in 64 bits, which the browser
// emulates with several (the draw screens ran at a quarter of the speed).
inline v128_t Opaque(v128_t x) {
    __asm__ volatile("" : "+r"(x));
    return x;
}

// The upper half of mul * seed + add from 32 x 32 products (a 64-bit lane
// product is several instructions wherever the module runs): the lower
// product with add in 64 bits gives its carry, the cross products only their
// lower halves.
inline v128_t LcgDrawHalf(const SeedHalves& s, v128_t mulLo, v128_t mulHi, v128_t add) {
    const v128_t low = Opaque(s.low), mulLoOpaque = Opaque(mulLo);
    const v128_t first = wasm_i64x2_add(wasm_u64x2_extmul_low_u32x4(low, mulLoOpaque), add);
    const v128_t second = wasm_i64x2_add(wasm_u64x2_extmul_high_u32x4(low, mulLoOpaque), add);
    const v128_t carried = wasm_i32x4_shuffle(first, second, 1, 3, 5, 7);
    return wasm_i32x4_add(carried, wasm_i32x4_add(wasm_i32x4_mul(s.high, mulLo), wasm_i32x4_mul(s.low, mulHi)));
}
inline V LcgDraw(const SeedLanes& s, const LcgJumpRow& row) {
    const v128_t mulLo = wasm_u32x4_splat(row.mulLo), mulHi = wasm_u32x4_splat(row.mulHi);
    const v128_t add = wasm_u64x2_splat(row.add);
    return {LcgDrawHalf(s.lo, mulLo, mulHi, add), LcgDrawHalf(s.hi, mulLo, mulHi, add)};
}

#include "engine/EngineKernelBody.h"

// The digests on single 128-bit vectors of four lanes, one digest at a time:
// the five words of a digest of pairs are ten vectors, which with the
// round's temporaries the browser's code keeps in memory. Node, --kernels,
// one second's digest: 60-62 ns/lane as pairs, 28-32 as single vectors
// (two side by side: 29-36).
namespace quad {
using V = v128_t;
constexpr int kW = 4;
constexpr int kSha1Vectors = 1;
inline V Load(const uint32_t* p) { return wasm_v128_load(p); }
inline void Store(uint32_t* p, V v) { wasm_v128_store(p, v); }
inline V Set1(uint32_t x) { return wasm_u32x4_splat(x); }
inline V Add(V a, V b) { return wasm_i32x4_add(a, b); }
inline V Xor(V a, V b) { return wasm_v128_xor(a, b); }
inline V And(V a, V b) { return wasm_v128_and(a, b); }
inline V Or(V a, V b) { return wasm_v128_or(a, b); }
inline V Xor3(V a, V b, V c) { return Xor(Xor(a, b), c); }
// bitselect(c, d, b) takes c where b has a one bit and d elsewhere.
inline V Choose(V b, V c, V d) { return wasm_v128_bitselect(c, d, b); }
inline V Majority(V b, V c, V d) { return Or(And(b, c), And(d, Or(b, c))); }
template <int n> inline V Rotl(V x) { return Or(wasm_i32x4_shl(x, n), wasm_u32x4_shr(x, 32 - n)); }

#include "engine/EngineSha1Body.h"
}  // namespace quad

}  // namespace

extern const EngineKernels kEngineKernels_wasm128 = MORVANE_ENGINE_KERNELS(quad::Sha1SeedsBody, quad::Sha1SecondSeedsBody);
