#!/usr/bin/env bash
# make bench-win: the main window's paint and the start-up timed under Wine,
# each in a virtual display, in a copy of the prefix (wine-prefix-copy.sh).
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/wine-prefix-copy.sh
cd build/win
status=0
for bench in ostrel_paint_bench.exe ostrel_startup_bench.exe; do
  xvfb-run -a -s "-screen 0 1280x1024x24" ../../scripts/wine-run.sh "./$bench" || status=1
done
exit $status
