#!/bin/sh
# The Debian package: built by CPack for this machine's architecture with
# dependencies from shlibdeps, it holds the installed files, and lintian
# finds no errors in it.
# Usage: test_package.sh BUILD_DIR
set -eu
BUILD=$1
OUT=$(mktemp -d)
trap 'rm -rf "$OUT"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cpack --config "$BUILD/CPackConfig.cmake" -G DEB -B "$OUT" >/dev/null || fail "cpack failed"
deb=$(ls "$OUT"/sortbars_*.deb)
# Named, and built, for this machine's architecture: amd64, arm64 and the rest.
arch=$(dpkg --print-architecture)
expected=sortbars_$(dpkg-deb -f "$deb" Version)_$arch.deb
[ "$(basename "$deb")" = "$expected" ] || fail "the package is named $(basename "$deb"), not $expected"
[ "$(dpkg-deb -f "$deb" Architecture)" = "$arch" ] || fail "the package is for $(dpkg-deb -f "$deb" Architecture), not $arch"
dpkg-deb -c "$deb" | awk '{ print $6 }' >"$OUT/files"
for f in ./usr/bin/sortbars ./usr/share/applications/org.sortbars.SortBars.desktop \
  ./usr/share/metainfo/org.sortbars.SortBars.metainfo.xml \
  ./usr/share/icons/hicolor/48x48/apps/org.sortbars.SortBars.png \
  ./usr/share/icons/hicolor/128x128/apps/org.sortbars.SortBars.png \
  ./usr/share/man/man6/sortbars.6.gz ./usr/share/doc/sortbars/copyright; do
  grep -qx "$f" "$OUT/files" || fail "the package lacks $f"
done
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
echo "$depends" | grep -q 'libqt6widgets6 (>=' || fail "dependencies do not come from the linked libraries"
recommends=$(dpkg-deb -f "$deb" Recommends)
[ "$recommends" = qt6-wayland ] || fail "the package does not recommend qt6-wayland"
# What the package recommends, make run installs too.
run_group=" $("$(dirname "$0")/../../scripts/install-deps.sh" --list run) "
for p in $(echo "$recommends" | tr ',' ' '); do
  case "$run_group" in *" $p "*) ;; *) fail "the package recommends $p, which make run does not install" ;; esac
done
lintian --fail-on error "$deb" 2>&1 | grep -v 'root privileges' || true
lintian --fail-on error "$deb" >/dev/null 2>&1 || fail "lintian reports errors"
echo "1 passed, 0 failed"
