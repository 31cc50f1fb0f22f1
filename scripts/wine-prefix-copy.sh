# Sourced by the scripts that run the build's Windows programs under Wine on a
# virtual display of their own: the GUI tests, the benchmarks, the screenshot
# of make run. A Wine prefix has one wineserver. A program already open in the
# prefix (make run) keeps it, with Wine's desktop on that program's display,
# where windows of another display fail with X errors; and ending the server,
# as these scripts do when they are done, would end that program too. So they
# run in a copy of the prefix with a server of their own; the server and the
# copy go when the sourcing script exits.
wine_prefix_copy=$(mktemp -d /tmp/ostrel-wine.XXXXXX)
cp -a "${WINEPREFIX:-$HOME/.cache/ostrel/wine}" "$wine_prefix_copy/wine"
export WINEPREFIX="$wine_prefix_copy/wine"
trap '/usr/lib/wine/wineserver -k >/dev/null 2>&1 || true; rm -rf "$wine_prefix_copy"' EXIT
