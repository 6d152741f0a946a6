// The AVX2 lane operations: eight 32-bit lanes per vector, the 64-bit LCG
// product built from three 32 x 32 products. Included, inside an unnamed
// namespace, by the backends compiled for AVX2 (avx2, avx2-sha).
// The includer has <immintrin.h> and <cstdint> outside that namespace.
#pragma once

using V = __m256i;
constexpr int kW = 8;

inline V Load(const uint32_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
inline void Store(uint32_t* p, V v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }
inline V Set1(uint32_t x) { return _mm256_set1_epi32(static_cast<int>(x)); }
inline V Add(V a, V b) { return _mm256_add_epi32(a, b); }
inline V Sub(V a, V b) { return _mm256_sub_epi32(a, b); }
inline V Xor(V a, V b) { return _mm256_xor_si256(a, b); }
inline V And(V a, V b) { return _mm256_and_si256(a, b); }
inline V Or(V a, V b) { return _mm256_or_si256(a, b); }
inline V Xor3(V a, V b, V c) { return Xor(Xor(a, b), c); }
inline V Choose(V b, V c, V d) { return Xor(d, And(b, Xor(c, d))); }
inline V Majority(V b, V c, V d) { return Or(And(b, c), And(d, Or(b, c))); }
template <int n> inline V Rotl(V x) { return Or(_mm256_slli_epi32(x, n), _mm256_srli_epi32(x, 32 - n)); }
template <int n> inline V Shr(V x) { return _mm256_srli_epi32(x, n); }
template <int n> inline V Shl(V x) { return _mm256_slli_epi32(x, n); }
inline V MulLo(V a, V b) { return _mm256_mullo_epi32(a, b); }

using V64 = __m256i;
constexpr int kW64 = 4;

inline V64 Load64(const uint64_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
inline V64 Set64(uint64_t x) { return _mm256_set1_epi64x(static_cast<long long>(x)); }
inline V64 Add64(V64 a, V64 b) { return _mm256_add_epi64(a, b); }
inline V64 Mul64(V64 a, V64 b) {
    V64 low = _mm256_mul_epu32(a, b);
    V64 cross = _mm256_add_epi64(_mm256_mul_epu32(_mm256_srli_epi64(a, 32), b),
                                 _mm256_mul_epu32(a, _mm256_srli_epi64(b, 32)));
    return _mm256_add_epi64(low, _mm256_slli_epi64(cross, 32));
}
inline void StoreHigh32(uint32_t* p, V64 x) {
    __m256i odd = _mm256_permutevar8x32_epi32(x, _mm256_setr_epi32(1, 3, 5, 7, 1, 3, 5, 7));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm256_castsi256_si128(odd));
}
