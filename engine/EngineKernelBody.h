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
    // a feeds the next round through the rotation and one addition only; the
    // rest of the sum is ready before a is.
    V temp = Add(Rotl<5>(a), Add(f, Add(Add(e, k), w[t & 15])));
    e = d;
    d = c;
    c = Rotl<30>(b);
    b = a;
    a = temp;
}

// Rounds 8..79.
template <int... t>
inline void Sha1Rounds(V (&w)[16], V& a, V& b, V& c, V& d, V& e,
                       std::integer_sequence<int, t...>) {
    (Sha1Round<t + 8>(w, a, b, c, d, e), ...);
}

// Rounds 0..7 read W0..W7 only, which the whole search shares.
struct Sha1State {
    uint32_t a, b, c, d, e;
};

inline Sha1State Sha1FirstEightRounds(const uint32_t* prefix) {
    Sha1State s{0x67452301u, 0xEFCDAB89u, 0x98BADCFEu, 0x10325476u, 0xC3D2E1F0u};
    for (int t = 0; t < 8; ++t) {
        uint32_t f = (s.b & s.c) | (~s.b & s.d);
        uint32_t temp = ((s.a << 5) | (s.a >> 27)) + f + s.e + 0x5A827999u + prefix[t];
        s.e = s.d;
        s.d = s.c;
        s.c = (s.b << 30) | (s.b >> 2);
        s.b = s.a;
        s.a = temp;
    }
    return s;
}

