# The search benchmark (make bench runs it through scripts/bench.sh).
add_executable(morvane_bench ${CMAKE_SOURCE_DIR}/bench/search_bench.cpp)
target_link_libraries(morvane_bench PRIVATE morvane_core)
