#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, skipping those present.
set -euo pipefail
packages=(cmake g++ clang clang-format make qt6-base-dev qt6-serialport-dev qt6-svg-dev qt6-translations-l10n libgl-dev
          libgtest-dev libgmock-dev libbenchmark-dev libclang-rt-14-dev xvfb xauth)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
