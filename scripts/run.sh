#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program with the given arguments.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
bash scripts/deps.sh
bash scripts/build.sh build
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: running on a virtual one (xvfb-run)." >&2
  exec xvfb-run -a -s "-screen 0 1600x1000x24" "$root/build/bin/kx7140" "$@"
fi
exec "$root/build/bin/kx7140" "$@"
