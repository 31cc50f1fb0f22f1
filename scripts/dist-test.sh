#!/usr/bin/env bash
# The setup file under Wine, as a Windows user meets it:
#   1. a silent install (/S) of an "older version" (this one's files labelled
#      1.0, with one more help page) into the default per-user folder;
#   2. the installed program started, its main window found, a new bank made
#      and saved and the program quit through its own menu commands (by
#      tests/dist/dist_driver_win32.cpp), which writes Settings.cfg; a rom.xml
#      put where a device's would be; a demo bank edited; a help page spoilt;
#   3. this version installed over it: the user's files as they were, the
#      shipped ones as shipped, the older version's extra page gone; the
#      program, ostrel-cli, Start menu shortcut and Apps & features entry
#      there, .syx not associated;
#   4. a silent uninstall: the program, shipped data, shortcut and entry gone,
#      the user's files still there;
#   5. an install over what is left, then a silent uninstall with
#      /REMOVEUSERDATA: the folder gone.
# It builds the dist first (scripts/dist.sh) and runs in a copy of the Wine
# prefix in a temporary folder, so no other prefix is touched. Run it with
# `make dist-test`; it starts its own virtual display.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

if [ "${1:-}" != --inside ]; then
  bash scripts/dist.sh >/dev/null
  source_prefix="${WINEPREFIX:-$HOME/.cache/ostrel/wine}"
  work=$(mktemp -d /tmp/ostrel-dist-test.XXXXXX)
  trap 'rm -rf "$work"' EXIT
  cp -a "$source_prefix" "$work/wine"
  # The older version: the same files with another version and one more page.
  version=$(sed -n 's/^!define OSTREL_VERSION "\(.*\)"$/\1/p' build/win/generated/version.nsh)
  mkdir -p "$work/older"
  cp -a "build/dist/stage/Ostrel-$version" "$work/older/stage"
  echo "<p>Retired in a later version.</p>" >"$work/older/stage/Help/retired.html"
  sed -e 's/^!define OSTREL_VERSION .*/!define OSTREL_VERSION "1.0"/' \
    -e 's/^!define OSTREL_VERSION_DOTS .*/!define OSTREL_VERSION_DOTS "1.0.0.0"/' \
    build/win/generated/version.nsh >"$work/older/version.nsh"
  bash packaging/make-setup.sh "$work/older/stage" "$work/older/version.nsh" "$work/older/Ostrel-1.0-setup.exe"
  xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" --inside "$work"
  exit $?
fi

work=$2
export WINEPREFIX="$work/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv=d"
wine=/usr/lib/wine/wine64
version=$(sed -n 's/^!define OSTREL_VERSION "\(.*\)"$/\1/p' build/win/generated/version.nsh)
setup="$PWD/build/dist/Ostrel-$version-setup.exe"
stage="$PWD/build/dist/stage/Ostrel-$version"
driver="$PWD/build/win/ostrel_dist_driver.exe"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Ostrel'

failures=0
check() {  # check DESCRIPTION COMMAND...: the command's output is shown when it fails
  local what=$1; shift
  if "$@" >"$work/check.log" 2>&1; then
    echo "ok      $what"
  else
    echo "FAILED  $what"; sed 's/^/        /' "$work/check.log"; failures=$((failures + 1))
  fi
}
absent() { [ ! -e "$1" ]; }
same() { cmp -s "$1" "$2"; }
step() { echo "== $*"; }

windows_folder() { $wine cmd /c "echo %$1%" 2>/dev/null | tr -d '\r'; }
unix_path() { $wine winepath -u "$1" 2>/dev/null | tr -d '\r'; }
windows_path() { $wine winepath -w "$1" 2>/dev/null | tr -d '\r'; }
# Setup, uninstaller and driver under a time-out, so that a hang (a message
# box where none belongs) fails the test instead of stopping it.
run="timeout 600 $wine"
# The uninstaller copies itself to the temporary folder and returns at once;
# its work is over when every Windows process of the prefix has ended.
wait_for_wine() {
  timeout 300 /usr/lib/wine/wineserver -w && return 0
  echo "FAILED  Windows processes still running after 300 s"
  /usr/lib/wine/wineserver -k
  exit 1
}
registry_has() { $wine reg query "$1" /v "$2"; }
registry_value() {  # KEY NAME VALUE: the value is exactly VALUE
  $wine reg query "$1" /v "$2" | tr -d '\r' | grep -qxF "    $2    REG_SZ    $3"
}

dir=$(unix_path "$(windows_folder LOCALAPPDATA)\\Programs\\Ostrel")
shortcut=$(unix_path "$(windows_folder APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\Ostrel.lnk")
uninstaller="$dir/Uninstall Ostrel.exe"
[ -n "$dir" ] && [ -n "$shortcut" ] || { echo "dist-test: cannot find the Wine profile's folders"; exit 1; }
banks="$dir/User Preset Banks"
rom="$dir/Devices/Meridian 49.eld/rom.xml"
demo="$banks/My Sprite Kits.xml"

