#!/bin/bash
# End-to-end tests of both Windows programs under Wine, in a private Xvfb and
# a fresh Wine prefix under build/e2e/. The driver (tests/e2e/e2e_driver.cpp)
# works the window with messages; the native helper writes what the core
# gives for the same settings; the shell's "open" of .txt files points to a
# recorder, so the tests see which result files were handed to the shell.
# Every test gets a fresh working directory. Prints "N passed, M failed" last
# and exits non-zero when any test failed. E2E_ONLY=REGEX runs only the tests
# whose names match. Everything is written under build/e2e/, the screenshots
# to build/e2e/shots/ ("make screenshot" copies the main window's into docs/).
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$root/build/e2e

bash scripts/deps.sh native win wine
if [ ! -f build/win/morvane.exe ] || [ ! -f build/win/morvane-hscroll.exe ]; then
  bash scripts/build.sh win || { echo "e2e: the Windows build failed"; echo "0 passed, 1 failed"; exit 1; }
fi

source scripts/wine_env.sh

# --- tools: the driver and recorder (MinGW), the helper (native, on the core,
# a target of the native build, which the test command has built already)
mkdir -p "$out/bin"
{ [ -f build/native/CMakeCache.txt ] || cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release >/dev/null; } &&
  cmake --build build/native -j"$(nproc)" --target e2e_expected_result >/dev/null &&
  cp build/native/e2e_expected_result "$out/bin/expected_result" &&
  build_win_tools "$out/bin" ||
  { echo "e2e: building the test tools failed"; echo "0 passed, 1 failed"; exit 1; }

# --- display and prefix, both ended on every exit --------------------------------
# make_read_only DIR: a folder in which no file can be made, also for root,
# whom the permission bits do not stop (then the immutable attribute does);
# fails when neither works. writable_again DIR undoes it.
make_read_only() {
  chmod a-w "$1"
  if touch "$1/.probe" 2>/dev/null; then
    rm -f "$1/.probe"
    chattr +i "$1" 2>/dev/null || true
  fi
  if touch "$1/.probe" 2>/dev/null; then rm -f "$1/.probe"; return 1; fi
}
writable_again() { chattr -R -i "$1" 2>/dev/null; chmod -R u+w "$1" 2>/dev/null; return 0; }

[ -d "$out/run" ] && writable_again "$out/run"
rm -rf "$out/prefix" "$out/run" "$out/shots"
mkdir -p "$out/run" "$out/shots"
wine_session_begin "$out/prefix"
trap 'writable_again "$out/run"; wine_session_end' EXIT
start_private_xvfb "$out/display" || { echo "e2e: Xvfb did not start"; echo "0 passed, 1 failed"; exit 1; }
prepare_headless_prefix "$out/bin/open_recorder.exe"
open_log=$WINEPREFIX/drive_c/e2e/open_log.txt

driver() { wine "$out/bin/e2e_driver.exe" "$@" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }

passed=0
failed=0
skipped=0
# run_test NAME COMMAND...: prints the command's lines; the test passes when
# the command succeeds and printed no FAIL line, and is skipped when it
# printed only a SKIP line.
run_test() {
  local name=$1; shift
  if [ -n "${E2E_ONLY:-}" ] && ! grep -qE -- "$E2E_ONLY" <<<"$name"; then return 0; fi
  local log started=$SECONDS
  log=$("$@" 2>&1)
  local rc=$?
  [ -n "$log" ] && printf '%s\n' "$log" | sed 's/^/  /'
  if [ $rc -eq 0 ] && ! grep -q '^FAIL' <<<"$log" && grep -q '^PASS' <<<"$log"; then
    passed=$((passed + 1)); echo "TEST $name: PASS ($((SECONDS - started)) s)"
  elif [ $rc -eq 0 ] && ! grep -q '^FAIL' <<<"$log" && grep -q '^SKIP' <<<"$log"; then
    skipped=$((skipped + 1)); echo "TEST $name: SKIPPED"
  else
    failed=$((failed + 1)); echo "TEST $name: FAIL ($((SECONDS - started)) s)"
  fi
}

fresh_dir() { rm -rf "$1"; mkdir -p "$1"; }

shell_open_check() {
  local dir=$out/run/shell-open
  fresh_dir "$dir"
  printf 'header\r\n' > "$dir/result.txt"
  (cd "$dir" && driver shell-open "$(winpath "$open_log")")
}

imports_check() {
  local report
  if report=$(bash scripts/check_imports.sh "$1" 2>&1); then
    echo "PASS imports: $report"
  else
    echo "FAIL imports: $report"
  fi
}

window_test() {
  local exe=$1 dir=$2 variant=$3
  driver window "$(winpath "$exe")" "$(winpath "$dir")" "$variant"
}

search_test() {
  local exe=$1 dir=$2 case=$3
  "$out/bin/expected_result" write "$case" "$dir/../$(basename "$dir").expected" >/dev/null || return 1
  driver search "$(winpath "$exe")" "$(winpath "$dir")" "$(winpath "$case")" \
    "$(winpath "$dir/../$(basename "$dir").expected")" "$(winpath "$open_log")"
}

# A long search stopped early: the driver's part, then the file against the core.
stopped_test() {
  local kind=$1 exe=$2 dir=$3 case=$4 extra=$5 after=$6 flag=$7
  local rc=0
  driver "$kind" "$(winpath "$exe")" "$(winpath "$dir")" "$(winpath "$case")" "$extra" || rc=1
  if [ -f "$dir/result.txt" ]; then
    "$out/bin/expected_result" check "$case" "$after" "$dir/result.txt" $flag || rc=1
  fi
  return $rc
}

