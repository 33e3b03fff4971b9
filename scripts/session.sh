# Sourced by every script that needs a display of its own: the real-window
# tests, the benchmarks and scripts/record-pictures.sh. It starts a private
# X server with a window manager (start_x) or a headless Wayland compositor
# (start_wayland), bounds every wait, and tears down all it started when the
# script exits, on every path.
set -eu

SESSION_DIR=$(mktemp -d)
SESSION_PIDS=""

session_cleanup() {
  for pid in $SESSION_PIDS; do kill "$pid" 2>/dev/null || true; done
  for pid in $SESSION_PIDS; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$SESSION_DIR"
}
trap session_cleanup EXIT
trap 'exit 130' INT TERM

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# poll SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds (0) or
# SECONDS have passed on the clock (1), however long each try takes.
poll() {
  poll_end=$(($(date +%s) + $1))
  shift
  until "$@" >/dev/null 2>&1; do
    [ "$(date +%s)" -lt "$poll_end" ] || return 1
    sleep 0.1
  done
}

# wait_for SECONDS WHAT COMMAND...: as poll, but fails the script, naming
# WHAT, when the time runs out.
wait_for() {
  wait_seconds=$1
  wait_what=$2
  shift 2
  poll "$wait_seconds" "$@" || fail "$wait_what: not within $wait_seconds s"
}

# spawn COMMAND...: starts COMMAND in the background, to be stopped on exit.
# Sets SPAWNED to its process id.
spawn() {
  "$@" &
  SPAWNED=$!
  SESSION_PIDS="$SPAWNED $SESSION_PIDS"
}

# start_x [WIDTHxHEIGHT]: Xvfb with openbox; exports DISPLAY. Now and then,
# with X sessions starting side by side, openbox ends at once, finding no
# display on one that has just taken xdpyinfo; then the session starts
# again, up to three times.
start_x() {
  for x_try in 1 2 3; do
    : >"$SESSION_DIR/display"
    spawn Xvfb -displayfd 3 -screen 0 "${1:-1024x768}x24" -nolisten tcp 3>"$SESSION_DIR/display" 2>/dev/null
    xvfb_pid=$SPAWNED
    wait_for 30 "Xvfb to report its display" test -s "$SESSION_DIR/display"
    DISPLAY=":$(cat "$SESSION_DIR/display")"
    export DISPLAY
    unset WAYLAND_DISPLAY XDG_SESSION_TYPE # so that Qt picks X11
    wait_for 30 "Xvfb to take clients on $DISPLAY" xdpyinfo
    spawn openbox >"$SESSION_DIR/openbox.log" 2>&1
    openbox_pid=$SPAWNED
    poll 60 sh -c "wmctrl -m || ! kill -0 $openbox_pid" || fail "openbox to manage the display: not within 60 s"
    wmctrl -m >/dev/null 2>&1 && return 0
    kill -0 "$openbox_pid" 2>/dev/null && fail "openbox to manage the display: not within 60 s"
    echo "start_x: openbox ended at start ($(tail -n 1 "$SESSION_DIR/openbox.log")); starting again" >&2
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  done
  fail "openbox ended at start three times: $(tail -n 3 "$SESSION_DIR/openbox.log")"
}

# start_mutter: headless mutter, GNOME's compositor, with a virtual monitor.
# It gets a session bus and a system bus of its own, which the caller and
# its clients share (the remote-desktop keyboard is on the session bus), and
# exports DBUS_SESSION_BUS_ADDRESS, WAYLAND_DISPLAY (the socket's full path)
# and an XDG_RUNTIME_DIR of the caller's own. mutter will not run as root,
# so under root it runs as nobody, as sway does.
start_mutter() {
  mutter_dir="$SESSION_DIR/mutter"
  mkdir -m 700 "$mutter_dir"
  # Before the buses start: the accessibility bus that they start puts its
  # socket here, where no other test's is.
  XDG_RUNTIME_DIR="$SESSION_DIR/runtime"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  export XDG_RUNTIME_DIR
  # Buses that any user of this machine may join: mutter's and the caller's.
  cat >"$SESSION_DIR/bus.conf" <<CONF
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=$SESSION_DIR</listen>
  <standard_session_servicedirs/>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
  </policy>
</busconfig>
CONF
  for bus in session system; do
    spawn dbus-daemon --config-file="$SESSION_DIR/bus.conf" --nofork --print-address=3 3>"$SESSION_DIR/$bus.bus"
    wait_for 30 "a $bus bus for mutter" test -s "$SESSION_DIR/$bus.bus"
  done
  DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$SESSION_DIR/session.bus")
  export DBUS_SESSION_BUS_ADDRESS
  set -- mutter --headless --wayland --no-x11 --virtual-monitor 1024x768
  if [ "$(id -u)" -eq 0 ]; then
    chmod 711 "$SESSION_DIR"
    chown -R nobody:nogroup "$mutter_dir"
    set -- setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"
  fi
  spawn env -u DISPLAY -u WAYLAND_DISPLAY HOME="$mutter_dir" XDG_RUNTIME_DIR="$mutter_dir" \
    DBUS_SYSTEM_BUS_ADDRESS="$(head -n 1 "$SESSION_DIR/system.bus")" "$@" >"$SESSION_DIR/mutter.log" 2>&1
  poll 30 test -S "$mutter_dir/wayland-0" ||
    fail "mutter opened no Wayland socket within 30 s: $(tail -n 3 "$SESSION_DIR/mutter.log")"
  WAYLAND_DISPLAY="$mutter_dir/wayland-0"
  SESSION_COMPOSITOR=mutter
  export WAYLAND_DISPLAY
  unset DISPLAY XDG_SESSION_TYPE
}

# start_wayland: headless sway. Exports WAYLAND_DISPLAY (the socket's full
# path), SWAYSOCK for swaymsg, and an XDG_RUNTIME_DIR of the caller's own.
# sway will not run as root, so under root it runs as nobody.
start_wayland() {
  sway_dir="$SESSION_DIR/sway"
  mkdir -m 700 "$sway_dir"
  printf 'output HEADLESS-1 resolution 1024x768\nseat * hide_cursor 1\n' >"$sway_dir/config"
  set -- sway -c "$sway_dir/config"
  if [ "$(id -u)" -eq 0 ]; then
    chmod 711 "$SESSION_DIR"
    chown -R nobody:nogroup "$sway_dir"
    set -- setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"
  fi
  spawn env -u DISPLAY -u WAYLAND_DISPLAY HOME="$sway_dir" XDG_RUNTIME_DIR="$sway_dir" \
    WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman "$@" >"$SESSION_DIR/sway.log" 2>&1
  # sway names its sockets itself: wayland-N and sway-ipc.UID.PID.sock.
  found_socket() { for s in "$sway_dir"/$1; do [ -S "$s" ] && echo "$s" && return 0; done; return 1; }
  poll 30 found_socket 'wayland-[0-9]*' ||
    fail "sway opened no Wayland socket within 10 s: $(tail -n 3 "$SESSION_DIR/sway.log")"
  wait_for 30 "sway to open its IPC socket" found_socket 'sway-ipc.*.sock'
  WAYLAND_DISPLAY=$(found_socket 'wayland-[0-9]*')
  SWAYSOCK=$(found_socket 'sway-ipc.*.sock')
  XDG_RUNTIME_DIR="$SESSION_DIR/runtime"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  export WAYLAND_DISPLAY SWAYSOCK XDG_RUNTIME_DIR
  unset DISPLAY XDG_SESSION_TYPE
  wait_for 30 "sway to answer on IPC" swaymsg -t get_version
}
