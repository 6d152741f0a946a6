// The AVX2 backend with the seed digest on the SHA instructions. One message
// runs through four rounds per instruction, but each instruction waits for the
// one before, so four messages go through side by side (eight spill their
// registers).
//
// The SHA instructions exist in the legacy SSE encoding only, and one of them
// after 256-bit code that left the upper halves of the registers dirty waits
// hundreds of cycles. So this file is compiled for SSE and the SHA
// instructions, the digest stays in the legacy encoding, and the AVX2 kernels
// are compiled as a region for AVX2: each of them is a call of its own that
// leaves the upper halves clean (vzeroupper) when it returns.
#include <immintrin.h>

#include <cstdint>
#include <cstring>
#include <utility>

#include "engine/EngineKernels.h"

namespace {

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2,bmi2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2,bmi2")
#endif
#include "engine/EngineLanes_avx2.h"
#include "engine/EngineKernelBody.h"
#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

constexpr int kStreams = 4;

// Rounds 4g .. 4g + 3 of every stream with the group's words at hand.
template <int g>
inline void Sha1ShaniWords(__m128i (&abcd)[kStreams], __m128i (&saved)[kStreams], const __m128i (&w)[kStreams]) {
    for (int s = 0; s < kStreams; ++s) {
        const __m128i e = _mm_sha1nexte_epu32(saved[s], w[s]);
        saved[s] = abcd[s];
        abcd[s] = _mm_sha1rnds4_epu32(abcd[s], e, g / 5);
    }
}

// Rounds 4g .. 4g + 3 of every stream, from group g of the message schedule.
template <int g>
inline void Sha1ShaniGroup(__m128i (&abcd)[kStreams], __m128i (&saved)[kStreams],
                           __m128i (&m)[kStreams][4]) {
    __m128i w[kStreams];
    for (int s = 0; s < kStreams; ++s) {
        if (g >= 4) {
            __m128i t = _mm_sha1msg1_epu32(m[s][g & 3], m[s][(g + 1) & 3]);
            t = _mm_xor_si128(t, m[s][(g + 2) & 3]);
            m[s][g & 3] = _mm_sha1msg2_epu32(t, m[s][(g + 3) & 3]);
        }
        w[s] = m[s][g & 3];
    }
    Sha1ShaniWords<g>(abcd, saved, w);
}

template <int first, int... g>
inline void Sha1ShaniGroups(__m128i (&abcd)[kStreams], __m128i (&saved)[kStreams],
                            __m128i (&m)[kStreams][4], std::integer_sequence<int, g...>) {
    (Sha1ShaniGroup<g + first>(abcd, saved, m), ...);
}

inline __m128i Words4(const uint32_t* w) {
    return _mm_set_epi32(static_cast<int>(w[0]), static_cast<int>(w[1]), static_cast<int>(w[2]),
                         static_cast<int>(w[3]));
}

// The state after the groups 0 .. n - 1 that every stream shares, and the
// state before the last of them (which the next group's e comes from).
struct ShaniStart {
    __m128i abcd, saved;
};

template <int n>
inline ShaniStart ShaniShared(const uint32_t* words) {
    const __m128i initial = _mm_set_epi32(0x67452301, static_cast<int>(0xEFCDAB89u),
                                          static_cast<int>(0x98BADCFEu), 0x10325476);
    __m128i abcd = _mm_sha1rnds4_epu32(
        initial, _mm_add_epi32(_mm_set_epi32(static_cast<int>(0xC3D2E1F0u), 0, 0, 0), Words4(words)), 0);
    __m128i saved = initial;
    for (int g = 1; g < n; ++g) {
        const __m128i e = _mm_sha1nexte_epu32(saved, Words4(words + 4 * g));
        saved = abcd;
        abcd = _mm_sha1rnds4_epu32(abcd, e, 0);
    }
    return ShaniStart{abcd, saved};
}

inline void ShaniSeeds(const __m128i (&abcd)[kStreams], uint64_t* seeds) {
    for (int s = 0; s < kStreams; ++s) {
        const uint32_t a = static_cast<uint32_t>(_mm_extract_epi32(abcd[s], 3)) + 0x67452301u;
        const uint32_t b = static_cast<uint32_t>(_mm_extract_epi32(abcd[s], 2)) + 0xEFCDAB89u;
        seeds[s] = EngineSeedOfDigest(a, b);
    }
}

// Lanes with messages of their own: the groups before the first word that
// varies (W8, or W5/W7 for lanes of several consoles) read words the whole
// call shares.
template <int shared>
void Sha1SeedsShaniFrom(const Sha1BatchInput& in, uint64_t* seeds) {
    const ShaniStart start = ShaniShared<shared>(in.prefix);
    const __m128i m0 = Words4(in.prefix);
    for (int32_t base = 0; base < in.count; base += kStreams) {
        __m128i abcd[kStreams], saved[kStreams], m[kStreams][4];
        for (int s = 0; s < kStreams; ++s) {
            const int32_t i = base + s;
            uint32_t w4[4] = {in.prefix[4], in.prefix[5], in.prefix[6], in.prefix[7]};
            if (in.w5) w4[1] = in.w5[i];
            if (in.w7) w4[3] = in.w7[i];
            abcd[s] = start.abcd;
            saved[s] = start.saved;
            m[s][0] = m0;
            m[s][1] = Words4(w4);
            m[s][2] = _mm_set_epi32(static_cast<int>(in.w8[i]), static_cast<int>(in.w9[i]), 0, 0);
            m[s][3] = _mm_set_epi32(static_cast<int>(in.w12[i]), static_cast<int>(0x80000000u), 0,
                                    0x1A0);
        }
        Sha1ShaniGroups<shared>(abcd, saved, m, std::make_integer_sequence<int, 20 - shared>());
        ShaniSeeds(abcd, seeds + base);
    }
}

void Sha1SeedsShani(const Sha1BatchInput& in, uint64_t* seeds) {
    if (in.w5 || in.w7)
        Sha1SeedsShaniFrom<1>(in, seeds);
    else
        Sha1SeedsShaniFrom<2>(in, seeds);
}

// Groups 4..19 of lanes of one second: each expanded word is the second's
// XOR the key's (the schedule is linear), four of a lane's taken together
// and turned into the order the instructions read them, so the SHA unit
// does the rounds alone.
template <int g>
inline void Sha1ShaniSecondGroup(__m128i (&abcd)[kStreams], __m128i (&saved)[kStreams],
                                 const __m128i* schedule, const uint32_t* const (&terms)[kStreams]) {
    __m128i w[kStreams];
    for (int s = 0; s < kStreams; ++s) {
        const __m128i key = _mm_loadu_si128(reinterpret_cast<const __m128i*>(terms[s] + 1 + 4 * (g - 4)));
        w[s] = _mm_xor_si128(_mm_shuffle_epi32(key, 0x1B), schedule[g - 4]);
    }
    Sha1ShaniWords<g>(abcd, saved, w);
}

template <int... g>
inline void Sha1ShaniSecondGroups(__m128i (&abcd)[kStreams], __m128i (&saved)[kStreams],
                                  const __m128i* schedule, const uint32_t* const (&terms)[kStreams],
                                  std::integer_sequence<int, g...>) {
    (Sha1ShaniSecondGroup<g + 4>(abcd, saved, schedule, terms), ...);
}

// Lanes of one second: the first three groups read W0..W11 only.
void Sha1SecondSeedsShani(const Sha1SecondInput& in, uint64_t* seeds) {
    const SecondDigest& second = *in.second;
    const ShaniStart start = ShaniShared<3>(second.words);
    __m128i schedule[16];
    for (int k = 0; k < 16; ++k) schedule[k] = Words4(second.schedule + 4 * k);
    for (int32_t base = 0; base < in.count; base += kStreams) {
        __m128i abcd[kStreams], saved[kStreams], w[kStreams];
        const uint32_t* terms[kStreams];
        for (int s = 0; s < kStreams; ++s) {
            abcd[s] = start.abcd;
            saved[s] = start.saved;
            terms[s] = in.laneTerms + static_cast<size_t>(base + s) * kKeyTermRows;
            w[s] = _mm_set_epi32(static_cast<int>(terms[s][0]), static_cast<int>(0x80000000u), 0, 0x1A0);
        }
        Sha1ShaniWords<3>(abcd, saved, w);
        Sha1ShaniSecondGroups(abcd, saved, schedule, terms, std::make_integer_sequence<int, 16>());
        ShaniSeeds(abcd, seeds + base);
    }
}
}  // namespace

extern const EngineKernels kEngineKernels_avx2sha =
    MORVANE_ENGINE_KERNELS(Sha1SeedsShani, Sha1SecondSeedsShani);
