// The kernel bodies shared by every backend. A backend file defines its lane
// operations inside an unnamed namespace and includes this file there, so
// each backend gets its own copy compiled with its own instruction set and
// no copy can stand in for another at link time.
//
// Lane operations the includer provides:
//   V, kW: a vector of kW 32-bit lanes; Load, Store, Set1, Add, Sub, Xor,
//   And, Or, Xor3, Choose (b ? c : d bitwise), Majority, Rotl<n>, Shr<n>,
//   Shl<n>, MulLo (low 32 bits of the product).
//   V64, kW64: kW64 64-bit lanes; Load64, Set64, Add64, Mul64 (low 64 bits),
//   StoreHigh32 (the kW64 upper halves to consecutive 32-bit words).
//
// The screens at the end are plain loops over the chunk's lanes, left to the
// compiler to vectorise with the backend's instruction set.

constexpr int kLanesPerChunk = kEngineChunk;
constexpr int kGroups = kEngineChunk / kW;
constexpr int kGroups64 = kEngineChunk / kW64;
static_assert(kEngineChunk % kW == 0 && kEngineChunk % kW64 == 0, "chunk must hold whole vectors");

// --- SHA-1 of the seed message ------------------------------------------------

template <int t>
inline void Sha1Round(V (&w)[16], V& a, V& b, V& c, V& d, V& e) {
    if (t >= 16)
        w[t & 15] = Rotl<1>(Xor3(w[(t - 3) & 15], w[(t - 8) & 15], Xor(w[(t - 14) & 15], w[t & 15])));
    V f, k;
    if (t < 20) {
        f = Choose(b, c, d);
        k = Set1(0x5A827999u);
    } else if (t < 40) {
        f = Xor3(b, c, d);
        k = Set1(0x6ED9EBA1u);
    } else if (t < 60) {
        f = Majority(b, c, d);
        k = Set1(0x8F1BBCDCu);
    } else {
        f = Xor3(b, c, d);
        k = Set1(0xCA62C1D6u);
    }
    V temp = Add(Add(Rotl<5>(a), f), Add(Add(e, k), w[t & 15]));
    e = d;
    d = c;
    c = Rotl<30>(b);
    b = a;
    a = temp;
}

template <int... t>
inline void Sha1Rounds(V (&w)[16], V& a, V& b, V& c, V& d, V& e,
                       std::integer_sequence<int, t...>) {
    (Sha1Round<t>(w, a, b, c, d, e), ...);
}

void Sha1SeedsBody(const Sha1BatchInput& in, uint64_t* seeds) {
    for (int32_t base = 0; base < in.count; base += kW) {
        V w[16];
        for (int i = 0; i < 8; ++i) w[i] = Set1(in.prefix[i]);
        w[8] = Load(in.w8 + base);
        w[9] = Load(in.w9 + base);
        w[10] = Set1(0);
        w[11] = Set1(0);
        w[12] = Load(in.w12 + base);
        w[13] = Set1(0x80000000u);
        w[14] = Set1(0);
        w[15] = Set1(0x000001A0u);
        V a = Set1(0x67452301u), b = Set1(0xEFCDAB89u), c = Set1(0x98BADCFEu),
          d = Set1(0x10325476u), e = Set1(0xC3D2E1F0u);
        Sha1Rounds(w, a, b, c, d, e, std::make_integer_sequence<int, 80>());
        alignas(64) uint32_t h0[kW], h1[kW];
        Store(h0, Add(a, Set1(0x67452301u)));
        Store(h1, Add(b, Set1(0xEFCDAB89u)));
        for (int j = 0; j < kW; ++j) seeds[base + j] = EngineSeedOfDigest(h0[j], h1[j]);
    }
}

// --- MT19937 words ------------------------------------------------------------

constexpr int kMtWords = 624;

// One seeding step of every group: x = 1812433253 * (x ^ (x >> 30)) + i.
inline void MtSeedStep(V (&x)[kGroups], uint32_t i) {
    const V mul = Set1(1812433253u);
    const V index = Set1(i);
    for (int g = 0; g < kGroups; ++g) x[g] = Add(MulLo(Xor(x[g], Shr<30>(x[g])), mul), index);
}

inline void MtStoreRow(uint32_t* row, const V (&x)[kGroups]) {
    for (int g = 0; g < kGroups; ++g) Store(row + g * kW, x[g]);
}

