#!/bin/sh
# The program natively on Wayland, under a headless sway started here: the
# scenarios every window runs (tests/support/scenarios.py), the buttons
# pressed through the accessibility interface (the headless seat has no
# pointer or keyboard), and at every start the app id, for desktops to match
# the window to its entry.
set -eu
. "$(dirname "$0")/private_bus.sh" # for the accessibility bus the presses go through
. "$(dirname "$0")/session.sh"

start_wayland
export QT_QPA_PLATFORM=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
/usr/bin/python3 "$(dirname "$0")/desktop.py" sway "$APP"
