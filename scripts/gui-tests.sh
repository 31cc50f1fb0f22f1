#!/usr/bin/env bash
# Runs the GUI tests of the Windows build under Wine. Meant to run inside a
# virtual display (see test.sh). A persistent wineserver makes each test start
# in a fraction of a second; its services must be up before ctest runs, or
# they inherit ctest's pipe. They run in a copy of the prefix
# (wine-prefix-copy.sh), whose server ends with this script.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/wine-prefix-copy.sh
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv=d"
# A test start that Wine's loader gives up on is started again (wine-run.sh).
export OSTREL_WINE_RESTART_SILENT=1
/usr/lib/wine/wineserver -p >/dev/null 2>&1
/usr/lib/wine/wine64 cmd /c exit >/dev/null 2>&1 || true
# A test stuck behind a box nobody answers fails by name, not by the clock of the whole run.
(cd build/win && ctest --output-on-failure --timeout 180 "$@")
