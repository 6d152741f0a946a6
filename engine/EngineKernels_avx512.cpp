// The AVX-512 backend: sixteen 32-bit lanes per vector (F; DQ and BW for the
// mask moves, VL for the narrower forms the compiler picks). Only reached
// when SearchEngine.cpp found the instructions and their OS support.
#include <immintrin.h>

#include <cstdint>
#include <cstring>
#include <utility>

#include "engine/EngineKernels.h"

namespace {

using V = __m512i;
constexpr int kW = 16;
constexpr int kMtChains = 8;
constexpr int kSha1Vectors = 2;

inline V Load(const uint32_t* p) { return _mm512_loadu_si512(p); }
inline void Store(uint32_t* p, V v) { _mm512_storeu_si512(p, v); }
inline V Set1(uint32_t x) { return _mm512_set1_epi32(static_cast<int>(x)); }
inline V Add(V a, V b) { return _mm512_add_epi32(a, b); }
inline V Sub(V a, V b) { return _mm512_sub_epi32(a, b); }
inline V Xor(V a, V b) { return _mm512_xor_si512(a, b); }
inline V And(V a, V b) { return _mm512_and_si512(a, b); }
inline V Or(V a, V b) { return _mm512_or_si512(a, b); }
inline V AndNot(V a, V b) { return _mm512_andnot_si512(a, b); }
inline V Xor3(V a, V b, V c) { return _mm512_ternarylogic_epi32(a, b, c, 0x96); }
inline V Choose(V b, V c, V d) { return _mm512_ternarylogic_epi32(b, c, d, 0xCA); }
inline V Majority(V b, V c, V d) { return _mm512_ternarylogic_epi32(b, c, d, 0xE8); }
template <int n> inline V Rotl(V x) { return _mm512_rol_epi32(x, n); }
template <int n> inline V Shr(V x) { return _mm512_srli_epi32(x, n); }
template <int n> inline V Shl(V x) { return _mm512_slli_epi32(x, n); }
inline V MulLo(V a, V b) { return _mm512_mullo_epi32(a, b); }
inline uint32_t GtBits(V a, V b) { return _mm512_cmpgt_epi32_mask(a, b); }
inline uint32_t EqBits(V a, V b) { return _mm512_cmpeq_epi32_mask(a, b); }
inline uint32_t SignBits(V a) { return _mm512_cmplt_epi32_mask(a, _mm512_setzero_si512()); }
inline V Gt(V a, V b) { return _mm512_movm_epi32(_mm512_cmpgt_epi32_mask(a, b)); }
inline V Eq(V a, V b) { return _mm512_movm_epi32(_mm512_cmpeq_epi32_mask(a, b)); }

// Sixteen seeds as their lower halves (lane j) and upper halves, and the
// lower halves of the odd lanes moved to the even places, where the 32 x 32
// -> 64 product reads them.
struct SeedLanes {
    V high, low, lowOdd;
};

inline SeedLanes SeedLanesOf(const uint64_t* seeds) {
    const V a = _mm512_loadu_si512(seeds), b = _mm512_loadu_si512(seeds + 8);
    SeedLanes s;
    s.low = _mm512_permutex2var_epi32(
        a, _mm512_setr_epi32(0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30), b);
    s.high = _mm512_permutex2var_epi32(
        a, _mm512_setr_epi32(1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 29, 31), b);
    s.lowOdd = _mm512_srli_epi64(s.low, 32);
    return s;
}

// The upper half of mul * seed + add from 32 x 32 products (the 64-bit
// product instruction is several operations): the lower product with add in
// 64 bits gives its carry, the cross products only their lower halves.
inline V LcgDraw(const SeedLanes& s, const LcgJumpRow& row) {
    const V mulLo = _mm512_set1_epi32(static_cast<int>(row.mulLo));
    const V mulHi = _mm512_set1_epi32(static_cast<int>(row.mulHi));
    const V add = _mm512_set1_epi64(static_cast<long long>(row.add));
    const V even = _mm512_add_epi64(_mm512_mul_epu32(s.low, mulLo), add);
    const V odd = _mm512_add_epi64(_mm512_mul_epu32(s.lowOdd, mulLo), add);
    const V carried = _mm512_mask_blend_epi32(0xAAAA, _mm512_srli_epi64(even, 32), odd);
    return Add(carried, Add(MulLo(s.high, mulLo), MulLo(s.low, mulHi)));
}

#include "engine/EngineKernelBody.h"
#include "engine/EngineSha1Body.h"

}  // namespace

extern const EngineKernels kEngineKernels_avx512 =
    MORVANE_ENGINE_KERNELS(Sha1SeedsBody, Sha1SecondSeedsBody);
