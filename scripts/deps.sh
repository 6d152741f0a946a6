#!/bin/bash
# Installs the Debian packages a step needs when any of them is missing.
#   deps.sh native   compiler, CMake, GoogleTest, CLI11
#   deps.sh win      MinGW-w64 cross compiler (posix thread model)
#   deps.sh clang    clang 14 and its sanitizer and libFuzzer runtimes
#   deps.sh wine     Wine, Xvfb, Japanese fonts and locale, ImageMagick
set -euo pipefail
packages=()
for group in "$@"; do
  case "$group" in
    native) packages+=(g++ cmake make libgtest-dev libcli11-dev) ;;
    win) packages+=(g++-mingw-w64-x86-64 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64) ;;
    clang) packages+=(clang-14 libclang-rt-14-dev) ;;
    wine) packages+=(wine wine64 xvfb xdotool x11-utils imagemagick fonts-ipafont-gothic locales) ;;
    *) echo "deps.sh: unknown group $group" >&2; exit 2 ;;
  esac
done
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi
for group in "$@"; do
  if [ "$group" = wine ] && ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
    SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
    $SUDO localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
  fi
done
