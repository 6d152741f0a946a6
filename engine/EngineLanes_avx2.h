// The AVX2 lane operations: eight 32-bit lanes per vector. Included, inside
// an unnamed namespace, by the backends compiled for AVX2 (avx2, avx2-sha).
// The includer has <immintrin.h> and <cstdint> outside that namespace.
#pragma once

using V = __m256i;
constexpr int kW = 8;
// Eight seeding chains of eight lanes hide the multiplication's latency
// with the state of all of them in registers.
constexpr int kMtChains = 8;
// Two digests side by side fill the sixteen registers (the avx2 backend's;
// avx2-sha has its own).
constexpr int kSha1Vectors = 2;

inline V Load(const uint32_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
inline void Store(uint32_t* p, V v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }
inline V Set1(uint32_t x) { return _mm256_set1_epi32(static_cast<int>(x)); }
inline V Add(V a, V b) { return _mm256_add_epi32(a, b); }
inline V Sub(V a, V b) { return _mm256_sub_epi32(a, b); }
inline V Xor(V a, V b) { return _mm256_xor_si256(a, b); }
inline V And(V a, V b) { return _mm256_and_si256(a, b); }
inline V Or(V a, V b) { return _mm256_or_si256(a, b); }
inline V AndNot(V a, V b) { return _mm256_andnot_si256(a, b); }
inline V Xor3(V a, V b, V c) { return Xor(Xor(a, b), c); }
inline V Choose(V b, V c, V d) { return Xor(d, And(b, Xor(c, d))); }
inline V Majority(V b, V c, V d) { return Or(And(b, c), And(d, Or(b, c))); }
template <int n> inline V Rotl(V x) { return Or(_mm256_slli_epi32(x, n), _mm256_srli_epi32(x, 32 - n)); }
template <int n> inline V Shr(V x) { return _mm256_srli_epi32(x, n); }
template <int n> inline V Shl(V x) { return _mm256_slli_epi32(x, n); }
inline V MulLo(V a, V b) { return _mm256_mullo_epi32(a, b); }
inline V Gt(V a, V b) { return _mm256_cmpgt_epi32(a, b); }
inline V Eq(V a, V b) { return _mm256_cmpeq_epi32(a, b); }
inline uint32_t SignBits(V m) { return static_cast<uint32_t>(_mm256_movemask_ps(_mm256_castsi256_ps(m))); }
inline uint32_t GtBits(V a, V b) { return SignBits(Gt(a, b)); }
inline uint32_t EqBits(V a, V b) { return SignBits(Eq(a, b)); }

// Eight seeds as their lower halves (lane j) and upper halves, and the
// lower halves placed for the 32 x 32 -> 64 products, which read the even
// places: `first` holds the lower halves of lanes 0, 1 (4, 5 in the upper
// 128 bits) there, `second` those of lanes 2, 3 (6, 7).
struct SeedLanes {
    V high, low, first, second;
};

inline SeedLanes SeedLanesOf(const uint64_t* seeds) {
    const V split = _mm256_setr_epi32(0, 2, 4, 6, 1, 3, 5, 7);
    const V a = _mm256_permutevar8x32_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(seeds)), split);
    const V b = _mm256_permutevar8x32_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(seeds + 4)), split);
    SeedLanes s;
    s.low = _mm256_permute2x128_si256(a, b, 0x20);
    s.high = _mm256_permute2x128_si256(a, b, 0x31);
    s.first = _mm256_permutevar8x32_epi32(s.low, _mm256_setr_epi32(0, 0, 1, 1, 4, 4, 5, 5));
    s.second = _mm256_permutevar8x32_epi32(s.low, _mm256_setr_epi32(2, 2, 3, 3, 6, 6, 7, 7));
    return s;
}

// The upper half of mul * seed + add from 32 x 32 products: the lower
// product with add in 64 bits gives its carry, the cross products only
// their lower halves. One shuffle takes the upper halves of both products'
// lanes back in lane order.
inline V LcgDraw(const SeedLanes& s, const LcgJumpRow& row) {
    const V mulLo = _mm256_set1_epi32(static_cast<int>(row.mulLo));
    const V mulHi = _mm256_set1_epi32(static_cast<int>(row.mulHi));
    const V add = _mm256_set1_epi64x(static_cast<long long>(row.add));
    const V first = _mm256_add_epi64(_mm256_mul_epu32(s.first, mulLo), add);
    const V second = _mm256_add_epi64(_mm256_mul_epu32(s.second, mulLo), add);
    const V carried = _mm256_castps_si256(
        _mm256_shuffle_ps(_mm256_castsi256_ps(first), _mm256_castsi256_ps(second), 0xDD));
    return Add(carried, Add(MulLo(s.high, mulLo), MulLo(s.low, mulHi)));
}
