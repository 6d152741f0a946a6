// The AVX2 backend. Only reached when SearchEngine.cpp found AVX2 and its OS
// support.
#include <immintrin.h>

#include <cstdint>
#include <cstring>
#include <utility>

#include "engine/EngineKernels.h"

namespace {

#include "engine/EngineLanes_avx2.h"
#include "engine/EngineKernelBody.h"
#include "engine/EngineSha1Body.h"

}  // namespace

extern const EngineKernels kEngineKernels_avx2 = MORVANE_ENGINE_KERNELS(Sha1SeedsBody, Sha1SecondSeedsBody);
