#!/bin/sh
# Ending mid-sort: closing the window while bars slide ends the program at
# once with status 0, and so does another client destroying the window, and
# a close after 15 s of random input.
set -eu
. "$(dirname "$0")/session.sh"

start_x
start_app

check_close_mid_sort 3

start_app
check_random_input 15

# Another client destroys the window mid-sort: no close request comes, and
# the program must not go on without its window.
start_app
click Push-sort
wait_locked "the second Push-sort"
start=$(date +%s%N)
xdotool windowclose "$WIN"
wait_exit 3
[ "$STATUS" -eq 0 ] || fail "a destroyed window gave exit status $STATUS"
echo "window destroyed mid-sort: ended $(( ($(date +%s%N) - start) / 1000000 )) ms after"
echo "1 passed, 0 failed"
