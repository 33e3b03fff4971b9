#!/bin/sh
# The program natively on Wayland, under a headless sway started here: its
# app id, for desktops to match it to its entry, and then the scenarios every
# window runs (tests/support/scenarios.py), the buttons pressed through the
# accessibility interface (the headless seat has no pointer or keyboard).
set -eu
. "$(dirname "$0")/private_bus.sh" # for the accessibility bus the presses go through
. "$(dirname "$0")/session.sh"
ENTRY="$(dirname "$0")/../../packaging/org.sortbars.SortBars.desktop"

start_wayland
export QT_QPA_PLATFORM=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_app --window-only
app_id=$(sway_window | cut -f3)
[ "$app_id" = "$(basename "$ENTRY" .desktop)" ] || fail "the app id \"$app_id\" does not name the desktop entry"
echo "app id: $app_id"
kill "$APP_PID"
wait_exit 5

/usr/bin/python3 "$(dirname "$0")/desktop.py" sway "$APP"
