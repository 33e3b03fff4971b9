#!/bin/sh
# The keyboard alone drives every sort in the real window: Tab goes from
# "Bubble-sort" to "Random sort", Space starts a sort, and after it ends the
# focus is back on its button, so the keys go on from there. Each sort leaves
# the bars ascending with their colours; clicks during a sort change nothing.
set -eu
. "$(dirname "$0")/session.sh"

start_x
start_app

# The style shows the focus only once the keyboard is used, so a button's
# picture changes only when it shows the focus.
xdotool windowactivate --sync "$WIN"
wait_for 30 "the active window's picture to settle" settled "$WORK/tab0.png"
xdotool key Tab Tab
focus_moved() { # CAPTION: did the button's picture change between the two shots?
  # shellcheck disable=SC2046
  ! pixels same "$WORK/tab0.png" "$WORK/tab2.png" $(button_rect "$1")
}
shows_focus() { # CAPTION: takes a shot; true when the button's picture changed
  shot "$WORK/tab2.png" && focus_moved "$1"
}
wait_for 30 "two Tabs from Randomize to reach Random sort" shows_focus "Random sort"
focus_moved Push-sort && fail "Push-sort changed on the way to Random sort"
focus_moved Bubble-sort && fail "Bubble-sort still shows the focus"
xdotool key shift+Tab shift+Tab # back to Randomize

# keys N KEY: presses KEY N times.
keys() {
  n=$1
  while [ "$n" -gt 0 ]; do
    xdotool key "$2"
    n=$((n - 1))
  done
}

# Each sort, by its place after Randomize in the tab order.
for entry in "1 Bubble-sort" "2 Random sort" "3 Push-sort"; do
  tabs=${entry%% *}
  sort=${entry#* }
  board_shown || fail "no bars to start from: $(cat "$WORK/board")"
  cp "$WORK/board" "$WORK/before"
  xdotool key space # Randomize, where the focus is
  wait_for 30 "Space on Randomize to draw new widths (is the focus lost?)" board_changed "$WORK/before"
  cp "$WORK/board" "$WORK/before"
  ascending "$WORK/before" && fail "Space on Randomize left the bars in order"
  buttons_enabled || fail "Space on Randomize started a sort (the focus was not on Randomize)"

  keys "$tabs" Tab
  xdotool key space
  started=$(date +%s)
  wait_locked "Space on $sort"
  if [ "$sort" = Bubble-sort ]; then
    # Clicks while the sort runs must change nothing.
    click Randomize
    click Bubble-sort
    click "Random sort"
  fi
  wait_sorted 120 "$sort"
  shot "$WORK/after.png"
  bars "$WORK/after.png" >"$WORK/after" || fail "$sort: $(cat "$WORK/after")"
  ascending "$WORK/after" || fail "$sort left the bars out of order: $(cat "$WORK/after")"
  [ "$(sort "$WORK/before")" = "$(sort "$WORK/after")" ] ||
    fail "$sort: widths and colours did not stay together, or a click during the sort changed the board"
  echo "$sort: sorted in about $(($(date +%s) - started)) s"
  keys "$tabs" shift+Tab # from the sort's button, where the focus came back, to Randomize
done

wmctrl -c Form1
wait_exit 5
echo "1 passed, 0 failed"
