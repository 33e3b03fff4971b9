#!/bin/sh
# The Debian package: built by CPack for this machine's architecture with
# dependencies from shlibdeps, it holds the installed files, lintian
# finds no errors in it, and its program is hardened as Debian builds.
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

# hardening-check on the program as installed. It may say "unknown" for
# stack-clash protection only where every C++ unit was built with it (read
# from the build's debug information) and it found no frame large enough to
# probe. Its control-flow lines look for x86's IBT/SHSTK marker and for
# AArch64's BTI/PAC one, which the linker writes only when every object has
# it. Each may say "no" on the other architectures, and on its own only
# where the C library's start files lack the marker (Debian 12's and 13's
# on amd64 do), while every C++ unit was built with the protection.
dpkg-deb -x "$deb" "$OUT/root"
report=$(hardening-check "$OUT/root/usr/bin/sortbars" | tail -n +2) || true
echo "$report"
producers=$(readelf --debug-dump=info --dwarf-depth=1 "$BUILD/sortbars" 2>/dev/null | sed -n 's/.*DW_AT_producer.*: \(GNU C++.*\)/\1/p' | sort -u)
[ -n "$producers" ] || fail "no C++ unit in $BUILD/sortbars's debug information"
built_with() { # FLAG: every C++ unit was compiled with FLAG
  echo "$producers" | grep -v -q -e " $1" && fail "not every unit was built with $1"
  return 0
}
marker_missing() { # ARCHES NOTE FLAG: the line on a marker that the program cannot have
  case " $1 " in *" $arch "*) ;; *) return 0 ;; esac
  readelf -n "$(g++ -print-file-name=Scrt1.o)" | grep -q "$2" &&
    fail "the C library's start files have the marker \"$2\", so the program should have it"
  built_with "$3"
}
echo "$report" | while IFS= read -r line; do
  case $line in
    *": yes"*) ;;
    *"Stack clash protection: unknown, no -fstack-clash-protection instructions found"*) built_with -fstack-clash-protection ;;
    *"Control flow integrity: no, not found!"*) marker_missing "amd64 i386" "x86 feature: IBT, SHSTK" -fcf-protection ;;
    *"Branch Protection: no, not found!"*) marker_missing arm64 "AArch64 feature: BTI, PAC" -mbranch-protection=standard ;;
    *) fail "hardening-check: $line" ;;
  esac
done

# Run once: lintian takes minutes under emulation.
verdict=0
lintian --fail-on error "$deb" >"$OUT/lintian" 2>&1 || verdict=$?
grep -v 'root privileges' "$OUT/lintian" || true
[ "$verdict" -eq 0 ] || fail "lintian reports errors"
echo "1 passed, 0 failed"
