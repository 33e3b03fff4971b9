#!/bin/sh
# In each engine the page is tested in: exchange duration and pump cost, and a
# whole Push-sort, each against the paced ideal, as bench/exchange.sh measures
# on X11 and Wayland; and the frames painted per second while they run,
# against the engine's own rate for redrawing a bare canvas.
# Usage: bench/web.sh [RUN...] (after make test), RUN one of the names below;
# all of them by default.
# The clock is a float time of day, so the pacing depends on the hour: near
# midnight a frame is 0.008 s plus the pump; from 01:08 on the clock's steps
# are coarse enough that a frame is 1/128 s whatever a short pump takes. Each
# run is made twice: at this machine's local time, and in a time zone where
# it is about noon.
# WebKitGTK composites by default, here through llvmpipe, software GL, and
# paints slowly; it runs again with its accelerated compositing off. Each
# engine runs again with its frame callbacks held to 30 Hz, as in an iPad's
# Low Power Mode.
set -eu
cd "$(dirname "$0")/.."
page=${BUILD:-build-web}/bench/web_bench.html
[ -f "$page" ] || { echo "build first: make test" >&2; exit 1; }
[ $# -gt 0 ] || set -- chromium firefox webkit "webkit, compositing off" \
  "chromium, 30 Hz" "firefox, 30 Hz" "webkit, 30 Hz"
noon=$((12 - $(date -u +%H | sed 's/^0//')))
for run in "$@"; do
for zone in "" "Etc/GMT$([ "$noon" -ge 0 ] && echo - || echo +)${noon#-}"; do
compositing=$(case "$run" in *off) echo 1 ;; *) echo 0 ;; esac)
env TZ="${zone:-${TZ:-}}" WEBKIT_DISABLE_COMPOSITING_MODE="$compositing" timeout 300 /usr/bin/python3 - \
  "$(realpath "$page")" "${zone:-local time}" "$run" <<'PY'
import sys
sys.path.insert(0, "tests/web")
from browsers import open_browser, page_with_script
page, zone, run = sys.argv[1:4]
engine = run.split(",")[0]
with open_browser(engine) as browser:
    if run.endswith("30 Hz"):
        page = page_with_script(page, "tests/web/frames_30hz.js", browser.profile)
    browser.open(page, "!!window.benchLines && benchLines.includes('bench: done')", 240)
    print("== %s, %s (%s)" % (run, zone, browser.evaluate("new Date().toTimeString().slice(0, 8)")))
    print("\n".join(line for line in browser.evaluate("benchLines") if line != "bench: done"))
PY
done
done