cases=$root/tests/e2e/cases
run_test "shell open reaches the recorder" shell_open_check

for build in morvane morvane-hscroll; do
  exe=$root/build/win/$build.exe
  variant=plain; [ "$build" = morvane-hscroll ] && variant=hscroll
  run="$out/run/$build"
  mkdir -p "$run"
  run_test "$build imports" imports_check "$exe"
  fresh_dir "$run/window"; run_test "$build window and controls" window_test "$exe" "$run/window" "$variant"
  fresh_dir "$run/dialogs"
  run_test "$build dialogs" driver dialogs "$(winpath "$exe")" "$(winpath "$run/dialogs")"
  fresh_dir "$run/config"
  run_test "$build save and reload config.txt" driver config "$(winpath "$exe")" "$(winpath "$run/config")"
  for c in "$cases"/search_*.case; do
    name=$(basename "$c" .case)
    fresh_dir "$run/$name"; run_test "$build $name" search_test "$exe" "$run/$name" "$c"
  done
  fresh_dir "$run/no-result-file"
  run_test "$build result file that cannot be opened" driver no-result-file "$(winpath "$exe")" \
    "$(winpath "$run/no-result-file")" "$(winpath "$cases/search_iv_keyinput.case")" "$(winpath "$open_log")"
  fresh_dir "$run/abort"
  run_test "$build start and abort" stopped_test abort "$exe" "$run/abort" "$cases/long_iv.case" \
    "$(winpath "$open_log")" "$cases/long_iv.case" ""
  fresh_dir "$run/dialog-during-search"
  cat "$cases/long_grotto.case" "$cases/grotto_slot_d.change" > "$run/grotto_after.case"
  run_test "$build dialog OK during a search" stopped_test dialog-during-search "$exe" \
    "$run/dialog-during-search" "$cases/long_grotto.case" "$(winpath "$cases/grotto_slot_d.change")" \
    "$run/grotto_after.case" --switch
  fresh_dir "$run/close"
  run_test "$build close during a search" stopped_test close-during-search "$exe" "$run/close" \
    "$cases/long_iv.case" "$(winpath "$open_log")" "$cases/long_iv.case" ""
done

# --- the window under stress during searches ----------------------------------------
# On morvane.exe only: the two programs differ in their edit fields alone.
stress=$out/run/stress
exe=$root/build/win/morvane.exe
for kind in presses dialogs save; do
  for close in "" -close; do
    dir=$stress/$kind$close
    fresh_dir "$dir"
    run_test "stress: $kind${close:+, window closed midway}" stopped_test "stress-$kind$close" "$exe" "$dir" \
      "$cases/long_iv.case" "$(winpath "$open_log")" "$cases/long_iv.case" ""
  done
done

# A search whose result.txt cannot be written: held open without sharing by
# the driver, or in a read-only folder (with a config.txt to load).
unwritable_test() {
  local kind=$1 dir=$2 case=$3 rc=0
  # The core's count at each day's start, for the titles of a whole search.
  if [ "$kind" = "${kind%-close}" ]; then
    "$out/bin/expected_result" days "$case" "$dir.days" >/dev/null || return 1
  fi
  if [ "${kind%-close}" = read-only ]; then
    printf '60\r\nc79\r\n6000000\r\n8\r\n12-34-56-78-9A-BC\r\n02215F10\r\n' > "$dir/config.txt"
    make_read_only "$dir" || { echo "SKIP $kind: no way to make a folder read-only for this user"; return 0; }
  fi
  driver "$kind" "$(winpath "$exe")" "$(winpath "$dir")" "$(winpath "$case")" "$(winpath "$dir.days")" \
    "$(winpath "$open_log")" || rc=1
  writable_again "$dir"
  return $rc
}
for kind in locked-result read-only; do
  for close in "" -close; do
    dir=$stress/$kind$close
    fresh_dir "$dir"
    case=$cases/days_iv.case; [ -n "$close" ] && case=$cases/long_iv.case
    run_test "stress: $kind${close:+, window closed midway}" unwritable_test "$kind$close" "$dir" "$case"
  done
done

# --- screenshots of the main window and of every dialog -------------------------------
shot() { shot_window "$2" "$out/shots/$1.png" && echo "PASS screenshot $out/shots/$1.png"; }
# The program started by "show" outlives the driver and would keep a pipe on
# the driver's output open, so these driver runs write to a file.
driver_to_file() { wine "$out/bin/e2e_driver.exe" "$@" > "$out/shots/driver.txt" 2>/dev/null; }
screenshots() {
  local dir=$out/run/shots rect
  fresh_dir "$dir"
  driver_to_file show "$(winpath "$root/build/win/morvane.exe")" "$(winpath "$dir")" \
    "$(winpath "$root/tests/e2e/cases/search_iv_keyinput.case")" || { echo "FAIL show the main window"; return 1; }
  rect=$(grep '^RECT' "$out/shots/driver.txt")
  sleep 0.5; shot main-window "$rect" || return 1
  for d in 101 102 103 105 106 107 110; do
    driver_to_file show-dialog "$d" && rect=$(grep '^RECT' "$out/shots/driver.txt") ||
      { echo "FAIL screenshot of dialog $d"; continue; }
    sleep 0.5; shot "dialog-$d" "$rect"
  done
  driver_to_file quit
  rm -f "$out/shots/driver.txt"
}
run_test "screenshots" screenshots

echo "$passed passed, $failed failed$([ "$skipped" -eq 0 ] || echo ", $skipped skipped")"
[ "$failed" -eq 0 ]
