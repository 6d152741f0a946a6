// The digests of the batch engines: SHA-1 of the seed messages over the lane
// operations V, kW, Load, Store, Set1, Add, Xor, And, Or, Xor3, Choose
// (b ? c : d bitwise), Majority, Rotl<n> and kSha1Vectors of the includer, a backend that runs
// them (after the kernel body, engine/EngineKernelBody.h). The WebAssembly
// backend includes it in a namespace of its own, over single vectors rather
// than its lane groups.

// --- SHA-1 of the seed message ------------------------------------------------

template <int t>
inline V Sha1Function(V b, V c, V d) {
    if (t < 20) return Choose(b, c, d);
    if (t < 40 || t >= 60) return Xor3(b, c, d);
    return Majority(b, c, d);
}

constexpr uint32_t Sha1Constant(int t) {
    return t < 20 ? 0x5A827999u : t < 40 ? 0x6ED9EBA1u : t < 60 ? 0x8F1BBCDCu : 0xCA62C1D6u;
}

// Round t with its word and constant already added (wk = W[t] + K).
template <int t>
inline void Sha1RoundPlus(V wk, V& a, V& b, V& c, V& d, V& e) {
    // a feeds the next round through the rotation and one addition only; the
    // rest of the sum is ready before a is.
    V temp = Add(Rotl<5>(a), Add(Sha1Function<t>(b, c, d), Add(e, wk)));
    e = d;
    d = c;
    c = Rotl<30>(b);
    b = a;
    a = temp;
}

template <int t>
inline void Sha1RoundWith(V w, V& a, V& b, V& c, V& d, V& e) {
    Sha1RoundPlus<t>(Add(w, Set1(Sha1Constant(t))), a, b, c, d, e);
}

template <int t>
inline void Sha1Round(V (&w)[16], V& a, V& b, V& c, V& d, V& e) {
    if (t >= 16)
        w[t & 15] = Rotl<1>(Xor3(w[(t - 3) & 15], w[(t - 8) & 15], Xor(w[(t - 14) & 15], w[t & 15])));
    Sha1RoundWith<t>(w[t & 15], a, b, c, d, e);
}

// Rounds first..79.
template <int first, int... t>
inline void Sha1Rounds(V (&w)[16], V& a, V& b, V& c, V& d, V& e,
                       std::integer_sequence<int, t...>) {
    (Sha1Round<t + first>(w, a, b, c, d, e), ...);
}

inline void StoreSeeds(V a, V b, uint64_t* seeds) {
    alignas(64) uint32_t h0[kW], h1[kW];
    Store(h0, Add(a, Set1(0x67452301u)));
    Store(h1, Add(b, Set1(0xEFCDAB89u)));
    for (int j = 0; j < kW; ++j) seeds[j] = EngineSeedOfDigest(h0[j], h1[j]);
}

// Lanes with messages of their own: the rounds before the first word that
// varies (W8, or W5 or W7 for lanes of several consoles) read words the
// whole call shares. Which words the lanes bring is part of the loop's type.
template <int shared, bool ownW5, bool ownW7>
inline void Sha1SeedsFrom(const Sha1BatchInput& in, uint64_t* seeds) {
    Sha1State first = Sha1InitialState();
    for (int t = 0; t < shared; ++t) Sha1Round(first, t, in.prefix[t]);
    for (int32_t base = 0; base < in.count; base += kW) {
        V w[16];
        for (int i = 0; i < 8; ++i) w[i] = Set1(in.prefix[i]);
        if (ownW5) w[5] = Load(in.w5 + base);
        if (ownW7) w[7] = Load(in.w7 + base);
        w[8] = Load(in.w8 + base);
        w[9] = Load(in.w9 + base);
        w[10] = Set1(0);
        w[11] = Set1(0);
        w[12] = Load(in.w12 + base);
        w[13] = Set1(0x80000000u);
        w[14] = Set1(0);
        w[15] = Set1(0x000001A0u);
        V a = Set1(first.a), b = Set1(first.b), c = Set1(first.c), d = Set1(first.d),
          e = Set1(first.e);
        Sha1Rounds<shared>(w, a, b, c, d, e, std::make_integer_sequence<int, 80 - shared>());
        StoreSeeds(a, b, seeds + base);
    }
}

