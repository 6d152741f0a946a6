# SIMD backends of the batch search engine. Each backend file gets its own
# instruction-set flags and nothing else does, so the program still starts
# on a processor without them; engine/SearchEngine.cpp decides at run time.
# MORVANE_SIMD=OFF leaves only the portable batch kernels.

set(MORVANE_KERNEL_SOURCES ${CMAKE_SOURCE_DIR}/engine/EngineKernels_portable.cpp)

if(MORVANE_SIMD AND CMAKE_SYSTEM_PROCESSOR MATCHES "x86_64|AMD64|amd64|i.86")
  set(MORVANE_AVX2_SOURCE ${CMAKE_SOURCE_DIR}/engine/EngineKernels_avx2.cpp)
  set(MORVANE_AVX512_SOURCE ${CMAKE_SOURCE_DIR}/engine/EngineKernels_avx512.cpp)
  set(MORVANE_SHANI_SOURCE ${CMAKE_SOURCE_DIR}/engine/Sha1Batch_shani.cpp)
  target_sources(morvane_core PRIVATE ${MORVANE_AVX2_SOURCE} ${MORVANE_AVX512_SOURCE}
                                      ${MORVANE_SHANI_SOURCE})
  set_source_files_properties(${MORVANE_AVX2_SOURCE} PROPERTIES COMPILE_OPTIONS "-mavx2;-mbmi2")
  # GCC 12's own AVX-512 headers start some intrinsics from an undefined
  # vector and then warn about it (maybe-uninitialized) in optimised code.
  set_source_files_properties(${MORVANE_AVX512_SOURCE} PROPERTIES
    COMPILE_OPTIONS "-mavx512f;-mavx512dq;-mavx512bw;-mavx512vl;-mbmi2;$<$<CXX_COMPILER_ID:GNU>:-Wno-maybe-uninitialized>")
  set_source_files_properties(${MORVANE_SHANI_SOURCE} PROPERTIES COMPILE_OPTIONS "-msha;-msse4.1")
  list(APPEND MORVANE_KERNEL_SOURCES ${MORVANE_AVX2_SOURCE} ${MORVANE_AVX512_SOURCE}
                                     ${MORVANE_SHANI_SOURCE})
  target_compile_definitions(morvane_core PRIVATE MORVANE_HAVE_AVX2=1 MORVANE_HAVE_AVX512=1
                                                  MORVANE_HAVE_SHANI=1)
  if(WIN32)
    # GCC on Windows x64 does not realign the stack for 32- and 64-byte
    # spills, and an aligned move to such a slot faults. Encoding every
    # aligned vector move as an unaligned one makes the spills safe.
    foreach(source ${MORVANE_AVX2_SOURCE} ${MORVANE_AVX512_SOURCE} ${MORVANE_SHANI_SOURCE})
      get_source_file_property(options ${source} COMPILE_OPTIONS)
      set_source_files_properties(${source} PROPERTIES
        COMPILE_OPTIONS "${options};-Wa,-muse-unaligned-vector-move")
    endforeach()
  endif()
endif()

# The kernels are loops the compiler must vectorise; -O2 of GCC 12 does so
# only for the cheapest of them.
foreach(source ${MORVANE_KERNEL_SOURCES})
  get_source_file_property(options ${source} COMPILE_OPTIONS)
  if(NOT options)
    set(options "")
  endif()
  set_source_files_properties(${source} PROPERTIES
    COMPILE_OPTIONS "${options};$<$<CONFIG:Release>:-O3>")
endforeach()

# The Windows build gets the benchmark too: its --check mode compares every
# engine the processor runs with the plain one, which is how the dispatch of
# the Windows program is tried under Wine.
if(WIN32)
  include(${CMAKE_SOURCE_DIR}/cmake/Bench.cmake)
  target_link_options(morvane_bench PRIVATE -static)
endif()
