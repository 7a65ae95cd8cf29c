#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: the normal build
# and the AddressSanitizer + UndefinedBehaviorSanitizer build.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
bash scripts/deps.sh
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Fontconfig keeps a cache it never frees; that is not ours to report.
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp"

# Each phase prints the seconds since the start: the whole run has to stay within CI's time.
phase() {
  echo "== $1 (${SECONDS} s so far)"
}

phase format
# The tree keeps one layout (.clang-format); a difference fails here, before building.
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

# A compiler warning fails the run.
phase "normal build"
bash scripts/build.sh build -DKX_WERROR=ON -DKX_PCH=ON
# The package from the programs just built, for the test that unpacks and runs it.
(cd build && cpack -G DEB >/dev/null)
phase "tests"
ctest --test-dir build --output-on-failure -j2 --timeout 300

phase "sanitizer build"
bash scripts/build.sh build-asan -DKX_WERROR=ON -DKX_PCH=ON -DKX_SANITIZE=ON -DKX_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
phase "sanitizer tests"
ctest --test-dir build-asan --output-on-failure -j2 --timeout 600
phase done
