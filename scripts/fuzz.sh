#!/usr/bin/env bash
# fuzz.sh TARGET SECONDS [libFuzzer options...]
#   Builds the fuzz targets with clang in build-fuzz/ and runs TARGET (the name of a
#   fuzz/<TARGET>_fuzz.cpp: reply_decoder, controller_link, project_file, ini_file,
#   junction_data, sim_receive, capture_file, bus_monitor, weekly_text) for SECONDS.
#   It starts from fuzz/corpus/TARGET but writes new inputs to a scratch copy, so the
#   repository only changes when you copy a finding in.
#   Crashes land in fuzz/findings/TARGET/ (ignored by git); put each one, once fixed,
#   into fuzz/corpus/TARGET/ so that the corpus tests keep it fixed.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-fuzz"

configure() {
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DKX_FUZZ=ON -DKX_GUI=OFF -DKX_BENCH=OFF \
    -DKX_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS=-D_GLIBCXX_ASSERTIONS >/dev/null
}

if [[ $# -lt 2 ]]; then
  sed -n '2,9p' "$0" | sed 's/^# \{0,1\}//'
  exit 2
fi
target="$1"
seconds="$2"
shift 2
if [[ ! -f "$root/fuzz/${target}_fuzz.cpp" ]]; then
  echo "no fuzz target $target (fuzz/${target}_fuzz.cpp)" >&2
  exit 2
fi

configure
cmake --build "$build" -j"${KX_JOBS:-2}" --target "${target}_fuzz"

work="$(mktemp -d "${TMPDIR:-/tmp}/kx-fuzz-$target.XXXXXX")"
if [[ -z "${KX_FUZZ_KEEP:-}" ]]; then
  trap 'rm -rf "$work"' EXIT
else
  echo "scratch corpus kept in $work"
fi
cp -r "$root/fuzz/corpus/$target" "$work/corpus"
findings="$root/fuzz/findings/$target"
mkdir -p "$findings"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
"$build/bin/${target}_fuzz" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$findings/" "$@" "$work/corpus"
