#!/bin/sh
# The Windows platform's message box and its ends, under Wine, with the test
# programs of win_forms.exe ($3): the box is modal to the window, titled and
# worded as asked, with the critical icon and one OK button; the runtime
# error's default report shows the error in the same box and ends with 1;
# a window destroyed by no close request ends the program with 0; a change
# of dpi lays the window out again; and with
# no display to open the window on, the program says so in one line and
# ends with 1.
set -eu
FORMS=$3
. "$(dirname "$0")/session.sh"
start_wine

# box_shown: the probe sees a message box; leaves it in $WORK/box.
box_shown() {
  probe box >"$WORK/box" && grep -q '^title ' "$WORK/box"
}

# check_box TITLE TEXT: the box's title, text, owner and buttons, and the
# red of the critical icon in its picture.
check_box() {
  expected=$(printf 'title %s\nowner Form1\nbutton OK\ntext %s' "$1" "$2")
  [ "$(sort "$WORK/box")" = "$(echo "$expected" | sort)" ] ||
    fail "the message box is $(cat "$WORK/box"), not $expected"
  wait_for 30 "the box titled $1 on the screen" xdotool search --onlyvisible --name "^$1\$"
  box_win=$(xdotool search --onlyvisible --name "^$1\$" | head -n 1)
  WIN=$box_win # for the shots
  rm -f "$WORK/box.png"
  wait_for 30 "the box titled $1 to settle" settled "$WORK/box.png"
  red=$(pixels reds "$WORK/box.png")
  [ "$red" -ge 40 ] || fail "the box $1 shows no critical icon ($red red pixels)"
}

# The box while the window loads: the window shows only after OK.
spawn wine "$FORMS" messagebox
APP_PID=$SPAWNED
wait_for 60 "the message box of the load" box_shown
check_box "Error!" "Error in algorithm design!"
xdotool search --onlyvisible --name '^Form1$' >/dev/null && fail "the window showed before the box was dismissed"
xdotool windowactivate --sync "$box_win"
xdotool key Return
wait_for 30 "the window after OK" xdotool search --onlyvisible --name '^Form1$'
wmctrl -c Form1
wait_exit 10
[ "$STATUS" -eq 0 ] || fail "closing the window after the box gave exit status $STATUS"

# The default report of a runtime error, then the end with status 1.
spawn wine "$FORMS" runtime-error
APP_PID=$SPAWNED
wait_for 60 "the report of the runtime error" box_shown
check_box sortbars "Run-time error: Overflow"
xdotool windowactivate --sync "$box_win"
xdotool key Return
wait_exit 10
[ "$STATUS" -eq 1 ] || fail "the runtime error ended with status $STATUS, not 1"

# A window destroyed without a close request: unload runs and the program
# ends with 0 instead of running on without its window.
wine "$FORMS" destroy >"$WORK/destroy" 2>/dev/null &
APP_PID=$!
wait_exit 60
tr -d '\r' <"$WORK/destroy" | grep -qx unloaded || fail "the destroyed window raised no unload: $(cat "$WORK/destroy")"
[ "$STATUS" -eq 0 ] || fail "the destroyed window ended the program with status $STATUS: $(cat "$WORK/destroy")"
# A move to a monitor of 144 dpi lays the window out again at that dpi.
wine "$FORMS" dpichange >"$WORK/dpichange" 2>/dev/null &
APP_PID=$!
wait_exit 60
use_scale 1.5
expected="client $(client_size | tr x ' ')"
[ "$(tr -d '\r' <"$WORK/dpichange" | grep '^client')" = "$expected" ] ||
  fail "after a change to 144 dpi the window has $(cat "$WORK/dpichange"), not $expected"
# and the buttons' text grows with it, by half.
set -- $(tr -d '\r' <"$WORK/dpichange" | awk '$1 == "font" { print $2 }')
[ $# -eq 2 ] && [ "$1" -gt 0 ] && [ $((2 * $2)) -ge $((3 * $1 - 2)) ] && [ $((2 * $2)) -le $((3 * $1 + 2)) ] ||
  fail "after a change to 144 dpi the buttons' font is $2 high, from $1: it did not follow the dpi"

# No display: one line on stderr, status 1, and no message box to wait on.
STATUS=0
env -u DISPLAY timeout 60 wine "$APP" >"$WORK/nodisplay" 2>&1 || STATUS=$?
[ "$STATUS" -eq 1 ] || fail "with no display the program ended with status $STATUS, not 1: $(cat "$WORK/nodisplay")"
[ "$(tr -d '\r' <"$WORK/nodisplay" | grep -c '^sortbars: no window can be opened: ')" -eq 1 ] ||
  fail "with no display the program said: $(cat "$WORK/nodisplay")"
echo "1 passed, 0 failed"
