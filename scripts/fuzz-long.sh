#!/usr/bin/env bash
# Runs every fuzz target long: up to 10 million inputs or two hours each,
# whichever comes first, under ASan and UBSan (the fuzz build). New inputs go
# to build/fuzz/corpus-long/<target> (the committed corpus in fuzz/corpus is
# read, never written); a crash leaves its input in build/fuzz/artifacts/.
# The counts per target are printed and kept in build/fuzz/fuzz-long.txt.
#
#   scripts/fuzz-long.sh [TARGET...]     (default: every fuzz/*.cpp)
#   FUZZ_RUNS=N FUZZ_SECONDS=S           to run shorter
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
runs=${FUZZ_RUNS:-10000000}
seconds=${FUZZ_SECONDS:-7200}
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in fuzz/*.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi
mkdir -p build/fuzz/artifacts
summary=build/fuzz/fuzz-long.txt
: >"$summary"
status=0
for name in "${targets[@]}"; do
  binary=build/fuzz/$name
  [ -x "$binary" ] || { echo "fuzz-long: $binary is not built (make fuzz)" >&2; exit 2; }
  mkdir -p "build/fuzz/corpus-long/$name"
  log=build/fuzz/$name-long.log
  echo "== $name: up to $runs inputs or $seconds s"
  "$binary" -runs="$runs" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="build/fuzz/artifacts/$name-" \
    "build/fuzz/corpus-long/$name" "fuzz/corpus/$name" >"$log" 2>&1
  code=$?
  done_line=$(grep -E '^Done [0-9]+ runs' "$log" | tail -n 1)
  execs=$(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}')
  if [ $code -eq 0 ]; then
    line="$name: ${done_line:-done} ($execs inputs)"
  else
    line="$name: FAILED after ${execs:-?} inputs (exit $code), see $log"
    status=1
  fi
  echo "$line" | tee -a "$summary"
done
echo "fuzz-long: summary in $summary"
exit $status
