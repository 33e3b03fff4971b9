# Sourced by the CI scripts that work in a Debian tree: makes the tree with
# debootstrap from the archive this machine's apt uses, mounts what it needs,
# copies the project in fresh, runs commands in it, and tears down every
# mount and every process in it on every path.
# The caller sets `tree` (where it is kept between runs), `suite`, `arch`
# and `name` (for its messages) before sourcing; it may set `after_teardown`
# to a command that runs last.
mounted=""
tree_started=$(date +%s)

say() { echo "$name ($(($(date +%s) - tree_started)) s): $*"; }
fail() {
  say "FAIL: $*" >&2
  exit 1
}

tree_teardown() {
  # Processes still running in the tree hold its mounts.
  for p in /proc/[0-9]*; do
    [ "$(readlink "$p/root" 2>/dev/null)" = "$tree" ] && kill -9 "${p#/proc/}" 2>/dev/null
  done
  for m in $mounted; do umount -R "$m" 2>/dev/null || umount -R -l "$m" 2>/dev/null || true; done
  ${after_teardown:-true}
}
trap tree_teardown EXIT
trap 'exit 130' INT TERM

# Makes the tree unless a finished one is kept from an earlier run.
tree_make() {
  [ -f "$tree/.sortbars-tree" ] && return 0
  # The archive this machine installs from, for its own and the other release.
  mirror=$(sed -n 's/^URIs: *\([^ ]*\).*/\1/p; s/^deb  *\(\[[^]]*\] *\)\{0,1\}\([^ ]*\) .*/\2/p' \
    /etc/apt/sources.list.d/debian.sources /etc/apt/sources.list 2>/dev/null | grep -v security | head -n 1)
  [ -n "$mirror" ] || fail "no Debian archive in this machine's apt sources"
  say "making a Debian $suite $arch tree in $tree from $mirror"
  rm -rf "$tree.new"
  mkdir -p "$(dirname "$tree")"
  debootstrap --arch="$arch" --variant=minbase --include=make,ca-certificates "$suite" "$tree.new" "$mirror" \
    >"$tree.log" 2>&1 || fail "debootstrap failed; its log is $tree.log"
  touch "$tree.new/.sortbars-tree"
  rm -rf "$tree"
  mv "$tree.new" "$tree"
}

mount_in() { # TYPE-OR-bind SOURCE TARGET
  mkdir -p "$tree$3"
  if [ "$1" = bind ]; then mount --rbind "$2" "$tree$3"; else mount -t "$1" "$2" "$tree$3"; fi
  mounted="$tree$3 $mounted"
}

# Mounts what programs in the tree need, and copies the project in anew.
tree_enter() {
  mount_in proc proc /proc
  mount_in bind /sys /sys
  mount_in bind /dev /dev
  mount_in tmpfs tmpfs /tmp
  mount_in tmpfs tmpfs /run
  cp /etc/resolv.conf "$tree/etc/resolv.conf" 2>/dev/null || true
  # The certificate authorities this machine adds to Debian's, such as a
  # proxy's, so that npm in the tree reaches its registry as it does here
  # (Debian's Node.js trusts the system's store).
  if ls /usr/local/share/ca-certificates/*.crt >/dev/null 2>&1; then
    mkdir -p "$tree/usr/local/share/ca-certificates"
    cp /usr/local/share/ca-certificates/*.crt "$tree/usr/local/share/ca-certificates/"
    in_tree update-ca-certificates >/dev/null 2>&1 || fail "the tree's certificate store cannot be updated"
  fi
  say "copying the project in"
  rm -rf "$tree/root/sortbars"
  mkdir -p "$tree/root/sortbars"
  (cd "$project" && git ls-files -z | xargs -0 cp --parents -t "$tree/root/sortbars")
  # With its history, so that the release's test can build a commit there.
  cp -a "$project/.git" "$tree/root/sortbars/.git"
}

in_tree() { chroot "$tree" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 CI=true "$@"; }

# Runs a shell command in the project's copy in the tree.
in_project() { in_tree sh -c "cd /root/sortbars && $1"; }
