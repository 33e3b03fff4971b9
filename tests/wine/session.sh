# Sourced by the real-window tests under Wine, with sortbars.exe as $1,
# win_probe.exe as $2, win_forms.exe as $3 and the installer as $4: a
# private X session (tests/real/session.sh) with a Wine prefix of the test's
# own, the program started in it, and what the probe reads of its window. The prefix's server is stopped on every path.
set -eu
. "$(dirname "$0")/../real/session.sh"
PROBE=${2:?must name win_probe.exe}
export WINEPREFIX="$WORK/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset WINEARCH

wine_cleanup() {
  # The server outlives its last process by a few seconds; kill it now.
  wineserver -k 2>/dev/null || true
  session_cleanup
}
trap wine_cleanup EXIT

# start_wine: the X session, then the prefix, made before the program
# starts so that its making is not counted against the window's wait.
start_wine() {
  start_x
  timeout 300 wineboot --init >/dev/null 2>&1 || fail "Wine could not make its prefix within 300 s"
}

# set_dpi DPI: the prefix's LogPixels, as the display settings of Windows
# set it, read by the programs started after the prefix's server restarts.
set_dpi() {
  timeout 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 ||
    fail "could not set LogPixels to $1"
  timeout 60 wineserver -w || fail "the prefix's server did not stop within 60 s"
}

# start_wine_app: starts the program and waits for its window. Sets APP_PID
# and WIN.
start_wine_app() {
  spawn wine "$APP"
  APP_PID=$SPAWNED
  if ! poll 60 xdotool search --onlyvisible --name '^Form1$'; then
    kill -0 "$APP_PID" 2>/dev/null || fail "the program ended before its window showed"
    fail "a window titled Form1: not within 60 s"
  fi
  WIN=$(xdotool search --onlyvisible --name '^Form1$' | head -n 1)
}

# probe WHAT: what win_probe reads (window or chart), without Windows' line ends.
probe() {
  timeout 30 wine "$PROBE" "$1" 2>/dev/null | tr -d '\r'
}

# focus_is CAPTION: true when the probe sees the focus on that button ("none": on none).
focus_is() {
  [ "$(probe window | sed -n 's/^focus //p')" = "$1" ]
}

# buttons_are enabled|disabled: true when all four are.
buttons_are() {
  [ "$(probe window | awk -v s="$1" '$1 == "button" && $6 == s' | wc -l)" -eq 4 ]
}
