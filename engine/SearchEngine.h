// Chooses the engine a search runs on: the plain reference, or the fastest
// batch engine this processor supports.
#pragma once

#include <cstdint>

#include "engine/SeedSearch.h"

struct EngineKernels;

// The widest batch engine the processor and the OS support (portable when
// no SIMD backend was built or none is usable). Detected once, then cached.
const SearchEngine* SearchEngineBest();

// Every batch engine built into the program, narrowest first, with the
// kernels it runs and whether this processor can run it.
struct SearchEngineEntry {
    const SearchEngine* engine;
    const EngineKernels* kernels;
    bool supported;
};
int32_t SearchEngineCount();
SearchEngineEntry SearchEngineAt(int32_t index);
// The kernels of a batch engine of this table; null for any other engine
// (the plain reference).
const EngineKernels* SearchEngineKernelsOf(const SearchEngine* engine);

// The CPU features the choice rests on, for the benchmark's report.
struct CpuFeatures {
    bool avx2;     // AVX2 and BMI2 with the OS saving the 256-bit state
    bool avx512;   // that and AVX-512 F, DQ, BW and VL with the OS saving the 512-bit state
    bool sha;      // SHA instructions with SSE4.1
    bool simd128;  // WebAssembly SIMD (the build's target has it)
};
CpuFeatures CpuFeaturesDetected();

// The features a backend needs (the last column of engine/Backends.def).
enum CpuFeatureBits : uint32_t {
    kCpuNone = 0,
    kCpuAvx2 = 1u << 0,
    kCpuAvx512 = 1u << 1,
    kCpuSha = 1u << 2,
    kCpuSimd128 = 1u << 3,
};
uint32_t CpuFeatureBitsOf(const CpuFeatures& features);

// The decision on the raw words: ecx of cpuid leaf 1, ebx of leaf 7, and
// XCR0 (0 when the OS does not enable xgetbv). The AVX2 and AVX-512 backends
// are compiled with BMI2 too, so both need it.
CpuFeatures CpuFeaturesOf(uint32_t leaf1Ecx, uint32_t leaf7Ebx, uint64_t xcr0);
