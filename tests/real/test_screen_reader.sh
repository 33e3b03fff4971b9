#!/bin/sh
# A real screen-reader client over AT-SPI drives the program in a real
# window: it reads the bars and buttons, focuses and presses "Push-sort",
# hears the bars change while the sort runs, and finds the focus back on
# "Push-sort" and the bars ascending after it.
set -eu
. "$(dirname "$0")/private_bus.sh"
. "$(dirname "$0")/session.sh"

start_x
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_app
# The client runs under Debian's own python3, where pyatspi is installed.
timeout 150 /usr/bin/python3 "$(dirname "$0")/screen_reader.py" "$APP_PID" Push-sort 120 ||
  fail "the screen-reader client failed"

wmctrl -c Form1
wait_exit 5
echo "1 passed, 0 failed"
