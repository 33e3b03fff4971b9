#!/bin/sh
# The program in a real X11 window: the scenarios every window runs
# (tests/support/scenarios.py), driven by xdotool and a screen-reader client
# over AT-SPI, with the window's class checked at every start, for desktops
# to match it to its entry; and what only X11 lets another client do,
# destroy the window mid-sort without a close request, which must end the
# program with status 0 at once.
set -eu
. "$(dirname "$0")/private_bus.sh" # for the accessibility bus the reader listens on
. "$(dirname "$0")/session.sh"

start_x
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
/usr/bin/python3 "$(dirname "$0")/desktop.py" x11 "$APP"

start_app
click Push-sort
wait_locked Push-sort
start=$(date +%s%N)
xdotool windowclose "$WIN"
wait_exit 3
[ "$STATUS" -eq 0 ] || fail "a destroyed window gave exit status $STATUS"
echo "window destroyed mid-sort: ended $(( ($(date +%s%N) - start) / 1000000 )) ms after"
