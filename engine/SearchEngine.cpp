// The one place that knows the processor: it reads what the architecture
// offers once (cpuid and xgetbv on x86), keeps the result, and picks the
// widest batch engine the build holds and the processor and OS can run.
// Callers get an engine; no other file tests a CPU feature.
#include "engine/SearchEngine.h"

#include "engine/BatchEngine.h"
#include "engine/EngineKernels.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

// The backends the build holds (cmake/Backends.cmake writes their rows of
// engine/Backends.def), narrowest first; the widest one the processor runs is
// the best.
#define MORVANE_BACKEND(id, name, arch, flags, needs) extern const EngineKernels kEngineKernels_##id;
#include "MorvaneBackends.h"
#undef MORVANE_BACKEND

namespace {

CpuFeatures DetectCpuFeatures() {
#if defined(__x86_64__) || defined(__i386__)
    unsigned eax, ebx, ecx, edx;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return CpuFeatures{};
    const uint32_t leaf1Ecx = ecx;
    uint64_t xcr0 = 0;
    if ((leaf1Ecx >> 27) & 1u) {  // OSXSAVE: xgetbv is there
        unsigned lo, hi;
        __asm__ volatile("xgetbv" : "=a"(lo), "=d"(hi) : "c"(0));
        xcr0 = (static_cast<uint64_t>(hi) << 32) | lo;
    }
    if (!__get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx)) ebx = 0;
    return CpuFeaturesOf(leaf1Ecx, ebx, xcr0);
#elif defined(__wasm_simd128__)
    // A WebAssembly module built for SIMD does not load where it is missing.
    CpuFeatures f{};
    f.simd128 = true;
    return f;
#else
    return CpuFeatures{};
#endif
}

const CpuFeatures& Features() {
    static const CpuFeatures features = DetectCpuFeatures();
    return features;
}

// One batch engine per kernel family.
template <const EngineKernels& kernels>
void EvaluateWith(SearchRun& run, const CandidateMoment* moments, int32_t count) {
    BatchEngineEvaluate(run, moments, count, kernels);
}

// The table of the backends, in the order of their rows.
struct EngineRow {
    SearchEngine engine;
    const EngineKernels* kernels;
    uint32_t needs;  // CpuFeatureBits
};

const EngineRow kEngineRows[] = {
#define MORVANE_BACKEND(id, name, arch, flags, needs) \
    {{name, 256, EvaluateWith<kEngineKernels_##id>}, &kEngineKernels_##id, needs},
#include "MorvaneBackends.h"
#undef MORVANE_BACKEND
};
constexpr int32_t kEngineRowCount = sizeof kEngineRows / sizeof kEngineRows[0];

bool RowRuns(const EngineRow& row) {
    return (CpuFeatureBitsOf(Features()) & row.needs) == row.needs;
}

}  // namespace

CpuFeatures CpuFeaturesDetected() { return Features(); }

uint32_t CpuFeatureBitsOf(const CpuFeatures& f) {
    return (f.avx2 ? kCpuAvx2 : 0u) | (f.avx512 ? kCpuAvx512 : 0u) | (f.sha ? kCpuSha : 0u) |
           (f.simd128 ? kCpuSimd128 : 0u);
}

CpuFeatures CpuFeaturesOf(uint32_t leaf1Ecx, uint32_t leaf7Ebx, uint64_t xcr0) {
    auto bit = [](uint64_t word, int n) { return ((word >> n) & 1u) != 0; };
    CpuFeatures f{};
    // The OS must save the vector state it would otherwise lose on a switch:
    // XMM and YMM for AVX2, those and opmask and both ZMM halves for AVX-512.
    const bool osxsave = bit(leaf1Ecx, 27);
    const bool osYmm = osxsave && (xcr0 & 0x6u) == 0x6u;
    const bool osZmm = osYmm && (xcr0 & 0xE6u) == 0xE6u;
    f.avx2 = bit(leaf7Ebx, 5) && bit(leaf7Ebx, 8) && osYmm;  // AVX2 and BMI2
    f.avx512 = f.avx2 && bit(leaf7Ebx, 16) && bit(leaf7Ebx, 17) && bit(leaf7Ebx, 30) &&
               bit(leaf7Ebx, 31) && osZmm;
    f.sha = bit(leaf7Ebx, 29) && bit(leaf1Ecx, 19);
    return f;
}

int32_t SearchEngineCount() { return kEngineRowCount; }

SearchEngineEntry SearchEngineAt(int32_t index) {
    if (index < 0 || index >= kEngineRowCount) return SearchEngineEntry{nullptr, nullptr, false};
    const EngineRow& row = kEngineRows[index];
    return SearchEngineEntry{&row.engine, row.kernels, RowRuns(row)};
}

const EngineKernels* SearchEngineKernelsOf(const SearchEngine* engine) {
    for (const EngineRow& row : kEngineRows)
        if (&row.engine == engine) return row.kernels;
    return nullptr;
}

const SearchEngine* SearchEngineBest() {
    static const SearchEngine* best = [] {
        const SearchEngine* chosen = &kEngineRows[0].engine;
        for (const EngineRow& row : kEngineRows)
            if (RowRuns(row)) chosen = &row.engine;
        return chosen;
    }();
    return best;
}
