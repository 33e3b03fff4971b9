#!/bin/sh
# An installed program opens its window, titled Form1 at the client size of
# the layout, in a private X session, and a close ends it with status 0.
# Usage: test_installed.sh PROGRAM
set -eu
. "$(dirname "$0")/../real/session.sh"
start_x
start_app
[ "$(xdotool getwindowname "$WIN")" = "Form1" ] || fail "the installed program's window is not titled Form1"
size=$(xwininfo -id "$WIN" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
client=$(awk '$1 == "client" { print $2 "x" $3 }' "$LAYOUT")
[ "$size" = "$client" ] || fail "the installed program's window is $size, not $client"
wmctrl -c Form1
wait_exit 10
[ "$STATUS" -eq 0 ] || fail "the installed program ended with status $STATUS"
echo "installed: $1 opens its window, $size, and closes with status 0"
