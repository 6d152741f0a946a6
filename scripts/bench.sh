#!/bin/bash
# The search benchmark, with the SIMD backends and without them. Each line
#   bench: <case> <candidates per second> <ratio to the literal path>
# then the whole day on one thread and on the parallel walk with one thread
# and with every core (speed-up and rate per core). The rows are written to
# the null device. Pass --quick for shorter runs (no whole day), --whole-day
# for the whole day alone.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh native >/dev/null
bash scripts/build.sh nosimd >/dev/null
echo "== SIMD backends on"
build/native/morvane_bench "$@"
echo "== MORVANE_SIMD=OFF"
build/nosimd/morvane_bench "$@"
