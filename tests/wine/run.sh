#!/bin/sh
# run.sh PROGRAM [ARGUMENT...]: runs a Windows test program under Wine.
# run.sh --check: only says whether this machine can.
# Wine runs the x86-64 sortbars.exe only on an x86-64 machine: elsewhere
# (arm64 has a wine64 for ARM Windows programs only) the test is skipped,
# with status 77, which ctest counts as a skip, and a line that says why.
set -eu
arch=$(dpkg --print-architecture 2>/dev/null || uname -m)
if [ "$arch" != amd64 ]; then
  echo "skipped: this $arch machine cannot run x86-64 Windows programs under Wine"
  exit 77
fi
command -v wine >/dev/null || { echo "run.sh: no wine (make test-windows installs it)" >&2; exit 1; }
[ "${1:-}" = --check ] && exit 0
exec wine "$@"