[[maybe_unused]] void Sha1SeedsBody(const Sha1BatchInput& in, uint64_t* seeds) {
    if (in.w5 && in.w7)
        Sha1SeedsFrom<5, true, true>(in, seeds);
    else if (in.w5)
        Sha1SeedsFrom<5, true, false>(in, seeds);
    else if (in.w7)
        Sha1SeedsFrom<7, false, true>(in, seeds);
    else
        Sha1SeedsFrom<8, false, false>(in, seeds);
}

// Whether the expanded word W[t] is free of the key word W12: then it is
// the second's own, and so the same for every lane.
constexpr bool Sha1WordKeyFree(int t) {
    return t != 12 && (t < 16 || (Sha1WordKeyFree(t - 3) && Sha1WordKeyFree(t - 8) &&
                                  Sha1WordKeyFree(t - 14) && Sha1WordKeyFree(t - 16)));
}

// Round t >= 12 of the vectors of one second side by side: the second's
// word XOR the key's, or the second's alone with the round's constant
// added once. Each round of one vector waits for the round before (a
// rotation and additions), so several vectors keep the core busy.
template <int t, int n>
inline void Sha1SecondRound(const SecondDigest& second, const uint32_t* key, int32_t stride,
                            V (&a)[n], V (&b)[n], V (&c)[n], V (&d)[n], V (&e)[n]) {
    constexpr bool keyFree = Sha1WordKeyFree(t);
    uint32_t own;
    if constexpr (t < 16)
        own = second.words[t];
    else
        own = second.schedule[t - 16];
    for (int i = 0; i < n; ++i) {
        if (keyFree) {
            Sha1RoundPlus<t>(Set1(own + Sha1Constant(t)), a[i], b[i], c[i], d[i], e[i]);
            continue;
        }
        const V w = t == 12 ? Load(key + i * kW) : Xor(Set1(own), Load(key + (t - 15) * stride + i * kW));
        Sha1RoundWith<t>(w, a[i], b[i], c[i], d[i], e[i]);
    }
}

template <int n, int... t>
inline void Sha1SecondRounds(const SecondDigest& second, const uint32_t* key, int32_t stride,
                             V (&a)[n], V (&b)[n], V (&c)[n], V (&d)[n], V (&e)[n],
                             std::integer_sequence<int, t...>) {
    (Sha1SecondRound<t + 12>(second, key, stride, a, b, c, d, e), ...);
}

// n vectors of lanes of one second from lane base on: rounds 12..79 from the
// second's state, no message schedule per lane. Flattened where the build
// optimises: the compiler would otherwise call some rounds with the state in
// memory. Not in unoptimised or sanitized builds, which it only makes
// compile longer.
#ifndef MORVANE_FLATTEN
#if defined(__SANITIZE_ADDRESS__)
#define MORVANE_KERNELS_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MORVANE_KERNELS_SANITIZED 1
#endif
#endif
#if defined(__OPTIMIZE__) && !defined(MORVANE_KERNELS_SANITIZED)
#define MORVANE_FLATTEN __attribute__((flatten))
#else
#define MORVANE_FLATTEN
#endif
#endif
template <int n>
MORVANE_FLATTEN inline void Sha1SecondVectors(const Sha1SecondInput& in, int32_t base, uint64_t* seeds) {
    const SecondDigest& second = *in.second;
    V a[n], b[n], c[n], d[n], e[n];
    for (int i = 0; i < n; ++i) {
        a[i] = Set1(second.state[0]);
        b[i] = Set1(second.state[1]);
        c[i] = Set1(second.state[2]);
        d[i] = Set1(second.state[3]);
        e[i] = Set1(second.state[4]);
    }
    Sha1SecondRounds<n>(second, in.keyRows + base, in.keyStride, a, b, c, d, e,
                        std::make_integer_sequence<int, 68>());
    for (int i = 0; i < n; ++i) StoreSeeds(a[i], b[i], seeds + base + i * kW);
}

[[maybe_unused]] void Sha1SecondSeedsBody(const Sha1SecondInput& in, uint64_t* seeds) {
    int32_t base = 0;
    // Whole vectors, as many as the lanes fill: the seeds past the last lane
    // are those of its vector, as with one vector at a time.
    const int32_t vectors = (in.count + kW - 1) / kW;
    for (; base + kSha1Vectors * kW <= vectors * kW; base += kSha1Vectors * kW)
        Sha1SecondVectors<kSha1Vectors>(in, base, seeds);
    for (; base < in.count; base += kW) Sha1SecondVectors<1>(in, base, seeds);
}

