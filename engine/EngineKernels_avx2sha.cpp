// The AVX2 backend with the seed digest on the SHA instructions. One message runs through four
// rounds per instruction, but each instruction waits for the one before, so
// four messages go through side by side. The first eight rounds read only
// W0..W7, which the whole search shares: they run once per call.
#include <immintrin.h>

#include <cstdint>
#include <cstring>
#include <utility>

#include "engine/EngineKernels.h"

namespace {

#include "engine/EngineLanes_avx2.h"
#include "engine/EngineKernelBody.h"

constexpr int kStreams = 8;

// Rounds 4g .. 4g + 3 of every stream, from group g of the message schedule.
template <int g>
inline void Sha1ShaniGroup(__m128i (&abcd)[kStreams], __m128i (&saved)[kStreams],
                           __m128i (&m)[kStreams][4]) {
    for (int s = 0; s < kStreams; ++s) {
        if (g >= 4) {
            __m128i t = _mm_sha1msg1_epu32(m[s][g & 3], m[s][(g + 1) & 3]);
            t = _mm_xor_si128(t, m[s][(g + 2) & 3]);
            m[s][g & 3] = _mm_sha1msg2_epu32(t, m[s][(g + 3) & 3]);
        }
        __m128i e = _mm_sha1nexte_epu32(saved[s], m[s][g & 3]);
        saved[s] = abcd[s];
        abcd[s] = _mm_sha1rnds4_epu32(abcd[s], e, g / 5);
    }
}

template <int... g>
inline void Sha1ShaniGroups(__m128i (&abcd)[kStreams], __m128i (&saved)[kStreams],
                            __m128i (&m)[kStreams][4], std::integer_sequence<int, g...>) {
    (Sha1ShaniGroup<g + 2>(abcd, saved, m), ...);
}

void Sha1SeedsShani(const Sha1BatchInput& in, uint64_t* seeds) {
    const __m128i m0 = _mm_set_epi32(static_cast<int>(in.prefix[0]), static_cast<int>(in.prefix[1]),
                                     static_cast<int>(in.prefix[2]), static_cast<int>(in.prefix[3]));
    const __m128i m1 = _mm_set_epi32(static_cast<int>(in.prefix[4]), static_cast<int>(in.prefix[5]),
                                     static_cast<int>(in.prefix[6]), static_cast<int>(in.prefix[7]));
    // Rounds 0..7, shared by every candidate of the search.
    const __m128i initial = _mm_set_epi32(0x67452301, static_cast<int>(0xEFCDAB89u),
                                          static_cast<int>(0x98BADCFEu), 0x10325476);
    __m128i e0 = _mm_add_epi32(_mm_set_epi32(static_cast<int>(0xC3D2E1F0u), 0, 0, 0), m0);
    __m128i afterFirst = _mm_sha1rnds4_epu32(initial, e0, 0);
    __m128i e1 = _mm_sha1nexte_epu32(initial, m1);
    const __m128i afterSecond = _mm_sha1rnds4_epu32(afterFirst, e1, 0);
    const __m128i savedSecond = afterFirst;

    for (int32_t base = 0; base < in.count; base += kStreams) {
        __m128i abcd[kStreams], saved[kStreams], m[kStreams][4];
        for (int s = 0; s < kStreams; ++s) {
            const int32_t i = base + s;
            abcd[s] = afterSecond;
            saved[s] = savedSecond;
            m[s][0] = m0;
            m[s][1] = m1;
            m[s][2] = _mm_set_epi32(static_cast<int>(in.w8[i]), static_cast<int>(in.w9[i]), 0, 0);
            m[s][3] = _mm_set_epi32(static_cast<int>(in.w12[i]), static_cast<int>(0x80000000u), 0,
                                    0x1A0);
        }
        Sha1ShaniGroups(abcd, saved, m, std::make_integer_sequence<int, 18>());
        for (int s = 0; s < kStreams; ++s) {
            const uint32_t a = static_cast<uint32_t>(_mm_extract_epi32(abcd[s], 3)) + 0x67452301u;
            const uint32_t b = static_cast<uint32_t>(_mm_extract_epi32(abcd[s], 2)) + 0xEFCDAB89u;
            seeds[base + s] = EngineSeedOfDigest(a, b);
        }
    }
}

}  // namespace

extern const EngineKernels kEngineKernels_avx2sha = MORVANE_ENGINE_KERNELS(Sha1SeedsShani);
