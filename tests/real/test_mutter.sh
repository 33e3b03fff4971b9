#!/bin/sh
# The scenarios every window runs (tests/support/scenarios.py), natively on
# GNOME's compositor under a headless mutter started here. Mutter has no
# screenshots and no pointer to drive here: keys go to mutter's own keyboard,
# and what the program shows is read, and its buttons pressed, through AT-SPI.
set -eu
. "$(dirname "$0")/session.sh"

start_mutter
export QT_QPA_PLATFORM=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
/usr/bin/python3 "$(dirname "$0")/desktop.py" mutter "$APP"
