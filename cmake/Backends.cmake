# The batch-engine backends of engine/Backends.def that this architecture
# builds. Each backend file gets its own instruction-set flags and nothing else
# does, so the program still starts on a processor without them;
# engine/SearchEngine.cpp decides at run time from the table this writes into
# the build folder (MorvaneBackends.h). MORVANE_SIMD=OFF builds the portable
# backend alone.

if(EMSCRIPTEN)
  # Emscripten's toolchain file names an x86 processor.
  set(MORVANE_ARCH wasm)
elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "x86_64|AMD64|amd64|i.86")
  set(MORVANE_ARCH x86)
else()
  set(MORVANE_ARCH other)
endif()

file(STRINGS ${CMAKE_SOURCE_DIR}/engine/Backends.def MORVANE_BACKEND_ROWS REGEX "^MORVANE_BACKEND\\(")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/engine/Backends.def)
set(MORVANE_KERNEL_SOURCES "")
set(MORVANE_BUILT_BACKENDS "")
foreach(row ${MORVANE_BACKEND_ROWS})
  if(NOT row MATCHES "^MORVANE_BACKEND\\(([a-z0-9]+), \"[^\"]*\", ([a-z0-9]+), \"([^\"]*)\",")
    message(FATAL_ERROR "engine/Backends.def: cannot read the row ${row}")
  endif()
  set(id ${CMAKE_MATCH_1})
  set(arch ${CMAKE_MATCH_2})
  separate_arguments(flags UNIX_COMMAND "${CMAKE_MATCH_3}")
  if(NOT arch STREQUAL "any" AND (NOT MORVANE_SIMD OR NOT arch STREQUAL MORVANE_ARCH))
    continue()
  endif()
  set(source ${CMAKE_SOURCE_DIR}/engine/EngineKernels_${id}.cpp)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND arch STREQUAL "x86")
    # GCC 12's own AVX-512 headers start some intrinsics from an undefined
    # vector and then warn about it ((maybe-)uninitialized) in optimised code.
    list(APPEND flags -Wno-maybe-uninitialized -Wno-uninitialized)
  endif()
  if(WIN32 AND arch STREQUAL "x86")
    # GCC on Windows x64 does not realign the stack for 32- and 64-byte
    # spills, and an aligned move to such a slot faults. Encoding every
    # aligned vector move as an unaligned one makes the spills safe.
    list(APPEND flags -Wa,-muse-unaligned-vector-move)
  endif()
  # The kernels are loops the compiler must vectorise; -O2 of GCC 12 does so
  # only for the cheapest of them.
  list(APPEND flags $<$<CONFIG:Release>:-O3>)
  set_source_files_properties(${source} PROPERTIES COMPILE_OPTIONS "${flags}")
  list(APPEND MORVANE_KERNEL_SOURCES ${source})
  string(APPEND MORVANE_BUILT_BACKENDS "${row}\n")
endforeach()
target_sources(morvane_core PRIVATE ${MORVANE_KERNEL_SOURCES})

set(MORVANE_BACKENDS_HEADER ${CMAKE_BINARY_DIR}/generated/MorvaneBackends.h)
file(CONFIGURE OUTPUT ${MORVANE_BACKENDS_HEADER} CONTENT
  "// Written by cmake/Backends.cmake: the rows of engine/Backends.def this build holds.\n${MORVANE_BUILT_BACKENDS}")
target_include_directories(morvane_core PRIVATE ${CMAKE_BINARY_DIR}/generated)
