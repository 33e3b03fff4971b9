#!/bin/sh
# Two builds of `make release` from the same commit write the same bytes.
# The first is made as this user, in a short folder, under umask 022, in UTC
# and C.UTF-8, with a job per core. The second in a longer folder, as
# another user (nobody, when run as root), under umask 077, at UTC+14 in
# fr_FR.UTF-8, with one job, and with the clock set 400 days on (faketime),
# so that a build time, a date, a folder, a mode or an owner that gets into
# a file shows. On a difference it names each file and shows where it
# differs, with diffoscope.
# Usage: test_reproducible.sh [COMMIT]   (HEAD by default; uncommitted
# changes are not in it)
set -eu
project=$(realpath "$(dirname "$0")/../..")
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
if ! git -C "$project" rev-parse --git-dir >/dev/null 2>&1; then
  echo "test_reproducible: skipped: a release is made of a commit, and $project is not a git checkout"
  exit 0
fi
commit=$(git -C "$project" rev-parse "${1:-HEAD}")
git -C "$project" diff --quiet HEAD || echo "test_reproducible: testing commit $commit; the checkout's uncommitted changes are not in it"
WORK=$(mktemp -d /tmp/sortbars-release.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
chmod 755 "$WORK"
BUILD_BOUND=1200 # seconds for one make release, at one job under faketime

# clone DIR: the commit, checked out in DIR under the current umask.
clone() {
  git clone -q --no-hardlinks "$project" "$1" && git -C "$1" -c advice.detachedHead=false checkout -q "$commit"
}

a=$WORK/a/sortbars
(umask 022 && clone "$a") || fail "cannot clone $project"
echo "test_reproducible: first build, in $a"
(cd "$a" && umask 022 && TZ=UTC LC_ALL=C.UTF-8 timeout "$BUILD_BOUND" make release >"$WORK/a.log" 2>&1) ||
  { tail -n 20 "$WORK/a.log"; fail "the first make release failed, or did not end within $BUILD_BOUND s"; }

b=$WORK/b/a-folder-of-another-length/sortbars-again
mkdir -p "$WORK/b/home" "$WORK/b/locale"
(umask 077 && clone "$b") || fail "cannot clone $project"
localedef -i fr_FR -f UTF-8 "$WORK/b/locale/fr_FR.UTF-8" || fail "localedef cannot make fr_FR.UTF-8 (Debian: locales)"
as=""
if [ "$(id -u)" -eq 0 ]; then
  chown -R nobody:nogroup "$WORK/b"
  chmod 755 "$WORK/b"
  as="runuser -u nobody --"
fi
echo "test_reproducible: second build, in $b, as $($as id -un)"
(cd "$b" && $as env -i PATH="$PATH" HOME="$WORK/b/home" TZ=Pacific/Kiritimati LOCPATH="$WORK/b/locale" \
  LC_ALL=fr_FR.UTF-8 sh -c "umask 077 && timeout $BUILD_BOUND faketime -f +400d make release JOBS=1" >"$WORK/b.log" 2>&1) ||
  { tail -n 20 "$WORK/b.log"; fail "the second make release failed, or did not end within $BUILD_BOUND s"; }

# Both hold every file a release ships, each with its sum right.
version=$(sed -n 's/^project(sortbars VERSION \([0-9.]*\) .*/\1/p' "$a/CMakeLists.txt")
expected="sortbars-$version-setup.exe sortbars-$version-windows-x64.zip sortbars-$version.tar.gz sortbars.exe sortbars.html sortbars_${version}_$(dpkg --print-architecture).deb"
for dist in "$a/dist" "$b/dist"; do
  listed=$(awk '{ print $2 }' "$dist/SHA256SUMS" | paste -sd' ')
  [ "$listed" = "$expected" ] || fail "$dist/SHA256SUMS lists $listed, not $expected"
  (cd "$dist" && sha256sum --quiet -c SHA256SUMS) || fail "a file in $dist does not match its sum"
done

if ! cmp -s "$a/dist/SHA256SUMS" "$b/dist/SHA256SUMS"; then
  for file in $expected; do
    cmp -s "$a/dist/$file" "$b/dist/$file" && continue
    echo "--- $file differs:"
    timeout 300 diffoscope --text - "$a/dist/$file" "$b/dist/$file" 2>/dev/null | head -n 60
  done
  fail "the two builds of $commit differ"
fi
echo "test_reproducible: both builds of $(git -C "$a" rev-parse --short HEAD) wrote the same bytes:"
sed 's/^/  /' "$a/dist/SHA256SUMS"
