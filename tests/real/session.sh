# Sourced by the real-window tests: a private X server with openbox, the
# program started in it, and helpers that read its window's pixels.
# Every helper fails the test (exit 1) with a message when it cannot go on.

set -eu
APP=$1
WORK=$(mktemp -d)
APP_PID=""
XVFB_PID=""
WM_PID=""

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

stop_session() {
  for pid in $APP_PID $WM_PID $XVFB_PID; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$WORK"
}
trap stop_session EXIT

# Waits up to $1 tenths of a second for the command that follows to succeed.
wait_for() {
  tries=$1
  shift
  while ! "$@" >/dev/null 2>&1; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || return 1
    sleep 0.1
  done
}

start_session() {
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" 2>/dev/null &
  XVFB_PID=$!
  wait_for 100 test -s "$WORK/display" || fail "Xvfb did not start"
  export DISPLAY=":$(cat "$WORK/display")"
  openbox >/dev/null 2>&1 &
  WM_PID=$!
  wait_for 100 wmctrl -m || fail "openbox did not start"
}

# Starts the program and waits for its window: sets APP_PID and WIN.
start_app() {
  "$APP" &
  APP_PID=$!
  wait_for 100 xdotool search --onlyvisible --name '^Form1$' || fail "no window titled Form1 appeared"
  WIN=$(xdotool search --onlyvisible --name '^Form1$' | head -n 1)
  sleep 0.3 # let the first frame reach the screen
}

# Waits up to $1 seconds for the program to end; sets STATUS.
wait_exit() {
  limit=$1
  t=0
  while kill -0 "$APP_PID" 2>/dev/null; do
    [ "$t" -lt $((limit * 10)) ] || fail "the program did not end within $limit s"
    sleep 0.1
    t=$((t + 1))
  done
  STATUS=0
  wait "$APP_PID" || STATUS=$?
  APP_PID=""
}

# Saves the window's client area as text, one "x,y: r g b" per pixel.
shot() {
  import -window "$WIN" "$WORK/shot.png"
  convert "$WORK/shot.png" -depth 8 txt:- |
    awk -F'[ ,:()]+' 'NR > 1 { print $1 "," $2 ": " $3 " " $4 " " $5 }' >"$1"
}

pixel() { # file x y
  awk -v k="$2,$3:" '$1 == k { print $2 " " $3 " " $4; exit }' "$1"
}

# One line per bar, top to bottom: its width in pixels and its colour. Fails
# unless each bar is a solid run that starts at x = 24 in its slot, with only
# background beside it, the same on every row the bar has to itself.
bars() {
  awk '
    { split($1, p, /[,:]/); c[p[1] "," p[2]] = $2 " " $3 " " $4 }
    END {
      bg = c["2,2"]
      for (i = 0; i < 16; i++) {
        top = 16 + 16 * i
        for (y = top + 2; y <= top + 14; y++) {
          if (c["23," y] != bg) { print "bar " i ": no background left of the slot"; exit 1 }
          x = 24; colour = c[x "," y]
          while (x < 318 && c[x "," y] == colour && colour != bg) x++
          for (r = x; r < 318; r++)
            if (c[r "," y] != bg) { print "bar " i ": not one solid run at row " y; exit 1 }
          w = x - 24
          if (y == top + 2) { width = w; first = colour }
          else if (w != width || (w > 0 && colour != first)) { print "bar " i ": rows differ"; exit 1 }
        }
        print width " " (width > 0 ? first : "none")
      }
    }' "$1"
}

# Clicks a button by its caption.
click() {
  case "$1" in
    Randomize) y=40 ;;
    Bubble-sort) y=88 ;;
    Push-sort) y=136 ;;
    "Random sort") y=184 ;;
    *) fail "no button $1" ;;
  esac
  xdotool mousemove --window "$WIN" 364 "$y" click 1
}

# True while the Randomize button's caption is drawn in the enabled text colour.
buttons_enabled() {
  shot "$WORK/buttons.txt"
  awk '{ split($1, p, /[,:]/) }
       p[1] >= 325 && p[1] <= 403 && p[2] >= 28 && p[2] <= 52 { s = $2 + $3 + $4; if (s < min || NR == 1 || min == "") min = s }
       END { exit !(min < 150) }' "$WORK/buttons.txt"
}
