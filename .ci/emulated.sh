#!/bin/sh
# Runs the program and a share of its tests on another architecture, arm64
# or armhf (32-bit ARM, as 32-bit Raspberry Pi OS), in a Debian tree of it
# made here with debootstrap, through qemu-user-static where this machine
# is not of that architecture itself. Emulation is many times slower, so the
# tree runs what proves the port: every install group resolves there,
# make run's set-up and build, the real window on X11, the core's unit
# tests (on armhf), and the package of that architecture, checked,
# installed and opened.
# Usage: .ci/emulated.sh ARCH [SUITE]   (ARCH arm64 or armhf; SUITE bookworm,
# the default, or trixie)
# SORTBARS_EMULATED_FULL=1 runs the whole make test there instead.
# The tree is kept in /var/cache/sortbars/debian-VERSION-ARCH between runs
# on the same machine, and made anew where it is missing. binfmt_misc is
# mounted and qemu's entry registered only when they are not already, and
# undone on every path.
set -eu
project=$(realpath "$(dirname "$0")/..")
arch=${1:?usage: .ci/emulated.sh ARCH [SUITE]}
suite=${2:-bookworm}
case $suite in
  bookworm) name=debian-12-$arch ;;
  trixie) name=debian-13-$arch ;;
  *) echo "emulated: no suite $suite (bookworm or trixie)" >&2; exit 2 ;;
esac
# qemu's name for the architecture, and what uname -m says under it.
case $arch in
  arm64) qemu=aarch64 machine=aarch64 ;;
  armhf) qemu=arm machine=armv7l ;;
  *) echo "emulated: no architecture $arch (arm64 or armhf)" >&2; exit 2 ;;
esac
tree=/var/cache/sortbars/$name
binfmt=/proc/sys/fs/binfmt_misc
undo_binfmt=""
after_teardown=binfmt_teardown
binfmt_teardown() {
  for step in $undo_binfmt; do
    case $step in
      entry) echo -1 >"$binfmt/qemu-$qemu" 2>/dev/null || true ;;
      mount) umount "$binfmt" 2>/dev/null || true ;;
    esac
  done
}
. "$project/.ci/tree.sh"

# quietly STEP COMMAND: runs COMMAND in the project in the tree, its output
# kept in the tree's /tmp/STEP.log and shown only when it fails.
quietly() {
  in_project "$2" >"$tree/tmp/$1.log" 2>&1 || { tail -n 20 "$tree/tmp/$1.log"; return 1; }
}

"$project/scripts/install-deps.sh" ci
if [ "$(dpkg --print-architecture)" != "$arch" ]; then
  if ! mountpoint -q "$binfmt"; then
    mount -t binfmt_misc binfmt_misc "$binfmt" || fail "binfmt_misc cannot be mounted here (it needs root)"
    undo_binfmt="mount $undo_binfmt"
  fi
  if [ ! -e "$binfmt/qemu-$qemu" ]; then
    cat "/usr/lib/binfmt.d/qemu-$qemu.conf" >"$binfmt/register" || fail "qemu-$qemu cannot be registered with binfmt_misc"
    undo_binfmt="entry $undo_binfmt"
  fi
fi
tree_make
tree_enter

[ "$(in_tree uname -m)" = "$machine" ] || fail "the tree's programs do not run as $machine"

if [ "${SORTBARS_EMULATED_FULL:-}" = 1 ]; then
  say "make test, all of it"
  in_project 'make test' || fail "make test failed on $arch"
  say "$arch: make test passed"
  exit 0
fi

say "every package that make test and make windows, web and package install exists on $arch"
# This machine's apt answers for the tree's, from the tree's sources, keys
# and installed packages, with lists and a cache of its own in the tree's
# /tmp: the same answer, without a minute or two of emulated apt.
lists=$tree/tmp/host-apt
tree_apt() {
  apt-get -q -o Dir="$tree" -o Dir::State="$lists" -o Dir::Cache="$lists" \
    -o Dir::State::status="$tree/var/lib/dpkg/status" -o APT::Architecture="$arch" -o APT::Architectures="$arch" "$@"
}
mkdir -p "$lists/lists/partial" "$lists/archives/partial"
tree_apt update >"$lists/update.log" 2>&1 || { tail -n 20 "$lists/update.log"; fail "the tree's package lists cannot be read"; }
# The groups as the tree lists them, since they differ by architecture.
groups=$(in_project 'scripts/install-deps.sh --list run test windows web browser') || fail "the install groups cannot be listed on $arch"
# shellcheck disable=SC2086
tree_apt install -s --no-install-recommends $groups >"$lists/resolve.log" 2>&1 ||
  { tail -n 20 "$lists/resolve.log"; fail "the install groups do not resolve on $arch"; }

say "make run: set-up and build, on a machine without a display"
if in_project 'make run' >"$tree/tmp/run.log" 2>&1; then fail "make run succeeded without a display"; fi
tail -n 3 "$tree/tmp/run.log"
grep -q "^make run: there is no display" "$tree/tmp/run.log" || fail "make run did not build, or did not say that there is no display"
status=0
in_project 'build/sortbars' >"$tree/tmp/nodisplay.log" 2>&1 || status=$?
cat "$tree/tmp/nodisplay.log"
[ "$status" -eq 1 ] && [ "$(wc -l <"$tree/tmp/nodisplay.log")" -eq 1 ] &&
  grep -q "^sortbars: no window can be opened: " "$tree/tmp/nodisplay.log" ||
  fail "without a display the program should say why in one line and end with status 1 (it ended with $status)"

# The core's unit tests run on armhf, the 32-bit port, where char is
# unsigned as on all ARM. arm64 has amd64's sizes, where they run already,
# so it runs the real window alone: some ten minutes less of emulated
# compiling in CI. Its full make test is run by hand (above).
case $arch in
  armhf) units="runtime_tests board_tests window_tests" tests="runtime|board|window|real/window"
    say "the real window on X11, and the core's unit tests" ;;
  arm64) units="" tests="real/window"
    say "the real window on X11" ;;
esac
quietly test-deps 'scripts/install-deps.sh share' || fail "the share's group does not install on $arch"
quietly test-build "cmake -S . -B build -DBUILD_TESTING=ON &&
  cmake --build build -j \"\$(nproc)\" --target $units layout_pixels" ||
  fail "the tests do not build on $arch"
in_project "cd build && ctest --output-on-failure -R '^($tests)\$'" ||
  fail "the tests failed on $arch"

say "make package, and the package installed in the tree"
quietly package 'make package' || fail "make package failed on $arch"
version=$(sed -n 's/^project([^)]*VERSION \([0-9.]*\).*/\1/p' "$project/CMakeLists.txt")
deb=/root/sortbars/build/sortbars_${version}_$arch.deb
[ -f "$tree$deb" ] || fail "make package did not write $deb"
in_project 'tests/install/test_package.sh build' || fail "the $arch package fails its checks"
quietly install "apt-get install -y -q $deb" || fail "the $arch package does not install"
in_project 'SORTBARS_LAYOUT_TOOL=build/layout_pixels tests/install/test_installed.sh /usr/bin/sortbars' ||
  fail "the installed $arch program does not open its window"
say "$arch: built, tested, packaged, installed, and its window opens"
