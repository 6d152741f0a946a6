# libFuzzer targets (fuzz/*_fuzz.cpp), built with clang: the core and the
# targets carry the sanitizers and the fuzzer's coverage; only the targets
# link the fuzzer's main. scripts/build.sh clang builds them, scripts/fuzz.sh
# runs them.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "MORVANE_FUZZ needs clang (CMAKE_CXX_COMPILER=clang++-14)")
endif()
set(FUZZ_IGNORE_FILE ${CMAKE_SOURCE_DIR}/fuzz/coverage_ignore.txt)
set(FUZZ_COVERAGE_IGNORE -fsanitize-coverage-ignorelist=${FUZZ_IGNORE_FILE})
target_compile_options(morvane_core PRIVATE -fsanitize=fuzzer-no-link ${FUZZ_COVERAGE_IGNORE})
get_target_property(FUZZ_CORE_SOURCES morvane_core SOURCES)
set_source_files_properties(${FUZZ_CORE_SOURCES} PROPERTIES OBJECT_DEPENDS ${FUZZ_IGNORE_FILE})
file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*_fuzz.cpp)
foreach(source ${FUZZ_SOURCES})
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source})
  set_source_files_properties(${source} PROPERTIES OBJECT_DEPENDS ${FUZZ_IGNORE_FILE})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer ${FUZZ_COVERAGE_IGNORE})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE morvane_core)
endforeach()