step "1. silent install of an older version into $dir"
check "setup /S exits 0" $run "$work/older/Ostrel-1.0-setup.exe" /S
wait_for_wine
check "installed: Ostrel.exe" test -f "$dir/Ostrel.exe"
check "installed: the older version's extra page" test -f "$dir/Help/retired.html"
check "Apps & features: version 1.0" registry_value "$uninstall_key" DisplayVersion 1.0

step "2. the installed program makes and saves a bank, and quits"
ls "$banks" >"$work/banks-before"
check "driver: start, find the main window, new bank, save, quit" \
  $run "$driver" "$(windows_path "$dir/Ostrel.exe")"
wait_for_wine
ls "$banks" >"$work/banks-after"
saved="$banks/$(comm -13 "$work/banks-before" "$work/banks-after" | head -n 1)"
check "a new bank file in User Preset Banks: ${saved##*/}" test -f "$saved"
check "Settings.cfg written (143 bytes)" test "$(stat -c %s "$dir/Settings.cfg" 2>/dev/null)" = 143
cp "$saved" "$work/saved.xml"
cp "$dir/Settings.cfg" "$work/Settings.cfg"
cp "$saved" "$rom"  # what a device's bank looks like on disk
cp "$rom" "$work/rom.xml"
echo "<!-- edited by the user -->" >>"$demo"
cp "$demo" "$work/demo.xml"
echo "spoilt" >"$dir/Help/index.html"

step "3. this version installed over the older one"
check "setup /S exits 0" $run "$setup" /S
wait_for_wine
check "the saved bank kept" same "$saved" "$work/saved.xml"
check "Settings.cfg kept" same "$dir/Settings.cfg" "$work/Settings.cfg"
check "rom.xml kept" same "$rom" "$work/rom.xml"
check "the edited demo bank kept" same "$demo" "$work/demo.xml"
for f in Devices Library Help; do
  check "$f as shipped (beside rom.xml)" diff -r -x rom.xml "$stage/$f" "$dir/$f"
done
check "the older version's extra page removed" absent "$dir/Help/retired.html"
for f in Ostrel.exe ostrel-cli.exe "User Preset Banks/My Meridian Setups.xml"; do
  check "installed: $f" same "$dir/$f" "$stage/$f"
done
check "installed: the uninstaller" test -f "$uninstaller"
check "Start menu shortcut" test -f "$shortcut"
check "Apps & features: version $version" registry_value "$uninstall_key" DisplayVersion "$version"
check "Apps & features: icon" registry_value "$uninstall_key" DisplayIcon "$(windows_path "$dir")\\Ostrel.exe,0"
check "Apps & features: uninstaller" registry_has "$uninstall_key" UninstallString
check ".syx not associated" bash -c "! $wine reg query 'HKCU\\Software\\Classes\\.syx'"
check "ostrel-cli --version says $version" \
  bash -c "$wine '$dir/ostrel-cli.exe' --version | tr -d '\r' | grep -qx 'ostrel-cli $version'"
check "ostrel-cli reads the saved bank against the installed devices" \
  $wine "$dir/ostrel-cli.exe" bank show "$(windows_path "$saved")"

step "4. silent uninstall"
check "uninstaller /S exits 0" $run "$uninstaller" /S
wait_for_wine
for f in Ostrel.exe ostrel-cli.exe "Uninstall Ostrel.exe" Help Library \
  "Devices/Meridian 49.eld/definition.xml" "Devices/Meridian 49.eld/graphics" "Devices/Sprite 25.eld"; do
  check "removed: $f" absent "$dir/$f"
done
check "Start menu shortcut removed" absent "$shortcut"
check "Apps & features entry removed" bash -c "! $wine reg query '$uninstall_key'"
check "the saved bank kept" same "$saved" "$work/saved.xml"
check "Settings.cfg kept" same "$dir/Settings.cfg" "$work/Settings.cfg"
check "rom.xml kept" same "$rom" "$work/rom.xml"
check "the edited demo bank kept" same "$demo" "$work/demo.xml"

step "5. install over what was kept, then uninstall with /REMOVEUSERDATA"
check "setup /S exits 0" $run "$setup" /S
wait_for_wine
check "the saved bank kept" same "$saved" "$work/saved.xml"
check "the edited demo bank not replaced" same "$demo" "$work/demo.xml"
check "uninstaller /S /REMOVEUSERDATA exits 0" $run "$uninstaller" /S /REMOVEUSERDATA
wait_for_wine
check "the install folder removed" absent "$dir"

if [ "$failures" -ne 0 ]; then echo "dist-test: $failures FAILED"; exit 1; fi
echo "dist-test: all passed"
