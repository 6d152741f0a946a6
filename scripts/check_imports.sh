#!/bin/bash
# Checks that Windows programs import nothing but the system's user
# interface, graphics, shell and kernel DLLs and the C runtime (a console
# program may import fewer of them). Prints one line per program and exits 1
# when a program is missing, shows no import table or imports anything else.
#   check_imports.sh [PROGRAM.exe...]   (default: the programs of build/win)
set -euo pipefail
cd "$(dirname "$0")/.."
programs=("$@")
[ ${#programs[@]} -gt 0 ] || programs=(build/win/morvane.exe build/win/morvane-hscroll.exe build/win/morvane-cli.exe)
allowed="KERNEL32.dll USER32.dll GDI32.dll SHELL32.dll msvcrt.dll"
objdump=$(command -v x86_64-w64-mingw32-objdump || command -v objdump) ||
  { echo "check_imports: no objdump" >&2; exit 1; }

status=0
for exe in "${programs[@]}"; do
  if [ ! -f "$exe" ]; then
    echo "check_imports: $exe is missing" >&2
    status=1
    continue
  fi
  dlls=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
  if [ -z "$dlls" ]; then
    echo "check_imports: $exe shows no import table" >&2
    status=1
    continue
  fi
  bad=""
  for dll in $dlls; do
    ok=0
    for a in $allowed; do
      # DLL names are case-insensitive on Windows.
      if [ "${dll,,}" = "${a,,}" ]; then ok=1; fi
    done
    [ "$ok" = 1 ] || bad="$bad $dll"
  done
  if [ -n "$bad" ]; then
    echo "check_imports: $(basename "$exe") imports$bad, beyond $allowed" >&2
    status=1
  else
    echo "check_imports: $(basename "$exe") imports $(echo $dlls)"
  fi
done
exit "$status"
