#!/bin/bash
# Every test: the include floors, the native unit tests, the same under the
# sanitizers and without any SIMD backend (so that the portable build cannot
# rot unnoticed), the engine's tests with every backend under clang's
# sanitizers and a short run of every fuzz target, the Windows build and its
# imports, the command line's Windows build against its native one, the
# end-to-end tests of both window programs under Wine, and the page's
# WebAssembly build with its tests in headless Chromium against the native
# command line.
#
# The packages come first (apt-get cannot run twice at once). After the
# native build three lanes share the cores: the unit tests and the sanitizer
# build in this shell; beside them the Windows build, the Wine tests and then
# the clang build with the fuzz smoke, their lines marked "[wine]" (the
# end-to-end tests mostly wait on the window, which leaves a core to the
# others), and the page's build and tests, marked "[web]". Every step prints a line when it starts and one when it
# ends with its seconds; a table of all steps comes last.
# A lane stops at its first failed step; the command fails when any step did.
set -uo pipefail
cd "$(dirname "$0")/.."
mkdir -p build
summary=build/test-steps.txt
: > "$summary"
began=$SECONDS

# step NAME COMMAND...: runs the command between its two progress lines and
# notes the outcome in the summary.
step() {
  local name=$1 t=$SECONDS rc
  shift
  echo "== $name: started"
  "$@"
  rc=$?
  local outcome=passed
  [ $rc -eq 0 ] || outcome="FAILED (exit $rc)"
  echo "== $name: $outcome after $((SECONDS - t)) s"
  printf '%-8s %-20s %5d s\n' "$outcome" "$name" $((SECONDS - t)) >> "$summary"
  return $rc
}

# Clang's pointer-overflow check reports what GCC's lets pass (an offset of
# size_t(-1) rows); the engine's tests run under it.
clang_engine_tests() { build/clang/morvane_engine_tests --gtest_brief=1; }

# The clang build, its engine tests and the fuzz smoke: in the Wine lane,
# after the end-to-end tests, which leave the cores mostly free.
clang_steps() {
  step "clang build" bash scripts/build.sh clang &&
    step "clang engine tests" clang_engine_tests &&
    step "fuzz smoke" bash scripts/fuzz.sh smoke
}

ctest_in() { (cd "$1" && ctest --output-on-failure --timeout 900 -j"$(nproc)"); }

wine_lane() {
  step "windows build" bash scripts/build.sh win &&
    step "imports" bash scripts/check_imports.sh &&
    step "command line, wine" bash scripts/cli_wine_check.sh build/native build/win &&
    step "wine e2e" bash scripts/e2e.sh &&
    clang_steps
}

web_lane() {
  step "web build" bash scripts/build.sh web &&
    step "browser tests" bash scripts/web_test.sh
}

# Ctrl-C reaches this lane only: a background job of a script ignores it.
# The other lanes are ended with TERM instead, on which its scripts end their
# Wine processes and Xvfb.
trap 'trap - INT TERM; kill -TERM 0 2>/dev/null; exit 130' INT TERM

status=0
step "packages" bash scripts/deps.sh native win wine clang web &&
  step "include floors" bash scripts/check_layers.sh &&
  step "native build" bash scripts/build.sh native || status=1

if [ $status -eq 0 ]; then
  # sed -u passes each line on as it comes, so the lanes interleave by line.
  wine_lane 2>&1 | sed -u 's/^/[wine] /' &
  wine_pid=$!
  web_lane 2>&1 | sed -u 's/^/[web] /' &
  web_pid=$!
  step "native tests" ctest_in build/native &&
    step "sanitizer build" bash scripts/build.sh asan &&
    step "sanitizer tests" ctest_in build/asan || status=1
  # With pipefail the lane's own status, not sed's.
  wait "$wine_pid" || status=1
  wait "$web_pid" || status=1
fi

echo "== steps (wall-clock seconds; the three lanes overlap):"
cat "$summary"
echo "== make test: $([ $status -eq 0 ] && echo passed || echo FAILED) in $((SECONDS - began)) s"
exit $status
