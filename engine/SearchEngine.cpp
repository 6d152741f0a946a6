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

void EvaluatePortable(SearchRun& run, const CandidateMoment* moments, int32_t count) {
    BatchEngineEvaluate(run, moments, count, kEngineKernelsPortable);
}
const SearchEngine kPortableEngine = {"portable", 256, EvaluatePortable};

#if defined(MORVANE_HAVE_AVX2)
void EvaluateAvx2(SearchRun& run, const CandidateMoment* moments, int32_t count) {
    BatchEngineEvaluate(run, moments, count, kEngineKernelsAvx2);
}
const SearchEngine kAvx2Engine = {"avx2", 256, EvaluateAvx2};
#endif

#if defined(MORVANE_HAVE_AVX2) && defined(MORVANE_HAVE_SHANI)
// The AVX2 kernels with the digest on the SHA instructions.
const EngineKernels& Avx2ShaKernels() {
    static const EngineKernels kernels = {"avx2-sha", Sha1SeedsShani, kEngineKernelsAvx2.mtWords,
                                          kEngineKernelsAvx2.lcgWindow, kEngineKernelsAvx2.ivScreen,
                                          kEngineKernelsAvx2.lcgScreen};
    return kernels;
}
void EvaluateAvx2Sha(SearchRun& run, const CandidateMoment* moments, int32_t count) {
    BatchEngineEvaluate(run, moments, count, Avx2ShaKernels());
}
const SearchEngine kAvx2ShaEngine = {"avx2-sha", 256, EvaluateAvx2Sha};
#endif

#if defined(MORVANE_HAVE_AVX512)
void EvaluateAvx512(SearchRun& run, const CandidateMoment* moments, int32_t count) {
    BatchEngineEvaluate(run, moments, count, kEngineKernelsAvx512);
}
const SearchEngine kAvx512Engine = {"avx512", 256, EvaluateAvx512};
#endif

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
    f.avx2 = bit(leaf7Ebx, 5) && osYmm;
    f.avx512 = f.avx2 && bit(leaf7Ebx, 16) && bit(leaf7Ebx, 17) && bit(leaf7Ebx, 30) &&
               bit(leaf7Ebx, 31) && osZmm;
    f.sha = bit(leaf7Ebx, 29) && bit(leaf1Ecx, 19);
    return f;
}

int32_t SearchEngineCount() {
    int32_t n = 1;
#if defined(MORVANE_HAVE_AVX2)
    ++n;
#if defined(MORVANE_HAVE_SHANI)
    ++n;
#endif
#endif
#if defined(MORVANE_HAVE_AVX512)
    ++n;
#endif
    return n;
}

SearchEngineEntry SearchEngineAt(int32_t index) {
    const CpuFeatures& f = Features();
    SearchEngineEntry entries[4] = {{&kPortableEngine, &kEngineKernelsPortable, true}};
    int32_t n = 1;
#if defined(MORVANE_HAVE_AVX2)
    entries[n++] = {&kAvx2Engine, &kEngineKernelsAvx2, f.avx2};
#if defined(MORVANE_HAVE_SHANI)
    entries[n++] = {&kAvx2ShaEngine, &Avx2ShaKernels(), f.avx2 && f.sha};
#endif
#endif
#if defined(MORVANE_HAVE_AVX512)
    entries[n++] = {&kAvx512Engine, &kEngineKernelsAvx512, f.avx512};
#endif
    (void)f;
    return index >= 0 && index < n ? entries[index] : SearchEngineEntry{nullptr, nullptr, false};
}

const SearchEngine* SearchEngineBest() {
    static const SearchEngine* best = [] {
        const SearchEngine* chosen = &kPortableEngine;
        for (int32_t i = 0; i < SearchEngineCount(); ++i) {
            SearchEngineEntry e = SearchEngineAt(i);
            if (e.supported) chosen = e.engine;
        }
        return chosen;
    }();
    return best;
}
