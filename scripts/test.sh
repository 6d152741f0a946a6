#!/bin/bash
# Every test: the include floors, native unit tests, the same under the
# sanitizers, the Windows build, and the end-to-end tests of both programs
# under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/check_layers.sh
bash scripts/build.sh native
(cd build/native && ctest --output-on-failure -j"$(nproc)")
bash scripts/build.sh asan
(cd build/asan && ctest --output-on-failure -j"$(nproc)")
bash scripts/build.sh win
bash scripts/check_imports.sh
if [ -f scripts/e2e.sh ]; then
  bash scripts/e2e.sh
fi
