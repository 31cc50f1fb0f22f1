#!/usr/bin/env bash
# Keeps the layer order of ARCHITECTURE.md: a source folder includes only
# its own headers and those of the folders below it. Prints each include
# that reaches up or sideways (file, line, include) and fails when there is
# one. A folder's *_win32 files are held to its level like the rest; the
# headless implementations of the seams (headless/) and the programs (cli/,
# tests/, bench/, fuzz/, tools/) are outside the layers. Then counts the files
# in include circles that span folders (scripts/include-circles.py), which
# must be none.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

# Lowest first; folders on one line share a level and must not include each other.
LEVELS=(
  "base"
  "plist imaging"
  "devices"
  "banks"
  "midi"
  "views"
  "shell"
)

declare -A level
for i in "${!LEVELS[@]}"; do
  for folder in ${LEVELS[$i]}; do level[$folder]=$i; done
done

violations=0
for folder in "${!level[@]}"; do
  [ -d "$folder" ] || continue
  mine=${level[$folder]}
  while IFS=: read -r file line text; do
    target=$(sed -E 's/.*#include "([A-Za-z0-9_]+)\/.*/\1/' <<<"$text")
    [ "$target" = "$folder" ] && continue
    [ -n "${level[$target]+set}" ] || continue  # resources/ and the like
    if [ "${level[$target]}" -ge "$mine" ]; then
      echo "$file:$line: $text  ($folder may not include $target)"
      violations=$((violations + 1))
    fi
  done < <(grep -nE '^#include "[A-Za-z0-9_]+/' "$folder"/*.cpp "$folder"/*.h 2>/dev/null || true)
done

status=0
if [ "$violations" -ne 0 ]; then
  echo "check-layers: $violations includes against the layer order"
  status=1
else
  echo "check-layers: every folder includes only the folders below it"
fi
python3 scripts/include-circles.py || status=1
exit $status
