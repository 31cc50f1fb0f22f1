#!/usr/bin/env bash
# Runs a Windows program of the build under Wine with the project's prefix.
# Used by CTest as the cross-compiling emulator, so it must stay quiet.
export WINEPREFIX="${WINEPREFIX:-$HOME/.cache/ostrel/wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No sound hardware here: keep the ALSA driver from complaining in tests.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winealsa.drv=d}"
exec /usr/lib/wine/wine64 "$@"
