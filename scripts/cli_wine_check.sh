#!/bin/bash
# The Windows console build of morvane-cli under Wine against the native one:
# the same result bytes for a few searches (Timer0/VCount ranges with key
# input, UTF-8 to standard output, a saved settings file, the shards of a
# search), the same inspections and calibrations, the same saved settings
# and config.txt, and the same exit code and message for bad input. Prints
# "N passed, M failed" last and exits non-zero when any check failed.
#   cli_wine_check.sh [native build, default build/native] [Windows build, default build/win]
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
native=$root/${1:-build/native}/morvane-cli
windows=$root/${2:-build/win}/morvane-cli.exe
for program in "$native" "$windows"; do
  [ -x "$program" ] || { echo "cli_wine_check: $program is missing"; echo "0 passed, 1 failed"; exit 1; }
done

source scripts/wine_env.sh
work=$(dirname "$windows")/cli-wine-check
rm -rf "$work/input"
mkdir -p "$work/input"
wine_session_begin "$work/prefix"
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1

console=(--game B --mac 12-34-56-78-9A-BC --vcount 60 --timer0 C79 --gxstat 6000000 --frame 8
  --from 2012-11-29 --to 2012-11-29 -q)
passed=0
failed=0
# check NAME ARGS...: runs both programs in fresh folders (holding only
# $work/input/*) with ARGS and compares exit code, standard output, standard
# error and config.txt (the system's line ends aside) and every file written.
check() {
  local name=$1; shift
  for dir in native windows; do
    rm -rf "$work/$dir" && mkdir -p "$work/$dir" && cp -r "$work/input/." "$work/$dir/"
  done
  (cd "$work/native" && "$native" "$@" >stdout 2>stderr; echo $? >code)
  (cd "$work/windows" && wine "$windows" "$@" >stdout 2>stderr.crlf; echo $? >code
   tr -d '\r' <stderr.crlf >stderr && rm stderr.crlf
   # config.txt is a text-mode file, CR LF on Windows as the window writes it.
   if [ -f config.txt ]; then tr -d '\r' <config.txt >config.lf && mv config.lf config.txt; fi)
  if diff -r "$work/native" "$work/windows" >/dev/null; then
    passed=$((passed + 1))
    echo "cli_wine_check $name: PASS (exit $(cat "$work/native/code"), $(cat "$work/native"/* | wc -c) bytes)"
  else
    failed=$((failed + 1)); echo "cli_wine_check $name: FAIL"
    diff -r "$work/native" "$work/windows" | head -5
  fi
}

check ranges "${console[@]}" --vcount 60-61 --timer0 C79-C7A --time 13:45:00-13:45:09 --keys
check utf8 "${console[@]}" --mode breeding --time 13:45:00-13:45:59 --utf8 -o -
check saved "${console[@]}" --mode delivery --hours 13 --minutes 0-9 --iv-min "25 0 0 0 0 0" \
  --save-settings saved.txt --no-search
sed 's/^deliveryNature = 0$/deliveryNature = 4/' "$work/native/saved.txt" >"$work/input/saved.txt"
check settings --settings saved.txt -o result.txt -q
check refused "${console[@]}" --from 2012-13-01
# The three shards of a search over Timer0 and VCount ranges.
for k in 1 2 3; do
  check "shard-$k" "${console[@]}" --vcount 60-61 --timer0 C79-C7A --time 13:45:00-13:45:04 --keys \
    --usable-keys "1 1 1 1 0 0 0 0 0 0" --shard $k/3
done
check inspect "${console[@]}" --iv-consumption 0-20 --pid-consumption 0-80 inspect --at 2012-11-29T14:58:21 \
  --held "B St Right Left Down R L"
check inspect-seed inspect --seed 6266D11A5ECD9A72 --utf8 --mode grotto
check inspect-refused inspect --seed 6266D11A5ECD9A7
# Calibration: the worked example's boots (one typed a second early), the
# best console saved both ways; every Timer0 and VCount for a seed; a boot
# nothing gives; a refusal.
calibrate_console=(--game B --mac 12-34-56-78-9A-BC --gxstat 6000000 --frame 8 --iv-consumption 0-30 -q)
printf '%s\n' '# the worked example' '2012-11-29T17:58:35 held=B,St,Left,R,L ivs=31,31,31,8,31,31' \
  '2012-11-29T13:45:07 seed=6266D11A5ECD9A72' >"$work/input/boots.txt"
check calibrate "${calibrate_console[@]}" --timer0 C00-CFF --vcount 50-6F --save-settings best.txt calibrate \
  --at 2012-11-29T14:58:21 --held "B St Right Left Down R L" --ivs 31,31,31,26,31,31 --boots boots.txt \
  --frame 8-9 --write-config
check calibrate-full-range "${calibrate_console[@]}" calibrate --at 2012-11-29T13:45:07 --seed 6266D11A5ECD9A72 \
  --utf8 -o report.txt
check calibrate-nothing "${calibrate_console[@]}" --timer0 C79 --vcount 60 --save-settings best.txt calibrate \
  --boot "2012-11-29T14:58:21 ivs=0,0,0,0,0,0" --write-config
check calibrate-refused "${calibrate_console[@]}" calibrate --at 2012-11-29T14:58:21 --ivs 31,31,31,26,31,31 \
  --tolerance 61
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
