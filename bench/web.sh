#!/bin/sh
# In each engine the page is tested in: exchange duration and pump cost, and a
# whole Push-sort, each against the paced ideal, as bench/exchange.sh measures
# on X11 and Wayland; and the frames painted per second while they run,
# against the engine's rate when the page is still. Usage: bench/web.sh
# (after make test)
# The clock is a float time of day, so the pacing depends on the hour: near
# midnight a frame is 0.008 s plus the pump; from 01:08 on the clock's steps
# are coarse enough that a frame is 1/128 s whatever a short pump takes. Each
# engine runs twice: at this machine's local time, and in a time zone where
# it is about noon.
# WebKitGTK runs twice more with its accelerated compositing off, as it runs
# where GL is software only: on this machine it draws through llvmpipe.
set -eu
cd "$(dirname "$0")/.."
page=${BUILD:-build-web}/bench/web_bench.html
[ -f "$page" ] || { echo "build first: make test" >&2; exit 1; }
noon=$((12 - $(date -u +%H | sed 's/^0//')))
for run in chromium firefox webkit "webkit, compositing off"; do
for zone in "" "Etc/GMT$([ "$noon" -ge 0 ] && echo - || echo +)${noon#-}"; do
compositing=$(case "$run" in *off) echo 1 ;; *) echo 0 ;; esac)
env TZ="${zone:-${TZ:-}}" WEBKIT_DISABLE_COMPOSITING_MODE="$compositing" timeout 300 /usr/bin/python3 - \
  "$(realpath "$page")" "${zone:-local time}" "$run" <<'PY'
import sys
sys.path.insert(0, "tests/web")
from browsers import open_browser
page, zone, engine = sys.argv[1:4]
with open_browser(engine.split(",")[0]) as browser:
    browser.open(page, "!!window.benchLines && benchLines.includes('bench: done')", 240)
    print("== %s, %s (%s)" % (engine, zone, browser.evaluate("new Date().toTimeString().slice(0, 8)")))
    print("\n".join(line for line in browser.evaluate("benchLines") if line != "bench: done"))
PY
done
done
