#!/bin/sh
# The program natively on GNOME's compositor, under a headless mutter started
# here: the window opens at the client size, a Push-sort pressed by a
# screen-reader client runs to ascending bars, and Alt+F4 on mutter's
# keyboard closes the window, ending the program with status 0. Mutter has
# no screenshots and no pointer to drive here: what the program shows is
# read through AT-SPI.
set -eu
# mutter will not run as root; all of the test runs as nobody then.
if [ "$(id -u)" -eq 0 ]; then
  exec setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME=/nonexistent "$0" "$@"
fi
# A private session bus: mutter's, the accessibility bus's and the clients'.
if [ -z "${SORTBARS_PRIVATE_BUS:-}" ]; then
  SORTBARS_PRIVATE_BUS=1 exec dbus-run-session -- "$0" "$@"
fi
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
