#!/bin/sh
# What only X11 lets another client do to the window: destroy it mid-sort,
# without a close request, which must end the program with status 0 at
# once; and 15 s of random input from the pointer, the keyboard and another
# window, then a close, which the program must live through.
set -eu
. "$(dirname "$0")/session.sh"

start_x
start_app
check_random_input 15

start_app
click Push-sort
wait_locked Push-sort
start=$(date +%s%N)
xdotool windowclose "$WIN"
wait_exit 3
[ "$STATUS" -eq 0 ] || fail "a destroyed window gave exit status $STATUS"
echo "window destroyed mid-sort: ended $(( ($(date +%s%N) - start) / 1000000 )) ms after"
echo "1 passed, 0 failed"
