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

check_first_picture
check_randomize

wmctrl -c Form1
wait_exit 5
[ "$STATUS" -eq 0 ] || fail "closing the window gave exit status $STATUS"
echo "1 passed, 0 failed"