// Seeding indices from .. to; rows stored from row on, when row is set.
inline void MtSeedRange(V (&x)[kGroups], int32_t from, int32_t to, uint32_t* row) {
    for (int32_t i = from; i <= to; ++i) {
        MtSeedStep(x, static_cast<uint32_t>(i));
        if (row) {
            MtStoreRow(row, x);
            row += kLanesPerChunk;
        }
    }
}

// Regenerated word from seeding words i, i + 1 and i + 397 (rows of a chunk).
inline void MtRegenerateRow(const uint32_t* wi, const uint32_t* wi1, const uint32_t* wi397,
                            uint32_t* out) {
    const V upper = Set1(0x80000000u), lower = Set1(0x7FFFFFFFu), one = Set1(1u),
            magic = Set1(0x9908B0DFu), zero = Set1(0);
    for (int g = 0; g < kGroups; ++g) {
        V y = Or(And(Load(wi + g * kW), upper), And(Load(wi1 + g * kW), lower));
        V v = Xor(Load(wi397 + g * kW), Shr<1>(y));
        v = Xor(v, And(Sub(zero, And(y, one)), magic));
        Store(out + g * kW, v);
    }
}

void MtWordsBody(const uint64_t* seeds, int32_t lo, int32_t hi, uint32_t* words,
                 uint32_t* scratch) {
    alignas(64) uint32_t first[kLanesPerChunk];
    for (int j = 0; j < kLanesPerChunk; ++j) first[j] = static_cast<uint32_t>(seeds[j] >> 32);
    V x[kGroups];
    for (int g = 0; g < kGroups; ++g) x[g] = Load(first + g * kW);
    const int32_t C = kLanesPerChunk;
    if (hi + 397 < kMtWords) {
        // Words below 227 read seeding words only: i, i + 1 and i + 397. Keep
        // the two windows lo .. hi + 1 and lo + 397 .. hi + 397 and stop
        // seeding after the second.
        uint32_t* near = scratch;
        uint32_t* far = scratch + (hi - lo + 2) * C;
        if (lo == 0) {
            MtStoreRow(near, x);
            MtSeedRange(x, 1, hi + 1, near + C);
        } else {
            MtSeedRange(x, 1, lo - 1, nullptr);
            MtSeedRange(x, lo, hi + 1, near);
        }
        MtSeedRange(x, hi + 2, lo + 396, nullptr);
        MtSeedRange(x, lo + 397, hi + 397, far);
        for (int32_t k = lo; k <= hi; ++k) {
            const int32_t r = k - lo;
            MtRegenerateRow(near + r * C, near + (r + 1) * C, far + r * C, words + r * C);
        }
        return;
    }
    // Later words read regenerated ones: seed the whole table and
    // regenerate in place in order, as the generator itself does.
    MtStoreRow(scratch, x);
    MtSeedRange(x, 1, kMtWords - 1, scratch + C);
    for (int32_t i = 0; i <= hi; ++i)
        MtRegenerateRow(scratch + i * C, scratch + ((i + 1) % kMtWords) * C,
                        scratch + ((i + 397) % kMtWords) * C, scratch + i * C);
    for (int32_t k = lo; k <= hi; ++k)
        for (int j = 0; j < C; ++j) words[(k - lo) * C + j] = scratch[k * C + j];
}

// --- LCG draw window ------------------------------------------------------------

void LcgWindowBody(const uint64_t* seeds, uint64_t mul, uint64_t add, int32_t rows, uint32_t* u) {
    const V64 a = Set64(0x5D588B656C078965ull), c = Set64(0x269EC3ull);
    V64 x[kGroups64];
    for (int g = 0; g < kGroups64; ++g)
        x[g] = Add64(Mul64(Load64(seeds + g * kW64), Set64(mul)), Set64(add));
    for (int32_t r = 0; r < rows; ++r) {
        for (int g = 0; g < kGroups64; ++g) {
            StoreHigh32(u + r * kLanesPerChunk + g * kW64, x[g]);
            x[g] = Add64(Mul64(x[g], a), c);
        }
    }
}

// --- Screens ----------------------------------------------------------------------

// Hidden-power weights by stat H A B C D S.
constexpr uint8_t kPowerWeights[6] = {1, 2, 4, 16, 32, 8};

inline uint32_t InRange(uint32_t u, DrawRange r) {
    return static_cast<uint32_t>(u >= r.lo) & static_cast<uint32_t>(u <= r.hi);
}

