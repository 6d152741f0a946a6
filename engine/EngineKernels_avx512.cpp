// The AVX-512 kernels: sixteen 32-bit lanes per vector (F, DQ for the 64-bit
// products, VL and BW for the narrower forms the compiler picks). Only
// reached when SearchEngine.cpp found the instructions and their OS support.
#include <immintrin.h>

#include <cstdint>
#include <cstring>
#include <utility>

#include "engine/EngineKernels.h"

namespace {

using V = __m512i;
constexpr int kW = 16;

inline V Load(const uint32_t* p) { return _mm512_loadu_si512(p); }
inline void Store(uint32_t* p, V v) { _mm512_storeu_si512(p, v); }
inline V Set1(uint32_t x) { return _mm512_set1_epi32(static_cast<int>(x)); }
inline V Add(V a, V b) { return _mm512_add_epi32(a, b); }
inline V Sub(V a, V b) { return _mm512_sub_epi32(a, b); }
inline V Xor(V a, V b) { return _mm512_xor_si512(a, b); }
inline V And(V a, V b) { return _mm512_and_si512(a, b); }
inline V Or(V a, V b) { return _mm512_or_si512(a, b); }
inline V Xor3(V a, V b, V c) { return _mm512_ternarylogic_epi32(a, b, c, 0x96); }
inline V Choose(V b, V c, V d) { return _mm512_ternarylogic_epi32(b, c, d, 0xCA); }
inline V Majority(V b, V c, V d) { return _mm512_ternarylogic_epi32(b, c, d, 0xE8); }
template <int n> inline V Rotl(V x) { return _mm512_rol_epi32(x, n); }
template <int n> inline V Shr(V x) { return _mm512_srli_epi32(x, n); }
template <int n> inline V Shl(V x) { return _mm512_slli_epi32(x, n); }
inline V MulLo(V a, V b) { return _mm512_mullo_epi32(a, b); }

using V64 = __m512i;
constexpr int kW64 = 8;

inline V64 Load64(const uint64_t* p) { return _mm512_loadu_si512(p); }
inline V64 Set64(uint64_t x) { return _mm512_set1_epi64(static_cast<long long>(x)); }
inline V64 Add64(V64 a, V64 b) { return _mm512_add_epi64(a, b); }
inline V64 Mul64(V64 a, V64 b) { return _mm512_mullo_epi64(a, b); }
inline void StoreHigh32(uint32_t* p, V64 x) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), _mm512_cvtepi64_epi32(_mm512_srli_epi64(x, 32)));
}

#include "engine/EngineKernelBody.h"

}  // namespace

extern const EngineKernels kEngineKernels_avx512 = MORVANE_ENGINE_KERNELS(Sha1SeedsBody);
