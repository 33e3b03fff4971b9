# Sourced by the real-window tests, with the program's path as $1: the
# display sessions of scripts/session.sh, the program started in one, and
# helpers that read its window's pixels through tests/support/pixels.py.
# Every helper fails the test with a message when it cannot go on.
set -eu
APP=${1:-} # the install test sets it once it has installed the program
. "$(dirname "$0")/../../scripts/session.sh"
WORK=$SESSION_DIR
APP_PID=""
# Debian's own python3, where Pillow is installed.
pixels() {
  /usr/bin/python3 "$(dirname "$0")/../support/pixels.py" "$@"
}

# Where the controls land in pixels, from the window's own layout table:
# "client W H", "button X Y W H CAPTION" and "bar I X Y LONGEST H" lines.
# use_scale SCALE lays them out again at another scale (1.5 at 144 dpi).
LAYOUT=$WORK/layout
use_scale() {
  SCALE=$1
  "${SORTBARS_LAYOUT_TOOL:?must name the layout_pixels program of the build}" "$1" >"$LAYOUT" ||
    fail "$SORTBARS_LAYOUT_TOOL could not print the layout"
}
use_scale 1

# client_size: "WxH", the client area's size in the layout.
client_size() {
  awk '$1 == "client" { print $2 "x" $3 }' "$LAYOUT"
}

# check_x_window: the X11 window is titled Form1, with the layout's client size.
check_x_window() {
  title=$(xdotool getwindowname "$WIN")
  [ "$title" = Form1 ] || fail "the window is titled \"$title\", not Form1"
  size=$(xwininfo -id "$WIN" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
  [ "$size" = "$(client_size)" ] || fail "the client area is $size, not $(client_size)"
}

# button_rect CAPTION: "X Y W H" of the button with that caption.
button_rect() {
  awk -v caption="$1" '
    $1 == "button" { c = $6; for (i = 7; i <= NF; i++) c = c " " $i }
    $1 == "button" && c == caption { print $2, $3, $4, $5; found = 1 }
    END { exit !found }' "$LAYOUT" || fail "no button $1 in the layout"
}

# start_app [--window-only] [COMMAND...]: starts the program (or COMMAND,
# such as "wine $APP") on the session's display and waits for its window
# and, unless told not to, its first picture of the bars at rest. Sets
# APP_PID and WIN, on X11.
start_app() {
  picture=true
  [ "${1:-}" = --window-only ] && { picture=false; shift; }
  [ $# -gt 0 ] || set -- "$APP"
  spawn "$@"
  APP_PID=$SPAWNED
  # A window that Wine makes belongs to a process of Wine's own.
  by_pid="--pid $APP_PID"
  [ "$1" = wine ] && by_pid=""
  if ! poll 60 xdotool search --onlyvisible $by_pid --name '^Form1$'; then
    kill -0 "$APP_PID" 2>/dev/null || fail "the program ended before its window showed"
    fail "a visible window titled Form1 of pid $APP_PID: not within 60 s; the display has: $(xdotool search --name . 2>/dev/null |
      while read -r w; do printf '"%s" (pid %s, %s) ' "$(xdotool getwindowname "$w")" "$(xdotool getwindowpid "$w" 2>/dev/null)" \
        "$(xwininfo -id "$w" 2>/dev/null | sed -n 's/.*Map State: *//p')"; done)"
  fi
  WIN=$(xdotool search --onlyvisible $by_pid --name '^Form1$' | head -n 1)
  if $picture; then wait_for 30 "the first picture of the bars" board_shown; fi
}

# board_shown: true once a shot of the window shows bars; leaves their
# widths and colours, as bars() writes them, in $WORK/board.
board_shown() {
  shot "$WORK/board.png" && bars "$WORK/board.png" >"$WORK/board" &&
    awk '$1 > 0 { found = 1 } END { exit !found }' "$WORK/board"
}

# board_changed FILE: true once the bars' widths differ from those in FILE.
board_changed() {
  board_shown && [ "$(cut -d' ' -f1 "$WORK/board")" != "$(cut -d' ' -f1 "$1")" ]
}

# settled FILE: takes a shot into FILE, true when it shows what the last one did.
settled() {
  [ -f "$1" ] && mv "$1" "$1.last"
  shot "$1" && [ -f "$1.last" ] && pixels same "$1" "$1.last"
}

# wait_exit SECONDS: waits for the program to end; sets STATUS.
wait_exit() {
  poll "$1" sh -c "! kill -0 $APP_PID" || fail "the program did not end within $1 s"
  STATUS=0
  wait "$APP_PID" || STATUS=$?
  APP_PID=""
}

# shot FILE: saves the window's client area as a PNG.
shot() {
  import -window "$WIN" "png:$1"
}

# bars SHOT: one line per bar, top to bottom: its width in pixels and its
# colour. Fails unless each bar is a solid run on its slot (pixels.py).
bars() {
  pixels bars "$1" "$LAYOUT"
}

# click CAPTION: clicks the middle of a button with the X pointer.
click() {
  set -- $(button_rect "$1")
  xdotool mousemove --window "$WIN" $(($1 + $3 / 2)) $(($2 + $4 / 2)) click 1
}

# True while the Randomize button's caption is drawn in the enabled text
# colour: the darkest pixel inside its frame (5 by 4 pixels in from the edge).
buttons_enabled() {
  shot "$WORK/buttons.png"
  set -- $(button_rect Randomize)
  [ "$(pixels darkest "$WORK/buttons.png" $(($1 + 5)) $(($2 + 4)) $(($3 - 10)) $(($4 - 8)))" -lt 150 ]
}

buttons_locked() {
  ! buttons_enabled
}

# wait_locked WHAT: waits for a sort to grey the buttons.
wait_locked() {
  wait_for 30 "$1 to grey the buttons" buttons_locked
}
