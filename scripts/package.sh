#!/usr/bin/env bash
# package.sh [DIR]: installs what is missing, builds (in DIR, default build/) and makes
# the Debian package DIR/kx7140_VERSION_ARCH.deb with cpack. Install it with
#   sudo apt install ./build/kx7140_*.deb
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="${1:-build}"
cd "$root"
bash scripts/deps.sh
bash scripts/build.sh "$dir"
(cd "$root/$dir" && cpack -G DEB | grep "generated")
