#!/bin/bash
# The engine's tests built with Emscripten, under node (every backend of the
# SIMD module against the plain path), then the page's tests in headless
# Chromium (web/tests/) against the native command line: playwright-core
# from the lockfile (npm ci; it downloads no browser) drives Debian's
# chromium. Needs build/native and build/web.
#   web_test.sh                 install what is missing, then run the tests
#   web_test.sh --install-only  only the install
set -euo pipefail
cd "$(dirname "$0")/../web"
if [ ! -d node_modules/playwright-core ] || [ package-lock.json -nt node_modules/.package-lock.json ]; then
  PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error
fi
[ "${1:-}" = --install-only ] && exit 0
node node_run.js ../build/web/simd/morvane_engine_tests_node.js --gtest_brief=1
node --test tests/
