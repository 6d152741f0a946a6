#!/bin/bash
# Installs the Debian packages a step needs when any of them is missing.
#   deps.sh native   compiler, CMake, GoogleTest, CLI11
#   deps.sh win      MinGW-w64 cross compiler (posix thread model)
#   deps.sh clang    clang 14 and its sanitizer and libFuzzer runtimes
#   deps.sh wine     Wine with its own fonts, Xvfb, Japanese fonts and locale,
#                    ImageMagick (screenshots), e2fsprogs (chattr, for the
#                    read-only folder test when run as root)
#   deps.sh web      Emscripten (with Debian's acorn), Chromium for the browser
#                    tests, and nodejs with npm when there is no node
# The README's set-up section lists the same packages.
set -euo pipefail
packages=()
for group in "$@"; do
  case "$group" in
    native) packages+=(g++ cmake make libgtest-dev libcli11-dev) ;;
    win) packages+=(g++-mingw-w64-x86-64 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64) ;;
    clang) packages+=(clang-14 libclang-rt-14-dev) ;;
    wine) packages+=(wine wine64 fonts-wine xvfb imagemagick fonts-ipafont-gothic locales e2fsprogs) ;;
    web) packages+=(emscripten node-acorn chromium)
         # A node from elsewhere (with its own npm) serves as well.
         command -v node >/dev/null && command -v npm >/dev/null || packages+=(nodejs npm) ;;
    *) echo "deps.sh: unknown group $group" >&2; exit 2 ;;
  esac
done
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  # apt's own lines (what it fetches and sets up, and the disk it takes) show
  # that the first run, which downloads several hundred megabytes, is moving.
  echo "deps: installing ${missing[*]} and what they need"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "${missing[@]}"
  echo "deps: installed"
fi
for group in "$@"; do
  if [ "$group" = wine ] && ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
    SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
    $SUDO localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
  fi
done
