#!/bin/bash
# Checks that the source floors include only downwards:
#   res (plain #defines) < seed < ui < modes < engine < app < cli < web
# A file may include headers of its own folder and of the folders below it,
# never of one above it, nor anything from tests/, bench/ or fuzz/. Since the
# order is total, no two folders can include each other. tests/, bench/ and
# fuzz/ may include anything; web/ (the page's glue) stands above cli/. <windows.h> belongs to the Win32 layer alone:
# files ending in _win.cpp or _win.h, and the resource script.
# Prints file:line for every offence and exits 1 when there is one.
#   check_layers.sh [repository, default the one this script is in]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

floors="res seed ui modes engine app cli web"

# The rank of a folder; folders that are no floor rank above all of them.
rank() {
  local i=0 f
  for f in $floors; do
    [ "$f" = "$1" ] && { echo "$i"; return; }
    i=$((i + 1))
  done
  echo 99
}

status=0
files=$(for f in $floors; do
  if [ -d "$f" ]; then find "$f" -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.rc' \); fi
done | sort)

for file in $files; do
  folder=${file%%/*}
  own=$(rank "$folder")
  # Every #include, quoted or angled, with its line number.
  while IFS=: read -r line text; do
    target=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^">]*)[">].*/\1/' <<<"$text")
    if [ "$target" = windows.h ] || [ "$target" = Windows.h ]; then
      case "$file" in
        *_win.cpp | *_win.h | *.rc) ;;
        *) echo "$file:$line: includes <windows.h> outside the Win32 layer (*_win.cpp, *_win.h)"
           status=1 ;;
      esac
      continue
    fi
    # A quoted name is looked up beside the file first, then from the root.
    if [[ "$text" =~ \" ]] && [ -f "$(dirname "$file")/$target" ]; then
      resolved=$(realpath -m --relative-to=. "$(dirname "$file")/$target")
    elif [ -f "$target" ]; then
      resolved=$target
    else
      continue  # the standard library or a system header
    fi
    to=${resolved%%/*}
    [ "$to" = "$resolved" ] && continue  # a file at the root (none is a header)
    [ "$to" = "$folder" ] && continue
    to_rank=$(rank "$to")
    if [ "$to_rank" -eq 99 ]; then
      echo "$file:$line: $folder/ includes $resolved, which belongs to no floor ($to/)"
      status=1
    elif [ "$to_rank" -gt "$own" ]; then
      echo "$file:$line: $folder/ includes $resolved from a higher floor ($to/)"
      status=1
    fi
  done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' "$file" || true)
done

if [ "$status" -eq 0 ]; then
  echo "check_layers: every floor includes only its own and lower floors ($floors)"
fi
exit "$status"
