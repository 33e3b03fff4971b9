#!/bin/sh
# The exchange benchmark in the Windows window under Wine, on Xvfb with
# openbox, in a Wine prefix of its own. Usage: bench/wine.sh (after make
# test-windows, or BUILD=folder of a MinGW-w64 build).
set -eu
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build-windows}
[ -f "$BUILD/bench/win32_bench.exe" ] || { echo "build first: make test-windows" >&2; exit 1; }
. scripts/session.sh
export WINEPREFIX="$SESSION_DIR/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null || true; session_cleanup' EXIT
start_x
timeout 300 wineboot --init >/dev/null 2>&1 || fail "Wine could not make its prefix within 300 s"
echo "== wine $(wine --version 2>/dev/null)"
timeout 300 wine "$BUILD/bench/win32_bench.exe" | tr -d '\r'
