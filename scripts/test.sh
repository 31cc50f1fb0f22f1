#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests (under ASan
# and UBSan), the fuzz targets over their committed corpora, and the GUI
# tests of the Windows build under Wine in a virtual display, and the
# installer's install, upgrade and uninstall under Wine; first, the check of
# the layer order (scripts/check-layers.sh). Ends with one
# line that counts the whole run.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash scripts/setup.sh
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
status=0
passed=0
failed=0

# Adds the counts of ctest's closing line ("N% tests passed, F tests failed
# out of T") in a log to the totals; a run that printed no such line failed.
count_ctest() {
  local line
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1 || true)
  if [ -z "$line" ]; then
    echo "$2: no test ran"; failed=$((failed + 1)); status=1; return
  fi
  local f t
  f=$(sed -E 's/.*, ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  t=$(sed -E 's/.*, ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
  echo "$2: $((t - f)) passed, $f failed"
  passed=$((passed + t - f)); failed=$((failed + f))
  summary+=("$2: $((t - f)) passed, $f failed")
}
summary=()

echo "== the layer order"
if bash scripts/check-layers.sh; then
  passed=$((passed + 1)); summary+=("layer check: 1 passed, 0 failed")
else
  failed=$((failed + 1)); status=1; summary+=("layer check: 0 passed, 1 failed")
fi

echo "== native unit tests"
bash scripts/build.sh native
# A test that hangs fails by name rather than holding the run to its end.
(cd build/native && ctest --output-on-failure --timeout 600 -j"$(nproc)") 2>&1 | tee "$logs/native.log" || status=1
count_ctest "$logs/native.log" "native unit tests"

if ls fuzz/*.cpp >/dev/null 2>&1; then
  echo "== fuzz targets over their corpora"
  bash scripts/build.sh fuzz
  fuzz_passed=0 fuzz_failed=0
  for target in fuzz/*.cpp; do
    name=$(basename "$target" .cpp)
    corpus="fuzz/corpus/$name"
    [ -d "$corpus" ] || continue
    if build/fuzz/"$name" -runs=0 "$corpus" >"$logs/fuzz-$name.log" 2>&1; then
      echo "$name: corpus of $(ls "$corpus" | wc -l) inputs replayed cleanly"
      fuzz_passed=$((fuzz_passed + 1))
    else
      tail -n 30 "$logs/fuzz-$name.log"; fuzz_failed=$((fuzz_failed + 1)); status=1
    fi
  done
  passed=$((passed + fuzz_passed)); failed=$((failed + fuzz_failed))
  summary+=("fuzz corpora: $fuzz_passed passed, $fuzz_failed failed")
fi

echo "== Windows build and GUI tests under Wine"
bash scripts/build.sh windows
if [ -f build/win/ostrel_gui_tests.exe ]; then
  # xvfb-run is a POSIX shell script, so the runner is a script of its own
  # rather than an exported function.
  xvfb-run -a -s "-screen 0 1280x1024x24" bash scripts/gui-tests.sh 2>&1 | tee "$logs/gui.log" || status=1
  count_ctest "$logs/gui.log" "GUI tests"
else
  echo "GUI tests: ostrel_gui_tests.exe was not built"; status=1; failed=$((failed + 1))
fi

echo "== the setup file under Wine: install, upgrade, uninstall"
if bash scripts/dist-test.sh; then
  passed=$((passed + 1)); summary+=("installer test: 1 passed, 0 failed")
else
  failed=$((failed + 1)); status=1; summary+=("installer test: 0 passed, 1 failed")
fi

echo "== summary"
for line in "${summary[@]}"; do echo "  $line"; done
[ "$failed" -eq 0 ] || status=1
echo "make test: $passed passed, $failed failed"
exit $status
