#!/bin/sh
# The program natively on Wayland, under a headless sway started here: the
# window's title, size and app id; a Push-sort, pressed through the
# accessibility interface (the headless seat has no pointer), that greys the
# buttons while it runs and leaves the bars ascending; and a close mid-sort
# that ends the program with status 0.
set -eu
. "$(dirname "$0")/private_bus.sh" # for the accessibility bus the presses go through
. "$(dirname "$0")/session.sh"
ENTRY="$(dirname "$0")/../../packaging/org.sortbars.SortBars.desktop"

start_wayland
export QT_QPA_PLATFORM=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_app

window=$(sway_window)
title=$(echo "$window" | cut -f1)
size=$(echo "$window" | cut -f2 | cut -d' ' -f2)
app_id=$(echo "$window" | cut -f3)
[ "$title" = Form1 ] || fail "the title is \"$title\", not Form1"
[ "$size" = "$(client_size)" ] || fail "the window is $size, not $(client_size)"
[ "$app_id" = "$(basename "$ENTRY" .desktop)" ] || fail "the app id \"$app_id\" does not name the desktop entry"
echo "window: $title, $size, app id $app_id"

press() { # CAPTION: as a screen reader presses a button, once the program's accessible objects are there
  poll 60 timeout 20 /usr/bin/python3 "$(dirname "$0")/screen_reader.py" "$APP_PID" "$1" press ||
    fail "could not press $1 through the accessibility interface within 60 s"
}

cp "$WORK/board" "$WORK/before" # the first picture, which start_app waited for
ascending "$WORK/before" && fail "the first picture is already in order"
press Push-sort
wait_locked Push-sort
wait_sorted 120 Push-sort
shot "$WORK/after.png"
bars "$WORK/after.png" >"$WORK/after" || fail "$(cat "$WORK/after")"
ascending "$WORK/after" || fail "Push-sort left the bars out of order: $(cat "$WORK/after")"
[ "$(sort "$WORK/before")" = "$(sort "$WORK/after")" ] || fail "widths and colours did not stay together"
echo "Push-sort: greyed while it ran, bars ascending after it"

# A close in the middle of a sort ends the program at once.
press Randomize
wait_for 30 "Randomize to draw new widths" board_changed "$WORK/after"
press Push-sort
wait_locked "the second Push-sort"
start=$(date +%s%N)
swaymsg "[pid=$APP_PID] kill" >/dev/null
wait_exit 3
[ "$STATUS" -eq 0 ] || fail "closing mid-sort gave exit status $STATUS"
echo "closed mid-sort: ended $(( ($(date +%s%N) - start) / 1000000 )) ms after the close request"
echo "1 passed, 0 failed"
