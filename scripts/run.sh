#!/bin/bash
# "make run": builds the Windows program and starts it under Wine in run/,
# where its "config.txt" and "result.txt" live. With a display it opens the
# window there until it is closed. Without one it runs the window in a
# private Xvfb, makes a demonstration search through the window (the e2e
# driver types the settings and presses "検索開始"), takes a screenshot and
# prints where the screenshot and "result.txt" are.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
source scripts/wine_env.sh

bash scripts/deps.sh native win wine
bash scripts/build.sh win
mkdir -p run
wine_env_exports

if [ -n "${DISPLAY:-}" ]; then
  export WINEPREFIX=${WINEPREFIX:-$root/build/wine}
  cd run
  exec wine "$root/build/win/morvane.exe"
fi

out=$root/build/run-headless
mkdir -p "$out"
build_win_tools "$out/bin"
wine_session_begin "$out/prefix"
start_private_xvfb "$out/display" || { echo "run: Xvfb did not start" >&2; exit 1; }
echo "no DISPLAY: running the window in a private Xvfb ($DISPLAY)"
prepare_headless_prefix "$out/bin/open_recorder.exe"
rm -f "$WINEPREFIX/drive_c/e2e/open_log.txt"

driver() { wine "$out/bin/e2e_driver.exe" "$@" > "$out/driver.txt" 2>/dev/null; }
driver demo "$(winpath "$root/build/win/morvane.exe")" "$(winpath "$root/run")" \
  "$(winpath "$root/tests/e2e/cases/demo.case")" || { echo "run: the demonstration search failed" >&2; exit 1; }
sleep 0.5
shot_window "$(grep '^RECT' "$out/driver.txt")" "$root/run/screenshot.png"
driver quit || true
rows=$(($(wc -l < run/result.txt) - 1))
echo "demonstration search: $rows rows"
grep -q 'result.txt' "$WINEPREFIX/drive_c/e2e/open_log.txt" 2>/dev/null &&
  echo "the program handed result.txt to the shell's \"open\" at the end of the search"
echo "screenshot: $root/run/screenshot.png"
echo "result: $root/run/result.txt"
