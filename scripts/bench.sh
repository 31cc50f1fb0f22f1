#!/usr/bin/env bash
# Runs every benchmark program of the optimised build (make bench), then
# prints the performance table: each program with figures (bench/bench_figures.h)
# adds its rows to build/bench/table.txt. The Windows paint benchmark runs
# under Wine instead: make bench-win.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
table=build/bench/table.txt
: > "$table"
export OSTREL_BENCH_TABLE="$PWD/$table"
for source in bench/*.cpp; do
  name=$(basename "$source" .cpp)
  [ -x "build/bench/$name" ] || continue
  echo "== $name"
  "build/bench/$name" "$@"
done
# Start-up under Wine, when the Windows build has its benchmark (make bench-win
# builds it); the table's path is handed over in Windows form.
startup_win=build/win/ostrel_startup_bench.exe
if [ -f "$startup_win" ] && command -v xvfb-run >/dev/null && [ -x /usr/lib/wine/wine64 ]; then
  echo "== ostrel_startup_bench (under Wine)"
  source scripts/wine-prefix-copy.sh
  (cd build/win && OSTREL_BENCH_TABLE="$(WINEDEBUG=-all winepath -w "$OSTREL_BENCH_TABLE" 2>/dev/null)" \
    xvfb-run -a -s "-screen 0 1280x1024x24" ../../scripts/wine-run.sh ./ostrel_startup_bench.exe)
else
  echo "02 | start-up under Wine with the demo data and the virtual device ÷ a bare Win32 program that opens one window | not measured: the Windows benchmarks are not built (make bench-win) | ≤ 1.3 | | |" >> "$table"
fi
# Rows that make bench does not measure, in their places.
cat >> "$table" <<'ROWS'
03 | full repaint of the main window, graphic view, under Wine | not measured here: make bench-win (BM_RepaintGraphicView) | ≤ 8 ms | | |
10 | `make test` from a clean clone on a fresh machine | not measured by make bench | ≤ 12 min | | |
ROWS
echo
echo "== Performance table (CPU time; figure = median ours ÷ median reference)"
echo "| figure | today | goal | ours min / median | reference min / median |"
echo "|---|---|---|---|---|"
sort -n "$table" | cut -d' ' -f2-
