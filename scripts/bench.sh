#!/usr/bin/env bash
# Runs every benchmark program of the optimised build (make bench). The
# Windows paint benchmark runs under Wine instead: make bench-win.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
for source in bench/*.cpp; do
  name=$(basename "$source" .cpp)
  [ -x "build/bench/$name" ] || continue
  echo "== $name"
  "build/bench/$name" "$@"
done