// Bounds and hidden power of six values; the template keeps the stat loop
// unrolled so that the lane loop around it vectorises.
inline uint32_t IvValuesPass(const uint8_t (&v)[6], const uint8_t* low, const uint8_t* high,
                             uint8_t powerMinimum, bool typeTest, uint8_t typeLow,
                             uint8_t typeHigh) {
    uint32_t ok = 1, p = 0, t = 0;
    for (int i = 0; i < 6; ++i) {
        ok &= static_cast<uint32_t>(v[i] >= low[i]) & static_cast<uint32_t>(v[i] < high[i]);
        p += kPowerWeights[i] * ((v[i] >> 1) & 1u);
        t += kPowerWeights[i] * (v[i] & 1u);
    }
    ok &= static_cast<uint32_t>(p >= powerMinimum);
    if (typeTest) ok &= static_cast<uint32_t>(t >= typeLow) & static_cast<uint32_t>(t <= typeHigh);
    return ok;
}

void IvScreenBody(const IvScreenParams& p, const uint32_t* words, uint8_t* ivs, uint8_t* pass,
                  uint8_t* any) {
    const int C = kLanesPerChunk;
    for (int32_t r = 0; r < p.rows; ++r) {
        for (int j = 0; j < C; ++j) {
            uint32_t y = words[r * C + j];
            y ^= y >> 11;
            y ^= (y << 7) & 0x9D2C5680u;
            ivs[r * C + j] = static_cast<uint8_t>((y >> 27) ^ ((y >> 12) & 0x1Du));
        }
    }
    for (int j = 0; j < C; ++j) any[j] = 0;
    for (int32_t c = 0; c < p.positions; ++c) {
        const uint8_t* row[6];
        for (int i = 0; i < 6; ++i) row[i] = ivs + (c + p.offsets[i]) * C;
        for (int j = 0; j < C; ++j) {
            uint8_t v[6];
            for (int i = 0; i < 6; ++i) v[i] = row[i][j];
            uint32_t ok = IvValuesPass(v, p.low, p.high, p.powerMinimum, p.typeTest, p.typeLow,
                                       p.typeHigh);
            pass[c * C + j] = static_cast<uint8_t>(ok);
            any[j] = static_cast<uint8_t>(any[j] | ok);
        }
    }
}

inline uint32_t ShinyTest(uint32_t pid, uint32_t ids) {
    return static_cast<uint32_t>((((pid >> 16) ^ pid ^ ids) & 0xFFFFu) <= 7u);
}

void GrottoScreen(const LcgScreenParams& p, const uint32_t* u, uint8_t* any) {
    const int C = kLanesPerChunk;
    for (int32_t k = 0; k < p.positions; ++k) {
        const uint32_t* r = u + k * C;
        for (int j = 0; j < C; ++j) {
            uint32_t ok = InRange(r[j], p.grottoFirst) & InRange(r[2 * C + j], p.grottoKind) &
                          ((p.grottoSlotMask >> (r[C + j] >> 30)) & 1u) &
                          InRange(r[3 * C + j], p.grottoFemale);
            any[j] = static_cast<uint8_t>(any[j] | ok);
        }
    }
}

void CometScreen(const LcgScreenParams& p, const uint32_t* u, uint8_t* any) {
    const int C = kLanesPerChunk;
    auto band = [&p](uint32_t v) {
        return InRange(v, p.cometBand[0]) | InRange(v, p.cometBand[1]) | InRange(v, p.cometBand[2]);
    };
    for (int32_t k = 0; k < p.positions; ++k) {
        const uint32_t* r = u + (k + p.cometBase) * C;
        for (int j = 0; j < C; ++j) {
            uint32_t ok = InRange(r[j], p.cometFirst) & band(r[C + j]) & band(r[3 * C + j]) &
                          InRange(r[7 * C + j], p.cometLast) & InRange(r[10 * C + j], p.cometLast);
            any[j] = static_cast<uint8_t>(any[j] | ok);
        }
    }
}

void DomeScreen(const LcgScreenParams& p, const uint32_t* u, uint8_t* any) {
    const int C = kLanesPerChunk;
    int32_t run[kLanesPerChunk] = {};
    for (int32_t k = 0; k < p.positions; ++k) {
        const uint32_t* r = u + k * C;
        for (int j = 0; j < C; ++j) {
            uint32_t satisfied = 1;
            for (int32_t q = 0; q < p.domeRequired; ++q) {
                uint32_t picked = 0;
                for (int t = 0; t < 6; ++t) picked |= InRange(r[t * C + j], p.domeCanPick[q][t]);
                satisfied &= picked;
            }
            run[j] = satisfied ? run[j] + 1 : 0;
            any[j] = static_cast<uint8_t>(any[j] | static_cast<uint32_t>(run[j] > p.domeWidth));
        }
    }
}

