#!/bin/sh
# sortbars.exe under Wine at 100%, 150% and 200% (LogPixels 96, 144 and
# 192), and again as it runs on Windows 7 (win_forms.exe windows7: every
# lookup of a newer function failing, on Wine's Windows 7): the client area
# and the buttons scaled from twips by the dpi, and there the buttons' font
# the system's message font at that dpi, its face, height and weight; the
# bars drawn crisp, each on its slot's edge and as long as its value, with
# no colour in the board but the ground and the bars'; and the still of an
# exchange (win_forms.exe scene, $3), with two bars mid-slide over each
# other and over resting ones, drawn as tests/support/scene.txt says.
set -eu
FORMS=$3
. "$(dirname "$0")/session.sh"

start_wine
for dpi in 96 144 192; do
  set_dpi "$dpi"
  # The program as built, as Windows 10 runs it; then with every lookup of a
  # function newer than Windows 7 failing, on Wine's Windows 7.
  for run in "windows 10" "windows 7"; do
  if [ "$run" = "windows 7" ]; then
    timeout 60 wine reg add 'HKCU\Software\Wine' /v Version /d win7 /f >/dev/null 2>&1 || fail "could not set Windows 7"
    rm -f "$WORK/fonts"
    start_app wine "$FORMS" windows7 "$WORK/fonts"
    wait_for 10 "the fonts from win_forms" test -s "$WORK/fonts"
    button=$(sed -n 's/^button //p' "$WORK/fonts") message=$(sed -n 's/^message //p' "$WORK/fonts")
    [ -n "$message" ] && [ "$button" = "$message" ] ||
      fail "$run: at $dpi dpi the buttons' font is $button, not the system's message font $message"
    echo "$run, $dpi dpi: the buttons' font is the system's message font, $button"
  else
    timeout 60 wine reg delete 'HKCU\Software\Wine' /v Version /f >/dev/null 2>&1 || true
    start_app wine "$APP" # waits for the bars, each read on its slot at this scale
  fi
  probe window >"$WORK/window"
  grep -qx "dpi $dpi" "$WORK/window" || fail "$run: the window is not at $dpi dpi: $(cat "$WORK/window")"
  check_x_window
  awk '$1 == "button"' "$LAYOUT" | while read -r _ x y w h caption; do
    got=$(awk -v c="$caption" '$1 == "button" { n = $7; for (i = 8; i <= NF; i++) n = n " " $i } $1 == "button" && n == c { print $2, $3, $4, $5 }' \
      "$WORK/window")
    [ "$got" = "$x $y $w $h" ] || fail "$run: at $dpi dpi $caption is at $got, not $x $y $w $h"
  done

  # The board: everything left of the buttons. A bar edge that fell between
  # device pixels would be smoothed into colours of its own.
  left=$(awk '$1 == "button" { print $2 }' "$LAYOUT" | sort -n | head -n 1)
  shot "$WORK/shot.png"
  colours=$(pixels colours "$WORK/shot.png" 0 0 $((left - 2)) "$(client_size | cut -dx -f2)")
  [ "$colours" -le 17 ] || fail "$run: at $dpi dpi the board has $colours colours, more than the ground and 16 bars"
  [ "$colours" -ge 12 ] || fail "$run: at $dpi dpi the board shows only $colours colours"
  wait_for 30 "$run: at $dpi dpi the chart to name each bar by the length drawn, and locate it where drawn" chart_matches
  echo "$run, $dpi dpi: client $(client_size), $colours colours in the board, bars as long as their values"
  wmctrl -c Form1
  wait_exit 5
  [ "$STATUS" -eq 0 ] || fail "$run: closing at $dpi dpi gave exit status $STATUS"
  done

  start_app --window-only wine "$FORMS" scene
  rm -f "$WORK/still.png"
  wait_for 30 "at $dpi dpi the still of an exchange to settle" settled "$WORK/still.png"
  scene_matches || fail "at $dpi dpi the still of an exchange shows, down its column: $(tr '\n' ',' <"$WORK/scene.seen")"
  echo "$dpi dpi: the still of an exchange as laid out"
  wmctrl -c Form1
  wait_exit 5
done
echo "1 passed, 0 failed"
