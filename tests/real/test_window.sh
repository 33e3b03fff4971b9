#!/bin/sh
# The program in a real window: no display, the window itself, and a close
# through the window manager.
set -eu
. "$(dirname "$0")/session.sh"

# With no display it says so in one line and exits 1, without a core dump.
for display in "" ":4321"; do
  status=0
  env DISPLAY="$display" WAYLAND_DISPLAY= QT_QPA_PLATFORM= "$APP" 2>"$WORK/err" || status=$?
  [ "$status" -eq 1 ] || fail "no display \"$display\": exit status $status, expected 1"
  [ "$(wc -l <"$WORK/err")" -eq 1 ] || fail "no display \"$display\": expected one line, got: $(cat "$WORK/err")"
  echo "no display \"$display\": $(cat "$WORK/err")"
done

start_x
start_app

[ "$(xdotool getwindowname "$WIN")" = "Form1" ] || fail "title is not Form1"
size=$(xwininfo -id "$WIN" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
[ "$size" = "421x310" ] || fail "client area is $size, expected 421x310"

shot "$WORK/first.txt"
bars "$WORK/first.txt" >"$WORK/bars" || fail "$(cat "$WORK/bars")"
[ "$(awk '$1 > 0' "$WORK/bars" | wc -l)" -ge 12 ] || fail "the first picture shows too few bars: $(cat "$WORK/bars")"
[ "$(cut -d' ' -f2- "$WORK/bars" | sort -u | wc -l)" -ge 12 ] || fail "the bars are not in random colours"

# Randomize draws new widths and keeps every slot's colour.
click Randomize
sleep 0.3
shot "$WORK/second.txt"
bars "$WORK/second.txt" >"$WORK/bars2" || fail "$(cat "$WORK/bars2")"
[ "$(cut -d' ' -f1 "$WORK/bars")" != "$(cut -d' ' -f1 "$WORK/bars2")" ] || fail "Randomize changed no width"
paste -d' ' "$WORK/bars" "$WORK/bars2" | awk '$1 > 0 && $5 > 0 && ($2 " " $3 " " $4) != ($6 " " $7 " " $8) { bad = 1 } END { exit bad }' ||
  fail "Randomize changed a colour"

wmctrl -c Form1
wait_exit 5
[ "$STATUS" -eq 0 ] || fail "closing the window gave exit status $STATUS"
echo "1 passed, 0 failed"
