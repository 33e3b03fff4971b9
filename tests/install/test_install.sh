#!/bin/sh
# `cmake --install` into a scratch prefix: the files a desktop expects are
# there and valid, the metadata names what is installed, and the installed
# program opens its window.
# Usage: test_install.sh BUILD_DIR
set -eu
BUILD=$1
. "$(dirname "$0")/../real/session.sh"
PREFIX="$WORK/prefix"
APP="$PREFIX/bin/sortbars"

cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null || fail "cmake --install failed"
ID=org.sortbars.SortBars
ICON_SIZES="16 32 48 64 128" # software centres want 64 px at least, and 128 px for HiDPI
for f in bin/sortbars share/applications/$ID.desktop share/metainfo/$ID.metainfo.xml \
  share/man/man6/sortbars.6.gz share/doc/sortbars/copyright; do
  [ -s "$PREFIX/$f" ] || fail "not installed: $f"
done
for size in $ICON_SIZES; do
  [ "$(identify -format %wx%h "$PREFIX/share/icons/hicolor/${size}x${size}/apps/$ID.png")" = "${size}x${size}" ] ||
    fail "the ${size}px icon has the wrong size"
done
grep -qx "Exec=sortbars" "$PREFIX/share/applications/$ID.desktop" || fail "Exec is not the bare command"
grep -qx "Icon=$ID" "$PREFIX/share/applications/$ID.desktop" || fail "Icon is not the theme name"
desktop-file-validate "$PREFIX/share/applications/$ID.desktop" || fail "desktop-file-validate"

# AppStream: what software centres show. The project has no web address, so
# the homepage (and a screenshot, which must be a web address) is left out
# rather than invented: url-homepage-missing is the one warning accepted.
METAINFO="$PREFIX/share/metainfo/$ID.metainfo.xml"
appstreamcli validate --no-net --no-color "$METAINFO" >"$WORK/appstream" 2>&1 || true
grep -q 'Validation' "$WORK/appstream" || fail "appstreamcli gave no verdict: $(cat "$WORK/appstream")"
if grep -E '^(E|W):' "$WORK/appstream" | grep -v -E '^W: [^ ]+: url-homepage-missing$' | grep -q .; then
  fail "appstreamcli validate: $(cat "$WORK/appstream")"
fi
launchable=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$METAINFO")
[ -s "$PREFIX/share/applications/$launchable" ] || fail "the metainfo launches \"$launchable\", which is not installed"
grep -q '<developer id="[^"]*">' "$METAINFO" || fail "the metainfo names no developer"
grep -q "<release version=\"$(sed -n 's/^project(sortbars VERSION \([^ ]*\) .*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")\"" \
  "$METAINFO" || fail "the metainfo's release is not the project's version"
zcat "$PREFIX/share/man/man6/sortbars.6.gz" | man -l - >/dev/null 2>&1 || fail "the manual page does not format"

"$(dirname "$0")/test_installed.sh" "$APP" || fail "the installed program does not open its window"
echo "1 passed, 0 failed"
