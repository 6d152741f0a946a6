// The WebAssembly SIMD backend: four 32-bit lanes per 128-bit vector, the
// 64-bit LCG product on two 64-bit lanes (i64x2.mul). Built only for the
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

using V64 = v128_t;
constexpr int kW64 = 2;

inline V64 Load64(const uint64_t* p) { return wasm_v128_load(p); }
inline V64 Set64(uint64_t x) { return wasm_u64x2_splat(x); }
inline V64 Add64(V64 a, V64 b) { return wasm_i64x2_add(a, b); }
inline V64 Mul64(V64 a, V64 b) { return wasm_i64x2_mul(a, b); }
// The upper halves are 32-bit lanes 1 and 3; moved to lanes 0 and 1, they
// leave as one 64-bit store.
inline void StoreHigh32(uint32_t* p, V64 x) {
    wasm_v128_store64_lane(p, wasm_i32x4_shuffle(x, x, 1, 3, 1, 3), 0);
}

#include "engine/EngineKernelBody.h"

}  // namespace

extern const EngineKernels kEngineKernels_wasm128 = MORVANE_ENGINE_KERNELS(Sha1SeedsBody);
