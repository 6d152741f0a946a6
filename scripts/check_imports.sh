#!/bin/bash
# Checks that the Windows programs import nothing but the system's user
# interface, graphics, shell and kernel DLLs and the C runtime.
#   check_imports.sh [build directory, default build/win]
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${1:-build/win}"
allowed="KERNEL32.dll USER32.dll GDI32.dll SHELL32.dll msvcrt.dll"
status=0
for program in morvane.exe morvane-hscroll.exe; do
  exe="$dir/$program"
  if [ ! -f "$exe" ]; then
    echo "check_imports: $exe is missing" >&2
    status=1
    continue
  fi
  dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
  if [ -z "$dlls" ]; then
    echo "check_imports: $exe shows no import table" >&2
    status=1
    continue
  fi
  for dll in $dlls; do
    ok=0
    for a in $allowed; do
      # DLL names are case-insensitive on Windows.
      if [ "${dll,,}" = "${a,,}" ]; then ok=1; fi
    done
    if [ "$ok" = 0 ]; then
      echo "check_imports: $exe imports $dll" >&2
      status=1
    fi
  done
  if [ "$status" = 0 ]; then echo "check_imports: $program imports $(echo $dlls)"; fi
done
exit "$status"
