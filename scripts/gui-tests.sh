#!/usr/bin/env bash
# Runs the GUI tests of the Windows build under Wine. Meant to run inside a
# virtual display (see test.sh). A persistent wineserver makes each test start
# in a fraction of a second; its services must be up before ctest runs, or
# they inherit ctest's pipe.
#
# The tests run in a copy of the Wine prefix, with a wineserver of their own:
# a program already running in the prefix (make run) has the prefix's server
# and its desktop on another display, where the tests' windows failed with X
# errors, and the server's end below would have ended that program too.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source_prefix="${WINEPREFIX:-$HOME/.cache/ostrel/wine}"
work=$(mktemp -d /tmp/ostrel-gui-tests.XXXXXX)
cp -a "$source_prefix" "$work/wine"
export WINEPREFIX="$work/wine" WINEDEBUG=-all
trap '/usr/lib/wine/wineserver -k >/dev/null 2>&1; rm -rf "$work"' EXIT
export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv=d"
# A test start that Wine's loader gives up on is started again (wine-run.sh).
export OSTREL_WINE_RESTART_SILENT=1
/usr/lib/wine/wineserver -p >/dev/null 2>&1
/usr/lib/wine/wine64 cmd /c exit >/dev/null 2>&1 || true
(cd build/win && ctest --output-on-failure "$@")