[[maybe_unused]] void Sha1SeedsBody(const Sha1BatchInput& in, uint64_t* seeds) {
    const Sha1State first = Sha1FirstEightRounds(in.prefix);
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
        V a = Set1(first.a), b = Set1(first.b), c = Set1(first.c), d = Set1(first.d),
          e = Set1(first.e);
        Sha1Rounds(w, a, b, c, d, e, std::make_integer_sequence<int, 72>());
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
//
// The screens read a private copy of their parameters and gather their
// results in a private array: stores through the byte-typed outputs could
// otherwise alias both, and the lane loops would stay scalar.

inline uint32_t InRange(uint32_t u, DrawRange r) {
    return static_cast<uint32_t>(u >= r.lo) & static_cast<uint32_t>(u <= r.hi);
}

// Bounds and hidden power of six values, written out stat by stat so that
// the lane loops around it vectorise.
struct IvTerms {
    uint32_t low[6], high[6];
    uint32_t powerMinimum;
    uint32_t typeLow, typeHigh;
};

inline IvTerms IvTermsOf(const IvFilterTerms& filter) {
    IvTerms t;
    for (int i = 0; i < 6; ++i) {
        t.low[i] = filter.low[i];
        t.high[i] = filter.high[i];
    }
    t.powerMinimum = filter.powerMinimum;
    // Without a wanted type every parity sum 0..63 passes: no branch per lane.
    t.typeLow = filter.typeTest ? filter.typeLow : 0;
    t.typeHigh = filter.typeTest ? filter.typeHigh : 63;
    return t;
}

inline uint32_t IvStatPasses(const IvTerms& t, int i, uint32_t v, uint32_t& p, uint32_t& parity) {
    const uint32_t weight = static_cast<uint32_t>(kHiddenPowerWeights[i]);
    p += weight * ((v >> 1) & 1u);
    parity += weight * (v & 1u);
    return static_cast<uint32_t>(v >= t.low[i]) & static_cast<uint32_t>(v < t.high[i]);
}

inline uint32_t IvValuesPass(const IvTerms& t, uint32_t h, uint32_t a, uint32_t b, uint32_t c,
                             uint32_t d, uint32_t s) {
    uint32_t p = 0, parity = 0;
    uint32_t ok = IvStatPasses(t, 0, h, p, parity) & IvStatPasses(t, 1, a, p, parity) &
                  IvStatPasses(t, 2, b, p, parity) & IvStatPasses(t, 3, c, p, parity) &
                  IvStatPasses(t, 4, d, p, parity) & IvStatPasses(t, 5, s, p, parity);
    return ok & static_cast<uint32_t>(p >= t.powerMinimum) &
           static_cast<uint32_t>(parity >= t.typeLow) & static_cast<uint32_t>(parity <= t.typeHigh);
}

inline uint32_t TemperTop5(uint32_t y) {
    y ^= y >> 11;
    y ^= (y << 7) & 0x9D2C5680u;
    return (y >> 27) ^ ((y >> 12) & 0x1Du);
}

void IvScreenBody(const IvScreenParams& params, const uint32_t* words, uint8_t* ivs, uint8_t* pass,
                  uint8_t* out) {
    const IvScreenParams p = params;
    const int C = kLanesPerChunk;
    for (int32_t r = 0; r < p.rows; ++r) {
        alignas(64) uint8_t row[kLanesPerChunk];
        for (int j = 0; j < C; ++j) row[j] = static_cast<uint8_t>(TemperTop5(words[r * C + j]));
        std::memcpy(ivs + r * C, row, sizeof row);
    }
    alignas(64) uint32_t any[kLanesPerChunk] = {};
    const IvTerms terms = IvTermsOf(p.terms);
    for (int32_t c = 0; c < p.positions; ++c) {
        const uint32_t* h = words + (c + p.offsets[0]) * C;
        const uint32_t* a = words + (c + p.offsets[1]) * C;
        const uint32_t* b = words + (c + p.offsets[2]) * C;
        const uint32_t* cc = words + (c + p.offsets[3]) * C;
        const uint32_t* d = words + (c + p.offsets[4]) * C;
        const uint32_t* sp = words + (c + p.offsets[5]) * C;
        alignas(64) uint32_t passRow[kLanesPerChunk];
        for (int j = 0; j < C; ++j) {
            uint32_t ok = IvValuesPass(terms, TemperTop5(h[j]), TemperTop5(a[j]), TemperTop5(b[j]),
                                       TemperTop5(cc[j]), TemperTop5(d[j]), TemperTop5(sp[j]));
            passRow[j] = ok;
            any[j] |= ok;
        }
        for (int j = 0; j < C; ++j) pass[c * C + j] = static_cast<uint8_t>(passRow[j]);
    }
    for (int j = 0; j < C; ++j) out[j] = static_cast<uint8_t>(any[j]);
}

inline uint32_t ShinyTest(uint32_t pid, uint32_t ids) {
    return static_cast<uint32_t>((((pid >> 16) ^ pid ^ ids) & 0xFFFFu) <= 7u);
}

void GrottoScreen(const LcgScreenParams& p, const uint32_t* u, uint32_t* any) {
    const int C = kLanesPerChunk;
    const GrottoScreenParams& g = p.grotto;
    for (int32_t k = 0; k < p.positions; ++k) {
        const uint32_t* r = u + k * C;
        for (int j = 0; j < C; ++j)
            any[j] |= InRange(r[kGrottoAppearDraw * C + j], g.appear) &
                      InRange(r[kGrottoKindDraw * C + j], g.kind) &
                      ((g.slotMask >> (r[kGrottoSlotDraw * C + j] >> 30)) & 1u) &
                      InRange(r[kGrottoFemaleDraw * C + j], g.female);
    }
}

void CometScreen(const LcgScreenParams& p, const uint32_t* u, uint32_t* any) {
    const int C = kLanesPerChunk;
    const CometScreenParams& t = p.comet;
    auto band = [&t](uint32_t v) {
        return InRange(v, t.band[0]) | InRange(v, t.band[1]) | InRange(v, t.band[2]);
    };
    for (int32_t k = 0; k < p.positions; ++k) {
        const uint32_t* r = u + (k + t.base) * C;
        for (int j = 0; j < C; ++j)
            any[j] |= InRange(r[kCometRollDraw * C + j], t.roll) &
                      band(r[kCometBandDraw1 * C + j]) & band(r[kCometBandDraw2 * C + j]) &
                      InRange(r[kCometLastDraw1 * C + j], t.last) &
                      InRange(r[kCometLastDraw2 * C + j], t.last);
    }
}

// (u * n) >> 32 for n below 2^16 in 32-bit arithmetic: the upper half of u
// counts whole multiples of 2^16, the lower half only its carry.
inline uint32_t ScaledSmall(uint32_t u, uint32_t n) {
    return ((u >> 16) * n + (((u & 0xFFFFu) * n) >> 16)) >> 16;
}

// The six trainers draws r[0], r[C], .. r[5C] pick (kDomePicks of them). Pick t is the k-th index
// left, k its draw scaled to 52 - t: the smallest v with v = k + (earlier
// picks at or below v), reached from v = k in at most t rounds.
static_assert(kDomePicks == 6, "the dome screen unrolls six picks");
inline void DomePicks(const uint32_t* r, int C, uint32_t (&pick)[6]) {
#pragma GCC unroll 6
    for (int t = 0; t < 6; ++t) {
        const uint32_t k = ScaledSmall(r[t * C], static_cast<uint32_t>(52 - t));
        uint32_t v = k;
#pragma GCC unroll 5
        for (int round = 0; round < t; ++round) {
            uint32_t below = 0;
#pragma GCC unroll 5
            for (int q = 0; q < t; ++q) below += static_cast<uint32_t>(pick[q] <= v);
            v = k + below;
        }
        pick[t] = v;
    }
}

void DomeScreen(const LcgScreenParams& p, const uint32_t* u, uint32_t* any) {
    const int C = kLanesPerChunk;
    alignas(64) int32_t run[kLanesPerChunk] = {};
    uint32_t required[6];
    for (int q = 0; q < 6; ++q) required[q] = p.dome.trainer[q];
    for (int32_t k = 0; k < p.positions; ++k) {
        const uint32_t* r = u + k * C;
        alignas(64) uint32_t satisfied[kLanesPerChunk];
        for (int j = 0; j < C; ++j) {
            uint32_t pick[6];
            DomePicks(r + j, C, pick);
            uint32_t ok = 1;
#pragma GCC unroll 6
            for (int q = 0; q < 6; ++q) {
                uint32_t found = static_cast<uint32_t>(required[q] == kDomeNoTrainer);
#pragma GCC unroll 6
                for (int t = 0; t < 6; ++t) found |= static_cast<uint32_t>(pick[t] == required[q]);
                ok &= found;
            }
            satisfied[j] = ok;
        }
        for (int j = 0; j < C; ++j) {
            run[j] = satisfied[j] ? run[j] + 1 : 0;
            any[j] |= static_cast<uint32_t>(run[j] > p.dome.width);
        }
    }
}

inline uint32_t Scaled126(uint32_t u) { return ScaledSmall(u, 126u); }

void DeliveryScreen(const LcgScreenParams& p, const uint32_t* u, const uint32_t* natures,
                    uint32_t* any) {
    const int C = kLanesPerChunk;
    const DeliveryScreenParams& t = p.delivery;
    const IvTerms terms = IvTermsOf(t.iv);
    for (int32_t k = 0; k < p.positions; ++k) {
        const uint32_t* r = u + (k + kDeliveryIvDraw) * C;
        const uint32_t* n = natures + k * C;
        for (int j = 0; j < C; ++j) {
            uint32_t ok = InRange(n[j], t.nature) &
                          IvValuesPass(terms, r[j] >> 27, r[C + j] >> 27, r[2 * C + j] >> 27,
                                       r[3 * C + j] >> 27, r[4 * C + j] >> 27, r[5 * C + j] >> 27);
            if (t.method > 0) {
                const uint32_t* d = u + k * C;
                uint32_t pid = d[kDeliveryPidDraw * C + j];
                if (t.method == 1) pid = (pid & 0xFFFFFF00u) | Scaled126(d[kDeliveryPidLowDraw * C + j]);
                ok &= ShinyTest(pid, t.ids);
            }
            any[j] |= ok;
        }
    }
}

// The personality value of draw d for an encounter rule (1 egg, 2 roamer,
// 3 fixed), with the ID adjustment when asked for.
template <int rule, bool adjust>
void ShinyScreenRule(const LcgScreenParams& p, const uint32_t* u, uint32_t* any) {
    const int C = kLanesPerChunk;
    for (int32_t k = 0; k < p.positions; ++k) {
        const uint32_t* r = u + k * C;
        for (int j = 0; j < C; ++j) {
            uint32_t ok = p.shiny.natureTest ? InRange(r[kShinyNatureDraw * C + j], p.shiny.nature) : 1u;
            uint32_t d = r[kShinyPidDraw * C + j], v;
            if (rule == kShinyEncounterEgg) {
                v = d - static_cast<uint32_t>(d != 0);
            } else if (rule == kShinyEncounterRoamer) {
                v = d;
            } else {
                v = d ^ 0x10000u;
                v = (v & 0x7FFFFFFFu) | (v << 31);
            }
            if (adjust) v = (v & 0x7FFFFFFFu) | ((p.shiny.ids ^ v) << 31);
            any[j] |= ok & ShinyTest(v, p.shiny.ids);
        }
    }
}

void ShinyScreen(const LcgScreenParams& p, const uint32_t* u, uint32_t* any) {
    const bool adjust = p.shiny.idAdjust;
    if (p.shiny.rule == kShinyEncounterEgg) {
        adjust ? ShinyScreenRule<kShinyEncounterEgg, true>(p, u, any)
               : ShinyScreenRule<kShinyEncounterEgg, false>(p, u, any);
    } else if (p.shiny.rule == kShinyEncounterRoamer) {
        adjust ? ShinyScreenRule<kShinyEncounterRoamer, true>(p, u, any)
               : ShinyScreenRule<kShinyEncounterRoamer, false>(p, u, any);
    } else {
        adjust ? ShinyScreenRule<kShinyEncounterFixed, true>(p, u, any)
               : ShinyScreenRule<kShinyEncounterFixed, false>(p, u, any);
    }
}

// Branch-free throughout: each switch of the settings is a 0/1 word, and
// the record of every lane is kept in lane arrays, one pick after the other,
// so that each lane loop is short, straight and vectorises.
template <int firstPick>
void BreedingScreenFrom(const LcgScreenParams& p, const uint32_t* u, uint32_t* anyOut,
                        uint64_t* inheritedOut) {
    const int C = kLanesPerChunk;
    // Private results: nothing the loops store can alias the draw rows.
    alignas(64) uint32_t any[kLanesPerChunk] = {};
    alignas(64) uint32_t low[kLanesPerChunk] = {}, high[kLanesPerChunk] = {};  // inherited-stat sets
    const BreedingScreenParams& t = p.breeding;
    const uint32_t natureAny = static_cast<uint32_t>(t.natureRule == -1);
    const uint32_t natureBit = static_cast<uint32_t>(t.natureRule == 0);
    const uint32_t natureDraw = static_cast<uint32_t>(t.natureRule == 1);
    const uint32_t noAbilityTest = static_cast<uint32_t>(!t.abilityTest);
    const uint32_t noSlotTest = static_cast<uint32_t>(t.ability == 0);
    const uint32_t noShinyTest = static_cast<uint32_t>(!t.shinyTest);
    const int abilityRow = t.abilityDraw == 2 ? 2 : 1;
    const DrawRange natureRange = t.natureDraw, gender = t.gender;
    const uint32_t abilityLow = t.abilityLow, parentOk = t.parentOk;
    const uint32_t slot = t.ability, ids = t.ids;
    for (int32_t k = 0; k < p.positions; ++k) {
        const uint32_t* r = u + static_cast<size_t>(k) * C;
        alignas(64) uint32_t ok[kLanesPerChunk], mask[kLanesPerChunk], count[kLanesPerChunk];
        alignas(64) uint32_t parentsOk[kLanesPerChunk], pidDraw[kLanesPerChunk];
        const uint32_t* abilityDraws = r + abilityRow * C;
        for (int j = 0; j < C; ++j) {
            ok[j] = (natureAny | (natureBit & (r[kBreedingUnchangedDraw * C + j] >> 31)) |
                     (natureDraw & InRange(r[kBreedingNatureDraw * C + j], natureRange))) &
                    (noAbilityTest | static_cast<uint32_t>(abilityDraws[j] >= abilityLow));
            mask[j] = 0;
            count[j] = 0;
            parentsOk[j] = 1;
            pidDraw[j] = 0;
        }
        // Stat from draw q scaled to 6, parent from bit 31 of draw q + 1, a
        // repeated stat drawn again two draws on; the personality value's
        // draw follows the pick that completes the record.
        for (int i = 0; i < kBreedingPicks; ++i) {
            const uint32_t* statDraws = r + static_cast<size_t>(firstPick + kBreedingPickDraws * i) * C;
            const uint32_t* parentDraws = statDraws + C;
            const uint32_t* nextDraws = statDraws + kBreedingPickDraws * C;
            for (int j = 0; j < C; ++j) {
                // The stat as a one-hot bit from compares: GCC narrows these
                // small values to bytes, which have no per-lane shifts.
                const uint32_t stat = ScaledSmall(statDraws[j], 6);
                uint32_t bit = 0;
                for (uint32_t b = 0; b < 6; ++b) bit |= static_cast<uint32_t>(stat == b) << b;
                const uint32_t parentBits = (parentDraws[j] >> 31) ? parentOk >> 6 : parentOk;
                const uint32_t fresh = static_cast<uint32_t>(count[j] < 3) &
                                       static_cast<uint32_t>((mask[j] & bit) == 0);
                mask[j] |= bit & (0u - fresh);
                parentsOk[j] &= (fresh ^ 1u) | static_cast<uint32_t>((parentBits & bit) != 0);
                count[j] += fresh;
                const uint32_t last = fresh & static_cast<uint32_t>(count[j] == 3);
                pidDraw[j] ^= (pidDraw[j] ^ nextDraws[j]) & (0u - last);
            }
        }
        for (int j = 0; j < C; ++j) {
            const uint32_t unresolved = static_cast<uint32_t>(count[j] != 3);
            const uint32_t v = pidDraw[j] - static_cast<uint32_t>(pidDraw[j] != 0);
            const uint32_t record = parentsOk[j] & InRange(v & 0xFFu, gender) &
                                    (noSlotTest | static_cast<uint32_t>(((v >> 16) & 1u) + 1 == slot)) &
                                    (noShinyTest | ShinyTest(v, ids));
            const uint32_t pass = ok[j] & (record | unresolved);
            any[j] |= pass;
            // Bit mask of the 64-bit set, as two 32-bit halves.
            const uint32_t m = mask[j], all = 0u - unresolved, keep = 0u - pass;
            low[j] |= (static_cast<uint32_t>(m < 32) << (m & 31) | all) & keep;
            high[j] |= (static_cast<uint32_t>(m >= 32) << (m & 31) | all) & keep;
        }
    }
    for (int j = 0; j < C; ++j) {
        anyOut[j] |= any[j];
        inheritedOut[j] |= (static_cast<uint64_t>(high[j]) << 32) | low[j];
    }
}

void BreedingScreen(const LcgScreenParams& p, const uint32_t* u, uint32_t* any, uint64_t* inherited) {
    // The first pick as a constant: 2 or 3 (a parent is ditto or not), one
    // more for "変わらず".
    if (p.breeding.firstPick == 2) BreedingScreenFrom<2>(p, u, any, inherited);
    if (p.breeding.firstPick == 3) BreedingScreenFrom<3>(p, u, any, inherited);
    if (p.breeding.firstPick == 4) BreedingScreenFrom<4>(p, u, any, inherited);
}

void LcgScreenBody(const LcgScreenParams& params, const uint32_t* rows, const uint32_t* natureRows,
                   uint8_t* out, uint64_t* inheritedOut) {
    const LcgScreenParams p = params;
    alignas(64) uint32_t any[kLanesPerChunk] = {};
    alignas(64) uint64_t inherited[kLanesPerChunk] = {};
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
        BreedingScreen(p, rows, any, inherited);
        for (int j = 0; j < kLanesPerChunk; ++j) inheritedOut[j] = inherited[j];
        break;
    default:
        break;
    }
    for (int j = 0; j < kLanesPerChunk; ++j) out[j] = static_cast<uint8_t>(any[j] != 0);
}

// The backend's kernel family, with the digest it runs on.
#define MORVANE_ENGINE_KERNELS(sha1Seeds) \
    { sha1Seeds, MtWordsBody, LcgWindowBody, IvScreenBody, LcgScreenBody }
