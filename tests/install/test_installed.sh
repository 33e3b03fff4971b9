#!/bin/sh
# An installed program opens its window, titled Form1 at the client size of
# the layout, in a private X session, and a close ends it with status 0.
# Usage: test_installed.sh PROGRAM
set -eu
. "$(dirname "$0")/../real/session.sh"
start_x
start_app
check_x_window
wmctrl -c Form1
wait_exit 10
[ "$STATUS" -eq 0 ] || fail "the installed program ended with status $STATUS"
echo "installed: $1 opens its window, $size, and closes with status 0"
