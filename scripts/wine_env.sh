# Sourced by scripts/e2e.sh, scripts/run.sh and scripts/window_speed.sh: the Win32 test tools, a
# private Xvfb and a prepared Wine prefix. Expects $root (the repository).

# Japanese code page, no Wine debug noise, no Mono or Gecko installers and
# no desktop menu entries.
wine_env_exports() {
  export LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8 WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
}

# wine_session_begin PREFIX: the Wine environment with WINEPREFIX=PREFIX, and
# its Wine processes and the private Xvfb (if one was started) ended on
# every exit of the calling script.
wine_session_begin() {
  wine_env_exports
  export WINEPREFIX=$1
  xvfb_pid=""
  trap wine_session_end EXIT
  trap 'exit 130' INT TERM
}
wine_session_end() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}

winpath() { printf 'Z:%s' "${1//\//\\}"; }

# build_win_tools DIR: the driver and the open recorder, cross-compiled.
build_win_tools() {
  local mingw="x86_64-w64-mingw32-g++ -std=c++17 -O2 -Wall -Wextra -Werror -fexec-charset=CP932 -static -I$root"
  mkdir -p "$1" &&
    $mingw "$root/tests/e2e/e2e_driver.cpp" "$root/tests/e2e/e2e_stress.cpp" -o "$1/e2e_driver.exe" &&
    $mingw -mwindows "$root/tests/e2e/open_recorder.cpp" -o "$1/open_recorder.exe"
}

# start_private_xvfb FILE: starts Xvfb on a free display (it picks one and
# writes it to FILE), exports DISPLAY and sets xvfb_pid.
start_private_xvfb() {
  local file=$1
  : > "$file"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$file" >/dev/null 2>&1 </dev/null &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$file" ] && break; sleep 0.1; done
  [ -s "$file" ] || return 1
  export DISPLAY=":$(head -n1 "$file")"
}

# prepare_headless_prefix RECORDER: boots $WINEPREFIX when new, lets Wine draw
# the frames itself and not wait for a window manager (there is none: a
# managed window costs two seconds at every dialog and window close), and
# points the shell's "open" of .txt files to RECORDER, which logs to
# C:\e2e\open_log.txt instead of opening a viewer.
prepare_headless_prefix() {
  [ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
  wineserver -p || true  # one server for all the runs that follow (fails when one already runs)
  mkdir -p "$WINEPREFIX/drive_c/e2e"
  cp "$1" "$WINEPREFIX/drive_c/e2e/open_recorder.exe"
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  # Wine draws the caption buttons with glyphs of its Marlett font, which
  # the prefix does not get on its own here; without it the title bar shows
  # the letters "0 1 r" in their place. Debian's fonts-wine brings the font.
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  # The dialogs' "MS Shell Dlg" has no Japanese glyphs of its own here.
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS Shell Dlg' /d IPAPGothic /f >/dev/null 2>&1
  wine reg add 'HKCR\.txt' /ve /d morvane_e2e_txt /f >/dev/null 2>&1
  wine reg add 'HKCR\morvane_e2e_txt\shell\open\command' /ve /d '"C:\e2e\open_recorder.exe" "%1"' /f \
    >/dev/null 2>&1
}

# shot_window RECT OUT: screenshot of the screen, cut to "RECT x y w h",
# without time stamps so an unchanged window gives the same file.
shot_window() {
  local x y w h
  read -r _ x y w h <<<"$1"
  import -display "$DISPLAY" -window root "$2.screen.png" 2>/dev/null &&
    convert "$2.screen.png" -crop "${w}x${h}+${x}+${y}" +repage -strip -define png:exclude-chunks=date,time \
      "$2" && rm -f "$2.screen.png"
}
