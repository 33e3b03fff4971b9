#!/bin/sh
# When no window can be opened, the program says why in exactly one line on
# stderr and exits with status 1: one row for each way a display can be
# missing, dead, unreachable or unusable, and for each scale factor that
# cannot show the window.
set -eu
. "$(dirname "$0")/session.sh"

start_x # a live X display, for the rows that must not blame it
LIVE=$DISPLAY
XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export XDG_RUNTIME_DIR

# The program as installed without the Wayland plugin: a copy beside a
# qt.conf whose plugin folder holds every installed platform but Wayland's.
NOWAYLAND="$WORK/nowayland"
mkdir -p "$NOWAYLAND/bin" "$NOWAYLAND/plugins/platforms"
cp "$APP" "$NOWAYLAND/bin/sortbars"
platforms="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/qt6/plugins/platforms"
[ -e "$platforms/libqxcb.so" ] || fail "Qt's platform plugins are not in $platforms"
for plugin in "$platforms"/*.so; do
  case "$plugin" in *wayland*) ;; *) ln -s "$plugin" "$NOWAYLAND/plugins/platforms/" ;; esac
done
printf '[Paths]\nPlugins = %s\n' "$NOWAYLAND/plugins" >"$NOWAYLAND/bin/qt.conf"

passed=0
# row NAME EXPECTED UNEXPECTED PROGRAM [-u VAR]... [VAR=VALUE]...: runs
# PROGRAM in the environment the rest of the arguments make, with no display
# variables but those, and checks status 1,
# one line on stderr, EXPECTED in it and UNEXPECTED (unless empty) not.
row() {
  name=$1 expected=$2 unexpected=$3 program=$4
  shift 4
  status=0
  timeout 10 env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_SESSION_TYPE -u QT_QPA_PLATFORM -u QT_SCALE_FACTOR \
    "$@" "$program" >"$WORK/out" 2>"$WORK/err" || status=$?
  [ "$status" -eq 1 ] || fail "$name: exit status $status, expected 1; stderr: $(cat "$WORK/err")"
  [ "$(wc -l <"$WORK/err")" -eq 1 ] || fail "$name: expected one line on stderr, got: $(cat "$WORK/err")"
  grep -qF -- "$expected" "$WORK/err" || fail "$name: the line does not say '$expected': $(cat "$WORK/err")"
  if [ -n "$unexpected" ] && grep -qF -- "$unexpected" "$WORK/err"; then
    fail "$name: the line wrongly says '$unexpected': $(cat "$WORK/err")"
  fi
  [ ! -s "$WORK/out" ] || fail "$name: wrote to stdout: $(cat "$WORK/out")"
  echo "$name: $(cat "$WORK/err")"
  passed=$((passed + 1))
}

row "no display at all" 'X11: no X display (DISPLAY is not set)' Wayland "$APP"
row "a dead X display" 'X11: cannot open the X display ":4321"' Wayland "$APP" DISPLAY=:4321
row "a dead WAYLAND_DISPLAY" 'Wayland: cannot connect to the compositor "wayland-77"' '' "$APP" WAYLAND_DISPLAY=wayland-77
row "Wayland asked for, no compositor" 'Wayland: cannot connect to the compositor "wayland-0"' X11 "$APP" QT_QPA_PLATFORM=wayland
row "Wayland with no XDG_RUNTIME_DIR" 'compositor "wayland-0" (XDG_RUNTIME_DIR is not set)' X11 "$APP" \
  -u XDG_RUNTIME_DIR QT_QPA_PLATFORM=wayland
row "a WAYLAND_DISPLAY with no XDG_RUNTIME_DIR" '"wayland-1" (XDG_RUNTIME_DIR is not set)' '' "$APP" \
  -u XDG_RUNTIME_DIR WAYLAND_DISPLAY=wayland-1
row "the Wayland plugin not installed" 'the Qt Wayland platform plugin is not installed' X11 \
  "$NOWAYLAND/bin/sortbars" QT_QPA_PLATFORM=wayland
row "the Wayland plugin not installed, WAYLAND_DISPLAY set" 'the Qt Wayland platform plugin is not installed' '' \
  "$NOWAYLAND/bin/sortbars" WAYLAND_DISPLAY=wayland-0
row "a platform that is not installed" 'there is no Qt platform "bogus" (QT_QPA_PLATFORM); installed: ' X11 "$APP" \
  QT_QPA_PLATFORM=bogus
row "a live X display, Wayland asked for" 'Wayland: cannot connect to the compositor' 'X display' "$APP" \
  DISPLAY="$LIVE" QT_QPA_PLATFORM=wayland
row "a live X display, no such platform" 'there is no Qt platform "bogus"' 'X display' "$APP" \
  DISPLAY="$LIVE" QT_QPA_PLATFORM=bogus
row "a framebuffer platform with no framebuffer" 'the platform "linuxfb" has no screen' X11 "$APP" \
  QT_QPA_PLATFORM=linuxfb:fb=/dev/no-framebuffer
for scale in -1 0 0.2 8.5 100 1e9 nan inf; do
  row "QT_SCALE_FACTOR=$scale" "QT_SCALE_FACTOR is \"$scale\"" 'display' "$APP" DISPLAY="$LIVE" QT_SCALE_FACTOR="$scale"
done
# Text that is not a number is ignored, as Qt ignores it: the display decides.
row "QT_SCALE_FACTOR=abc is ignored" 'X11: no X display' 'QT_SCALE_FACTOR' "$APP" QT_SCALE_FACTOR=abc

echo "$passed passed, 0 failed"
