#!/bin/sh
# sortbars.exe under Wine at 150% and 200% (LogPixels 144 and 192): the
# client area and the buttons scaled from twips by the dpi, and the bars
# drawn crisp, with no colour in the board but the ground and the bars'.
set -eu
. "$(dirname "$0")/session.sh"

# scaled PIXELS DPI: a length at 96 dpi at another, as the program rounds it.
scaled() {
  echo $(( ($1 * $2 + 48) / 96 ))
}

start_wine
for dpi in 144 192; do
  set_dpi "$dpi"
  start_wine_app
  rm -f "$WORK/first.txt"
  wait_for 30 "the first picture at $dpi dpi to settle" settled "$WORK/first.txt"

  probe window >"$WORK/window"
  grep -qx "dpi $dpi" "$WORK/window" || fail "the window is not at $dpi dpi: $(cat "$WORK/window")"
  set -- $(awk '$1 == "client" { print $2, $3 }' "$LAYOUT")
  size="$(scaled "$1" $dpi)x$(scaled "$2" $dpi)"
  seen=$(xwininfo -id "$WIN" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
  [ "$seen" = "$size" ] || fail "at $dpi dpi the client area is $seen, not $size"
  awk '$1 == "button"' "$LAYOUT" | while read -r _ x y w h caption; do
    want="$(scaled "$x" $dpi) $(scaled "$y" $dpi) $(scaled "$w" $dpi) $(scaled "$h" $dpi)"
    got=$(awk -v c="$caption" '$1 == "button" { n = $7; for (i = 8; i <= NF; i++) n = n " " $i } $1 == "button" && n == c { print $2, $3, $4, $5 }' \
      "$WORK/window")
    [ "$got" = "$want" ] || fail "at $dpi dpi $caption is at $got, not $want"
  done

  # The board: everything left of the buttons. A bar edge that fell between
  # device pixels would be smoothed into colours of its own.
  left=$(awk '$1 == "button" && $2 > 0 { print $2 }' "$WORK/window" | sort -n | head -n 1)
  import -window "$WIN" "$WORK/shot.png"
  colours=$(convert "$WORK/shot.png" -crop "$((left - 2))x${size#*x}+0+0" -unique-colors txt:- | tail -n +2 | wc -l)
  [ "$colours" -le 17 ] || fail "at $dpi dpi the board has $colours colours, more than the ground and 16 bars"
  [ "$colours" -ge 12 ] || fail "at $dpi dpi the board shows only $colours colours"
  # The bars are drawn at this dpi, not stretched from 96: each one's left
  # edge (where it is wide enough to show), and the top one's top edge, on
  # the scaled pixel.
  convert "$WORK/shot.png" -depth 8 txt:- | awk -F'[ ,:()]+' 'NR > 1 { print $1 "," $2 ": " $3 " " $4 " " $5 }' >"$WORK/shot.txt"
  edges=$(awk -v dpi=$dpi '
    function s(v) { return int((v * dpi + 48) / 96) }
    FNR == NR { if ($1 == "bar") { left = $3; top[$2] = $4; height = $6; n++ } next }
    { split($1, p, /[,:]/); c[p[1] "," p[2]] = $2 " " $3 " " $4 }
    END {
      bg = c["1,1"]; x = s(left)
      for (i = 0; i < n; i++) {
        y = s(top[i] + height / 2)
        for (first = 0; first < 2 * x && c[first "," y] == bg; first++) {}
        if (first < 2 * x && first != x) { print "bar " i " starts at x = " first ", not " x; exit }
      }
      if (c[x "," (s(top[0]) - 1)] != bg || c[x "," s(top[0])] == bg) print "the top bar does not start at y = " s(top[0])
    }' "$LAYOUT" "$WORK/shot.txt")
  [ -z "$edges" ] || fail "at $dpi dpi $edges"
  echo "$dpi dpi: client $seen, $colours colours in the board"

  wmctrl -c Form1
  wait_exit 5
  [ "$STATUS" -eq 0 ] || fail "closing at $dpi dpi gave exit status $STATUS"
done
echo "1 passed, 0 failed"
