#!/bin/sh
# What only sortbars.exe under Wine shows, in a real X window: the icon, the
# buttons at their rectangles in tab order as MSAA lists them, a frame that
# cannot be resized, the chart valued by the length drawn and the value
# changes announced, Enter on the focused button, and the buttons drawn
# greyed in a sort; then the scenarios every window runs (tests/support/
# scenarios.py), read through win_probe.exe.
set -eu
. "$(dirname "$0")/session.sh"

start_wine
start_app wine "$APP"
check_x_window

# The program's icon on the window, for the title bar and the taskbar: the
# four bars of its design in their colours.
icon=$(xprop -notype -id "$WIN" 32c _NET_WM_ICON | tr -d ' ' | tr ',' '\n')
for rgb in 0xe4572e 0xf3a712 0x4caf50 0x2e86de; do
  echo "$icon" | grep -qx "$((0xff000000 | rgb))" || fail "the window's icon lacks the bar of colour $rgb"
done

# The buttons, as another process sees them: in tab order, at the layout's
# rectangles, all enabled.
probe window >"$WORK/window"
expected=$(awk '$1 == "button"' "$LAYOUT" | sort -k3,3n | awk '{ $1 = "button"; print }')
seen=$(awk '$1 == "button" { c = $7; for (i = 8; i <= NF; i++) c = c " " $i; print "button", $2, $3, $4, $5, c }' "$WORK/window" |
  sort -k3,3n)
[ "$seen" = "$expected" ] || fail "the buttons are at $seen, not at $expected"
tab_order=$(awk '$1 == "button" { $1 = $2 = $3 = $4 = $5 = $6 = ""; sub(/^ +/, ""); print }' "$WORK/window" | paste -sd,)
[ "$tab_order" = "Randomize,Bubble-sort,Random sort,Push-sort" ] || fail "the tab order is $tab_order"
grep -qx 'frame fixed no-maximize' "$WORK/window" || fail "the window can be resized or maximized: $(cat "$WORK/window")"
grep -q '^button .* disabled ' "$WORK/window" && fail "a button starts disabled: $(cat "$WORK/window")"

chart_matches || fail "the chart does not match the picture: $(cat "$WORK/chart") against $(cat "$WORK/board")"

# The chart follows Randomize, announcing to screen readers the value of
# each bar that changed.
cp "$WORK/chart" "$WORK/chart.before"
timeout 90 wine "$PROBE" events >"$WORK/events" 2>/dev/null &
events_pid=$!
wait_for 30 "the probe to listen for value changes" grep -q listening "$WORK/events"
click Randomize
followed() { board_shown && chart_matches && ! cmp -s "$WORK/chart" "$WORK/chart.before"; }
wait_for 30 "the chart to follow Randomize's new widths" followed
changed=$(paste -d' ' "$WORK/chart.before" "$WORK/chart" | awk '$1 == "item" && $4 != $9 { print $3 }')
announced() {
  [ "$(tr -d '\r' <"$WORK/events" | awk '$1 == "child" { print $2 }' | sort -nu)" = "$(echo "$changed" | sort -n)" ]
}
wait_for 30 "value changes announced for the bars Randomize changed ($(echo $changed))" announced
kill "$events_pid" 2>/dev/null || true

# Enter presses the focused button, as on any Windows form, and no other:
# Randomize draws new widths, and no sort starts.
# The focus comes there from the keyboard, as the dialog manager
# makes the default button only of one that Tab reaches.
xdotool windowactivate --sync "$WIN"
xdotool key Tab shift+Tab
wait_for 30 "Tab and Shift+Tab to take the focus back to Randomize" focus_is Randomize
cp "$WORK/board" "$WORK/before"
xdotool key Return
wait_for 30 "Enter on Randomize to draw new widths" board_changed "$WORK/before"
buttons_are enabled || fail "Enter on Randomize started a sort"
focus_is Randomize || fail "Enter moved the focus from Randomize"

# A sort draws the buttons greyed.
click Bubble-sort
wait_for 30 "Bubble-sort to disable the buttons" buttons_are disabled
buttons_enabled && fail "the buttons are not drawn greyed while the sort runs"
wmctrl -c Form1
wait_exit 10

/usr/bin/python3 "$(dirname "$0")/../real/desktop.py" wine "$APP" "$PROBE"
