#!/usr/bin/env bash
# Builds the Windows program and starts it under Wine with the demo data and
# the virtual device. Without a display it starts in a virtual one, saves a
# screenshot to build/ostrel-screenshot.png and quits.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash scripts/setup.sh
bash scripts/build.sh windows
export WINEPREFIX="${WINEPREFIX:-$HOME/.cache/ostrel/wine}" WINEDEBUG="${WINEDEBUG:--all}"
export OSTREL_VIRTUAL_DEVICE=1
exe="$PWD/build/win/Ostrel.exe"
cd build/win

if [ -n "${DISPLAY:-}" ]; then
  exec /usr/lib/wine/wine64 "$exe"
fi

shot="$PWD/../ostrel-screenshot.png"
# The screenshot ends its wineserver when it is done: it runs in a copy of the
# prefix, so that a program already open in the prefix keeps running.
source ../../scripts/wine-prefix-copy.sh
# xvfb-run is a POSIX shell script: the steps inside it are a script of their
# own rather than an exported function.
xvfb-run -a -s "-screen 0 1280x800x24" bash ../../scripts/screenshot.sh "$exe" "$shot"
echo "No display: started Ostrel in a virtual one and saved a screenshot to build/ostrel-screenshot.png"
