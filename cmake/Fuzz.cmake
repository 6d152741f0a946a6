# libFuzzer targets (fuzz/*_fuzz.cpp), built with clang: the core and the
# targets carry the sanitizers and the fuzzer's coverage; only the targets
# link the fuzzer's main. scripts/fuzz.sh builds and runs them.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "MORVANE_FUZZ needs clang (CMAKE_CXX_COMPILER=clang++-14)")
endif()
target_compile_options(morvane_core PRIVATE -fsanitize=fuzzer-no-link)
file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*_fuzz.cpp)
foreach(source ${FUZZ_SOURCES})
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE morvane_core)
endforeach()
