#!/bin/sh
# Runs the README's `make test` again in a Debian 13 tree, made here with
# debootstrap, and then installs the .deb built on this machine into that
# tree and checks that the installed program opens its window.
# Usage: .ci/debian-13.sh DEB
# The tree is kept in $SORTBARS_TREE (default /var/cache/sortbars/debian-13)
# between runs on the same machine, and made anew where it is missing.
set -eu
deb=$(realpath "$1")
project=$(realpath "$(dirname "$0")/..")
tree=${SORTBARS_TREE:-/var/cache/sortbars/debian-13}
suite=trixie
arch=$(dpkg --print-architecture)
name=debian-13
. "$project/.ci/tree.sh"

"$project/scripts/install-deps.sh" ci
tree_make
tree_enter
cp "$deb" "$tree/root/"

say "make test on Debian 13"
in_project 'make test' || fail "make test failed on Debian 13"

say "installing $(basename "$deb"), built on this machine, on Debian 13"
in_tree sh -c "apt-get install -y -q /root/$(basename "$deb")" >/dev/null || fail "the package does not install on Debian 13"
in_project 'SORTBARS_LAYOUT_TOOL=build/layout_pixels tests/install/test_installed.sh /usr/bin/sortbars' ||
  fail "the installed program does not open its window on Debian 13"
say "Debian 13: make test passed, and the package from this machine installs and opens its window"
