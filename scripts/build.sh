#!/bin/bash
# Builds one configuration into build/<name>.
#   build.sh native   core, tests, benchmark (build/native)
#   build.sh asan     the tests with AddressSanitizer and UBSan and without any
#                     SIMD backend, so that the portable build cannot rot
#                     unnoticed (build/asan; the clang build runs the SIMD
#                     backends under the sanitizers)
#   build.sh win      the Windows programs, cross-compiled (build/win)
#   build.sh nosimd   the benchmark without any SIMD backend (build/nosimd)
#   build.sh clang    with clang and its sanitizers: the engine's tests and the
#                     libFuzzer targets (build/clang)
#   build.sh web      the page: its WebAssembly modules with and without SIMD
#                     and its files (build/web)
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
case "${1:-native}" in
  native)
    bash scripts/deps.sh native
    cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build build/native -j"$jobs" ;;
  asan)
    bash scripts/deps.sh native
    cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DMORVANE_SANITIZE=ON -DMORVANE_SIMD=OFF >/dev/null
    cmake --build build/asan -j"$jobs" --target morvane_tests morvane_cli_tests ;;
  nosimd)
    bash scripts/deps.sh native
    cmake -S . -B build/nosimd -DCMAKE_BUILD_TYPE=Release -DMORVANE_SIMD=OFF -DMORVANE_TESTS=OFF >/dev/null
    cmake --build build/nosimd -j"$jobs" --target morvane_bench ;;
  clang)
    # One core for both: the fuzzer's coverage costs the tests little.
    bash scripts/deps.sh native clang
    cmake -S . -B build/clang -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
      -DMORVANE_SANITIZE=ON -DMORVANE_FUZZ=ON >/dev/null
    cmake --build build/clang -j"$jobs" --target morvane_engine_tests capture_fuzz config_fuzz \
      dialogs_fuzz search_fuzz settings_file_fuzz calibration_fuzz ;;
  web)
    bash scripts/deps.sh native web
    # Emscripten's tools need Debian's acorn, which a nodejs from elsewhere
    # finds only through NODE_PATH.
    export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
    emcmake cmake -S . -B build/web/simd -DCMAKE_BUILD_TYPE=Release -DMORVANE_TESTS=OFF >/dev/null
    emcmake cmake -S . -B build/web/plain -DCMAKE_BUILD_TYPE=Release -DMORVANE_TESTS=OFF \
      -DMORVANE_SIMD=OFF >/dev/null
    # With the engine's tests under node (scripts/web_test.sh runs them).
    cmake --build build/web/simd -j"$jobs" --target morvane_web morvane_engine_tests_node
    cmake --build build/web/plain -j"$jobs"
    cp build/web/simd/morvane-simd.{js,wasm} build/web/plain/morvane-plain.{js,wasm} build/web/
    cp web/index.html web/style.css web/morvane-core.js web/search.js web/page.js web/worker.js build/web/ ;;
  win)
    bash scripts/deps.sh native win
    cmake -S . -B build/win -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DMORVANE_TESTS=OFF >/dev/null
    cmake --build build/win -j"$jobs" ;;
  *) echo "build.sh: unknown configuration $1" >&2; exit 2 ;;
esac
