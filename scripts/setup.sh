#!/usr/bin/env bash
# Prepares a Debian 12 machine to build and test Ostrel. Safe to run again:
# every step checks whether its result is already there.
#
#   - Debian packages for both builds, the GUI tests, the fuzzers and the
#     Windows installer (NSIS)
#   - expat, libpng, GoogleTest and (optional) Google Benchmark cross-built
#     for mingw-w64 into a cache outside the checkout (~/.cache/ostrel),
#     keyed by their versions
#   - a Wine prefix in the same cache, with fonts and a quiet X11 driver
set -euo pipefail

CACHE="${OSTREL_CACHE:-$HOME/.cache/ostrel}"
TRIPLE=x86_64-w64-mingw32
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

log() { printf 'setup: %s\n' "$*"; }

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

PACKAGES=(
  build-essential cmake ninja-build pkg-config git dpkg-dev ccache python3
  libexpat1-dev libpng-dev zlib1g-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev libplist-dev
  clang libclang-rt-14-dev
  mingw-w64 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix libz-mingw-w64-dev
  wine wine64 fonts-wine xvfb xauth xdotool imagemagick
  nsis
)

install_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    log "installing ${missing[*]}"
    as_root apt-get update -qq || true
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# The cross-built libraries come from Debian's own source packages, so
# source entries are needed. They are derived from the machine's existing
# binary entry rather than written out, so no mirror is named here.
enable_deb_src() {
  local src=/etc/apt/sources.list.d/ostrel-deb-src.sources
  [ -f "$src" ] && return 0
  local base=/etc/apt/sources.list.d/debian.sources
  if [ -f "$base" ]; then
    sed -e 's/^Types:.*/Types: deb-src/' "$base" | as_root tee "$src" >/dev/null
  elif [ -f /etc/apt/sources.list ]; then
    grep -E '^deb ' /etc/apt/sources.list | sed -e 's/^deb /deb-src /' | as_root tee /etc/apt/sources.list.d/ostrel-deb-src.list >/dev/null
  fi
  as_root apt-get update -qq || true
}

mingw_toolchain() { echo "$HERE/cmake/mingw-w64.cmake"; }

# Fetches the source of the version installed (a security update when there is
# one, which the cache key names), else the release's own.
fetch_source() {
  local source="$1" binary="$2" work="$3" version
  version=$(dpkg-query -W -f='${source:Version}' "$binary" 2>/dev/null || true)
  (cd "$work" && { { [ -n "$version" ] && apt-get source -qq "$source=$version" >/dev/null 2>&1; } ||
    apt-get source -qq "$source/bookworm" >/dev/null 2>&1; })
}

build_expat() {
  local prefix="$1" work="$2"
  [ -f "$prefix/lib/libexpat.a" ] && return 0
  log "cross-building expat"
  fetch_source expat libexpat1-dev "$work"
  local dir; dir=$(find "$work" -maxdepth 1 -type d -name 'expat-*' | head -n 1)/expat
  # The Debian packaging tests XML_DTD == 1, which a bare #cmakedefine
  # does not satisfy.
  sed -i 's/#cmakedefine XML_DTD$/#cmakedefine XML_DTD 1/' "$dir/expat_config.h.cmake"
  cmake -S "$dir" -B "$work/expat-build" -DCMAKE_TOOLCHAIN_FILE="$(mingw_toolchain)" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DEXPAT_SHARED_LIBS=OFF -DEXPAT_BUILD_TOOLS=OFF -DEXPAT_BUILD_EXAMPLES=OFF \
    -DEXPAT_BUILD_TESTS=OFF -DEXPAT_BUILD_DOCS=OFF -DEXPAT_BUILD_PKGCONFIG=OFF >/dev/null
  cmake --build "$work/expat-build" -j"$(nproc)" >/dev/null
  cmake --install "$work/expat-build" >/dev/null
  # Name the library the way the native build finds it.
  [ -f "$prefix/lib/libexpat.a" ] || cp "$prefix"/lib/libexpat*.a "$prefix/lib/libexpat.a"
}

build_libpng() {
  local prefix="$1" work="$2"
  [ -f "$prefix/lib/libpng.a" ] && return 0
  log "cross-building libpng"
  fetch_source libpng1.6 libpng-dev "$work"
  local dir; dir=$(find "$work" -maxdepth 1 -type d -name 'libpng1.6-*' | head -n 1)
  cmake -S "$dir" -B "$work/png-build" -DCMAKE_TOOLCHAIN_FILE="$(mingw_toolchain)" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DZLIB_LIBRARY=/usr/$TRIPLE/lib/libz.a -DZLIB_INCLUDE_DIR=/usr/$TRIPLE/include >/dev/null
  cmake --build "$work/png-build" -j"$(nproc)" >/dev/null
  cmake --install "$work/png-build" >/dev/null
  [ -f "$prefix/lib/libpng.a" ] || cp "$prefix"/lib/libpng16*.a "$prefix/lib/libpng.a"
}

