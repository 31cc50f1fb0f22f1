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
headless() {
  /usr/lib/wine/wine64 "$1" &
  local pid=$! found=""
  for _ in $(seq 1 120); do
    found=$(xdotool search --onlyvisible --name '^Ostrel' 2>/dev/null | head -n 1 || true)
    [ -n "$found" ] && break
    sleep 0.5
  done
  if [ -z "$found" ]; then
    echo "run: the main window did not appear" >&2
    /usr/lib/wine/wineserver -k || true
    return 1
  fi
  sleep 2   # let it finish painting
  import -window root "$2"
  /usr/lib/wine/wineserver -k || true
  wait "$pid" 2>/dev/null || true
}
export -f headless
xvfb-run -a -s "-screen 0 1280x800x24" bash -c 'headless "$0" "$1"' "$exe" "$shot"
echo "No display: started Ostrel in a virtual one and saved a screenshot to build/ostrel-screenshot.png"
