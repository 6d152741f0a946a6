#!/bin/bash
# How fast a search runs through the window of the Windows program compared
# with the headless engine on the same core, both under Wine on the fastest
# engine: the worked example console, key input on, all six lower bounds 31,
# consumption 7 to 7, from 29 November 2012 to END_MONTH/END_DAY of 2012,
# hours START..END of each day. The window is timed from the start command
# to its return (the command returns when the search has ended), the
# headless search by its own clock; the candidates are counted on the
# headless side (both walk the same ones) and both files must be
# byte-identical. Each side runs RUNS times (default 2), alternating, and
# the fastest run of each counts: the machine's other work only slows runs
# down. Prints
#   window: <candidates per second>
#   headless: <candidates per second>
#   ratio: <window / headless in percent>
#   window_speed.sh [END_MONTH END_DAY [START_HOUR END_HOUR]]   (default 12 2 0 23:
#                    four whole days, some 10 s through the window)
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$root/build/window_speed
end_month=${1:-12}
end_day=${2:-2}
first=${3:-0}
last=${4:-23}
runs=${RUNS:-2}

bash scripts/deps.sh native win wine >/dev/null
if [ ! -f build/win/morvane.exe ] || [ ! -f build/win/libmorvane_core.a ]; then
  bash scripts/build.sh win || { echo "window_speed: the Windows build failed" >&2; exit 1; }
fi

source scripts/wine_env.sh
mkdir -p "$out/bin"
build_win_tools "$out/bin" &&
  x86_64-w64-mingw32-g++-posix -std=c++17 -O2 -Wall -Wextra -Werror -fexec-charset=CP932 -static -I"$root" \
    bench/headless_speed_win.cpp build/win/libmorvane_core.a -o "$out/bin/headless_speed.exe" ||
  { echo "window_speed: building the tools failed" >&2; exit 1; }

# The same settings as the window receives them.
case_file=$out/speed.case
{
  echo "# window_speed.sh: the worked example console, 2012-11-29 to $end_month/$end_day, hours $first to $last,"
  echo "# 6V, key input on"
  printf 'radio 900\nset 1000 60\nset 1001 c79\nset 1002 6000000\nset 1029 8\n'
  printf 'set 1003 12\nset 1004 34\nset 1005 56\nset 1006 78\nset 1007 9A\nset 1008 BC\n'
  printf 'set 1009 12\nset 1010 11\nset 1011 29\nset 1018 12\n'
  printf 'set 1019 %d\nset 1020 %d\n' "$end_month" "$end_day"
  printf 'set 1030 %d\nset 1031 0\nset 1032 0\nset 1033 %d\nset 1034 59\nset 1035 59\n' "$first" "$last"
  for id in 1021 1022 1023 1024 1025 1026; do echo "set $id 31"; done
  printf 'set 1027 7\nset 1028 7\ncheck 953 1\n'
} > "$case_file"

rm -rf "$out/run"
mkdir -p "$out/run"
wine_session_begin "$out/prefix"
start_private_xvfb "$out/display" || { echo "window_speed: Xvfb did not start" >&2; exit 1; }
prepare_headless_prefix "$out/bin/open_recorder.exe"
open_log=$WINEPREFIX/drive_c/e2e/open_log.txt

best_window="" best_headless="" candidates="" failed=0
for run in $(seq "$runs"); do
  # Headless: its file is the one the window's must equal.
  headless_out=$out/run/headless-$run.txt
  report=$(wine "$out/bin/headless_speed.exe" "$end_month" "$end_day" "$first" "$last" "$(winpath "$headless_out")" 2>/dev/null |
           tr -d '\r')
  ms=$(sed -n 's/^ms //p' <<<"$report")
  candidates=$(sed -n 's/^candidates //p' <<<"$report")
  [ -n "$ms" ] || { echo "window_speed: the headless search failed" >&2; exit 1; }
  echo "run $run headless: $ms ms, $candidates candidates, $(sed -n 's/^rows //p' <<<"$report") rows," \
       "engine $(sed -n 's/^engine //p' <<<"$report")"
  [ -z "$best_headless" ] || [ "$ms" -lt "$best_headless" ] && best_headless=$ms

  # Window: the driver fills the window, presses the start button and
  # compares result.txt with the headless file byte for byte.
  dir=$out/run/window-$run
  mkdir -p "$dir"
  log=$(wine "$out/bin/e2e_driver.exe" search "$(winpath "$root/build/win/morvane.exe")" "$(winpath "$dir")" \
        "$(winpath "$case_file")" "$(winpath "$headless_out")" "$(winpath "$open_log")" 2>/dev/null | tr -d '\r')
  ms=$(sed -n 's/^PASS search: the start command returns when the search has ended (\([0-9]*\) ms)$/\1/p' <<<"$log")
  if [ -z "$ms" ] || grep -q '^FAIL' <<<"$log"; then
    printf '%s\n' "$log" | sed 's/^/  /' >&2
    failed=1
  fi
  grep -q '^PASS search: search: result.txt is byte-identical' <<<"$log" || failed=1
  [ -n "$ms" ] || { echo "window_speed: the window search failed" >&2; exit 1; }
  echo "run $run window: $ms ms, result.txt $(grep -q '^PASS search: search: result.txt is byte-identical' <<<"$log" &&
       echo identical || echo DIFFERENT) to the headless file ($(stat -c %s "$dir/result.txt" 2>/dev/null) bytes)"
  [ -z "$best_window" ] || [ "$ms" -lt "$best_window" ] && best_window=$ms
done

[ "$best_window" -gt 0 ] && [ "$best_headless" -gt 0 ] || { echo "window_speed: runs too short to time" >&2; exit 1; }
echo "window: $((candidates * 1000 / best_window))"
echo "headless: $((candidates * 1000 / best_headless))"
echo "ratio: $(awk -v w="$best_window" -v h="$best_headless" 'BEGIN { printf "%.1f", 100 * h / w }')"
exit $failed