void DeliveryScreen(const LcgScreenParams& p, const uint32_t* u, const uint32_t* natures,
                    uint8_t* any) {
    const int C = kLanesPerChunk;
    for (int32_t k = 0; k < p.positions; ++k) {
        const uint32_t* r = u + k * C;
        const uint32_t* n = natures + k * C;
        for (int j = 0; j < C; ++j) {
            uint8_t v[6];
            for (int i = 0; i < 6; ++i) v[i] = static_cast<uint8_t>(r[i * C + j] >> 27);
            uint32_t ok = InRange(n[j], p.deliveryNature) &
                          IvValuesPass(v, p.ivLow, p.ivHigh, p.powerMinimum, p.typeTest,
                                       p.typeLow, p.typeHigh);
            if (p.deliveryMethod > 0) {
                uint32_t pid = r[8 * C + j];
                if (p.deliveryMethod == 1)
                    pid = (pid & 0xFFFFFF00u) |
                          static_cast<uint32_t>((static_cast<uint64_t>(r[9 * C + j]) * 126u) >> 32);
                ok &= ShinyTest(pid, p.deliveryIds);
            }
            any[j] = static_cast<uint8_t>(any[j] | ok);
        }
    }
}

void ShinyScreen(const LcgScreenParams& p, const uint32_t* u, uint8_t* any) {
    const int C = kLanesPerChunk;
    for (int32_t k = 0; k < p.positions; ++k) {
        const uint32_t* r = u + k * C;
        for (int j = 0; j < C; ++j) {
            uint32_t ok = p.shinyNatureTest ? InRange(r[C + j], p.shinyNature) : 1u;
            uint32_t d = r[j], v;
            if (p.shinyRule == 1) {
                v = d - static_cast<uint32_t>(d != 0);
            } else if (p.shinyRule == 2) {
                v = d;
            } else {
                v = d ^ 0x10000u;
                v = (v & 0x7FFFFFFFu) | (v << 31);
            }
            if (p.shinyIdAdjust) v = (v & 0x7FFFFFFFu) | ((p.shinyIds ^ v) << 31);
            ok &= ShinyTest(v, p.shinyIds);
            any[j] = static_cast<uint8_t>(any[j] | ok);
        }
    }
}

void BreedingScreen(const LcgScreenParams& p, const uint32_t* u, uint8_t* any) {
    const int C = kLanesPerChunk;
    for (int32_t k = 0; k < p.positions; ++k) {
        const uint32_t* r = u + k * C;
        for (int j = 0; j < C; ++j) {
            uint32_t ok = 1;
            if (p.breedingNatureRule == 0) ok = r[C + j] >> 31;
            if (p.breedingNatureRule == 1) ok = InRange(r[j], p.breedingNatureDraw);
            if (p.breedingAbilityTest)
                ok &= static_cast<uint32_t>(r[p.breedingAbilityRow * C + j] >= p.breedingAbilityLow);
            any[j] = static_cast<uint8_t>(any[j] | ok);
        }
    }
}

void LcgScreenBody(const LcgScreenParams& p, const uint32_t* rows, const uint32_t* natureRows,
                   uint8_t* any) {
    for (int j = 0; j < kLanesPerChunk; ++j) any[j] = 0;
    switch (p.kind) {
    case kScreenGrotto:
        GrottoScreen(p, rows, any);
        break;
    case kScreenComet:
        CometScreen(p, rows, any);
        break;
    case kScreenDome:
        DomeScreen(p, rows, any);
        break;
    case kScreenDelivery:
        DeliveryScreen(p, rows, natureRows, any);
        break;
    case kScreenShiny:
        ShinyScreen(p, rows, any);
        break;
    case kScreenBreeding:
        BreedingScreen(p, rows, any);
        break;
    default:
        break;
    }
}

#define MORVANE_ENGINE_KERNELS(backendName)                                                   \
    { backendName, Sha1SeedsBody, MtWordsBody, LcgWindowBody, IvScreenBody, LcgScreenBody }
