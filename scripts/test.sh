#!/bin/bash
# Every test: the include floors, native unit tests, the same built without
# any SIMD backend and under the sanitizers, the engine's tests under clang's
# sanitizers and a short run of every fuzz target, the Windows build with its
# import check, the command line's Windows build against its native one, and
# the end-to-end tests of both window programs under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/check_layers.sh
bash scripts/build.sh native
(cd build/native && ctest --output-on-failure -j"$(nproc)")
# The portable build alone, so that it cannot rot unnoticed.
bash scripts/build.sh nosimd
(cd build/nosimd && ctest --output-on-failure -j"$(nproc)")
bash scripts/build.sh asan
(cd build/asan && ctest --output-on-failure -j"$(nproc)")
# Clang's pointer-overflow check reports what GCC's lets pass (an offset of
# size_t(-1) rows); the engine's tests run under it in two shards at once.
bash scripts/build.sh clang
clang_shard() { GTEST_TOTAL_SHARDS=2 GTEST_SHARD_INDEX=$1 build/clang/morvane_engine_tests --gtest_brief=1; }
clang_shard 0 & first=$!
status=0
clang_shard 1 || status=1
wait "$first" || status=1
[ "$status" -eq 0 ] || { echo "engine tests under clang's sanitizers: FAILED"; exit 1; }
bash scripts/fuzz.sh smoke
bash scripts/build.sh win
bash scripts/check_imports.sh
bash scripts/cli_wine_check.sh build/native build/win
if [ -f scripts/e2e.sh ]; then
  bash scripts/e2e.sh
fi
