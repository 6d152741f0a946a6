#!/bin/bash
# make bench-web: the page's search in headless Chromium beside the native
# engines (web/bench.js); bench_web.sh [--rounds=N] [CASE...] runs the cases
# named, N rounds each (the best of each measurement; 3 when not given).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh native >/dev/null
bash scripts/build.sh web >/dev/null
bash scripts/web_test.sh --install-only
node web/bench.js "$@"
