#!/bin/bash
# The libFuzzer targets under fuzz/ (clang, AddressSanitizer, UBSan).
#   fuzz.sh smoke   each target over its seed corpus, then a fixed number of
#                   new inputs (FUZZ_SMOKE_RUNS, default per target below);
#                   part of make test
#   fuzz.sh run     each target for FUZZ_SECONDS seconds (default 600), one
#                   after the other, or only those in FUZZ_TARGETS; the corpus
#                   grows in build/clang/corpus/<target>
#   fuzz.sh seeds   writes the seed inputs of the targets that make their own
#                   into fuzz/corpus/<target>/ again (after a change of layout)
# A finding stops the run: the input is written to build/clang/artifacts/, the
# report to build/clang/logs/<target>.log, and the script fails. Reproduce it
# with build/clang/<target>_fuzz <input>; keep it in fuzz/corpus/<target>/
# once fixed, so the smoke runs it from then on.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-smoke}
targets=${FUZZ_TARGETS:-capture config dialogs search settings_file calibration}

bash scripts/build.sh clang
out=build/clang
mkdir -p "$out/artifacts" "$out/logs" "$out/tmp"
# The targets write a few small files per input: in memory where there is a
# /dev/shm (on a disk they take twenty times as long), removed at the end.
scratch=$(mktemp -d /dev/shm/morvane-fuzz.XXXXXX 2>/dev/null || mktemp -d "$PWD/$out/tmp/scratch.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
export TMPDIR=$scratch

# Executions of the smoke per target: about the same time for each, the
# search being the slow one (two whole searches per input).
smoke_runs() {
  case "$1" in
    search) echo "${FUZZ_SMOKE_RUNS:-400}" ;;
    config) echo "${FUZZ_SMOKE_RUNS:-4000}" ;;
    settings_file) echo "${FUZZ_SMOKE_RUNS:-10000}" ;;
    calibration) echo "${FUZZ_SMOKE_RUNS:-2000}" ;;
    *) echo "${FUZZ_SMOKE_RUNS:-20000}" ;;
  esac
}

run_target() {  # target, then libFuzzer options
  local target=$1
  shift
  local log=$out/logs/$target.log
  local started=$SECONDS
  if ! "$out/${target}_fuzz" -artifact_prefix="$out/artifacts/$target-" -max_len=4096 \
       -timeout=30 -print_final_stats=1 "$@" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz $target: FINDING (input in $out/artifacts/, report in $log)"
    exit 1
  fi
  local runs
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "fuzz $target: ${runs:-?} inputs, no finding ($((SECONDS - started)) s)"
}

case "$mode" in
  smoke)
    for target in $targets; do
      fresh=$(mktemp -d "$out/tmp/smoke-$target.XXXXXX")
      run_target "$target" -runs="$(smoke_runs "$target")" -seed=1 "$fresh" "fuzz/corpus/$target"
      rm -rf "$fresh"
    done ;;
  run)
    for target in $targets; do
      mkdir -p "$out/corpus/$target"
      run_target "$target" -max_total_time="${FUZZ_SECONDS:-600}" "$out/corpus/$target" \
        "fuzz/corpus/$target"
    done ;;
  seeds)
    for target in capture dialogs search calibration; do
      mkdir -p "fuzz/corpus/$target"
      rm -f "fuzz/corpus/$target"/seed-*
      MORVANE_FUZZ_WRITE_SEEDS=$PWD/fuzz/corpus/$target "$out/${target}_fuzz"
    done ;;
  *) echo "fuzz.sh: unknown mode $mode (smoke, run, seeds)" >&2; exit 2 ;;
esac
