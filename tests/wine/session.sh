# Sourced by the real-window tests under Wine, with sortbars.exe as $1,
# win_probe.exe as $2, win_forms.exe as $3 and the installer as $4: a
# private X session (tests/real/session.sh) with a Wine prefix of the test's
# own, the program started in it, and what the probe reads of its window. The prefix's server is stopped on every path.
set -eu
"$(dirname "$0")/run.sh" --check || exit $?
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
# set it, read by the programs started after the prefix's server restarts;
# the session's helpers then read the window's pixels at that scale.
set_dpi() {
  timeout 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 ||
    fail "could not set LogPixels to $1"
  timeout 60 wineserver -w || fail "the prefix's server did not stop within 60 s"
  use_scale "$(awk -v dpi="$1" 'BEGIN { print dpi / 96 }')"
}

# probe WHAT: what win_probe reads (window or chart), without Windows' line ends.
probe() {
  timeout 30 wine "$PROBE" "$1" 2>/dev/null | tr -d '\r'
}

# focus_is CAPTION: true when the probe sees the focus on that button ("none": on none).
focus_is() {
  [ "$(probe window | sed -n 's/^focus //p')" = "$1" ]
}

# chart_matches: the chart that screen readers get names "Bar 1" to "Bar 16"
# from the top, each valued by the length drawn: the layout tool's width, at
# the session's scale, of a bar of that value; and each located, in screen
# coordinates, where the bar is drawn: the layout tool's rectangle of it,
# from the window's client origin on the screen (Narrator and NVDA show and
# follow the focus there).
chart_matches() {
  probe chart >"$WORK/chart" || return 1
  grep -q '^chart Bars 16$' "$WORK/chart" || return 1
  # shellcheck disable=SC2046
  "$SORTBARS_LAYOUT_TOOL" "$SCALE" $(awk '$1 == "item" { print $4 }' "$WORK/chart") >"$WORK/drawn" || return 1
  awk 'FNR == NR { if ($1 == "drawn") { width[$2 + 1] = $5; rect[$2 + 1] = $3 " " $4 " " $5 " " $6 } next }
    $1 == "origin" { x = $2; y = $3 }
    $1 == "item" { split(rect[$3], r, " ")
      print $2 " " $3 " " width[$3] " " $5 " " ($6 == x + r[1] && $7 == y + r[2] && $8 == r[3] && $9 == r[4] ? "located" : "at " $6 "," $7 " " $8 "x" $9) }' \
    "$WORK/drawn" "$WORK/chart" >"$WORK/items"
  awk '{ print "Bar " NR " " $1 " progressbar located" }' "$WORK/board" | cmp -s - "$WORK/items"
}

# scene_matches: a shot of the window shows, down the column of device
# pixels that tests/support/scene.txt names at the session's scale, the runs
# of colour it lists there: the still of an exchange, as win_forms scene
# poses it.
scene_matches() {
  shot "$WORK/scene.png" && pixels scene "$WORK/scene.png" "$SCALE" >"$WORK/scene.seen"
}

# buttons_are enabled|disabled: true when all four are.
buttons_are() {
  [ "$(probe window | awk -v s="$1" '$1 == "button" && $6 == s' | wc -l)" -eq 4 ]
}
