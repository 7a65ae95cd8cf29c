#!/usr/bin/env bash
# Builds and runs every benchmark program; each ends with RESULT lines.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
bash scripts/deps.sh
bash scripts/build.sh build
for b in build/bin/bench_*; do
  echo "== $b"; "$b" "$@"
done
