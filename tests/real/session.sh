# Sourced by the real-window tests, with the program's path as $1: the
# display sessions of scripts/session.sh, the program started in one, and
# helpers that read its window's pixels. Every helper fails the test with a
# message when it cannot go on.
set -eu
APP=${1:-} # the install test sets it once it has installed the program
. "$(dirname "$0")/../../scripts/session.sh"
WORK=$SESSION_DIR
APP_PID=""

# start_app: starts the program on the session's display and waits for its
# window. Sets APP_PID, and WIN (X11) or GEOMETRY "X,Y WxH" (Wayland).
start_app() {
  spawn "$APP"
  APP_PID=$SPAWNED
  if [ -n "${WAYLAND_DISPLAY:-}" ]; then
    wait_for 10 "a window of the program on sway" sway_window
    GEOMETRY=$(sway_window | cut -f2)
  else
    wait_for 10 "a window titled Form1" xdotool search --onlyvisible --pid "$APP_PID" --name '^Form1$'
    WIN=$(xdotool search --onlyvisible --pid "$APP_PID" --name '^Form1$' | head -n 1)
  fi
  sleep 0.3 # let the first frame reach the screen
}

# sway_window: "title<TAB>X,Y WxH<TAB>app id" of the program's window, from
# sway's tree; fails while there is none.
sway_window() {
  swaymsg -r -t get_tree | /usr/bin/python3 -c '
import json, sys
def walk(node):
    if node.get("pid") == int(sys.argv[1]) and node.get("window_rect"):
        r, w = node["rect"], node["window_rect"]
        print("%s\t%d,%d %dx%d\t%s" % (node["name"], r["x"] + w["x"], r["y"] + w["y"], w["width"], w["height"], node["app_id"]))
        sys.exit(0)
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        walk(child)
walk(json.load(sys.stdin))
sys.exit(1)' "$APP_PID"
}

# wait_exit SECONDS: waits for the program to end; sets STATUS.
wait_exit() {
  poll "$1" sh -c "! kill -0 $APP_PID" || fail "the program did not end within $1 s"
  STATUS=0
  wait "$APP_PID" || STATUS=$?
  APP_PID=""
}

# shot FILE: saves the window's client area as text, one "x,y: r g b" a pixel.
shot() {
  if [ -n "${WAYLAND_DISPLAY:-}" ]; then
    grim -g "$GEOMETRY" "$WORK/shot.png"
  else
    import -window "$WIN" "$WORK/shot.png"
  fi
  convert "$WORK/shot.png" -depth 8 txt:- |
    awk -F'[ ,:()]+' 'NR > 1 { print $1 "," $2 ": " $3 " " $4 " " $5 }' >"$1"
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

# ascending FILE: true when the widths that bars() wrote ascend.
ascending() {
  cut -d' ' -f1 "$1" | sort -n -c 2>/dev/null
}

# click CAPTION: clicks a button with the X pointer.
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
       p[1] >= 325 && p[1] <= 403 && p[2] >= 28 && p[2] <= 52 { s = $2 + $3 + $4; if (min == "" || s < min) min = s }
       END { exit !(min < 150) }' "$WORK/buttons.txt"
}

# wait_sorted SECONDS WHAT: waits for the buttons to come back after a sort.
wait_sorted() {
  poll "$1" buttons_enabled || fail "$2 did not finish within $1 s"
}
