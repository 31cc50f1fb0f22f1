#!/usr/bin/env bash
# Configures and builds one of the project's builds into build/<name>:
#   native   portable core and unit tests, with ASan and UBSan
#   tsan     the same with ThreadSanitizer, for the threaded parts
#   windows  Ostrel.exe, ostrel-cli.exe and the GUI tests (mingw-w64)
#   release  the optimised native ostrel-cli alone, for use rather than tests
#   bench    optimised core and the Google Benchmark programs
#   fuzz     the libFuzzer targets (clang)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
which=${1:?usage: build.sh native|tsan|windows|release|bench|fuzz}
jobs=$(nproc)
gen=()
command -v ninja >/dev/null && gen=(-G Ninja)

configure() {
  local dir=$1; shift
  [ -f "$dir/CMakeCache.txt" ] || cmake -S . -B "$dir" "${gen[@]}" "$@" >/dev/null
}

case "$which" in
  native)  configure build/native -DOSTREL_SANITIZE=ON ;;
  tsan)    configure build/tsan -DOSTREL_TSAN=ON ;;
  windows) configure build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake ;;
  release) configure build/release -DCMAKE_BUILD_TYPE=Release ;;
  bench)   configure build/bench -DCMAKE_BUILD_TYPE=Release -DOSTREL_BENCH=ON ;;
  fuzz)    configure build/fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DOSTREL_FUZZ=ON ;;
  *) echo "build.sh: unknown build '$which'" >&2; exit 2 ;;
esac
case "$which" in
  windows) dir=build/win ;;
  *) dir=build/$which ;;
esac
targets=()
[ "$which" = release ] && targets=(--target ostrel-cli)
cmake --build "$dir" -j"$jobs" "${targets[@]}"
