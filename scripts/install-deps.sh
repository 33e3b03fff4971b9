#!/bin/sh
# Installs the Debian packages that building, running and testing sortbars
# need, skipping the work when they are all present already.
# Run as root or through sudo on Debian 12.
set -eu

# Building and running: the compiler, Qt 6 with its X11 and Wayland platforms.
# Testing: Qt's private headers (to switch accessibility on in widget tests),
# an X server with a window manager, a headless Wayland compositor, a
# screen-reader client over AT-SPI, and the Debian packaging checkers.
packages="
  g++ cmake make clang-format pkg-config
  qt6-base-dev qt6-qpa-plugins qt6-wayland libgl-dev libxcb1-dev
  qt6-base-private-dev
  xvfb xauth openbox xdotool wmctrl x11-utils x11-apps imagemagick fonts-dejavu-core
  sway grim util-linux
  dbus-daemon at-spi2-core python3-pyatspi
  dpkg-dev file lintian desktop-file-utils appstream
"

missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' \
    || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then exec sudo "$0" "$@"; fi
  echo "install-deps: missing packages:$missing; run as root to install them" >&2
  exit 1
fi

echo "install-deps: installing$missing"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
# shellcheck disable=SC2086
apt-get install -y -q --no-install-recommends $missing
