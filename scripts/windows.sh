#!/usr/bin/env bash
# windows.sh: cross-compiles the standard-C++ cores (link/, persist/, the program and
# simulator cores) and their tests for 64-bit Windows with mingw-w64, and runs the
# tests under wine. Installs what is missing first. Builds in build-windows/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-windows"
jobs="${KX_JOBS:-2}"

packages=(g++-mingw-w64-x86-64-posix wine64 googletest cmake make)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -ne 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
toolchain="$root/cmake/mingw-w64.cmake"

# GoogleTest from Debian's source package, built once with the same compiler.
gtest_prefix="$build/googletest"
if [ ! -f "$gtest_prefix/lib/cmake/GTest/GTestConfig.cmake" ]; then
  cmake -S /usr/src/googletest -B "$build/googletest-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$gtest_prefix" "${launcher[@]}" >/dev/null
  cmake --build "$build/googletest-build" -j"$jobs" >/dev/null
  cmake --install "$build/googletest-build" >/dev/null
fi

# No optimisation and no debug information: the fastest build of tests that are small.
cmake -S "$root" -B "$build/kx" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE= \
  -DKX_GUI=OFF -DKX_BENCH=OFF -DCMAKE_PREFIX_PATH="$gtest_prefix" "${launcher[@]}" >/dev/null
cmake --build "$build/kx" -j"$jobs"

# A prefix of our own, so the run neither needs nor touches the user's ~/.wine.
export WINEPREFIX
WINEPREFIX="$(mktemp -d "${TMPDIR:-/tmp}/kx-wine.XXXXXX")"
export WINEDEBUG=-all
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
cleanup() {
  "$wineserver" -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
# The prefix is made, and its server started, before the tests start side by side:
# two first starts at once race for the server.
"$wineserver" -p 30
"$wine" wineboot --init 2>/dev/null
ctest --test-dir "$build/kx" --output-on-failure -j"$jobs" --timeout 600
