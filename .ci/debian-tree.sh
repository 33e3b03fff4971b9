#!/bin/sh
# Runs the README's `make test` again in a Debian 13 tree, made here with
# debootstrap from the Debian archive this machine's apt uses, and then
# installs the .deb built on this machine into that tree and checks that the
# installed program opens its window. Usage: .ci/debian-tree.sh DEB
# The tree is kept in $SORTBARS_TREE (default /var/cache/sortbars/debian-13)
# between runs on the same machine, and made anew where it is missing; the
# project is copied in fresh every time. Everything mounted, and every
# process started in the tree, is torn down on every path.
set -eu
deb=$(realpath "$1")
project=$(realpath "$(dirname "$0")/..")
tree=${SORTBARS_TREE:-/var/cache/sortbars/debian-13}
suite=trixie
mounted=""

say() { echo "debian-tree: $*"; }
fail() { say "FAIL: $*" >&2; exit 1; }

teardown() {
  # Processes still running in the tree hold its mounts.
  for p in /proc/[0-9]*; do
    [ "$(readlink "$p/root" 2>/dev/null)" = "$tree" ] && kill -9 "${p#/proc/}" 2>/dev/null
  done
  for m in $mounted; do umount -R "$m" 2>/dev/null || umount -R -l "$m" 2>/dev/null || true; done
}
trap teardown EXIT
trap 'exit 130' INT TERM

# The archive this machine installs from, for its own and the new release.
mirror=$(sed -n 's/^URIs: *\([^ ]*\).*/\1/p; s/^deb  *\(\[[^]]*\] *\)\{0,1\}\([^ ]*\) .*/\2/p' \
  /etc/apt/sources.list.d/debian.sources /etc/apt/sources.list 2>/dev/null | grep -v security | head -n 1)
[ -n "$mirror" ] || fail "no Debian archive in this machine's apt sources"

if [ ! -f "$tree/.sortbars-tree" ]; then
  say "making a Debian 13 ($suite) tree in $tree from $mirror"
  command -v debootstrap >/dev/null || { apt-get update -q && apt-get install -y -q debootstrap; } >/dev/null
  rm -rf "$tree.new"
  mkdir -p "$(dirname "$tree")"
  debootstrap --variant=minbase --include=make,ca-certificates "$suite" "$tree.new" "$mirror" >"$tree.log" 2>&1 ||
    fail "debootstrap failed; its log is $tree.log"
  touch "$tree.new/.sortbars-tree"
  rm -rf "$tree"
  mv "$tree.new" "$tree"
fi

mount_in() { # TYPE-OR-bind SOURCE TARGET
  mkdir -p "$tree$3"
  if [ "$1" = bind ]; then mount --rbind "$2" "$tree$3"; else mount -t "$1" "$2" "$tree$3"; fi
  mounted="$tree$3 $mounted"
}
mount_in proc proc /proc
mount_in bind /sys /sys
mount_in bind /dev /dev
mount_in tmpfs tmpfs /tmp
mount_in tmpfs tmpfs /run
cp /etc/resolv.conf "$tree/etc/resolv.conf" 2>/dev/null || true

say "copying the project in"
rm -rf "$tree/root/sortbars"
mkdir -p "$tree/root/sortbars"
(cd "$project" && git ls-files -z | xargs -0 cp --parents -t "$tree/root/sortbars")
cp "$deb" "$tree/root/"

in_tree() { chroot "$tree" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 CI=true "$@"; }

say "make test on Debian 13"
in_tree sh -c 'cd /root/sortbars && make test' || fail "make test failed on Debian 13"

say "installing $(basename "$deb"), built on this machine, on Debian 13"
in_tree sh -c "apt-get install -y -q /root/$(basename "$deb")" >/dev/null || fail "the package does not install on Debian 13"
in_tree sh -c 'cd /root/sortbars && SORTBARS_LAYOUT_TOOL=build/layout_pixels tests/install/test_installed.sh /usr/bin/sortbars' ||
  fail "the installed program does not open its window on Debian 13"
say "Debian 13: make test passed, and the package from this machine installs and opens its window"
