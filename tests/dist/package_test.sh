#!/usr/bin/env bash
# package_test.sh BUILDDIR VERSION: unpacks the .deb that cpack made in BUILDDIR into a
# temporary folder, checks that every installed file is there, and runs each program
# from it. Exits 77 (skipped) when no package newer than the programs was built.
set -uo pipefail
build="$1"
version="$2"
deb="$(ls "$build"/kx7140_"$version"_*.deb 2>/dev/null | head -n 1)"
if [[ -z "$deb" ]]; then
  echo "no package in $build (scripts/package.sh builds it)"
  exit 77
fi
if [[ ! "$deb" -nt "$build/bin/kx7140" ]]; then
  echo "$deb is older than the programs (scripts/package.sh builds it anew)"
  exit 77
fi
root="$(mktemp -d "${TMPDIR:-/tmp}/kx-deb.XXXXXX")"
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root" || exit 1
missing=0
for f in bin/kx7140 bin/kx7140ctl bin/kx7140-sim share/applications/kx7140.desktop \
         share/icons/hicolor/scalable/apps/kx7140.svg share/mime/packages/kx7140.xml \
         share/man/man1/kx7140.1 share/man/man1/kx7140ctl.1 share/man/man1/kx7140-sim.1 \
         share/bash-completion/completions/kx7140ctl; do
  [[ -s "$root/usr/$f" ]] || { echo "FAIL: the package lacks /usr/$f"; missing=1; }
done
dpkg-deb -f "$deb" Depends | grep -q "libqt6serialport6" || { echo "FAIL: no Qt dependencies"; missing=1; }
bash "$(dirname "$0")/check_programs.sh" "$root/usr/bin" "$version" || exit 1
exit $missing
