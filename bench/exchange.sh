#!/bin/sh
# Exchange duration and pump cost in the real window, and a whole Push-sort,
# each against the paced ideal: under Xvfb with openbox, then under headless
# sway. Usage: bench/exchange.sh
set -eu
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
[ -x "$BUILD/bench/exchange_bench" ] || { echo "build first: make test" >&2; exit 1; }
for display in x wayland; do
  (
    . scripts/session.sh
    "start_$display"
    echo "== $display"
    timeout 300 "$BUILD/bench/exchange_bench"
  )
done
