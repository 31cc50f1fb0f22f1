#!/usr/bin/env bash
# Runs a Windows program of the build under Wine with the project's prefix.
# Used by CTest as the cross-compiling emulator, so it must stay quiet.
export WINEPREFIX="${WINEPREFIX:-$HOME/.cache/ostrel/wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No sound hardware here: keep the ALSA driver from complaining in tests.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winealsa.drv=d}"

# The GUI suite sets OSTREL_WINE_RESTART_SILENT. Every test program there
# prints Google Test's lines first, so a run that fails having printed nothing
# at all never reached the program: Wine's loader gave up before it (seen once
# in a few hundred test starts on a fresh machine, in 0.01 s). Such a run is
# started once more, and says so; any run that printed anything stands.
if [ -n "${OSTREL_WINE_RESTART_SILENT:-}" ]; then
  out=$(mktemp)
  trap 'rm -f "$out"' EXIT
  for attempt in 1 2; do
    /usr/lib/wine/wine64 "$@" >"$out" 2>&1
    rc=$?
    cat "$out"
    if [ "$rc" -eq 0 ] || [ -s "$out" ]; then exit "$rc"; fi
    echo "wine-run: $1 ended at once with status $rc and printed nothing (start $attempt)" >&2
  done
  exit "$rc"
fi
exec /usr/lib/wine/wine64 "$@"
