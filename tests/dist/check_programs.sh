#!/usr/bin/env bash
# check_programs.sh BINDIR VERSION: each program in BINDIR answers --version and --help
# without a display, and refuses an unknown option in one line with status 2.
set -uo pipefail
bindir="$1"
version="$2"
failed=0
fail() { echo "FAIL: $*"; failed=1; }
bare() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@"; }
for p in kx7140 kx7140ctl kx7140-sim; do
  out="$(bare "$bindir/$p" --version 2>&1)" || fail "$p --version exited $?: $out"
  [[ "$out" == "$p $version" ]] || fail "$p --version said: $out"
  bare "$bindir/$p" --help 2>&1 | grep -q "^Usage: $p" || fail "$p --help shows no usage"
  err="$(bare "$bindir/$p" --no-such-option 2>&1 >/dev/null)"
  status=$?
  [[ $status -eq 2 ]] || fail "$p --no-such-option exited $status"
  [[ "$err" == "$p: unknown option --no-such-option (see $p --help)" ]] || fail "$p said: $err"
done
[[ $failed -eq 0 ]] && echo "kx7140, kx7140ctl and kx7140-sim $version answer without a display"
exit $failed
