#!/bin/sh
# The program natively on GNOME's compositor, under a headless mutter started
# here: the window opens at the client size, a Push-sort pressed by a
# screen-reader client runs to ascending bars, and Alt+F4 on mutter's
# keyboard closes the window, ending the program with status 0. Mutter has
# no screenshots and no pointer to drive here: what the program shows is
# read through AT-SPI.
set -eu
. "$(dirname "$0")/session.sh"
HERE=$(dirname "$0")

start_mutter
export QT_QPA_PLATFORM=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_app

size=$(timeout 20 /usr/bin/python3 "$HERE/screen_reader.py" "$APP_PID" window)
[ "$size" = "$(client_size)" ] || fail "the window is $size, not $(client_size)"
echo "window: $size"

timeout 150 /usr/bin/python3 "$HERE/screen_reader.py" "$APP_PID" Push-sort 120 || fail "Push-sort under mutter"

start=$(date +%s%N)
timeout 20 /usr/bin/python3 "$HERE/mutter_keys.py" 0xffe9 0xffc1 || fail "could not type Alt+F4 on mutter"
wait_exit 10
[ "$STATUS" -eq 0 ] || fail "Alt+F4 gave exit status $STATUS"
echo "closed by Alt+F4: ended $(( ($(date +%s%N) - start) / 1000000 )) ms after"
echo "1 passed, 0 failed"
