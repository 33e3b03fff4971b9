#!/bin/sh
# Exchange duration and pump cost in the page, and a whole Push-sort, each
# against the paced ideal, in headless Chromium: what bench/exchange.sh
# measures on X11 and Wayland. Usage: bench/web.sh (after make test)
# The clock is a float time of day, so the pacing depends on the hour: near
# midnight a frame is 0.008 s plus the pump; from 01:08 on the clock's steps
# are coarse enough that a frame is 1/128 s whatever a short pump takes. It
# runs twice: at this machine's local time, and in a time zone where it is
# about noon.
set -eu
cd "$(dirname "$0")/.."
page=${BUILD:-build-web}/bench/web_bench.html
[ -f "$page" ] || { echo "build first: make test" >&2; exit 1; }
noon=$((12 - $(date -u +%H | sed 's/^0//')))
for zone in "" "Etc/GMT$([ "$noon" -ge 0 ] && echo - || echo +)${noon#-}"; do
TZ=${zone:-${TZ:-}} timeout 300 /usr/bin/python3 - "$(realpath "$page")" "${zone:-local time}" <<'PY'
import sys
import time
sys.path.insert(0, "tests/web")
from cdp import Browser
with Browser(1) as browser:
    browser.send("Runtime.enable")
    browser.open(sys.argv[1], "true")
    said = lambda: [e["params"]["args"][0].get("value", "") for e in browser.events
                    if e.get("method") == "Runtime.consoleAPICalled"]
    deadline = time.monotonic() + 240
    while "bench: done" not in said():
        if time.monotonic() > deadline:
            sys.exit("bench: the page did not finish within 240 s")
        browser.evaluate("0")  # reads the messages that came meanwhile
        time.sleep(0.2)
    print("== chromium, %s (%s)" % (sys.argv[2], browser.evaluate("new Date().toTimeString().slice(0, 8)")))
    print("\n".join(line for line in said() if line != "bench: done"))
PY
done
