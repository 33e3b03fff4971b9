# Sourced by the benchmarks: a private Xvfb with openbox, stopped on exit.
set -eu
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
[ -x "$BUILD/sortbars" ] || { echo "build first: make test (or make run)" >&2; exit 1; }
WORK=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" 2>/dev/null &
XVFB_PID=$!
trap 'kill $WM_PID $XVFB_PID 2>/dev/null; rm -rf "$WORK"' EXIT
WM_PID=""
while [ ! -s "$WORK/display" ]; do sleep 0.1; done
export DISPLAY=":$(cat "$WORK/display")"
openbox >/dev/null 2>&1 &
WM_PID=$!
until wmctrl -m >/dev/null 2>&1; do sleep 0.1; done
