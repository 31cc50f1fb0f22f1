#!/usr/bin/env bash
# Makes what a Windows user is given, from the Windows build:
#   build/dist/Ostrel-<version>.zip        the portable folder
#   build/dist/Ostrel-<version>-setup.exe  the installer (packaging/)
# The version is CMake's (project() in CMakeLists.txt); README.md and
# CHANGELOG.md must name it. The programs shipped are those of build/win, the
# build the GUI tests run, stripped of their debugging information. The data
# comes from data/, never from the build folder, where a run of the program
# leaves its Settings.cfg and its devices' rom.xml.
# `make dist` runs the setup script first; this script expects a prepared
# machine.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

fail() { echo "dist: $*" >&2; exit 1; }

bash scripts/build.sh windows
version=$(sed -n 's/^!define OSTREL_VERSION "\(.*\)"$/\1/p' build/win/generated/version.nsh)
[ -n "$version" ] || fail "no version in build/win/generated/version.nsh"
grep -qF "Current version: $version " README.md ||
  fail "README.md does not say \"Current version: $version (...)\""
grep -qF "## $version" CHANGELOG.md || fail "CHANGELOG.md has no \"## $version\" section"

out=build/dist
name="Ostrel-$version"
stage="$out/stage/$name"
rm -rf "$out"
mkdir -p "$stage"

for exe in Ostrel.exe ostrel-cli.exe; do
  x86_64-w64-mingw32-strip -o "$stage/$exe" "build/win/$exe"
done
cp -R data/. "$stage/"
# What the program or a device writes is the user's, never shipped: the
# installer could not tell it from the user's own at the next upgrade.
found=$(cd "$stage" && find . -iname Settings.cfg -o -iname rom.xml)
[ -z "$found" ] || fail "data/ holds files the program writes: $found"

(cd "$out/stage" && cmake -E tar cf "../$name.zip" --format=zip "$name")

bash packaging/make-setup.sh "$stage" build/win/generated/version.nsh "$out/$name-setup.exe"

ls -l "$out/$name.zip" "$out/$name-setup.exe"
