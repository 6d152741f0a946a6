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

#undef MORVANE_LANEWISE

constexpr int kW64 = 4;
struct V64 {
    uint64_t v[kW64];
};

inline V64 Load64(const uint64_t* p) {
    V64 r;
    for (int j = 0; j < kW64; ++j) r.v[j] = p[j];
    return r;
}
inline V64 Set64(uint64_t x) {
    V64 r;
    for (int j = 0; j < kW64; ++j) r.v[j] = x;
    return r;
}
inline V64 Add64(V64 a, V64 b) {
    for (int j = 0; j < kW64; ++j) a.v[j] += b.v[j];
    return a;
}
inline V64 Mul64(V64 a, V64 b) {
    for (int j = 0; j < kW64; ++j) a.v[j] *= b.v[j];
    return a;
}
inline void StoreHigh32(uint32_t* p, V64 a) {
    for (int j = 0; j < kW64; ++j) p[j] = static_cast<uint32_t>(a.v[j] >> 32);
}

#include "engine/EngineKernelBody.h"

}  // namespace

extern const EngineKernels kEngineKernels_portable = MORVANE_ENGINE_KERNELS(Sha1SeedsBody);
