#!/bin/sh
# The program in a real X11 window: its title, size and class, the first
# picture, Randomize, and a close through the window manager.
set -eu
. "$(dirname "$0")/session.sh"

start_x
start_app

check_x_window
# Desktops on X11 match the window to its desktop entry by its class.
ENTRY="$(dirname "$0")/../../packaging/org.sortbars.SortBars.desktop"
class=$(xprop -id "$WIN" WM_CLASS | sed -n 's/.*, "\(.*\)"$/\1/p')
[ "$class" = "$(sed -n 's/^StartupWMClass=//p' "$ENTRY")" ] || fail "WM_CLASS \"$class\" is not the entry's StartupWMClass"

cp "$WORK/board" "$WORK/bars" # the first picture, which start_app waited for
[ "$(awk '$1 > 0' "$WORK/bars" | wc -l)" -ge 12 ] || fail "the first picture shows too few bars: $(cat "$WORK/bars")"
[ "$(cut -d' ' -f2- "$WORK/bars" | sort -u | wc -l)" -ge 12 ] || fail "the bars are not in random colours"

# Randomize draws new widths and keeps every slot's colour.
click Randomize
wait_for 30 "Randomize to draw new widths" board_changed "$WORK/bars"
cp "$WORK/board" "$WORK/bars2"
paste -d' ' "$WORK/bars" "$WORK/bars2" | awk '$1 > 0 && $5 > 0 && ($2 " " $3 " " $4) != ($6 " " $7 " " $8) { bad = 1 } END { exit bad }' ||
  fail "Randomize changed a colour"

wmctrl -c Form1
wait_exit 5
[ "$STATUS" -eq 0 ] || fail "closing the window gave exit status $STATUS"
echo "1 passed, 0 failed"
