#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests (under ASan
# and UBSan), the fuzz targets over their committed corpora, and the GUI
# tests of the Windows build under Wine in a virtual display.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash scripts/setup.sh
status=0

echo "== native unit tests"
bash scripts/build.sh native
(cd build/native && ctest --output-on-failure -j"$(nproc)") || status=1

if ls fuzz/*.cpp >/dev/null 2>&1; then
  echo "== fuzz targets over their corpora"
  bash scripts/build.sh fuzz
  for target in fuzz/*.cpp; do
    name=$(basename "$target" .cpp)
    corpus="fuzz/corpus/$name"
    [ -d "$corpus" ] || continue
    if build/fuzz/"$name" -runs=0 "$corpus" >/tmp/ostrel-fuzz-$name.log 2>&1; then
      echo "$name: corpus of $(ls "$corpus" | wc -l) inputs replayed cleanly"
    else
      tail -n 30 /tmp/ostrel-fuzz-$name.log; status=1
    fi
  done
fi

echo "== Windows build and GUI tests under Wine"
bash scripts/build.sh windows
if [ -f build/win/ostrel_gui_tests.exe ]; then
  # xvfb-run is a POSIX shell script, so the runner is a script of its own
  # rather than an exported function.
  xvfb-run -a -s "-screen 0 1280x1024x24" bash scripts/gui-tests.sh || status=1
fi

if [ $status -ne 0 ]; then echo "make test: FAILED"; else echo "make test: all passed"; fi
exit $status
