#!/bin/sh
# `cmake --install` into a scratch prefix: the files a desktop expects are
# there and valid, and the installed program opens its window.
# Usage: test_install.sh BUILD_DIR
set -eu
BUILD=$1
. "$(dirname "$0")/../real/session.sh"
PREFIX="$WORK/prefix"
APP="$PREFIX/bin/sortbars"

cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null || fail "cmake --install failed"
ID=org.sortbars.SortBars
for f in bin/sortbars share/applications/$ID.desktop share/metainfo/$ID.metainfo.xml \
  share/icons/hicolor/16x16/apps/$ID.png share/icons/hicolor/32x32/apps/$ID.png \
  share/icons/hicolor/48x48/apps/$ID.png share/man/man6/sortbars.6.gz share/doc/sortbars/copyright; do
  [ -s "$PREFIX/$f" ] || fail "not installed: $f"
done
for size in 16 32 48; do
  [ "$(identify -format %wx%h "$PREFIX/share/icons/hicolor/${size}x${size}/apps/$ID.png")" = "${size}x${size}" ] ||
    fail "the ${size}px icon has the wrong size"
done
grep -qx "Exec=sortbars" "$PREFIX/share/applications/$ID.desktop" || fail "Exec is not the bare command"
grep -qx "Icon=$ID" "$PREFIX/share/applications/$ID.desktop" || fail "Icon is not the theme name"
desktop-file-validate "$PREFIX/share/applications/$ID.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$PREFIX/share/metainfo/$ID.metainfo.xml" >/dev/null || fail "appstreamcli validate"
zcat "$PREFIX/share/man/man6/sortbars.6.gz" | man -l - >/dev/null 2>&1 || fail "the manual page does not format"

start_x
start_app
wmctrl -c Form1
wait_exit 5
[ "$STATUS" -eq 0 ] || fail "the installed program ended with status $STATUS"
echo "1 passed, 0 failed"
