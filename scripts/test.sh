#!/bin/bash
# Every test: the include floors, native unit tests, the same built without
# any SIMD backend and under the sanitizers, the Windows build with its
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
bash scripts/build.sh win
bash scripts/check_imports.sh
bash scripts/cli_wine_check.sh build/native build/win
if [ -f scripts/e2e.sh ]; then
  bash scripts/e2e.sh
fi
