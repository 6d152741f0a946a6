# morvane-cli, the command-line search: natively, and for Windows as a
# console program that, like the window programs, carries its compiler
# runtime and imports only the system's DLLs and the C runtime.
#
# CLI11 is header-only (Debian's libcli11-dev). The build sees a copy of its
# headers, so the cross build takes them without the rest of /usr/include.
set(MORVANE_CLI11_DIR /usr/include/CLI CACHE PATH "CLI11 headers")
if(NOT EXISTS ${MORVANE_CLI11_DIR}/CLI.hpp)
  message(FATAL_ERROR "CLI11 not found in ${MORVANE_CLI11_DIR} (install libcli11-dev)")
endif()
file(COPY ${MORVANE_CLI11_DIR} DESTINATION ${CMAKE_BINARY_DIR}/cli11)

# Console_posix.cpp and Console_win.cpp serve one header for the two systems.
file(GLOB CLI_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/cli/*.cpp)
list(REMOVE_ITEM CLI_SOURCES ${CMAKE_SOURCE_DIR}/cli/Main.cpp)
if(WIN32)
  list(FILTER CLI_SOURCES EXCLUDE REGEX "_posix\\.cpp$")
else()
  list(FILTER CLI_SOURCES EXCLUDE REGEX "_win\\.cpp$")
endif()
add_library(morvane_cli_lib STATIC ${CLI_SOURCES})
target_include_directories(morvane_cli_lib SYSTEM PRIVATE ${CMAKE_BINARY_DIR}/cli11)
target_link_libraries(morvane_cli_lib PUBLIC morvane_core)
# The options are parsed once; CLI11's templates take the longest of any file
# to optimise.
set_source_files_properties(${CMAKE_SOURCE_DIR}/cli/Options.cpp PROPERTIES COMPILE_OPTIONS "${MORVANE_TEST_CODE_OPTIONS}")

add_executable(morvane-cli ${CMAKE_SOURCE_DIR}/cli/Main.cpp)
target_link_libraries(morvane-cli PRIVATE morvane_cli_lib)
if(WIN32)
  target_link_options(morvane-cli PRIVATE -static-libgcc -static-libstdc++ -static)
endif()

# The command line's tests run the program itself, found through its path.
if(MORVANE_TESTS AND NOT WIN32)
  enable_testing()
  find_package(GTest REQUIRED)
  file(GLOB CLI_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/cli/*_test.cpp)
  add_executable(morvane_cli_tests ${CLI_TEST_SOURCES})
  target_link_libraries(morvane_cli_tests PRIVATE morvane_cli_lib GTest::gtest GTest::gtest_main)
  target_compile_definitions(morvane_cli_tests PRIVATE MORVANE_CLI_PATH="$<TARGET_FILE:morvane-cli>")
  target_compile_options(morvane_cli_tests PRIVATE ${MORVANE_TEST_CODE_OPTIONS})
  add_dependencies(morvane_cli_tests morvane-cli)
  include(GoogleTest)
  # Their folders go to test-tmp/ in the build folder, as the unit tests' do.
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/test-tmp)
  gtest_discover_tests(morvane_cli_tests DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "TEST_TMPDIR=${CMAKE_BINARY_DIR}/test-tmp/")
endif()
