#!/usr/bin/env bash
# Starts the program given as $1 under Wine inside the current (virtual)
# display, waits for its main window, saves a picture of the screen to $2 and
# stops Wine again. run.sh calls it inside xvfb-run.
set -uo pipefail
exe=$1 shot=$2
/usr/lib/wine/wine64 "$exe" &
pid=$!
found=""
for _ in $(seq 1 120); do
  found=$(xdotool search --onlyvisible --name '^Ostrel' 2>/dev/null | head -n 1 || true)
  [ -n "$found" ] && break
  sleep 0.5
done
if [ -z "$found" ]; then
  echo "run: the main window did not appear" >&2
  /usr/lib/wine/wineserver -k || true
  exit 1
fi
sleep 3   # let it finish loading the demo banks and painting
status=0
import -window root "$shot" || status=1
/usr/lib/wine/wineserver -k || true
wait "$pid" 2>/dev/null || true
if [ $status -ne 0 ] || [ ! -s "$shot" ]; then
  echo "run: the screenshot could not be saved" >&2
  exit 1
fi
