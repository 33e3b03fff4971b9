#!/bin/sh
# Installs the Debian packages of the named groups that are missing, and does
# nothing when they are all present. Run as root or through sudo on Debian
# 12 or 13. Usage: scripts/install-deps.sh [--list] GROUP...
#   run      building and running the program: the compiler, CMake,
#            Debian's build flags (dpkg-dev), Qt 6 with its X11 and Wayland
#            platforms
#   test     the tests on top of that: the share's, and clang-format, a
#            headless Wayland compositor, and what the release's test varies
#            and compares builds with (git, faketime, locales, diffoscope)
#   share    what the share of the tests that CI runs on an emulated
#            architecture needs: the core tests' framework, Qt's private
#            headers (to switch accessibility on in widget tests), an X
#            server with a window manager, a screen-reader client over
#            AT-SPI, Pillow to read the screen shots, and the Debian
#            packaging checkers with hardening-check (devscripts)
#   windows  cross-building for Windows with MinGW-w64 (and the build
#            machine's compiler for the icon tool), the installer's NSIS,
#            Python to write the zip, and Wine to run it
#   web      building for the browser with emscripten, Babel to lower what
#            newer emscripten writes for the oldest browsers, and Node.js to run
#            emscripten's tools and the core's tests
#   browser  the three engines the page is tested in: headless Chromium,
#            Firefox ESR, WebKitGTK (MiniBrowser and its WebDriver on Xvfb),
#            a WebSocket client to drive them, Pillow to read their shots, and
#            a private session bus with AT-SPI to hear their accessibility trees;
#            and the page's compatibility check, npm packages pinned in the
#            project's package-lock.json, installed beside it by npm
#   ci       what CI needs to make Debian trees of another release and
#            architecture, and to run an arm64 one on this machine
set -eu

group() {
  case "$1" in
    run) echo "g++ cmake make pkg-config dpkg-dev qt6-base-dev qt6-qpa-plugins qt6-wayland libgl-dev libxcb1-dev" ;;
    test) echo "$(group share) clang-format sway grim mutter gsettings-desktop-schemas util-linux
      git faketime locales diffoscope-minimal" ;;
    # Apart, because what the rest of the test group brings in is a large
    # part of it: on arm64, 170 of its 415 packages, mutter's WebKitGTK
    # (through zenity) and clang-format's LLVM among them, minutes more to
    # install under emulation.
    share) echo "doctest-dev qt6-base-private-dev
      xvfb xauth openbox xdotool wmctrl x11-utils x11-apps imagemagick fonts-dejavu-core
      dbus-daemon at-spi2-core python3-pyatspi python3-pil python3-xlib
      file lintian desktop-file-utils appstream devscripts" ;;
    # Wine runs the x86-64 sortbars.exe only on an x86-64 machine; elsewhere
    # the tests that run it are skipped.
    windows) echo "g++ cmake make doctest-dev g++-mingw-w64-x86-64-posix nsis python3"
      [ "$(dpkg --print-architecture)" != amd64 ] || echo "wine wine64" ;;
    web) echo "cmake make doctest-dev emscripten nodejs node-babel7" ;;
    # Debian's npm, where no other is installed (one that comes with a
    # Node.js from elsewhere would conflict with it).
    browser) echo "chromium firefox-esr webkit2gtk-driver libwebkit2gtk-4.1-0 xvfb python3-websocket python3-pil
      dbus-daemon at-spi2-core python3-pyatspi nodejs"
      command -v npm >/dev/null 2>&1 || echo npm ;;
    ci) echo "debootstrap qemu-user-static" ;;
    *) echo "install-deps: no group \"$1\" (run, test, share, windows, web, browser or ci)" >&2; exit 2 ;;
  esac
}

# --list GROUP...: only prints the groups' packages.
list=false
if [ "${1:-}" = --list ]; then
  list=true
  shift
fi
[ $# -gt 0 ] || set -- run
packages=""
for g in "$@"; do packages="$packages $(group "$g")"; done
if $list; then
  echo $packages
  exit 0
fi

# The page check's npm packages, exactly as the lock file pins them, once
# the Debian packages are in; again only when the lock file changes.
npm_packages() {
  case " $* " in *" browser "*) ;; *) return 0 ;; esac
  project=$(dirname "$0")/..
  if ! cmp -s "$project/package-lock.json" "$project/node_modules/.installed-lock.json"; then
    echo "install-deps: installing the page check's npm packages in node_modules"
    (cd "$project" && npm ci --no-audit --no-fund --loglevel=error && cp package-lock.json node_modules/.installed-lock.json)
  fi
}

missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' \
    || missing="$missing $p"
done
if [ -z "$missing" ]; then
  npm_packages "$@"
  exit 0
fi

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
npm_packages "$@"
