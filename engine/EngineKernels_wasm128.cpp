// The WebAssembly SIMD backend: four 32-bit lanes per 128-bit vector, the
// LCG draws from 32 x 32 -> 64 products (extmul). Built only for the
// page's SIMD module (-msimd128); a browser without WebAssembly SIMD loads
// the module built without it, which holds the portable family alone.
#include <wasm_simd128.h>

#include <cstdint>
#include <cstring>
#include <utility>

#include "engine/EngineKernels.h"

namespace {

using V = v128_t;
constexpr int kW = 4;

inline V Load(const uint32_t* p) { return wasm_v128_load(p); }
inline void Store(uint32_t* p, V v) { wasm_v128_store(p, v); }
inline V Set1(uint32_t x) { return wasm_u32x4_splat(x); }
inline V Add(V a, V b) { return wasm_i32x4_add(a, b); }
inline V Sub(V a, V b) { return wasm_i32x4_sub(a, b); }
inline V Xor(V a, V b) { return wasm_v128_xor(a, b); }
inline V And(V a, V b) { return wasm_v128_and(a, b); }
inline V Or(V a, V b) { return wasm_v128_or(a, b); }
inline V Xor3(V a, V b, V c) { return Xor(Xor(a, b), c); }
// bitselect(c, d, b) takes c where b has a one bit and d elsewhere.
inline V Choose(V b, V c, V d) { return wasm_v128_bitselect(c, d, b); }
inline V Majority(V b, V c, V d) { return Or(And(b, c), And(d, Or(b, c))); }
template <int n> inline V Rotl(V x) { return Or(wasm_i32x4_shl(x, n), wasm_u32x4_shr(x, 32 - n)); }
template <int n> inline V Shr(V x) { return wasm_u32x4_shr(x, n); }
template <int n> inline V Shl(V x) { return wasm_i32x4_shl(x, n); }
inline V MulLo(V a, V b) { return wasm_i32x4_mul(a, b); }
inline V AndNot(V a, V b) { return wasm_v128_andnot(b, a); }  // andnot(x, y) is x & ~y
inline V Gt(V a, V b) { return wasm_i32x4_gt(a, b); }
inline V Eq(V a, V b) { return wasm_i32x4_eq(a, b); }
inline uint32_t GtBits(V a, V b) { return wasm_i32x4_bitmask(Gt(a, b)); }
inline uint32_t EqBits(V a, V b) { return wasm_i32x4_bitmask(Eq(a, b)); }
inline uint32_t SignBits(V a) { return wasm_i32x4_bitmask(a); }

// Eight seeding chains of four lanes keep the multiplications' latency
// hidden, as the wider backends' chains do.
constexpr int kMtChains = 8;
constexpr int kSha1Vectors = 2;

// Four seeds as their lower halves (lane j) and upper halves.
struct SeedLanes {
    V low, high;
};

inline SeedLanes SeedLanesOf(const uint64_t* seeds) {
    const v128_t a = wasm_v128_load(seeds), b = wasm_v128_load(seeds + 2);
    return {wasm_i32x4_shuffle(a, b, 0, 2, 4, 6), wasm_i32x4_shuffle(a, b, 1, 3, 5, 7)};
}

// A value the compiler cannot look into (no instruction). The widening
// product below is one instruction only while both its operands are
// widened right there: the compiler widens a splat, or a seed held across
// a loop, once and ahead, and then multiplies in 64 bits, which the browser
// emulates with several (the draw screens ran at a quarter of the speed).
inline V Opaque(V x) {
    __asm__ volatile("" : "+r"(x));
    return x;
}

// The upper half of mul * seed + add from 32 x 32 products (a 64-bit lane
// product is several instructions wherever the module runs): the lower
// product with add in 64 bits gives its carry, the cross products only their
// lower halves.
inline V LcgDraw(const SeedLanes& s, const LcgJumpRow& row) {
    const V mulLo = wasm_u32x4_splat(row.mulLo), mulHi = wasm_u32x4_splat(row.mulHi);
    const v128_t add = wasm_u64x2_splat(row.add);
    const V low = Opaque(s.low), mulLoOpaque = Opaque(mulLo);
    const v128_t first = wasm_i64x2_add(wasm_u64x2_extmul_low_u32x4(low, mulLoOpaque), add);
    const v128_t second = wasm_i64x2_add(wasm_u64x2_extmul_high_u32x4(low, mulLoOpaque), add);
    const V carried = wasm_i32x4_shuffle(first, second, 1, 3, 5, 7);
    return Add(carried, Add(MulLo(s.high, mulLo), MulLo(s.low, mulHi)));
}

#include "engine/EngineKernelBody.h"

}  // namespace

extern const EngineKernels kEngineKernels_wasm128 = MORVANE_ENGINE_KERNELS(Sha1SeedsBody, Sha1SecondSeedsBody);
