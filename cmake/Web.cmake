# The page's WebAssembly module (web/): the portable core, the command
# line's settings-file reader, checks and config.txt reading, and the glue
# the page's JavaScript calls. Built twice by scripts/build.sh web: with
# WebAssembly SIMD (the wasm-simd128 backend, morvane-simd.js) and without
# (MORVANE_SIMD=OFF, the portable backend alone, morvane-plain.js), which
# the page loads where SIMD is missing.
add_library(morvane_web_cli STATIC
            ${CMAKE_SOURCE_DIR}/cli/SettingsCheck.cpp ${CMAKE_SOURCE_DIR}/cli/ConsoleConfig.cpp)
target_link_libraries(morvane_web_cli PUBLIC morvane_core)

if(MORVANE_SIMD)
  # Only the wasm-simd128 backend's file is built with -msimd128
  # (engine/Backends.def), so its portable backend is the plain module's.
  set(MORVANE_WEB_NAME morvane-simd)
  # The dispatch knows the module has SIMD from the flag of its own file.
  # (The portable kernels stay without it: clang 14 autovectorising them for
  # SIMD gave wrong seeds for lanes with a W5 word of their own.)
  set_source_files_properties(${CMAKE_SOURCE_DIR}/engine/SearchEngine.cpp PROPERTIES COMPILE_OPTIONS -msimd128)
else()
  set(MORVANE_WEB_NAME morvane-plain)
endif()
add_executable(morvane_web ${CMAKE_SOURCE_DIR}/web/WebGlue.cpp ${CMAKE_SOURCE_DIR}/web/WebJson.cpp)
set_target_properties(morvane_web PROPERTIES OUTPUT_NAME ${MORVANE_WEB_NAME} SUFFIX ".js")
target_link_libraries(morvane_web PRIVATE morvane_web_cli)
# One instance per worker: a factory (MorvaneModule), memory that grows with
# the rows of a chunk, the heap for passing texts and bytes, no threads.
target_link_options(morvane_web PRIVATE -sMODULARIZE=1 -sEXPORT_NAME=MorvaneModule
  -sALLOW_MEMORY_GROWTH=1 -sENVIRONMENT=web,worker,node -sEXPORTED_FUNCTIONS=_malloc,_free
  -sEXPORTED_RUNTIME_METHODS=HEAPU8 -sINCOMING_MODULE_JS_API=locateFile,print,printErr,wasmBinary)

# The engine's tests under node (scripts/build.sh web builds them with the
# SIMD module): every backend this module holds, wasm-simd128 and portable,
# against the plain path, with GoogleTest from Debian's sources. The
# parallel walk's tests are left out: the page's modules have no threads.
set(MORVANE_GTEST_SOURCE /usr/src/googletest/googletest)
if(MORVANE_SIMD AND EXISTS ${MORVANE_GTEST_SOURCE}/src/gtest-all.cc)
  add_library(web_gtest STATIC ${MORVANE_GTEST_SOURCE}/src/gtest-all.cc ${MORVANE_GTEST_SOURCE}/src/gtest_main.cc)
  target_include_directories(web_gtest SYSTEM PUBLIC ${MORVANE_GTEST_SOURCE}/include
                             PRIVATE ${MORVANE_GTEST_SOURCE})
  target_compile_options(web_gtest PRIVATE -w -O1)
  file(GLOB WEB_ENGINE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/engine/*_test.cpp)
  list(FILTER WEB_ENGINE_TESTS EXCLUDE REGEX "/parallel_search_test\\.cpp$")
  add_executable(morvane_engine_tests_node EXCLUDE_FROM_ALL ${WEB_ENGINE_TESTS})
  target_link_libraries(morvane_engine_tests_node PRIVATE morvane_core web_gtest)
  target_compile_options(morvane_engine_tests_node PRIVATE ${MORVANE_TEST_CODE_OPTIONS})
  target_link_options(morvane_engine_tests_node PRIVATE -sALLOW_MEMORY_GROWTH=1 -sENVIRONMENT=node
                      -sEXIT_RUNTIME=1 -sMODULARIZE=1)
endif()

# The benchmark's kernels under node (`--kernels`, `--quick --case C`), for
# tuning the wasm-simd128 kernels: not built by default.
if(MORVANE_SIMD)
  add_executable(morvane_bench_node EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/search_bench.cpp)
  target_link_libraries(morvane_bench_node PRIVATE morvane_core)
  target_link_options(morvane_bench_node PRIVATE -sALLOW_MEMORY_GROWTH=1 -sENVIRONMENT=node -sEXIT_RUNTIME=1 -sMODULARIZE=1 --profiling-funcs)
endif()
