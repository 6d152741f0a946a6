// The one place that knows the processor: it reads cpuid and xgetbv once,
// keeps the result, and picks the widest batch engine the build holds and
// the processor and OS can run. Callers get an engine; no other file tests
// a CPU feature.
#include "engine/SearchEngine.h"

#include "engine/BatchEngine.h"
#include "engine/EngineKernels.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

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

// The batch engines the build holds, narrowest first; the widest one the
// processor runs is the best.
struct EngineRow {
    SearchEngine engine;
    const EngineKernels* kernels;
    bool (*runs)(const CpuFeatures& features);
};

const EngineRow kEngineRows[] = {
    {{"portable", 256, EvaluateWith<kEngineKernelsPortable>}, &kEngineKernelsPortable,
     [](const CpuFeatures&) { return true; }},
#if defined(MORVANE_HAVE_AVX2)
    {{"avx2", 256, EvaluateWith<kEngineKernelsAvx2>}, &kEngineKernelsAvx2,
     [](const CpuFeatures& f) { return f.avx2; }},
#if defined(MORVANE_HAVE_SHANI)
    {{"avx2-sha", 256, EvaluateWith<kEngineKernelsAvx2Sha>}, &kEngineKernelsAvx2Sha,
     [](const CpuFeatures& f) { return f.avx2 && f.sha; }},
#endif
#endif
#if defined(MORVANE_HAVE_AVX512)
    {{"avx512", 256, EvaluateWith<kEngineKernelsAvx512>}, &kEngineKernelsAvx512,
     [](const CpuFeatures& f) { return f.avx512; }},
#endif
};
constexpr int32_t kEngineRowCount = sizeof kEngineRows / sizeof kEngineRows[0];

}  // namespace

CpuFeatures CpuFeaturesDetected() { return Features(); }

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
    return SearchEngineEntry{&row.engine, row.kernels, row.runs(Features())};
}

const SearchEngine* SearchEngineBest() {
    static const SearchEngine* best = [] {
        const SearchEngine* chosen = &kEngineRows[0].engine;
        for (const EngineRow& row : kEngineRows)
            if (row.runs(Features())) chosen = &row.engine;
        return chosen;
    }();
    return best;
}
