#!/bin/sh
# Records the README's pictures from the real window under Xvfb with openbox:
# docs/sortbars.png, the window at start-up, and docs/sorting.gif, one
# Push-sort from start to end. Rerun it after any change to what the window
# shows. Usage: scripts/record-pictures.sh [path/to/sortbars]
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh run test
app=${1:-build/sortbars}
[ -x "$app" ] || { echo "record-pictures: build first (make test or make run)" >&2; exit 1; }
. scripts/session.sh
start_x 800x600
work=$SESSION_DIR

spawn "$app"
wait_for 60 "a window titled Form1" xdotool search --onlyvisible --name '^Form1$'
win=$(xdotool search --onlyvisible --name '^Form1$' | head -n 1)
xdotool windowactivate --sync "$win"
# Until two pictures in a row are the same: the first frame is on the screen.
settled() {
  xwd -silent -id "$win" >"$work/settle.xwd"
  cmp -s "$work/settle.xwd" "$work/settle.last.xwd" && return 0
  mv "$work/settle.xwd" "$work/settle.last.xwd"
  return 1
}
wait_for 30 "the window's first picture to settle" settled
mkdir -p docs
import -frame -window "$win" docs/sortbars.png

# One frame every 50 ms while Push-sort runs, until the picture stops changing.
# The button's place comes from the window's own layout table.
layout=$(dirname "$app")/layout_pixels
[ -x "$layout" ] || fail "no $layout beside the program: build it with the tests (make test)"
set -- $("$layout" | awk '$1 == "button" && / Push-sort$/ { print $2 + int($4 / 2), $3 + int($5 / 2) }')
[ $# -eq 2 ] || fail "the layout names no Push-sort button"
xdotool mousemove --window "$win" "$1" "$2" click 1
n=0
still=0
start=$(date +%s%N)
while [ "$still" -lt 20 ]; do
  [ "$n" -lt 3000 ] || fail "the picture was still changing after 3000 frames"
  xwd -silent -id "$win" >"$work/$(printf %05d $n).xwd"
  if [ "$n" -gt 0 ] && cmp -s "$work/$(printf %05d $n).xwd" "$work/$(printf %05d $((n - 1))).xwd"; then
    still=$((still + 1))
  else
    still=0
  fi
  n=$((n + 1))
  sleep 0.05
done
# Play it back at the speed it was recorded, in hundredths of a second a frame.
delay=$(( ($(date +%s%N) - start) / n / 10000000 ))
convert -delay "$delay" -loop 0 "$work"/*.xwd -layers Optimize docs/sorting.gif
echo "record-pictures: wrote docs/sortbars.png and docs/sorting.gif ($n frames)"
