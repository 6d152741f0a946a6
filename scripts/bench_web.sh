#!/bin/bash
# make bench-web: the page's search in headless Chromium beside the native
# engines (web/bench.js); bench_web.sh [CASE...] runs the cases named.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh native >/dev/null
bash scripts/build.sh web >/dev/null
bash scripts/web_test.sh --install-only
node web/bench.js "$@"