build_gtest() {
  local prefix="$1" work="$2"
  [ -f "$prefix/lib/libgtest.a" ] && return 0
  log "cross-building GoogleTest"
  cmake -S /usr/src/googletest -B "$work/gtest-build" -DCMAKE_TOOLCHAIN_FILE="$(mingw_toolchain)" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_GMOCK=ON >/dev/null
  cmake --build "$work/gtest-build" -j"$(nproc)" >/dev/null
  cmake --install "$work/gtest-build" >/dev/null
}

cross_deps() {
  local key
  key="expat-$(dpkg-query -W -f='${Version}' libexpat1-dev)_png-$(dpkg-query -W -f='${Version}' libpng-dev)_gtest-$(dpkg-query -W -f='${Version}' googletest)_mingw-$(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix)"
  key=$(echo "$key" | tr -c 'A-Za-z0-9._\n-' '_')
  local prefix="$CACHE/mingw-$key"
  if [ -f "$prefix/.complete" ]; then
    ln -sfn "$prefix" "$CACHE/mingw"
    return 0
  fi
  enable_deb_src
  local work; work=$(mktemp -d)
  mkdir -p "$prefix"
  build_expat "$prefix" "$work"
  build_libpng "$prefix" "$work"
  build_gtest "$prefix" "$work"
  rm -rf "$work"
  touch "$prefix/.complete"
  ln -sfn "$prefix" "$CACHE/mingw"
}

# Google Benchmark for the Windows paint benchmark. Optional: when it cannot
# be built the Windows build simply leaves that benchmark out, so a failure
# here is logged and never stops the setup. A failed attempt is remembered
# for this version, so a rerun does not try again.
build_benchmark() {
  local prefix="$1"
  [ -f "$prefix/lib/libbenchmark.a" ] && return 0
  local version; version=$(dpkg-query -W -f='${Version}' libbenchmark-dev 2>/dev/null || echo none)
  local failed="$prefix/.benchmark-failed-$(echo "$version" | tr -c 'A-Za-z0-9._\n-' '_')"
  [ -f "$failed" ] && return 0
  log "cross-building Google Benchmark"
  enable_deb_src || true
  local work dir; work=$(mktemp -d)
  # Debian's packaging takes the library version from GIT_VERSION, which its
  # build passes in; without it the library's properties are left empty.
  if (cd "$work" && apt-get source -qq benchmark/bookworm >/dev/null 2>&1) &&
    dir=$(find "$work" -maxdepth 1 -type d -name 'benchmark-*' | head -n 1) && [ -n "$dir" ] &&
    cmake -S "$dir" -B "$work/bench-build" -DCMAKE_TOOLCHAIN_FILE="$(mingw_toolchain)" \
      -DGIT_VERSION="${dir##*/benchmark-}" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
      -DBENCHMARK_ENABLE_TESTING=OFF -DBENCHMARK_ENABLE_WERROR=OFF \
      -DBENCHMARK_ENABLE_GTEST_TESTS=OFF -DBENCHMARK_ENABLE_INSTALL=ON >/dev/null 2>&1 &&
    cmake --build "$work/bench-build" -j"$(nproc)" >/dev/null 2>&1 &&
    cmake --install "$work/bench-build" >/dev/null 2>&1 &&
    [ -f "$prefix/lib/libbenchmark.a" ]; then
    log "Google Benchmark ready"
  else
    log "Google Benchmark could not be cross-built: the Windows paint benchmark is left out"
    touch "$failed"
  fi
  rm -rf "$work"
}

# Wine's own fonts (MS Sans Serif, Small Fonts, Fixedsys, and Marlett for the
# caption buttons) are not found where Debian installs them: copy them in.
wine_fonts() {
  local fonts="$1/drive_c/windows/Fonts"
  [ -f "$fonts/marlett.ttf" ] && return 0
  mkdir -p "$fonts"
  cp /usr/share/wine/fonts/* "$fonts/" 2>/dev/null || true
}

wine_prefix() {
  local prefix="$CACHE/wine"
  if [ -f "$prefix/.complete" ]; then wine_fonts "$prefix"; return 0; fi
  log "creating the Wine prefix"
  rm -rf "$prefix"
  mkdir -p "$prefix"
  export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv=d"
  xvfb-run -a /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver -w || true
  wine_fonts "$prefix"
  # Without a window manager, managed windows cost about two seconds a run.
  xvfb-run -a /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver -w || true
  touch "$prefix/.complete"
}

mkdir -p "$CACHE"
install_packages
cross_deps
build_benchmark "$(readlink -f "$CACHE/mingw")"
wine_prefix
log "ready (cache: $CACHE)"
