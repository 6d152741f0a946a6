// The portable kernels: the lane operations are plain loops over eight
// lanes, which the compiler turns into whatever vectors the target has. This
// family runs everywhere and is what MORVANE_SIMD=OFF leaves.
#include <cstdint>
#include <cstring>
#include <utility>

#include "engine/EngineKernels.h"

namespace {

constexpr int kW = 8;
struct V {
    uint32_t v[kW];
};

#define MORVANE_LANEWISE(expr)            \
    V r;                                  \
    for (int j = 0; j < kW; ++j) r.v[j] = (expr); \
    return r

inline V Load(const uint32_t* p) { MORVANE_LANEWISE(p[j]); }
inline void Store(uint32_t* p, V a) {
    for (int j = 0; j < kW; ++j) p[j] = a.v[j];
}
inline V Set1(uint32_t x) { MORVANE_LANEWISE(x); }
inline V Add(V a, V b) { MORVANE_LANEWISE(a.v[j] + b.v[j]); }
inline V Sub(V a, V b) { MORVANE_LANEWISE(a.v[j] - b.v[j]); }
inline V Xor(V a, V b) { MORVANE_LANEWISE(a.v[j] ^ b.v[j]); }
inline V And(V a, V b) { MORVANE_LANEWISE(a.v[j] & b.v[j]); }
inline V Or(V a, V b) { MORVANE_LANEWISE(a.v[j] | b.v[j]); }
inline V Xor3(V a, V b, V c) { MORVANE_LANEWISE(a.v[j] ^ b.v[j] ^ c.v[j]); }
inline V Choose(V b, V c, V d) { MORVANE_LANEWISE(d.v[j] ^ (b.v[j] & (c.v[j] ^ d.v[j]))); }
inline V Majority(V b, V c, V d) {
    MORVANE_LANEWISE((b.v[j] & c.v[j]) | (d.v[j] & (b.v[j] | c.v[j])));
}
template <int n> inline V Rotl(V a) { MORVANE_LANEWISE((a.v[j] << n) | (a.v[j] >> (32 - n))); }
template <int n> inline V Shr(V a) { MORVANE_LANEWISE(a.v[j] >> n); }
template <int n> inline V Shl(V a) { MORVANE_LANEWISE(a.v[j] << n); }
inline V MulLo(V a, V b) { MORVANE_LANEWISE(a.v[j] * b.v[j]); }

inline V AndNot(V a, V b) { MORVANE_LANEWISE(~a.v[j] & b.v[j]); }
inline V Gt(V a, V b) {
    MORVANE_LANEWISE(static_cast<int32_t>(a.v[j]) > static_cast<int32_t>(b.v[j]) ? ~0u : 0u);
}
inline V Eq(V a, V b) { MORVANE_LANEWISE(a.v[j] == b.v[j] ? ~0u : 0u); }

#undef MORVANE_LANEWISE

inline uint32_t GtBits(V a, V b) {
    uint32_t bits = 0;
    for (int j = 0; j < kW; ++j)
        bits |= static_cast<uint32_t>(static_cast<int32_t>(a.v[j]) > static_cast<int32_t>(b.v[j])) << j;
    return bits;
}
inline uint32_t SignBits(V a) {
    uint32_t bits = 0;
    for (int j = 0; j < kW; ++j) bits |= (a.v[j] >> 31) << j;
    return bits;
}
inline uint32_t EqBits(V a, V b) {
    uint32_t bits = 0;
    for (int j = 0; j < kW; ++j) bits |= static_cast<uint32_t>(a.v[j] == b.v[j]) << j;
    return bits;
}

constexpr int kMtChains = 8;
constexpr int kSha1Vectors = 1;  // the lanes are loops the compiler vectorises already

struct SeedLanes {
    uint64_t seed[kW];
};

inline SeedLanes SeedLanesOf(const uint64_t* seeds) {
    SeedLanes s;
    for (int j = 0; j < kW; ++j) s.seed[j] = seeds[j];
    return s;
}

inline V LcgDraw(const SeedLanes& s, const LcgJumpRow& row) {
    const uint64_t mul = (static_cast<uint64_t>(row.mulHi) << 32) | row.mulLo;
    V r;
    for (int j = 0; j < kW; ++j) r.v[j] = static_cast<uint32_t>((mul * s.seed[j] + row.add) >> 32);
    return r;
}

#include "engine/EngineKernelBody.h"
#include "engine/EngineSha1Body.h"

}  // namespace

extern const EngineKernels kEngineKernels_portable = MORVANE_ENGINE_KERNELS(Sha1SeedsBody, Sha1SecondSeedsBody);
